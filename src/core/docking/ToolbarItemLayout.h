#pragma once

#include "core/ui/Alignment.h"

#include <span>
#include <vector>

namespace core {

// The measured size of one toolbar item. A separator's width is its
// thickness between the items it separates.
struct ItemBox {
    int width = 0;
    int height = 0;
    bool separator = false;
};

// Line: one line, ending in a chevron when it is too long.
// Wrap: lines no longer than the given length.
// Vertical: one item per line, for toolbars in the left and right docks,
// ending in a chevron when the column is too long.
// Columns: one item per line like Vertical, or, when that column is too
// long, further columns side by side.
enum class ItemFlow { Line, Wrap, Vertical, Columns };

// Rectangles are relative to the toolbar's item area. A hidden item has an
// empty rectangle; lineBreakAfter marks the last shown item of every line
// but the last.
struct ItemPlacement {
    Rect rect;
    bool hidden = false;
    bool lineBreakAfter = false;
};

struct ItemLayout {
    std::vector<ItemPlacement> items;  // parallel to the boxes laid out
    int width = 0;
    int height = 0;
    bool chevron = false;
    Rect chevronRect;
};

// Every line is as tall as its tallest item, and its items are top-aligned
// and given that height. maxLength < 0: no limit.
// Line: items that do not fit in maxLength are hidden from the end, and a
//   chevronWidth-wide chevron follows the last shown item; a separator never
//   stands just before the chevron.
// Wrap: an item that does not fit starts a new line, an item longer than
//   maxLength gets a line of its own, and separators at either end of a line
//   are hidden.
// Vertical: lines as wide as the widest item, every item given that width; a
//   separator becomes a bar across the line, as tall as it was wide. Items
//   that do not fit in maxLength are hidden from the end, as in a Line, and a
//   chevron as wide as the column and chevronWidth tall follows them.
// Columns: as Vertical without a chevron while the column fits in maxLength;
//   otherwise separators are hidden and the other items go into as few
//   columns as keep the height within maxLength (all on one line at worst).
//   The lines are filled one after another, as a toolbar control places its
//   buttons, so each line holds one item of every column.
ItemLayout LayoutItems(std::span<const ItemBox> items, ItemFlow flow, int maxLength, int chevronWidth);

// How a docked toolbar gives way when its row is too short.
enum class ShrinkKind { None, Chevron, Wrap };

// The shortest length a docked toolbar's items can be given: its full
// length when it cannot shrink, the chevron alone (or less, if the items are
// shorter), or its widest item when it wraps.
int MinimumItemLength(std::span<const ItemBox> items, ShrinkKind kind, int chevronWidth);

// The height of the wrapped items when given `length`: what a wrapping
// toolbar reports to its dock as the thickness at a squeezed length.
int WrappedItemsHeight(std::span<const ItemBox> items, int length);

} // namespace core
