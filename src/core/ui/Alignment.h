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
// rank: the item's place in the stack on its edge, nearest the edge first;
// negative until the first layout gives it one. Kept from layout to layout,
// it holds the order even when an item grows past its neighbour or a hidden
// item's bounds have gone stale.
struct AlignItem {
    Align align = Align::None;
    Rect bounds;
    bool visible = true;
    int rank = -1;
};

// Docks the visible aligned items against the client rectangle's edges:
// top, bottom, left, right, then client items fill the rest. Items on the
// same edge stack by rank. Unranked items, hidden ones included, are ranked
// first: after the ranked ones of their edge, in the order of their current
// bounds (nearest the edge first), ties in index order.
void AlignItems(std::span<AlignItem> items, Rect client);

} // namespace core
