#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace core {

// A toolbar in a dock: the row and position it asks for (stored values, so
// any 32-bit number), its length along the dock's edge, the shortest length
// it can be squeezed to, and its thickness across the dock at full length.
struct DockBar {
    std::int32_t row = 0;
    std::int32_t pos = -1;
    int length = 0;
    int minLength = 0;  // <= length; equal to it for a bar that cannot shrink
    int thickness = 0;
    bool visible = true;
};

// Where a bar ended up: its row (numbered from 0 without gaps), its offset
// and granted length along the row, the row's distance from the dock's edge
// at offset 0, and the bar's own thickness at the granted length.
struct DockSlot {
    int row = 0;
    int offset = 0;
    int length = 0;
    int lineOffset = 0;
    int thickness = 0;
    bool operator==(const DockSlot&) const = default;
};

// Slots parallel the bars; hidden bars keep a default slot and take no room.
// A row is as thick as its thickest bar, and the dock as all rows together.
struct DockLayout {
    std::vector<DockSlot> slots;
    int thickness = 0;
    std::vector<int> rowOffsets;
    std::vector<int> rowThicknesses;
};

// The thickness of bar `index` when granted `length`: a wrapping bar grows
// thicker as it gets shorter.
using BarThicknessAt = std::function<int(std::size_t index, int length)>;

constexpr int kUnlimitedDockLength = -1;

// dockLength < 0: the rows may be as long as they like. A row too long for
// the dock first pulls its bars left, then squeezes them from the last one
// backwards down to their minimum lengths. Without thicknessAt a squeezed
// bar keeps its thickness. fixAlign: an empty dock keeps a thickness of 1
// so that it stays in its place among the window's aligned controls.
DockLayout ArrangeDock(std::span<const DockBar> bars, int dockLength, bool fixAlign,
                       const BarThicknessAt& thicknessAt = {});

} // namespace core
