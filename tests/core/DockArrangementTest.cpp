#include "core/DockArrangement.h"

#include <gtest/gtest.h>

#include <vector>

using core::ArrangeDock;
using core::DockBar;
using core::DockLayout;
using core::DockSlot;

namespace {

DockBar Bar(int row, int pos, int length, int thickness = 26)
{
    return {row, pos, length, thickness};
}

TEST(ArrangeDock, MenuBarAndToolbarShareTheFirstRow)
{
    std::vector<DockBar> bars = {Bar(0, -1, 105, 22), Bar(0, 24, 100, 26)};
    DockLayout layout = ArrangeDock(bars, false);
    EXPECT_EQ(layout.slots, (std::vector<DockSlot>{{0, 0, 0}, {0, 105, 0}}));
    EXPECT_EQ(layout.thickness, 26); // the thickest bar in the row
}

TEST(ArrangeDock, BarsAreOrderedByPositionNotInput)
{
    std::vector<DockBar> bars = {Bar(0, 200, 50), Bar(0, 10, 50), Bar(0, 10, 30)};
    DockLayout layout = ArrangeDock(bars, false);
    // Equal positions keep input order: the second bar first, the third after it.
    EXPECT_EQ(layout.slots, (std::vector<DockSlot>{{0, 200, 0}, {0, 10, 0}, {0, 60, 0}}));
}

TEST(ArrangeDock, GapsAreKeptAndOverlapsPushedRight)
{
    std::vector<DockBar> gap = {Bar(0, -1, 105), Bar(0, 300, 100)};
    EXPECT_EQ(ArrangeDock(gap, false).slots[1].offset, 300);

    std::vector<DockBar> chain = {Bar(0, 0, 50), Bar(0, 10, 50), Bar(0, 60, 50), Bar(0, 200, 10)};
    DockLayout layout = ArrangeDock(chain, false);
    EXPECT_EQ(layout.slots[1].offset, 50);
    EXPECT_EQ(layout.slots[2].offset, 100); // pushed by its pushed predecessor
    EXPECT_EQ(layout.slots[3].offset, 200);
}

TEST(ArrangeDock, NegativePositionsStartAtZero)
{
    std::vector<DockBar> bars = {Bar(0, -50, 20)};
    EXPECT_EQ(ArrangeDock(bars, false).slots[0].offset, 0);
}

TEST(ArrangeDock, RowsAreRenumberedAndStacked)
{
    std::vector<DockBar> bars = {Bar(5, 0, 100, 26), Bar(0, 0, 100, 22), Bar(5, 0, 80, 30),
                                 Bar(9, 40, 10, 4)};
    DockLayout layout = ArrangeDock(bars, false);
    EXPECT_EQ(layout.slots, (std::vector<DockSlot>{{1, 0, 22}, {0, 0, 0}, {1, 100, 22}, {2, 40, 52}}));
    EXPECT_EQ(layout.thickness, 22 + 30 + 4);
}

TEST(ArrangeDock, HiddenBarsTakeNoRoom)
{
    std::vector<DockBar> bars = {Bar(0, 0, 105, 22), Bar(0, 0, 100, 40), Bar(1, 0, 100, 26)};
    bars[0].visible = false;
    bars[1].row = 3;
    bars[1].visible = false;
    DockLayout layout = ArrangeDock(bars, false);
    EXPECT_EQ(layout.slots, (std::vector<DockSlot>{{}, {}, {0, 0, 0}}));
    EXPECT_EQ(layout.thickness, 26);
}

TEST(ArrangeDock, EmptyDockKeepsOnePixelOnlyWhenFixed)
{
    EXPECT_EQ(ArrangeDock({}, false).thickness, 0);
    EXPECT_EQ(ArrangeDock({}, true).thickness, 1);

    std::vector<DockBar> hidden = {Bar(0, 0, 100)};
    hidden[0].visible = false;
    EXPECT_EQ(ArrangeDock(hidden, false).thickness, 0);
    EXPECT_EQ(ArrangeDock(hidden, true).thickness, 1);
    EXPECT_EQ(ArrangeDock(hidden, true).slots.size(), 1u);

    std::vector<DockBar> shown = {Bar(0, 0, 100, 26)};
    EXPECT_EQ(ArrangeDock(shown, true).thickness, 26);
}

} // namespace
