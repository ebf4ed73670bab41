#include "core/docking/ToolbarItemLayout.h"

#include "core/docking/SaturatingInt.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace core {
namespace {

using Line = std::vector<std::size_t>;  // item indices, left to right

// Measured sizes should never be negative; a bad one takes no room.
std::int64_t WidthOf(const ItemBox& item) { return std::max(item.width, 0); }
int HeightOf(const ItemBox& item) { return std::max(item.height, 0); }

ItemLayout AllHidden(std::size_t count)
{
    ItemLayout layout;
    layout.items.assign(count, ItemPlacement{Rect{}, true, false});
    return layout;
}

Line EveryItem(std::size_t count)
{
    Line line(count);
    for (std::size_t i = 0; i < count; ++i)
        line[i] = i;
    return line;
}

std::int64_t TotalWidth(std::span<const ItemBox> items)
{
    std::int64_t total = 0;
    for (const ItemBox& item : items)
        total += WidthOf(item);
    return total;
}

int TallestOf(std::span<const ItemBox> items, const Line& line)
{
    int tallest = 0;
    for (std::size_t index : line)
        tallest = std::max(tallest, HeightOf(items[index]));
    return tallest;
}

int WidestItem(std::span<const ItemBox> items)
{
    int widest = 0;
    for (const ItemBox& item : items) {
        if (!item.separator)
            widest = std::max(widest, static_cast<int>(WidthOf(item)));
    }
    return widest;
}

// Shows the line's items side by side at `top`; returns where the line ends.
std::int64_t PlaceLine(std::span<const ItemBox> items, const Line& line, std::int64_t top, int height,
                       ItemLayout& layout)
{
    std::int64_t left = 0;
    for (std::size_t index : line) {
        const std::int64_t right = left + WidthOf(items[index]);
        layout.items[index] = {Rect{SaturateToInt(left), SaturateToInt(top), SaturateToInt(right),
                                    SaturateToInt(top + height)},
                               false, false};
        left = right;
    }
    return left;
}

void PlaceLines(std::span<const ItemBox> items, const std::vector<Line>& lines, ItemLayout& layout)
{
    std::int64_t top = 0;
    std::int64_t widest = 0;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const int height = TallestOf(items, lines[k]);
        widest = std::max(widest, PlaceLine(items, lines[k], top, height, layout));
        if (k + 1 < lines.size())
            layout.items[lines[k].back()].lineBreakAfter = true;
        top += height;
    }
    layout.width = SaturateToInt(widest);
    layout.height = SaturateToInt(top);
}

// The longest run from the start that leaves `room`, less any separators
// it ends with: they would separate the items from the chevron.
Line ItemsBeforeChevron(std::span<const ItemBox> items, std::int64_t room)
{
    Line shown;
    std::int64_t used = 0;
    for (std::size_t i = 0; i < items.size() && used + WidthOf(items[i]) <= room; ++i) {
        used += WidthOf(items[i]);
        shown.push_back(i);
    }
    while (!shown.empty() && items[shown.back()].separator)
        shown.pop_back();
    return shown;
}

ItemLayout LayoutLine(std::span<const ItemBox> items, int maxLength, int chevronWidth)
{
    ItemLayout layout = AllHidden(items.size());
    const Line all = EveryItem(items.size());
    if (maxLength < 0 || TotalWidth(items) <= maxLength) {
        PlaceLines(items, {all}, layout);
        return layout;
    }
    // Items behind the chevron still count, so the bar does not get thinner
    // as buttons go, and a chevron standing alone keeps its height.
    const int height = TallestOf(items, all);
    const std::int64_t chevron = std::max(chevronWidth, 0);
    const std::int64_t end =
        PlaceLine(items, ItemsBeforeChevron(items, std::int64_t{maxLength} - chevron), 0, height, layout);
    layout.chevron = true;
    layout.chevronRect = {SaturateToInt(end), 0, SaturateToInt(end + chevron), height};
    layout.width = SaturateToInt(end + chevron);
    layout.height = height;
    return layout;
}

// Separators wait until an item follows them on the same line, so that none
// is left at either end of a line.
std::vector<Line> WrapIntoLines(std::span<const ItemBox> items, int maxLength)
{
    std::vector<Line> lines;
    Line current;
    Line separators;
    std::int64_t used = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].separator) {
            if (!current.empty()) {
                separators.push_back(i);
                used += WidthOf(items[i]);
            }
            continue;
        }
        if (!current.empty() && maxLength >= 0 && used + WidthOf(items[i]) > maxLength) {
            lines.push_back(current);
            current.clear();
            separators.clear();
            used = 0;
        }
        current.insert(current.end(), separators.begin(), separators.end());
        separators.clear();
        current.push_back(i);
        used += WidthOf(items[i]);
    }
    if (!current.empty())
        lines.push_back(current);
    return lines;
}

