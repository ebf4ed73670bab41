#include "core/docking/DockArrangement.h"

#include "core/docking/SaturatingInt.h"

#include <algorithm>
#include <limits>

namespace core {
namespace {

using Row = std::vector<std::size_t>;  // bar indices, left to right

// A bar's place along its row while the row is being fitted.
struct Extent {
    std::int64_t offset = 0;
    std::int64_t length = 0;
};

// Measured sizes should never be negative, but a bad one must not make a
// bar longer than it is or shrinkable below nothing.
int FullLength(const DockBar& bar) { return std::max(bar.length, 0); }
int ShortestLength(const DockBar& bar) { return std::clamp(bar.minLength, 0, FullLength(bar)); }

// Indices of the visible bars, row by row and left to right as requested;
// a stable sort keeps input order for equal requests.
std::vector<std::size_t> PlacementOrder(std::span<const DockBar> bars)
{
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        if (bars[i].visible)
            order.push_back(i);
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (bars[a].row != bars[b].row)
            return bars[a].row < bars[b].row;
        return bars[a].pos < bars[b].pos;
    });
    return order;
}

// Requested row numbers collapse into consecutive rows: only used ones count.
std::vector<Row> SplitIntoRows(std::span<const DockBar> bars, const std::vector<std::size_t>& order)
{
    std::vector<Row> rows;
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (k == 0 || bars[order[k]].row != bars[order[k - 1]].row)
            rows.emplace_back();
        rows.back().push_back(order[k]);
    }
    return rows;
}

// A bar that asks for a spot under its predecessor goes right after it.
std::vector<Extent> RequestedExtents(std::span<const DockBar> bars, const Row& row)
{
    std::vector<Extent> extents;
    std::int64_t end = 0;
    for (std::size_t index : row) {
        const std::int64_t offset = std::max<std::int64_t>(bars[index].pos, end);
        extents.push_back({offset, FullLength(bars[index])});
        end = offset + extents.back().length;
    }
    return extents;
}

std::int64_t TotalLength(const std::vector<Extent>& extents)
{
    std::int64_t total = 0;
    for (const Extent& extent : extents)
        total += extent.length;
    return total;
}

// The last bars give way first: they are the ones the user put furthest out.
void SqueezeFromTheEnd(std::span<const DockBar> bars, const Row& row, std::vector<Extent>& extents,
                       std::int64_t limit)
{
    std::int64_t excess = TotalLength(extents) - limit;
    for (std::size_t k = row.size(); k-- > 0 && excess > 0;) {
        const std::int64_t give = std::min(excess, extents[k].length - ShortestLength(bars[row[k]]));
        extents[k].length -= give;
        excess -= give;
    }
}

// Moves bars left only as far as needed to end by the limit, so gaps further
// left survive; when even the shortest lengths overrun, packs from 0.
void PullLeft(std::vector<Extent>& extents, std::int64_t limit)
{
    std::int64_t end = limit;
    for (std::size_t k = extents.size(); k-- > 0;) {
        extents[k].offset = std::min(extents[k].offset, end - extents[k].length);
        end = extents[k].offset;
    }
    if (end >= 0)
        return;
    std::int64_t offset = 0;
    for (Extent& extent : extents) {
        extent.offset = offset;
        offset += extent.length;
    }
}

std::vector<Extent> FitRow(std::span<const DockBar> bars, const Row& row, std::int64_t limit)
{
    std::vector<Extent> extents = RequestedExtents(bars, row);
    if (extents.back().offset + extents.back().length <= limit)
        return extents;
    SqueezeFromTheEnd(bars, row, extents, limit);
    PullLeft(extents, limit);
    return extents;
}

int ThicknessAt(std::span<const DockBar> bars, std::size_t index, int length, const BarThicknessAt& thicknessAt)
{
    if (length < FullLength(bars[index]) && thicknessAt)
        return std::max(thicknessAt(index, length), 0);
    return std::max(bars[index].thickness, 0);
}

// Fills the slots of one row and returns the row's thickness.
int PlaceRow(std::span<const DockBar> bars, const Row& row, int rowNumber, std::int64_t limit,
             const BarThicknessAt& thicknessAt, std::vector<DockSlot>& slots)
{
    const std::vector<Extent> extents = FitRow(bars, row, limit);
    int rowThickness = 0;
    for (std::size_t k = 0; k < row.size(); ++k) {
        DockSlot& slot = slots[row[k]];
        slot.row = rowNumber;
        slot.offset = SaturateToInt(extents[k].offset);
        slot.length = SaturateToInt(extents[k].length);
        slot.thickness = ThicknessAt(bars, row[k], slot.length, thicknessAt);
        rowThickness = std::max(rowThickness, slot.thickness);
    }
    return rowThickness;
}

} // namespace

DockLayout ArrangeDock(std::span<const DockBar> bars, int dockLength, bool fixAlign,
                       const BarThicknessAt& thicknessAt)
{
    // Unlimited still means "within 32 bits", which keeps every offset and
    // end representable however far out the stored positions are.
    const std::int64_t limit = dockLength < 0 ? std::numeric_limits<int>::max() : dockLength;

    DockLayout layout;
    layout.slots.resize(bars.size());
    const std::vector<Row> rows = SplitIntoRows(bars, PlacementOrder(bars));
    std::int64_t lineOffset = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int rowNumber = static_cast<int>(r);
        const int rowThickness = PlaceRow(bars, rows[r], rowNumber, limit, thicknessAt, layout.slots);
        layout.rowOffsets.push_back(SaturateToInt(lineOffset));
        layout.rowThicknesses.push_back(rowThickness);
        for (std::size_t index : rows[r])
            layout.slots[index].lineOffset = layout.rowOffsets.back();
        lineOffset += rowThickness;
    }
    layout.thickness = SaturateToInt(lineOffset);
    if (rows.empty() && fixAlign)
        layout.thickness = 1;
    return layout;
}

} // namespace core
