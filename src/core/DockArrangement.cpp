#include "core/DockArrangement.h"

#include <algorithm>
#include <cstddef>

namespace core {
namespace {

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

} // namespace

DockLayout ArrangeDock(std::span<const DockBar> bars, bool fixAlign)
{
    DockLayout layout;
    layout.slots.resize(bars.size());
    std::vector<std::size_t> order = PlacementOrder(bars);

    int row = -1;
    int lineOffset = 0;
    int rowThickness = 0;
    int rowEnd = 0;
    for (std::size_t k = 0; k < order.size(); ++k) {
        const DockBar& bar = bars[order[k]];
        if (k == 0 || bar.row != bars[order[k - 1]].row) {
            ++row;
            lineOffset += rowThickness;
            rowThickness = 0;
            rowEnd = 0;
        }
        // A bar that asks for a spot under its predecessor goes right after it.
        int offset = std::max({bar.pos, 0, rowEnd});
        layout.slots[order[k]] = {row, offset, lineOffset};
        rowEnd = offset + bar.length;
        rowThickness = std::max(rowThickness, bar.thickness);
    }
    layout.thickness = lineOffset + rowThickness;
    if (order.empty() && fixAlign)
        layout.thickness = 1;
    return layout;
}

} // namespace core