ItemLayout LayoutWrapped(std::span<const ItemBox> items, int maxLength)
{
    ItemLayout layout = AllHidden(items.size());
    PlaceLines(items, WrapIntoLines(items, maxLength), layout);
    return layout;
}

// Upright, a separator's width becomes its length along the column.
std::int64_t UprightLength(const ItemBox& item)
{
    return item.separator ? WidthOf(item) : HeightOf(item);
}

// How many items from the top fit in `room`, less separators they end with.
std::size_t ItemsAboveChevron(std::span<const ItemBox> items, std::int64_t room)
{
    std::size_t shown = 0;
    std::int64_t used = 0;
    while (shown < items.size() && used + UprightLength(items[shown]) <= room)
        used += UprightLength(items[shown++]);
    while (shown > 0 && items[shown - 1].separator)
        --shown;
    return shown;
}

ItemLayout LayoutVertical(std::span<const ItemBox> items, int maxLength, int chevronLength)
{
    ItemLayout layout = AllHidden(items.size());
    const int width = WidestItem(items);
    std::int64_t total = 0;
    for (const ItemBox& item : items)
        total += UprightLength(item);
    const bool chevron = maxLength >= 0 && total > maxLength;
    const std::int64_t chevronRoom = chevron ? std::max(chevronLength, 0) : 0;
    const std::size_t shown =
        chevron ? ItemsAboveChevron(items, std::max<std::int64_t>(std::int64_t{maxLength} - chevronRoom, 0))
                : items.size();
    std::int64_t top = 0;
    for (std::size_t i = 0; i < shown; ++i) {
        const std::int64_t bottom = top + UprightLength(items[i]);
        layout.items[i] = {Rect{0, SaturateToInt(top), width, SaturateToInt(bottom)}, false, i + 1 < shown};
        top = bottom;
    }
    if (chevron) {
        layout.chevron = true;
        layout.chevronRect = {0, SaturateToInt(top), width, SaturateToInt(top + chevronRoom)};
    }
    layout.width = width;
    layout.height = SaturateToInt(top + chevronRoom);
    return layout;
}

// The items that are no separators, in lines of `perLine`.
std::vector<Line> GridLines(std::span<const ItemBox> items, std::size_t perLine)
{
    std::vector<Line> lines;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].separator)
            continue;
        if (lines.empty() || lines.back().size() == perLine)
            lines.emplace_back();
        lines.back().push_back(i);
    }
    return lines;
}

ItemLayout LayoutColumns(std::span<const ItemBox> items, int maxLength)
{
    ItemLayout layout = LayoutVertical(items, -1, 0);
    if (maxLength < 0 || layout.height <= maxLength)
        return layout;
    std::size_t buttons = 0;
    for (const ItemBox& item : items)
        buttons += item.separator ? 0 : 1;
    // More items per line until the lines fit, or all stand on one.
    for (std::size_t perLine = 2; perLine <= buttons; ++perLine) {
        layout = AllHidden(items.size());
        PlaceLines(items, GridLines(items, perLine), layout);
        if (layout.height <= maxLength)
            break;
    }
    return layout;
}

} // namespace

ItemLayout LayoutItems(std::span<const ItemBox> items, ItemFlow flow, int maxLength, int chevronWidth)
{
    switch (flow) {
    case ItemFlow::Wrap: return LayoutWrapped(items, maxLength);
    case ItemFlow::Vertical: return LayoutVertical(items, maxLength, chevronWidth);
    case ItemFlow::Columns: return LayoutColumns(items, maxLength);
    case ItemFlow::Line: break;
    }
    return LayoutLine(items, maxLength, chevronWidth);
}

int MinimumItemLength(std::span<const ItemBox> items, ShrinkKind kind, int chevronWidth)
{
    const std::int64_t full = TotalWidth(items);
    switch (kind) {
    case ShrinkKind::Chevron: return SaturateToInt(std::min<std::int64_t>(full, std::max(chevronWidth, 0)));
    case ShrinkKind::Wrap: return WidestItem(items);
    case ShrinkKind::None: break;
    }
    return SaturateToInt(full);
}

int WrappedItemsHeight(std::span<const ItemBox> items, int length)
{
    return LayoutWrapped(items, length).height;
}

} // namespace core
