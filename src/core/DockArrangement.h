#pragma once

#include <span>
#include <vector>

namespace core {

// A toolbar in a dock: the row and position it asks for, its length along
// the dock's edge and its thickness across it.
struct DockBar {
    int row = 0;
    int pos = -1;
    int length = 0;
    int thickness = 0;
    bool visible = true;
};

// Where a bar ended up: its row (numbered from 0 without gaps), its offset
// along the row, and the row's distance from the dock's inner edge.
struct DockSlot {
    int row = 0;
    int offset = 0;
    int lineOffset = 0;
    bool operator==(const DockSlot&) const = default;
};

// Slots parallel the bars; hidden bars keep a default slot and take no room.
struct DockLayout {
    std::vector<DockSlot> slots;
    int thickness = 0;
};

// fixAlign: an empty dock keeps a thickness of 1 so that it stays in its
// place among the window's aligned controls.
DockLayout ArrangeDock(std::span<const DockBar> bars, bool fixAlign);

} // namespace core
