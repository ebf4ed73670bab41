#include "core/docking/ToolbarItemLayout.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

using namespace core;

constexpr int kChevron = 13;

ItemBox Button(int width = 23, int height = 22) { return {width, height, false}; }
ItemBox Separator(int width = 8) { return {width, 6, true}; }

// Refresh, Auto refresh | About | Exit: 108 long.
const std::vector<ItemBox> kMainToolbar = {Button(), Button(), Separator(), Button(), Separator(), Button()};
const std::vector<ItemBox> kMenuBar = {Button(35, 20), Button(40, 20), Button(38, 20)};

std::vector<Rect> Rects(const ItemLayout& layout)
{
    std::vector<Rect> rects;
    for (const auto& item : layout.items)
        rects.push_back(item.rect);
    return rects;
}

std::vector<bool> Flags(const ItemLayout& layout, bool ItemPlacement::*flag)
{
    std::vector<bool> flags;
    for (const auto& item : layout.items)
        flags.push_back(item.*flag);
    return flags;
}

TEST(LayoutItemsInALine, ItemsThatFitShareTheTallestHeightAndTheRestGoBehindAChevron)
{
    std::vector<ItemBox> items = {Button(23, 22), Separator(8), Button(30, 18)};
    for (int maxLength : {-1, 61}) {
        ItemLayout layout = LayoutItems(items, ItemFlow::Line, maxLength, kChevron);
        EXPECT_EQ(Rects(layout), (std::vector<Rect>{{0, 0, 23, 22}, {23, 0, 31, 22}, {31, 0, 61, 22}}));
        EXPECT_EQ(layout.width, 61);
        EXPECT_FALSE(layout.chevron);
    }
    // In 80 the first separator would fit, but may not stand before the chevron.
    struct Case { int maxLength; std::vector<bool> hidden; Rect chevron; };
    for (const Case& c : {Case{80, {false, false, true, true, true, true}, {46, 0, 59, 22}},
                          Case{90, {false, false, false, false, true, true}, {77, 0, 90, 22}}}) {
        ItemLayout layout = LayoutItems(kMainToolbar, ItemFlow::Line, c.maxLength, kChevron);
        EXPECT_EQ(Flags(layout, &ItemPlacement::hidden), c.hidden) << c.maxLength;
        EXPECT_TRUE(layout.chevron);
        EXPECT_EQ(layout.chevronRect, c.chevron) << c.maxLength;
        EXPECT_EQ(layout.width, c.chevron.right);
    }
    std::vector<ItemBox> doubled = {Button(), Separator(), Separator(), Button()};
    EXPECT_EQ(LayoutItems(doubled, ItemFlow::Line, 60, kChevron).chevronRect.left, 23);
    // Hidden items still set the height, so a chevron standing alone has one.
    std::vector<ItemBox> tall = {Button(23, 22), Button(23, 30)};
    EXPECT_EQ(LayoutItems(tall, ItemFlow::Line, 35, kChevron).chevronRect, (Rect{0, 0, 13, 30}));
}

