#include "core/ToolbarItemLayout.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

using core::ItemBox;
using core::ItemFlow;
using core::ItemLayout;
using core::LayoutItems;
using core::MinimumItemLength;
using core::Rect;
using core::ShrinkKind;
using core::WrappedItemsHeight;

namespace {

constexpr int kChevron = 13;

ItemBox Button(int width = 23, int height = 22) { return {width, height, false}; }
ItemBox Separator(int width = 8) { return {width, 6, true}; }

// The main toolbar: Refresh, Auto refresh | About | Exit.
const std::vector<ItemBox> kMainToolbar = {Button(), Button(), Separator(), Button(), Separator(), Button()};
// The menu bar: File, View, Help.
const std::vector<ItemBox> kMenuBar = {Button(35, 20), Button(40, 20), Button(38, 20)};

std::vector<bool> HiddenFlags(const ItemLayout& layout)
{
    std::vector<bool> hidden;
    for (const auto& item : layout.items)
        hidden.push_back(item.hidden);
    return hidden;
}

std::vector<bool> LineBreaks(const ItemLayout& layout)
{
    std::vector<bool> breaks;
    for (const auto& item : layout.items)
        breaks.push_back(item.lineBreakAfter);
    return breaks;
}

TEST(LayoutItemsInALine, ItemsThatFitStandSideBySideAtTheTallestItemsHeight)
{
    std::vector<ItemBox> items = {Button(23, 22), Separator(8), Button(30, 18)};
    for (int maxLength : {-1, 61, 500}) {
        ItemLayout layout = LayoutItems(items, ItemFlow::Line, maxLength, kChevron);
        ASSERT_EQ(layout.items.size(), 3u);
        EXPECT_EQ(layout.items[0].rect, (Rect{0, 0, 23, 22}));
        EXPECT_EQ(layout.items[1].rect, (Rect{23, 0, 31, 22}));
        EXPECT_EQ(layout.items[2].rect, (Rect{31, 0, 61, 22})); // top-aligned, given the line's height
        EXPECT_EQ(HiddenFlags(layout), (std::vector<bool>{false, false, false}));
        EXPECT_EQ(LineBreaks(layout), (std::vector<bool>{false, false, false}));
        EXPECT_EQ(layout.width, 61);
        EXPECT_EQ(layout.height, 22);
        EXPECT_FALSE(layout.chevron);
        EXPECT_EQ(layout.chevronRect, Rect{});
    }
    ItemLayout empty = LayoutItems({}, ItemFlow::Line, 0, kChevron);
    EXPECT_EQ(empty.width, 0);
    EXPECT_FALSE(empty.chevron);
}

TEST(LayoutItemsInALine, ItemsThatDoNotFitGoBehindAChevronAtTheEnd)
{
    // 108 long. In 80, Refresh, Auto refresh and the first separator would
    // fit with the chevron, but the separator may not stand before it.
    ItemLayout layout = LayoutItems(kMainToolbar, ItemFlow::Line, 80, kChevron);
    EXPECT_EQ(HiddenFlags(layout), (std::vector<bool>{false, false, true, true, true, true}));
    EXPECT_TRUE(layout.chevron);
    EXPECT_EQ(layout.chevronRect, (Rect{46, 0, 59, 22}));
    EXPECT_EQ(layout.width, 59);
    EXPECT_EQ(layout.height, 22);
    EXPECT_EQ(layout.items[2].rect, Rect{});

    // One pixel short of the full length: only Exit and its separator go.
    layout = LayoutItems(kMainToolbar, ItemFlow::Line, 107, kChevron);
    EXPECT_EQ(HiddenFlags(layout), (std::vector<bool>{false, false, false, false, true, true}));
    EXPECT_EQ(layout.chevronRect, (Rect{77, 0, 90, 22}));

    // Shown items and chevron end exactly at the limit.
    layout = LayoutItems(kMainToolbar, ItemFlow::Line, 90, kChevron);
    EXPECT_EQ(HiddenFlags(layout), (std::vector<bool>{false, false, false, false, true, true}));
    EXPECT_EQ(layout.width, 90);

    // Consecutive separators before the chevron all go.
    std::vector<ItemBox> doubled = {Button(), Separator(), Separator(), Button()};
    layout = LayoutItems(doubled, ItemFlow::Line, 60, kChevron);
    EXPECT_EQ(HiddenFlags(layout), (std::vector<bool>{false, true, true, true}));
    EXPECT_EQ(layout.chevronRect.left, 23);
}

TEST(LayoutItemsInALine, TooShortForAnyItemLeavesTheChevronAlone)
{
    std::vector<ItemBox> items = {Button(23, 22), Button(23, 30)};
    for (int maxLength : {0, 13, 35}) {
        ItemLayout layout = LayoutItems(items, ItemFlow::Line, maxLength, kChevron);
        EXPECT_EQ(HiddenFlags(layout), (std::vector<bool>{true, true}));
        // The hidden items still set the height, so the chevron has one.
        EXPECT_EQ(layout.chevronRect, (Rect{0, 0, 13, 30}));
        EXPECT_EQ(layout.width, 13);
        EXPECT_EQ(layout.height, 30);
    }
}

TEST(LayoutItemsWrapped, ItemsThatDoNotFitStartTheNextLine)
{
    // The menu bar, 113 long, in 80: File and View, then Help.
    ItemLayout layout = LayoutItems(kMenuBar, ItemFlow::Wrap, 80, kChevron);
    EXPECT_EQ(layout.items[0].rect, (Rect{0, 0, 35, 20}));
    EXPECT_EQ(layout.items[1].rect, (Rect{35, 0, 75, 20}));
    EXPECT_EQ(layout.items[2].rect, (Rect{0, 20, 38, 40}));
    EXPECT_EQ(LineBreaks(layout), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(layout.width, 75);
    EXPECT_EQ(layout.height, 40);
    EXPECT_FALSE(layout.chevron);

    // Exactly fitting lines, and no limit at all, keep one line.
    EXPECT_EQ(LayoutItems(kMenuBar, ItemFlow::Wrap, 113, kChevron).height, 20);
    EXPECT_EQ(LayoutItems(kMenuBar, ItemFlow::Wrap, -1, kChevron).height, 20);

    // An item longer than the limit gets a line of its own; each line is as
    // tall as its own tallest item.
    std::vector<ItemBox> items = {Button(10, 10), Button(100, 30), Button(10, 12), Button(10, 14)};
    layout = LayoutItems(items, ItemFlow::Wrap, 40, kChevron);
    EXPECT_EQ(layout.items[1].rect, (Rect{0, 10, 100, 40}));
    EXPECT_EQ(layout.items[2].rect, (Rect{0, 40, 10, 54}));
    EXPECT_EQ(layout.items[3].rect, (Rect{10, 40, 20, 54}));
    EXPECT_EQ(LineBreaks(layout), (std::vector<bool>{true, true, false, false}));
    EXPECT_EQ(layout.width, 100);
    EXPECT_EQ(layout.height, 54);
}

TEST(LayoutItemsWrapped, SeparatorsAtEitherEndOfALineAreHiddenAndTakeNoRoom)
{
    // In 54: Refresh, Auto refresh | would need 54 + the next button, so the
    // separator ends the line and is hidden; the second line starts with
    // About, then the separator stands between About and Exit.
    ItemLayout layout = LayoutItems(kMainToolbar, ItemFlow::Wrap, 54, kChevron);
    EXPECT_EQ(HiddenFlags(layout), (std::vector<bool>{false, false, true, false, false, false}));
    EXPECT_EQ(layout.items[3].rect, (Rect{0, 22, 23, 44}));
    EXPECT_EQ(layout.items[4].rect, (Rect{23, 22, 31, 44}));
    EXPECT_EQ(layout.items[5].rect, (Rect{31, 22, 54, 44}));
    EXPECT_EQ(LineBreaks(layout), (std::vector<bool>{false, true, false, false, false, false}));
    EXPECT_EQ(layout.width, 54);

    // A separator that fits but leaves no room for the next button does not
    // count towards the line's length.
    std::vector<ItemBox> wideLast = {Button(), Button(), Separator(), Button(40)};
    layout = LayoutItems(wideLast, ItemFlow::Wrap, 60, kChevron);
    EXPECT_EQ(layout.width, 46);
    EXPECT_EQ(layout.items[3].rect, (Rect{0, 22, 40, 44}));

    // Leading and trailing separators of the whole bar never show.
    std::vector<ItemBox> edges = {Separator(), Button(), Separator(), Separator()};
    layout = LayoutItems(edges, ItemFlow::Wrap, -1, kChevron);
    EXPECT_EQ(HiddenFlags(layout), (std::vector<bool>{true, false, true, true}));
    EXPECT_EQ(layout.items[1].rect, (Rect{0, 0, 23, 22}));
    EXPECT_EQ(layout.width, 23);

    std::vector<ItemBox> onlySeparators = {Separator(), Separator()};
    layout = LayoutItems(onlySeparators, ItemFlow::Wrap, 100, kChevron);
    EXPECT_EQ(HiddenFlags(layout), (std::vector<bool>{true, true}));
    EXPECT_EQ(layout.height, 0);
}

TEST(LayoutItemsVertically, OneItemPerLineAsWideAsTheWidest)
{
    std::vector<ItemBox> items = {Button(23, 22), Separator(8), Button(30, 18)};
    ItemLayout layout = LayoutItems(items, ItemFlow::Vertical, 10, kChevron);
    EXPECT_EQ(layout.items[0].rect, (Rect{0, 0, 30, 22}));
    EXPECT_EQ(layout.items[1].rect, (Rect{0, 22, 30, 30})); // a bar across, as tall as it was wide
    EXPECT_EQ(layout.items[2].rect, (Rect{0, 30, 30, 48}));
    EXPECT_EQ(HiddenFlags(layout), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(LineBreaks(layout), (std::vector<bool>{true, true, false}));
    EXPECT_EQ(layout.width, 30);
    EXPECT_EQ(layout.height, 48);
    EXPECT_FALSE(layout.chevron);

    // A separator's width turns into its height, so it never widens the bar.
    std::vector<ItemBox> wideSeparator = {Button(23, 22), Separator(40)};
    layout = LayoutItems(wideSeparator, ItemFlow::Vertical, -1, kChevron);
    EXPECT_EQ(layout.items[1].rect, (Rect{0, 22, 23, 62}));
    EXPECT_EQ(layout.width, 23);
}

TEST(ToolbarShrinking, MinimumLengthsAndWrappedHeightsFollowTheLayout)
{
    EXPECT_EQ(MinimumItemLength(kMainToolbar, ShrinkKind::None, kChevron), 108);
    EXPECT_EQ(MinimumItemLength(kMainToolbar, ShrinkKind::Chevron, kChevron), kChevron);
    EXPECT_EQ(MinimumItemLength(kMainToolbar, ShrinkKind::Wrap, kChevron), 23);
    EXPECT_EQ(MinimumItemLength(kMenuBar, ShrinkKind::Wrap, kChevron), 40);
    // A separator is hidden wherever it would stand alone, so even a wide
    // one does not set the minimum.
    std::vector<ItemBox> wideSeparator = {Button(), Separator(30), Button()};
    EXPECT_EQ(MinimumItemLength(wideSeparator, ShrinkKind::Wrap, kChevron), 23);
    EXPECT_EQ(WrappedItemsHeight(wideSeparator, 23), 44);
    // A chevron longer than the items themselves would be no shrinking.
    EXPECT_EQ(MinimumItemLength({{Button(10)}}, ShrinkKind::Chevron, kChevron), 10);

    EXPECT_EQ(WrappedItemsHeight(kMenuBar, 113), 20);
    EXPECT_EQ(WrappedItemsHeight(kMenuBar, 112), 40);
    EXPECT_EQ(WrappedItemsHeight(kMenuBar, MinimumItemLength(kMenuBar, ShrinkKind::Wrap, 0)), 60);
    EXPECT_EQ(WrappedItemsHeight(kMenuBar, 0), 60); // never more lines than items
}

TEST(ToolbarShrinking, BadSizesTakeNoRoomAndHugeOnesDoNotOverflow)
{
    std::vector<ItemBox> bad = {{-5, -5, false}, Button(10, 10), {-3, 4, true}};
    ItemLayout layout = LayoutItems(bad, ItemFlow::Line, -1, kChevron);
    EXPECT_EQ(layout.items[0].rect, (Rect{0, 0, 0, 10}));
    EXPECT_EQ(layout.items[1].rect, (Rect{0, 0, 10, 10}));
    EXPECT_EQ(layout.width, 10);
    EXPECT_EQ(LayoutItems(bad, ItemFlow::Line, 5, -20).chevronRect, (Rect{0, 0, 0, 10}));

    const int huge = std::numeric_limits<int>::max();
    std::vector<ItemBox> wide = {Button(huge, 10), Button(huge, 10)};
    EXPECT_EQ(LayoutItems(wide, ItemFlow::Line, -1, kChevron).width, huge);
    EXPECT_EQ(MinimumItemLength(wide, ShrinkKind::None, kChevron), huge);
    EXPECT_EQ(LayoutItems(wide, ItemFlow::Line, huge, kChevron).chevronRect.left, 0);
    EXPECT_EQ(LayoutItems(wide, ItemFlow::Wrap, huge, kChevron).height, 20);
    std::vector<ItemBox> tall = {Button(1, huge), Separator(huge), Button(1, huge)};
    EXPECT_EQ(LayoutItems(tall, ItemFlow::Vertical, -1, kChevron).height, huge);
}

} // namespace
