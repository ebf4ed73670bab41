#pragma once

#include "core/ui/Alignment.h"
#include "core/ui/Placement.h"

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace core {

// Declared in the order in which docks win where their zones overlap.
enum class DockEdge { Top, Bottom, Left, Right };

// A dock as the pointer sees it, in screen coordinates.
struct DockGeometry {
    Rect bounds;  // may be 0 or 1 pixel thick when the dock is empty
    DockEdge edge = DockEdge::Top;
    // Each row's start and end across the dock, in row order, which is
    // also the order of increasing screen coordinate.
    std::vector<std::pair<int, int>> rows;
};

// dock: index into the docks, or -1 to float. row: an existing row, or with
// newRow the row number the new row takes (0 to the number of rows).
// pos: the requested position along the dock.
struct DropTarget {
    int dock = -1;
    int row = 0;
    bool newRow = false;
    int pos = 0;
    bool operator==(const DropTarget&) const = default;
};

// Where a toolbar dragged by its handle would land. grabAlong: how far
// along the bar the user grabbed it. margin: how far outside a dock the
// pointer may be and still hit it; an empty dock is hit within margin of
// its window edge, on the inside only.
//
// Across a dock with rows, the pointer picks the row under it, except near
// a boundary between two rows (a quarter of the row's thickness, at least
// 3 pixels, but never the whole row) or outside the rows at either end,
// where it makes a new row there. Where zones overlap at a window corner,
// the dock whose bounds hold the pointer wins, then top, bottom, left, right.
DropTarget FindDropTarget(std::span<const DockGeometry> docks, Point pointer, int grabAlong, int margin);

// The dragged bar's new row. otherRowsInTargetDock are the rows the target
// dock's other bars were given by its last arrangement (the numbering the
// geometry's rows follow); for a new row, those at or after it move out by
// one so that the new row is not shared. Joining a row or floating changes
// no other bar.
std::int32_t ApplyDropRows(const DropTarget& target, std::span<std::int32_t> otherRowsInTargetDock);

} // namespace core
