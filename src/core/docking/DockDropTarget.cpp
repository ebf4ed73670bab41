#include "core/docking/DockDropTarget.h"

#include "core/docking/SaturatingInt.h"

#include <algorithm>
#include <limits>

namespace core {
namespace {

// Half-open, in 64 bits so that margins can reach past the 32-bit range.
struct Interval {
    std::int64_t low = 0;
    std::int64_t high = 0;
    bool Contains(std::int64_t value) const { return low <= value && value < high; }
};

bool IsHorizontal(DockEdge edge) { return edge == DockEdge::Top || edge == DockEdge::Bottom; }

Interval AlongExtent(const Rect& r, DockEdge edge)
{
    return IsHorizontal(edge) ? Interval{r.left, r.right} : Interval{r.top, r.bottom};
}

Interval AcrossExtent(const Rect& r, DockEdge edge)
{
    return IsHorizontal(edge) ? Interval{r.top, r.bottom} : Interval{r.left, r.right};
}

std::int64_t AlongOf(Point p, DockEdge edge) { return IsHorizontal(edge) ? p.x : p.y; }
std::int64_t AcrossOf(Point p, DockEdge edge) { return IsHorizontal(edge) ? p.y : p.x; }

Interval Widened(Interval interval, std::int64_t by) { return {interval.low - by, interval.high + by}; }

// An empty dock is a thin strip against its window edge; the pointer need
// not find its single pixel, only come close to the edge from inside.
Interval EmptyDockAcrossZone(const DockGeometry& dock, std::int64_t margin)
{
    const Interval across = AcrossExtent(dock.bounds, dock.edge);
    const std::int64_t reach = std::max(margin, across.high - across.low);
    if (dock.edge == DockEdge::Top || dock.edge == DockEdge::Left)
        return {across.low, across.low + reach};
    return {across.high - reach, across.high};
}

bool InZone(const DockGeometry& dock, Point pointer, std::int64_t margin)
{
    const std::int64_t along = AlongOf(pointer, dock.edge);
    const std::int64_t across = AcrossOf(pointer, dock.edge);
    if (dock.rows.empty())
        return AlongExtent(dock.bounds, dock.edge).Contains(along) &&
               EmptyDockAcrossZone(dock, margin).Contains(across);
    return Widened(AlongExtent(dock.bounds, dock.edge), margin).Contains(along) &&
           Widened(AcrossExtent(dock.bounds, dock.edge), margin).Contains(across);
}

bool BoundsContain(const Rect& r, Point p)
{
    return Interval{r.left, r.right}.Contains(p.x) && Interval{r.top, r.bottom}.Contains(p.y);
}

bool Preferred(const DockGeometry& candidate, const DockGeometry& best, Point pointer)
{
    const bool candidateHolds = BoundsContain(candidate.bounds, pointer);
    const bool bestHolds = BoundsContain(best.bounds, pointer);
    if (candidateHolds != bestHolds)
        return candidateHolds;
    return candidate.edge < best.edge;
}

int ChooseDock(std::span<const DockGeometry> docks, Point pointer, std::int64_t margin)
{
    int best = -1;
    for (std::size_t i = 0; i < docks.size(); ++i) {
        if (InZone(docks[i], pointer, margin) && (best < 0 || Preferred(docks[i], docks[best], pointer)))
            best = static_cast<int>(i);
    }
    return best;
}

// How close to a boundary between rows the pointer makes a new row: a
// quarter of the row, at least 3 pixels, but always leaving the row's middle
// to the row itself.
std::int64_t NewRowReach(std::int64_t thickness)
{
    const std::int64_t wanted = std::max<std::int64_t>(thickness / 4, 3);
    return std::max<std::int64_t>(std::min(wanted, (thickness - 1) / 2), 0);
}

struct RowChoice {
    int row = 0;
    bool newRow = false;
};

RowChoice ChooseRow(const std::vector<std::pair<int, int>>& rows, std::int64_t across)
{
    const int count = static_cast<int>(rows.size());
    for (int i = 0; i < count; ++i) {
        const auto [start, end] = rows[static_cast<std::size_t>(i)];
        const Interval band{start, end};
        if (across < band.low)
            return {i, true};  // before the first row or between two rows
        if (across >= band.high)
            continue;
        const std::int64_t reach = NewRowReach(band.high - band.low);
        if (i > 0 && across < band.low + reach)
            return {i, true};
        if (i + 1 < count && across >= band.high - reach)
            return {i + 1, true};
        return {i, false};
    }
    return {count, true};
}

int PositionAlong(const DockGeometry& dock, Point pointer, int grabAlong)
{
    const std::int64_t pos = AlongOf(pointer, dock.edge) - AlongExtent(dock.bounds, dock.edge).low - grabAlong;
    return SaturateToInt(std::max<std::int64_t>(pos, 0));
}

} // namespace

DropTarget FindDropTarget(std::span<const DockGeometry> docks, Point pointer, int grabAlong, int margin)
{
    const int index = ChooseDock(docks, pointer, std::max(margin, 0));
    if (index < 0)
        return {};
    const DockGeometry& dock = docks[static_cast<std::size_t>(index)];
    const RowChoice choice = ChooseRow(dock.rows, AcrossOf(pointer, dock.edge));
    return {index, choice.row, choice.newRow, PositionAlong(dock, pointer, grabAlong)};
}

std::int32_t ApplyDropRows(const DropTarget& target, std::span<std::int32_t> otherRowsInTargetDock)
{
    if (!target.newRow)
        return target.row;
    for (std::int32_t& row : otherRowsInTargetDock) {
        if (row >= target.row && row < std::numeric_limits<std::int32_t>::max())
            ++row;
    }
    return target.row;
}

} // namespace core
