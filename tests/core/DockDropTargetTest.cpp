#include "core/DockDropTarget.h"

#include "core/DockArrangement.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>
#include <vector>

using core::ApplyDropRows;
using core::DockEdge;
using core::DockGeometry;
using core::DropTarget;
using core::FindDropTarget;
using core::Point;

namespace core {

// Readable failures.
void PrintTo(const DropTarget& t, std::ostream* os)
{
    *os << "{dock " << t.dock << ", row " << t.row << (t.newRow ? " (new)" : "") << ", pos " << t.pos << "}";
}

} // namespace core

namespace {

constexpr int kMargin = 10;
constexpr int kMaxInt = std::numeric_limits<int>::max();
constexpr int kMinInt = std::numeric_limits<int>::min();

// A window whose client area spans x 100..700 and y 200..600 on the screen,
// with a 19-pixel status bar at the bottom. The top dock holds two rows of
// 26 pixels; the left dock is empty but keeps 1 pixel, the others 0.
enum Dock { kTop, kBottom, kLeft, kRight };
const std::vector<DockGeometry> kDocks = {
    {{100, 200, 700, 252}, DockEdge::Top, {{200, 226}, {226, 252}}},
    {{100, 581, 700, 581}, DockEdge::Bottom, {}},
    {{100, 252, 101, 581}, DockEdge::Left, {}},
    {{700, 252, 700, 581}, DockEdge::Right, {}},
};

DropTarget At(int x, int y, int grabAlong = 0) { return FindDropTarget(kDocks, {x, y}, grabAlong, kMargin); }

DropTarget Row(int dock, int row, int pos) { return {dock, row, false, pos}; }
DropTarget NewRow(int dock, int row, int pos) { return {dock, row, true, pos}; }

TEST(FindDropTarget, PointerOverARowPicksItAndGivesThePositionWhereTheGrabbedBarStarts)
{
    EXPECT_EQ(At(400, 213, 20), Row(kTop, 0, 280));
    EXPECT_EQ(At(400, 239, 20), Row(kTop, 1, 280));
    EXPECT_EQ(At(400, 200), Row(kTop, 0, 300));  // the outer edge of the first row is still the row
    EXPECT_EQ(At(110, 213, 20), Row(kTop, 0, 0)); // never before the dock's start
    EXPECT_EQ(At(95, 213), Row(kTop, 0, 0));      // within margin left of the dock
    EXPECT_EQ(At(709, 213), Row(kTop, 0, 609));   // and right of it
}

TEST(FindDropTarget, PointerNearABoundaryOrOutsideTheRowsMakesANewRow)
{
    // A quarter of 26 is 6 pixels on either side of the boundary at 226.
    EXPECT_EQ(At(400, 219), Row(kTop, 0, 300));
    EXPECT_EQ(At(400, 220), NewRow(kTop, 1, 300));
    EXPECT_EQ(At(400, 231), NewRow(kTop, 1, 300));
    EXPECT_EQ(At(400, 232), Row(kTop, 1, 300));
    // Inside the last row it is the row, up to its far edge.
    EXPECT_EQ(At(400, 251), Row(kTop, 1, 300));
    // Beyond the last row, within the margin: a new row after it.
    EXPECT_EQ(At(400, 252), NewRow(kTop, 2, 300));
    EXPECT_EQ(At(400, 261), NewRow(kTop, 2, 300));
    EXPECT_EQ(At(400, 262), DropTarget{});
    // Beyond the first row: a new row before it.
    EXPECT_EQ(At(400, 190), NewRow(kTop, 0, 300));
    EXPECT_EQ(At(400, 189), DropTarget{});

    // Rows with a gap between them: the gap makes a new row.
    std::vector<DockGeometry> gapped = {{{0, 0, 500, 60}, DockEdge::Top, {{0, 20}, {30, 60}}}};
    EXPECT_EQ(FindDropTarget(gapped, {50, 25}, 0, kMargin), NewRow(0, 1, 50));
}

TEST(FindDropTarget, ThinRowsKeepAtLeastThreePixelsOrTheirMiddle)
{
    // Rows of 8, 4 and 1 pixels: the reach is 3, then 1, then 0.
    std::vector<DockGeometry> thin = {{{0, 0, 500, 21}, DockEdge::Top, {{0, 8}, {8, 16}, {16, 20}, {20, 21}}}};
    auto rowAt = [&](int y) { return FindDropTarget(thin, {0, y}, 0, 0); };
    EXPECT_EQ(rowAt(4), Row(0, 0, 0));
    EXPECT_EQ(rowAt(5), NewRow(0, 1, 0));
    EXPECT_EQ(rowAt(10), NewRow(0, 1, 0));
    EXPECT_EQ(rowAt(11), Row(0, 1, 0));
    EXPECT_EQ(rowAt(12), Row(0, 1, 0));
    EXPECT_EQ(rowAt(13), NewRow(0, 2, 0));
    EXPECT_EQ(rowAt(16), NewRow(0, 2, 0));
    EXPECT_EQ(rowAt(17), Row(0, 2, 0));
    EXPECT_EQ(rowAt(18), Row(0, 2, 0));
    EXPECT_EQ(rowAt(19), NewRow(0, 3, 0));
    EXPECT_EQ(rowAt(20), Row(0, 3, 0));
}

TEST(FindDropTarget, EmptyDocksAreHitNearTheirWindowEdgeFromInside)
{
    // The 1-pixel left dock, along from its top.
    EXPECT_EQ(At(100, 300, 5), NewRow(kLeft, 0, 43));
    EXPECT_EQ(At(109, 300), NewRow(kLeft, 0, 48));
    EXPECT_EQ(At(110, 300), DropTarget{});
    EXPECT_EQ(At(99, 300), DropTarget{}); // outside the window
    // The bottom dock, 0 pixels thick, sits on the status bar.
    EXPECT_EQ(At(400, 571), NewRow(kBottom, 0, 300));
    EXPECT_EQ(At(400, 570), DropTarget{});
    EXPECT_EQ(At(400, 581), DropTarget{});
    // The right dock.
    EXPECT_EQ(At(690, 300), NewRow(kRight, 0, 48));
    EXPECT_EQ(At(689, 300), DropTarget{});
    EXPECT_EQ(At(700, 300), DropTarget{});
    // A dock with no margin is still hit on its own pixel.
    EXPECT_EQ(FindDropTarget(kDocks, {100, 300}, 0, 0), NewRow(kLeft, 0, 48));
    EXPECT_EQ(FindDropTarget(kDocks, {101, 300}, 0, -4), DropTarget{});
    // A negative margin counts as none; it does not shrink a dock.
    EXPECT_EQ(FindDropTarget(kDocks, {400, 200}, 0, -4), Row(kTop, 0, 300));
}

TEST(FindDropTarget, AtTheCornersTheHoldingDockWinsThenTopBottomLeftRight)
{
    EXPECT_EQ(At(105, 255).dock, kTop);    // below the top dock and beside the left one
    EXPECT_EQ(At(100, 255).dock, kLeft);   // on the left dock's own pixel
    EXPECT_EQ(At(105, 575).dock, kBottom); // bottom before left
    EXPECT_EQ(At(695, 575).dock, kBottom); // bottom before right

    // Left before right in a narrow window, whatever the order of the docks.
    std::vector<DockGeometry> narrow = {{{100, 0, 100, 50}, DockEdge::Right, {}},
                                        {{85, 0, 85, 50}, DockEdge::Left, {}}};
    EXPECT_EQ(FindDropTarget(narrow, {90, 10}, 0, kMargin).dock, 1);
    EXPECT_EQ(FindDropTarget(narrow, {88, 10}, 0, kMargin).dock, 1);
    EXPECT_EQ(FindDropTarget(narrow, {95, 10}, 0, kMargin).dock, 0);
    EXPECT_EQ(FindDropTarget({}, {0, 0}, 0, kMargin), DropTarget{});
}

TEST(FindDropTarget, ExtremeCoordinatesNeitherOverflowNorWrapAround)
{
    std::vector<DockGeometry> far = {
        {{kMaxInt - 100, kMaxInt - 30, kMaxInt, kMaxInt}, DockEdge::Bottom, {{kMaxInt - 30, kMaxInt}}},
        {{kMinInt, kMinInt, kMinInt + 100, kMinInt}, DockEdge::Top, {}},
    };
    EXPECT_EQ(FindDropTarget(far, {kMaxInt, kMaxInt}, kMinInt, kMaxInt), NewRow(0, 1, kMaxInt));
    EXPECT_EQ(FindDropTarget(far, {kMaxInt - 50, kMaxInt - 15}, kMaxInt, kMaxInt), Row(0, 0, 0));
    EXPECT_EQ(FindDropTarget(far, {kMinInt, kMinInt}, kMinInt, kMaxInt), NewRow(1, 0, kMaxInt));
    EXPECT_EQ(FindDropTarget(far, {kMinInt, kMinInt}, 0, 0), DropTarget{});
    EXPECT_EQ(FindDropTarget(far, {kMinInt + 100, kMinInt + 5}, 0, kMaxInt), DropTarget{});
}

TEST(ApplyDropRows, ANewRowMovesTheRowsAtAndAfterItOutward)
{
    std::vector<std::int32_t> rows = {0, 1, 2, 1};
    EXPECT_EQ(ApplyDropRows(NewRow(kTop, 1, 0), rows), 1);
    EXPECT_EQ(rows, (std::vector<std::int32_t>{0, 2, 3, 2}));

    EXPECT_EQ(ApplyDropRows(Row(kTop, 2, 0), rows), 2); // joining a row moves nobody
    EXPECT_EQ(rows, (std::vector<std::int32_t>{0, 2, 3, 2}));
    EXPECT_EQ(ApplyDropRows(DropTarget{}, rows), 0); // floating moves nobody either
    EXPECT_EQ(rows, (std::vector<std::int32_t>{0, 2, 3, 2}));

    // Stored extremes stay in range.
    std::vector<std::int32_t> extremes = {std::numeric_limits<std::int32_t>::min(),
                                          std::numeric_limits<std::int32_t>::max()};
    EXPECT_EQ(ApplyDropRows(NewRow(kTop, 0, 0), extremes), 0);
    EXPECT_EQ(extremes, (std::vector<std::int32_t>{std::numeric_limits<std::int32_t>::min(),
                                                   std::numeric_limits<std::int32_t>::max()}));
}

TEST(ApplyDropRows, ADroppedBarBetweenRowsGetsARowOfItsOwn)
{
    // Two bars in row 0, one in row 1; the third is dropped between them.
    std::vector<core::DockBar> bars = {{0, 0, 100, 100, 26}, {0, 200, 100, 100, 26}, {1, 0, 100, 100, 26}};
    core::DockLayout before = ArrangeDock(bars, 600, false);
    std::vector<DockGeometry> docks = {{{100, 200, 700, 200 + before.thickness}, DockEdge::Top, {}}};
    for (std::size_t r = 0; r < before.rowOffsets.size(); ++r)
        docks[0].rows.emplace_back(200 + before.rowOffsets[r], 200 + before.rowOffsets[r] + before.rowThicknesses[r]);

    const DropTarget target = FindDropTarget(docks, {350, 224}, 50, kMargin);
    ASSERT_EQ(target, NewRow(0, 1, 200));
    std::vector<std::int32_t> others = {before.slots[0].row, before.slots[2].row};
    bars[1].row = ApplyDropRows(target, others);
    bars[1].pos = target.pos;
    bars[0].row = others[0];
    bars[2].row = others[1];

    core::DockLayout after = ArrangeDock(bars, 600, false);
    EXPECT_EQ(after.slots[0].row, 0);
    EXPECT_EQ(after.slots[1].row, 1);
    EXPECT_EQ(after.slots[1].offset, 200);
    EXPECT_EQ(after.slots[2].row, 2);
    EXPECT_EQ(after.thickness, 78);
}

} // namespace
