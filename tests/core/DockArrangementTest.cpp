#include "core/DockArrangement.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

using core::ArrangeDock;
using core::DockBar;
using core::DockLayout;
using core::DockSlot;

namespace {

constexpr int kUnlimited = core::kUnlimitedDockLength;
constexpr std::int32_t kMin32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax32 = std::numeric_limits<std::int32_t>::max();

// A bar that cannot shrink.
DockBar Bar(std::int32_t row, std::int32_t pos, int length, int thickness = 26)
{
    return {row, pos, length, length, thickness};
}

DockBar Shrinkable(std::int32_t pos, int length, int minLength, int thickness = 26)
{
    return {0, pos, length, minLength, thickness};
}

std::vector<int> Offsets(const DockLayout& layout)
{
    std::vector<int> offsets;
    for (const DockSlot& slot : layout.slots)
        offsets.push_back(slot.offset);
    return offsets;
}

std::vector<int> Lengths(const DockLayout& layout)
{
    std::vector<int> lengths;
    for (const DockSlot& slot : layout.slots)
        lengths.push_back(slot.length);
    return lengths;
}

TEST(ArrangeDock, OrdersBarsByRowThenPositionAndKeepsThemApart)
{
    std::vector<DockBar> designed = {Bar(0, -1, 105, 22), Bar(0, 24, 100, 26)};
    DockLayout layout = ArrangeDock(designed, kUnlimited, false);
    EXPECT_EQ(layout.slots, (std::vector<DockSlot>{{0, 0, 105, 0, 22}, {0, 105, 100, 0, 26}}));
    EXPECT_EQ(layout.thickness, 26); // the thickest bar in the row

    // Equal positions keep input order: the second bar first, the third after it.
    std::vector<DockBar> ties = {Bar(0, 200, 50), Bar(0, 10, 50), Bar(0, 10, 30)};
    EXPECT_EQ(Offsets(ArrangeDock(ties, kUnlimited, false)), (std::vector<int>{200, 10, 60}));

    // Many equal requests (as after a careless edit of the stored values)
    // still keep input order, left to right.
    std::vector<DockBar> same(40, Bar(3, 7, 10));
    std::vector<int> expected;
    for (int i = 0; i < 40; ++i)
        expected.push_back(7 + 10 * i);
    EXPECT_EQ(Offsets(ArrangeDock(same, kUnlimited, false)), expected);

    // Gaps stay; a bar inside its (pushed) predecessor goes right after it.
    std::vector<DockBar> chain = {Bar(0, 0, 50), Bar(0, 10, 50), Bar(0, 60, 50), Bar(0, 200, 10),
                                  Bar(0, -50, 20)};
    EXPECT_EQ(Offsets(ArrangeDock(chain, kUnlimited, false)), (std::vector<int>{20, 70, 120, 200, 0}));
}

TEST(ArrangeDock, RenumbersUsedRowsAndStacksThem)
{
    std::vector<DockBar> bars = {Bar(5, 0, 100, 26), Bar(0, 0, 100, 22), Bar(5, 0, 80, 30), Bar(9, 40, 10, 4)};
    DockLayout layout = ArrangeDock(bars, kUnlimited, false);
    EXPECT_EQ(layout.slots, (std::vector<DockSlot>{
                                {1, 0, 100, 22, 26}, {0, 0, 100, 0, 22}, {1, 100, 80, 22, 30}, {2, 40, 10, 52, 4}}));
    EXPECT_EQ(layout.rowOffsets, (std::vector<int>{0, 22, 52}));
    EXPECT_EQ(layout.rowThicknesses, (std::vector<int>{22, 30, 4}));
    EXPECT_EQ(layout.thickness, 56);
}

TEST(ArrangeDock, HiddenBarsTakeNoRoomAndEmptyDocksKeepOnePixelOnlyWhenFixed)
{
    std::vector<DockBar> bars = {Bar(0, 0, 105, 22), Bar(3, 0, 100, 40), Bar(1, 0, 100, 26)};
    bars[0].visible = false;
    bars[1].visible = false;
    DockLayout layout = ArrangeDock(bars, kUnlimited, true);
    EXPECT_EQ(layout.slots, (std::vector<DockSlot>{{}, {}, {0, 0, 100, 0, 26}}));
    EXPECT_EQ(layout.thickness, 26);
    EXPECT_EQ(layout.rowThicknesses, (std::vector<int>{26}));

    EXPECT_EQ(ArrangeDock({}, kUnlimited, false).thickness, 0);
    EXPECT_EQ(ArrangeDock({}, kUnlimited, true).thickness, 1);
    bars[2].visible = false;
    EXPECT_EQ(ArrangeDock(bars, 300, false).thickness, 0);
    DockLayout hidden = ArrangeDock(bars, 300, true);
    EXPECT_EQ(hidden.thickness, 1);
    EXPECT_EQ(hidden.slots.size(), 3u);
    EXPECT_TRUE(hidden.rowOffsets.empty());
}

TEST(ArrangeDock, TooLongRowPullsBarsLeftOnlyAsFarAsNeeded)
{
    // Needs 330 in a 300 dock: the last bar moves to end at 300, pushing the
    // middle one; the first bar's gap before it is not needed and stays.
    std::vector<DockBar> bars = {Bar(0, 20, 50), Bar(0, 150, 100), Bar(0, 250, 80)};
    DockLayout layout = ArrangeDock(bars, 300, false);
    EXPECT_EQ(Offsets(layout), (std::vector<int>{20, 120, 220}));
    EXPECT_EQ(Lengths(layout), (std::vector<int>{50, 100, 80}));

    // Every gap closed: packed from 0, ending exactly at the dock's end.
    EXPECT_EQ(Offsets(ArrangeDock(bars, 230, false)), (std::vector<int>{0, 50, 150}));
}

TEST(ArrangeDock, PackedRowStillTooLongSqueezesFromTheLastBarBackwards)
{
    std::vector<DockBar> bars = {Shrinkable(-1, 100, 40), Shrinkable(0, 100, 60), Shrinkable(0, 100, 70)};
    // 30 too long: the last bar alone gives it.
    DockLayout layout = ArrangeDock(bars, 270, false);
    EXPECT_EQ(Lengths(layout), (std::vector<int>{100, 100, 70}));
    EXPECT_EQ(Offsets(layout), (std::vector<int>{0, 100, 200}));

    // 80 too long: the last gives its 30, the middle its 40, the first 10.
    layout = ArrangeDock(bars, 220, false);
    EXPECT_EQ(Lengths(layout), (std::vector<int>{90, 60, 70}));
    EXPECT_EQ(Offsets(layout), (std::vector<int>{0, 90, 150}));

    // Not even the minimums fit: packed at the minimums from 0, overrunning.
    layout = ArrangeDock(bars, 100, false);
    EXPECT_EQ(Lengths(layout), (std::vector<int>{40, 60, 70}));
    EXPECT_EQ(Offsets(layout), (std::vector<int>{0, 40, 100}));

    // Rows are fitted one by one; a bar that cannot shrink keeps its length.
    std::vector<DockBar> rows = {Bar(0, 0, 150), Shrinkable(0, 100, 10), {1, 0, 100, 20, 26}};
    layout = ArrangeDock(rows, 200, false);
    EXPECT_EQ(Lengths(layout), (std::vector<int>{150, 50, 100}));
}

TEST(ArrangeDock, SqueezedBarsTakeTheirThicknessFromTheCallback)
{
    std::vector<DockBar> bars = {Shrinkable(0, 200, 50, 22), Shrinkable(0, 100, 100, 26)};
    std::vector<std::pair<std::size_t, int>> asked;
    auto wrapping = [&](std::size_t index, int length) {
        asked.emplace_back(index, length);
        return 22 * ((200 + length - 1) / length); // one more line per lost width
    };
    DockLayout layout = ArrangeDock(bars, 200, false, wrapping);
    EXPECT_EQ(asked, (std::vector<std::pair<std::size_t, int>>{{0, 100}})); // only the squeezed bar
    EXPECT_EQ(layout.slots[0].thickness, 44);
    EXPECT_EQ(layout.slots[1].thickness, 26);
    EXPECT_EQ(layout.rowThicknesses, (std::vector<int>{44}));
    EXPECT_EQ(layout.thickness, 44);

    // Without a callback a squeezed bar keeps its thickness.
    EXPECT_EQ(ArrangeDock(bars, 200, false).thickness, 26);
}

TEST(ArrangeDock, BadSizesAreTreatedAsNothing)
{
    // Negative lengths and thicknesses count as 0; a minimum above the
    // length cannot make a bar longer.
    std::vector<DockBar> bars = {{0, 0, -5, -5, -7}, {0, 0, 50, 80, 10}};
    DockLayout layout = ArrangeDock(bars, 30, false);
    EXPECT_EQ(layout.slots, (std::vector<DockSlot>{{0, 0, 0, 0, 0}, {0, 0, 50, 0, 10}}));
    EXPECT_EQ(ArrangeDock(bars, 0, false).thickness, 10);
}

TEST(ArrangeDock, ExtremeStoredRowsAndPositionsStayInRange)
{
    std::vector<DockBar> bars = {Bar(kMax32, kMax32, 100, 20), Bar(kMin32, kMin32, 100, 30),
                                 Bar(kMax32, kMax32, 50, 20), Bar(kMin32, kMax32, 40, 30)};
    DockLayout layout = ArrangeDock(bars, kUnlimited, false);
    // Far positions are pulled back so that every bar still ends within 32 bits.
    EXPECT_EQ(layout.slots, (std::vector<DockSlot>{{1, kMax32 - 150, 100, 30, 20},
                                                   {0, 0, 100, 0, 30},
                                                   {1, kMax32 - 50, 50, 30, 20},
                                                   {0, kMax32 - 40, 40, 0, 30}}));
    EXPECT_EQ(layout.thickness, 50);

    // In a real dock the same bars fit into its length.
    layout = ArrangeDock(bars, 300, false);
    EXPECT_EQ(Offsets(layout), (std::vector<int>{150, 0, 250, 260}));

    // Lengths whose sum overruns 32 bits are squeezed like any others.
    std::vector<DockBar> huge = {Shrinkable(0, kMax32, 0), Shrinkable(kMax32, kMax32, 0)};
    layout = ArrangeDock(huge, kUnlimited, false);
    EXPECT_EQ(Lengths(layout), (std::vector<int>{kMax32, 0}));
    EXPECT_EQ(Offsets(layout), (std::vector<int>{0, kMax32}));
}

} // namespace
