#include "core/ui/Alignment.h"

#include <gtest/gtest.h>

#include <vector>

using core::Align;
using core::AlignItem;
using core::AlignItems;
using core::Rect;

namespace {

// The main window as designed: 542x321 client area.
enum Item { Splitter, StatusBar, TopDock, BottomDock, LeftDock, RightDock, ProcessList, Detail, kCount };

const Rect kClient{0, 0, 542, 321};

std::vector<AlignItem> DesignedItems()
{
    std::vector<AlignItem> items(kCount);
    items[Splitter] = {Align::Left, {233, 26, 238, 293}};
    items[StatusBar] = {Align::Bottom, {0, 302, 542, 321}};
    items[TopDock] = {Align::Top, {0, 0, 542, 26}};
    items[BottomDock] = {Align::Bottom, {0, 293, 542, 302}};
    items[LeftDock] = {Align::Left, {0, 26, 9, 293}};
    items[RightDock] = {Align::Right, {533, 26, 542, 293}};
    items[ProcessList] = {Align::Left, {9, 26, 233, 293}};
    items[Detail] = {Align::Client, {238, 26, 533, 293}};
    return items;
}

void SetWidth(AlignItem& item, int width) { item.bounds.right = item.bounds.left + width; }
void SetHeight(AlignItem& item, int height) { item.bounds.bottom = item.bounds.top + height; }

TEST(AlignItems, ReproducesTheDesignedLayout)
{
    std::vector<AlignItem> items = DesignedItems();
    AlignItems(items, kClient);
    std::vector<AlignItem> designed = DesignedItems();
    for (int i = 0; i < kCount; ++i)
        EXPECT_EQ(items[i].bounds, designed[i].bounds) << "item " << i;

    // Laid-out positions feed the next layout, which must not move anything.
    AlignItems(items, kClient);
    for (int i = 0; i < kCount; ++i)
        EXPECT_EQ(items[i].bounds, designed[i].bounds) << "item " << i;
}

TEST(AlignItems, OnlyTheSizeAcrossTheEdgeIsKept)
{
    std::vector<AlignItem> items = DesignedItems();
    // Stale positions and the wrong extent along the edge.
    items[TopDock].bounds = {50, 70, 60, 96};
    items[ProcessList].bounds = {9, 0, 233, 5};
    items[Detail].bounds = {};
    AlignItems(items, kClient);
    EXPECT_EQ(items[TopDock].bounds, (Rect{0, 0, 542, 26}));
    EXPECT_EQ(items[ProcessList].bounds, (Rect{9, 26, 233, 293}));
    EXPECT_EQ(items[Detail].bounds, (Rect{238, 26, 533, 293}));
}

TEST(AlignItems, HiddenStatusBarGivesItsRoomToTheLists)
{
    std::vector<AlignItem> items = DesignedItems();
    items[StatusBar].visible = false;
    AlignItems(items, kClient);
    EXPECT_EQ(items[StatusBar].bounds, (Rect{0, 302, 542, 321})); // untouched
    EXPECT_EQ(items[BottomDock].bounds, (Rect{0, 312, 542, 321}));
    EXPECT_EQ(items[ProcessList].bounds, (Rect{9, 26, 233, 312}));
    EXPECT_EQ(items[Splitter].bounds, (Rect{233, 26, 238, 312}));
    EXPECT_EQ(items[Detail].bounds, (Rect{238, 26, 533, 312}));
}

TEST(AlignItems, EmptyDocksLetTheListsMoveOut)
{
    std::vector<AlignItem> items = DesignedItems();
    SetHeight(items[TopDock], 0);
    SetHeight(items[BottomDock], 0);
    SetWidth(items[LeftDock], 1);
    SetWidth(items[RightDock], 0);
    AlignItems(items, kClient);
    EXPECT_EQ(items[TopDock].bounds, (Rect{0, 0, 542, 0}));
    EXPECT_EQ(items[BottomDock].bounds, (Rect{0, 302, 542, 302}));
    EXPECT_EQ(items[LeftDock].bounds, (Rect{0, 0, 1, 302}));
    EXPECT_EQ(items[RightDock].bounds, (Rect{542, 0, 542, 302}));
    EXPECT_EQ(items[ProcessList].bounds, (Rect{1, 0, 225, 302}));
    EXPECT_EQ(items[Splitter].bounds, (Rect{225, 0, 230, 302}));
    EXPECT_EQ(items[Detail].bounds, (Rect{230, 0, 542, 302}));
}

TEST(AlignItems, WideLeftDockPushesTheProcessListRight)
{
    std::vector<AlignItem> items = DesignedItems();
    SetWidth(items[LeftDock], 40);
    AlignItems(items, kClient);
    EXPECT_EQ(items[LeftDock].bounds, (Rect{0, 26, 40, 293}));
    EXPECT_EQ(items[ProcessList].bounds, (Rect{40, 26, 264, 293}));
    EXPECT_EQ(items[Splitter].bounds, (Rect{264, 26, 269, 293}));
    EXPECT_EQ(items[Detail].bounds, (Rect{269, 26, 533, 293}));
}

TEST(AlignItems, SameEdgeStacksInCurrentOrderThenIndexOrder)
{
    std::vector<AlignItem> items = {
        {Align::Top, {0, 50, 0, 60}},    // lower: stacks second
        {Align::Top, {0, 10, 0, 15}},    // higher: stacks first
        {Align::Bottom, {0, 0, 0, 4}},   // tie on bottom with the next: index first
        {Align::Bottom, {0, 1, 0, 4}},
        {Align::Right, {20, 0, 30, 0}},  // further right: outermost
        {Align::Right, {5, 0, 20, 0}},
        {Align::Left, {7, 0, 9, 0}},     // tie on left with the next: index first
        {Align::Left, {7, 0, 10, 0}},
    };
    AlignItems(items, {0, 0, 100, 100});
    EXPECT_EQ(items[1].bounds, (Rect{0, 0, 100, 5}));
    EXPECT_EQ(items[0].bounds, (Rect{0, 5, 100, 15}));
    EXPECT_EQ(items[2].bounds, (Rect{0, 96, 100, 100}));
    EXPECT_EQ(items[3].bounds, (Rect{0, 93, 100, 96}));
    EXPECT_EQ(items[6].bounds, (Rect{0, 15, 2, 93}));
    EXPECT_EQ(items[7].bounds, (Rect{2, 15, 5, 93}));
    EXPECT_EQ(items[4].bounds, (Rect{90, 15, 100, 93}));
    EXPECT_EQ(items[5].bounds, (Rect{75, 15, 90, 93}));

    // That order holds from then on: neither an item grown past its
    // neighbour nor the stale bounds of a hidden one change it.
    items[3].bounds.bottom = 120;
    items[4].visible = false;
    AlignItems(items, {0, 0, 200, 200});
    items[4].visible = true;
    AlignItems(items, {0, 0, 200, 200});
    EXPECT_EQ(items[2].bounds, (Rect{0, 196, 200, 200}));
    EXPECT_EQ(items[3].bounds, (Rect{0, 169, 200, 196}));
    EXPECT_EQ(items[4].bounds, (Rect{190, 15, 200, 169}));
    EXPECT_EQ(items[5].bounds, (Rect{175, 15, 190, 169}));
}

TEST(AlignItems, UnalignedItemsAreUntouched)
{
    std::vector<AlignItem> items = {{Align::None, {5, 6, 7, 8}}, {Align::Client, {}}};
    AlignItems(items, {0, 0, 20, 20});
    EXPECT_EQ(items[0].bounds, (Rect{5, 6, 7, 8}));
    EXPECT_EQ(items[1].bounds, (Rect{0, 0, 20, 20}));
}

TEST(AlignItems, TinyClientNeverProducesNegativeSizes)
{
    for (Rect client : {Rect{0, 0, 10, 10}, Rect{0, 0, 0, 0}, Rect{0, 0, -5, -5}}) {
        std::vector<AlignItem> items = DesignedItems();
        AlignItems(items, client);
        for (int i = 0; i < kCount; ++i) {
            EXPECT_GE(items[i].bounds.width(), 0) << "item " << i;
            EXPECT_GE(items[i].bounds.height(), 0) << "item " << i;
        }
        EXPECT_EQ(items[Detail].bounds.width(), 0);
        EXPECT_EQ(items[Detail].bounds.height(), 0);
    }
}

} // namespace