TEST(LayoutItemsWrapped, LinesBreakBeforeWhatDoesNotFitAndDropSeparatorsAtTheirEnds)
{
    ItemLayout layout = LayoutItems(kMenuBar, ItemFlow::Wrap, 80, kChevron);
    EXPECT_EQ(Rects(layout), (std::vector<Rect>{{0, 0, 35, 20}, {35, 0, 75, 20}, {0, 20, 38, 40}}));
    EXPECT_EQ(Flags(layout, &ItemPlacement::lineBreakAfter), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(layout.width, 75);
    EXPECT_EQ(LayoutItems(kMenuBar, ItemFlow::Wrap, 113, kChevron).height, 20);

    // An item longer than the limit gets its own line; lines have their own heights.
    std::vector<ItemBox> mixed = {Button(10, 10), Button(100, 30), Button(10, 12), Button(10, 14)};
    EXPECT_EQ(Rects(LayoutItems(mixed, ItemFlow::Wrap, 40, kChevron)),
              (std::vector<Rect>{{0, 0, 10, 10}, {0, 10, 100, 40}, {0, 40, 10, 54}, {10, 40, 20, 54}}));

    // In 54 the first separator ends a line; the second stands inside one.
    layout = LayoutItems(kMainToolbar, ItemFlow::Wrap, 54, kChevron);
    EXPECT_EQ(Flags(layout, &ItemPlacement::hidden), (std::vector<bool>{false, false, true, false, false, false}));
    EXPECT_EQ(layout.items[5].rect, (Rect{31, 22, 54, 44}));
    std::vector<ItemBox> wideLast = {Button(), Button(), Separator(), Button(40)};
    EXPECT_EQ(LayoutItems(wideLast, ItemFlow::Wrap, 60, kChevron).width, 46); // the dropped one takes no room
    std::vector<ItemBox> edges = {Separator(), Button(), Separator(), Separator()};
    EXPECT_EQ(Flags(LayoutItems(edges, ItemFlow::Wrap, -1, kChevron), &ItemPlacement::hidden),
              (std::vector<bool>{true, false, true, true}));
}

TEST(LayoutItemsVertically, OneItemPerLineAsWideAsTheWidestButton)
{
    std::vector<ItemBox> items = {Button(23, 22), Separator(40), Button(30, 18)};
    for (int room : {-1, 80}) {
        ItemLayout layout = LayoutItems(items, ItemFlow::Vertical, room, kChevron);
        EXPECT_EQ(Rects(layout), (std::vector<Rect>{{0, 0, 30, 22}, {0, 22, 30, 62}, {0, 62, 30, 80}}));
        EXPECT_EQ(Flags(layout, &ItemPlacement::lineBreakAfter), (std::vector<bool>{true, true, false}));
        EXPECT_FALSE(layout.chevron);
        EXPECT_EQ(layout.width, 30);
        EXPECT_EQ(layout.height, 80);
    }
}

TEST(LayoutItemsVertically, TooShortAColumnEndsInAChevronBelowTheButtonsThatFit)
{
    // Upright, separators take no room: 4 buttons of 22.
    std::vector<ItemBox> items = {Button(), Button(), {0, 0, true}, Button(), {0, 0, true}, Button()};
    EXPECT_EQ(LayoutItems(items, ItemFlow::Vertical, 66 + kChevron, kChevron).chevronRect.top, 66);
    ItemLayout layout = LayoutItems(items, ItemFlow::Vertical, 65 + kChevron, kChevron);
    ASSERT_TRUE(layout.chevron);
    EXPECT_EQ(Flags(layout, &ItemPlacement::hidden), (std::vector<bool>{false, false, true, true, true, true}));
    EXPECT_EQ(Flags(layout, &ItemPlacement::lineBreakAfter), (std::vector<bool>{true, false, false, false, false, false}));
    EXPECT_EQ(layout.chevronRect, (Rect{0, 44, 23, 44 + kChevron}));
    EXPECT_EQ(layout.height, 44 + kChevron);
    EXPECT_EQ(layout.width, 23);

    // A separator never stands just above the chevron.
    std::vector<ItemBox> separated = {Button(), Separator(8), Button()};
    const ItemLayout cut = LayoutItems(separated, ItemFlow::Vertical, 22 + 8 + kChevron, kChevron);
    EXPECT_EQ(Flags(cut, &ItemPlacement::hidden), (std::vector<bool>{false, true, true}));
    EXPECT_EQ(cut.chevronRect.top, 22);

    // No room at all: the chevron alone, at the top.
    const ItemLayout none = LayoutItems(items, ItemFlow::Vertical, 0, kChevron);
    EXPECT_EQ(none.chevronRect, (Rect{0, 0, 23, kChevron}));
    for (const ItemPlacement& item : none.items)
        EXPECT_TRUE(item.hidden);
}

TEST(LayoutItemsVertically, TooShortAColumnOfAWrappingBarGoesIntoFurtherColumns)
{
    for (int room : {-1, 60}) {
        ItemLayout layout = LayoutItems(kMenuBar, ItemFlow::Columns, room, kChevron);
        EXPECT_EQ(Rects(layout), (std::vector<Rect>{{0, 0, 40, 20}, {0, 20, 40, 40}, {0, 40, 40, 60}}));
        EXPECT_EQ(layout.height, 60);
    }
    // Filled line by line: File and View on the first, Help below File.
    ItemLayout two = LayoutItems(kMenuBar, ItemFlow::Columns, 59, kChevron);
    EXPECT_EQ(Rects(two), (std::vector<Rect>{{0, 0, 35, 20}, {35, 0, 75, 20}, {0, 20, 38, 40}}));
    EXPECT_EQ(Flags(two, &ItemPlacement::lineBreakAfter), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(two.width, 75);
    EXPECT_EQ(two.height, 40);
    EXPECT_FALSE(two.chevron);
    // However short, all of them on one line rather than any cut off.
    for (int room : {39, 0}) {
        ItemLayout one = LayoutItems(kMenuBar, ItemFlow::Columns, room, kChevron);
        EXPECT_EQ(Flags(one, &ItemPlacement::hidden), (std::vector<bool>{false, false, false}));
        EXPECT_EQ(one.width, 113);
        EXPECT_EQ(one.height, 20);
    }
    // Separators are left out once it takes more than one column.
    std::vector<ItemBox> separated = {Button(), {0, 0, true}, Button(), Button()};
    EXPECT_EQ(Flags(LayoutItems(separated, ItemFlow::Columns, 50, kChevron), &ItemPlacement::hidden),
              (std::vector<bool>{false, true, false, false}));
    EXPECT_EQ(LayoutItems(separated, ItemFlow::Columns, 50, kChevron).height, 44);
}

TEST(ToolbarShrinking, MinimumLengthsAndWrappedHeights)
{
    EXPECT_EQ(MinimumItemLength(kMainToolbar, ShrinkKind::None, kChevron), 108);
    EXPECT_EQ(MinimumItemLength(kMainToolbar, ShrinkKind::Chevron, kChevron), kChevron);
    EXPECT_EQ(MinimumItemLength({{Button(10)}}, ShrinkKind::Chevron, kChevron), 10);
    std::vector<ItemBox> wideSeparator = {Button(), Separator(30), Button()};
    EXPECT_EQ(MinimumItemLength(wideSeparator, ShrinkKind::Wrap, kChevron), 23);
    EXPECT_EQ(WrappedItemsHeight(wideSeparator, 23), 44);
    EXPECT_EQ(WrappedItemsHeight(kMenuBar, 112), 40);
    EXPECT_EQ(WrappedItemsHeight(kMenuBar, 0), 60);
}

TEST(ToolbarShrinking, BadSizesTakeNoRoomAndHugeOnesDoNotOverflow)
{
    std::vector<ItemBox> bad = {{-5, -5, false}, Button(10, 10), {-3, 4, true}};
    EXPECT_EQ(LayoutItems(bad, ItemFlow::Line, -1, kChevron).width, 10);
    EXPECT_EQ(LayoutItems(bad, ItemFlow::Vertical, -1, kChevron).height, 10);
    EXPECT_EQ(LayoutItems(bad, ItemFlow::Line, 5, -20).chevronRect, (Rect{0, 0, 0, 10}));

    const int huge = std::numeric_limits<int>::max();
    std::vector<ItemBox> wide = {Button(huge, 10), Button(huge, 10)};
    EXPECT_EQ(LayoutItems(wide, ItemFlow::Line, -1, kChevron).width, huge);
    EXPECT_EQ(MinimumItemLength(wide, ShrinkKind::None, kChevron), huge);
    EXPECT_EQ(LayoutItems(wide, ItemFlow::Wrap, huge, kChevron).height, 20);
    std::vector<ItemBox> tall = {Button(1, huge), Separator(huge), Button(1, huge)};
    EXPECT_EQ(LayoutItems(tall, ItemFlow::Vertical, -1, kChevron).height, huge);
}

} // namespace
