#include "core/ui/Alignment.h"

#include <algorithm>
#include <vector>

namespace core {

int Rect::width() const { return right - left; }
int Rect::height() const { return bottom - top; }

namespace {

// Ranks the items of one edge that have none yet, after those that have
// one, in the order of their bounds; a stable sort keeps index order for ties.
template <typename Before>
void RankNewItems(std::span<AlignItem> items, Align align, Before before)
{
    int next = 0;
    std::vector<AlignItem*> unranked;
    for (AlignItem& item : items) {
        if (item.align != align)
            continue;
        if (item.rank < 0)
            unranked.push_back(&item);
        else
            next = std::max(next, item.rank + 1);
    }
    std::stable_sort(unranked.begin(), unranked.end(),
                     [&](const AlignItem* a, const AlignItem* b) { return before(a->bounds, b->bounds); });
    for (AlignItem* item : unranked)
        item->rank = next++;
}

// Visible items with the given alignment, in stacking order: nearest the
// edge they dock against first.
template <typename Before>
std::vector<AlignItem*> StackOrder(std::span<AlignItem> items, Align align, Before before)
{
    RankNewItems(items, align, before);
    std::vector<AlignItem*> order;
    for (AlignItem& item : items) {
        if (item.visible && item.align == align)
            order.push_back(&item);
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const AlignItem* a, const AlignItem* b) { return a->rank < b->rank; });
    return order;
}

// An item's own extent, never negative so that the remaining space only shrinks.
int Extent(int size) { return std::max(size, 0); }

void DockTop(std::span<AlignItem> items, Rect& space)
{
    auto higher = [](const Rect& a, const Rect& b) { return a.top < b.top; };
    for (AlignItem* item : StackOrder(items, Align::Top, higher)) {
        int height = Extent(item->bounds.height());
        item->bounds = {space.left, space.top, space.right, space.top + height};
        space.top = std::min(space.top + height, space.bottom);
    }
}

void DockBottom(std::span<AlignItem> items, Rect& space)
{
    auto lower = [](const Rect& a, const Rect& b) { return a.bottom > b.bottom; };
    for (AlignItem* item : StackOrder(items, Align::Bottom, lower)) {
        int height = Extent(item->bounds.height());
        item->bounds = {space.left, space.bottom - height, space.right, space.bottom};
        space.bottom = std::max(space.bottom - height, space.top);
    }
}

void DockLeft(std::span<AlignItem> items, Rect& space)
{
    auto furtherLeft = [](const Rect& a, const Rect& b) { return a.left < b.left; };
    for (AlignItem* item : StackOrder(items, Align::Left, furtherLeft)) {
        int width = Extent(item->bounds.width());
        item->bounds = {space.left, space.top, space.left + width, space.bottom};
        space.left = std::min(space.left + width, space.right);
    }
}

void DockRight(std::span<AlignItem> items, Rect& space)
{
    auto furtherRight = [](const Rect& a, const Rect& b) { return a.right > b.right; };
    for (AlignItem* item : StackOrder(items, Align::Right, furtherRight)) {
        int width = Extent(item->bounds.width());
        item->bounds = {space.right - width, space.top, space.right, space.bottom};
        space.right = std::max(space.right - width, space.left);
    }
}

} // namespace

void AlignItems(std::span<AlignItem> items, Rect client)
{
    Rect space = client;
    space.right = std::max(space.right, space.left);
    space.bottom = std::max(space.bottom, space.top);
    DockTop(items, space);
    DockBottom(items, space);
    DockLeft(items, space);
    DockRight(items, space);
    for (AlignItem& item : items) {
        if (item.visible && item.align == Align::Client)
            item.bounds = space;
    }
}

} // namespace core
