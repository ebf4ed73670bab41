#pragma once

#include <span>

namespace core {

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const;
    int height() const;
    bool operator==(const Rect&) const = default;
};

enum class Align { None, Top, Bottom, Left, Right, Client };

// bounds: on input the current bounds, whose extent across the aligned edge
// is kept; on output the laid-out bounds.
struct AlignItem {
    Align align = Align::None;
    Rect bounds;
    bool visible = true;
};

// Docks the visible aligned items against the client rectangle's edges:
// top, bottom, left, right, then client items fill the rest. Items on the
// same edge keep their current order, so repeated layouts are stable.
void AlignItems(std::span<AlignItem> items, Rect client);

} // namespace core
