#include "core/docking/DockArrangement.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace {

using namespace core;

constexpr int kUnlimited = kUnlimitedDockLength;
constexpr std::int32_t kMin32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax32 = std::numeric_limits<std::int32_t>::max();

DockBar Rigid(std::int32_t row, std::int32_t pos, int length, int thickness = 26)
{
    return {row, pos, length, length, thickness};
}

std::vector<int> Column(const DockLayout& layout, int DockSlot::*field)
{
    std::vector<int> values;
    for (const DockSlot& slot : layout.slots)
        values.push_back(slot.*field);
    return values;
}

TEST(ArrangeDock, OrdersRenumbersAndStacksRowsWithoutOverlap)
{
    // Rows 5, 0, 9 become 1, 0, 2; a bar inside its predecessor goes after it.
    std::vector<DockBar> bars = {Rigid(5, 0, 100, 26), Rigid(0, -1, 105, 22), Rigid(5, 24, 80, 30),
                                 Rigid(9, 40, 10, 4), Rigid(0, 300, 50, 22)};
    DockLayout layout = ArrangeDock(bars, kUnlimited, false);
    EXPECT_EQ(layout.slots, (std::vector<DockSlot>{{1, 0, 100, 22, 26}, {0, 0, 105, 0, 22}, {1, 100, 80, 22, 30},
                                                   {2, 40, 10, 52, 4}, {0, 300, 50, 0, 22}}));
    EXPECT_EQ(layout.rowOffsets, (std::vector<int>{0, 22, 52}));
    EXPECT_EQ(layout.rowThicknesses, (std::vector<int>{22, 30, 4}));
    EXPECT_EQ(layout.thickness, 56);

    // Equal requests keep input order, also in rows too long for insertion sort.
    std::vector<DockBar> same(40, Rigid(3, 7, 10));
    std::vector<int> expected;
    for (int i = 0; i < 40; ++i)
        expected.push_back(7 + 10 * i);
    EXPECT_EQ(Column(ArrangeDock(same, kUnlimited, false), &DockSlot::offset), expected);
}

TEST(ArrangeDock, HiddenBarsTakeNoRoomAndEmptyDocksKeepOnePixelOnlyWhenFixed)
{
    std::vector<DockBar> bars = {Rigid(0, 0, 105, 22), Rigid(3, 0, 100, 40), Rigid(1, 0, 100, 26)};
    bars[0].visible = bars[1].visible = false;
    DockLayout layout = ArrangeDock(bars, kUnlimited, true);
    EXPECT_EQ(layout.slots, (std::vector<DockSlot>{{}, {}, {0, 0, 100, 0, 26}}));
    EXPECT_EQ(layout.thickness, 26);
    bars[2].visible = false;
    EXPECT_EQ(ArrangeDock(bars, 300, false).thickness, 0);
    EXPECT_EQ(ArrangeDock(bars, 300, true).thickness, 1);
    EXPECT_EQ(ArrangeDock({}, kUnlimited, false).thickness, 0);
}

TEST(ArrangeDock, TooLongRowsArePulledLeftThenSqueezedFromTheEnd)
{
    // Pulled only as far as needed: the first bar's gap survives at 300.
    std::vector<DockBar> rigid = {Rigid(0, 20, 50), Rigid(0, 150, 100), Rigid(0, 250, 80)};
    EXPECT_EQ(Column(ArrangeDock(rigid, 300, false), &DockSlot::offset), (std::vector<int>{20, 120, 220}));
    EXPECT_EQ(Column(ArrangeDock(rigid, 230, false), &DockSlot::offset), (std::vector<int>{0, 50, 150}));

    std::vector<DockBar> soft = {{0, -1, 100, 40}, {0, 0, 100, 60}, {0, 0, 100, 70}, {1, 0, 100, 100}};
    struct Case { int dockLength; std::vector<int> lengths, offsets; };
    for (const Case& c : {Case{270, {100, 100, 70, 100}, {0, 100, 200, 0}},
                          Case{220, {90, 60, 70, 100}, {0, 90, 150, 0}},
                          Case{100, {40, 60, 70, 100}, {0, 40, 100, 0}}}) { // minimums overrun: packed
        DockLayout layout = ArrangeDock(soft, c.dockLength, false);
        EXPECT_EQ(Column(layout, &DockSlot::length), c.lengths) << c.dockLength;
        EXPECT_EQ(Column(layout, &DockSlot::offset), c.offsets) << c.dockLength;
    }
}

TEST(ArrangeDock, OnlySqueezedBarsAskForTheirThickness)
{
    std::vector<DockBar> bars = {{0, 0, 200, 50, 22}, {0, 0, 100, 100, 26}};
    std::vector<std::pair<std::size_t, int>> asked;
    auto wrapping = [&](std::size_t index, int length) {
        asked.emplace_back(index, length);
        return 22 * ((200 + length - 1) / length);
    };
    DockLayout layout = ArrangeDock(bars, 200, false, wrapping);
    EXPECT_EQ(asked, (std::vector<std::pair<std::size_t, int>>{{0, 100}}));
    EXPECT_EQ(Column(layout, &DockSlot::thickness), (std::vector<int>{44, 26}));
    EXPECT_EQ(layout.thickness, 44);
    EXPECT_EQ(ArrangeDock(bars, 200, false).thickness, 26); // no callback: unchanged
}

TEST(ArrangeDock, BadSizesAndExtremeStoredValuesStayInRange)
{
    // Negative sizes count as 0; a minimum above the length cannot lengthen.
    std::vector<DockBar> bad = {{0, 0, -5, -5, -7}, {0, 0, 50, 80, 10}};
    EXPECT_EQ(ArrangeDock(bad, 30, false).slots, (std::vector<DockSlot>{{0, 0, 0, 0, 0}, {0, 0, 50, 0, 10}}));

    std::vector<DockBar> far = {Rigid(kMax32, kMax32, 100, 20), Rigid(kMin32, kMin32, 100, 30),
                                Rigid(kMax32, kMax32, 50, 20), Rigid(kMin32, kMax32, 40, 30)};
    EXPECT_EQ(ArrangeDock(far, kUnlimited, false).slots,
              (std::vector<DockSlot>{{1, kMax32 - 150, 100, 30, 20}, {0, 0, 100, 0, 30},
                                     {1, kMax32 - 50, 50, 30, 20}, {0, kMax32 - 40, 40, 0, 30}}));
    EXPECT_EQ(Column(ArrangeDock(far, 300, false), &DockSlot::offset), (std::vector<int>{150, 0, 250, 260}));

    std::vector<DockBar> huge = {{0, 0, kMax32, 0}, {0, kMax32, kMax32, 0}};
    EXPECT_EQ(Column(ArrangeDock(huge, kUnlimited, false), &DockSlot::length), (std::vector<int>{kMax32, 0}));
}

} // namespace
