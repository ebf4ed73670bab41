#include "core/docking/DockDropTarget.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>
#include <vector>

namespace core {

void PrintTo(const DropTarget& t, std::ostream* os)
{
    *os << "{dock " << t.dock << ", row " << t.row << (t.newRow ? " (new)" : "") << ", pos " << t.pos << "}";
}

} // namespace core

namespace {

using namespace core;

constexpr int kMargin = 10;
constexpr int kMaxInt = std::numeric_limits<int>::max();
constexpr int kMinInt = std::numeric_limits<int>::min();

// A client area at x 100..700, y 200..600 with a 19-pixel status bar. The top
// dock holds two rows of 26 pixels; the left dock is empty but keeps 1 pixel.
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

TEST(FindDropTarget, RowsAreHitInTheirMiddleAndNewRowsNearBoundariesOrOutside)
{
    EXPECT_EQ(At(400, 213, 20), Row(kTop, 0, 280));
    EXPECT_EQ(At(110, 213, 20), Row(kTop, 0, 0)); // never before the dock's start
    EXPECT_EQ(At(709, 213), Row(kTop, 0, 609));   // within margin beside it
    // Top to bottom; a quarter of 26 is 6 pixels either side of 226.
    struct Case { int y; DropTarget target; };
    for (const Case& c : {Case{189, {}}, Case{190, NewRow(kTop, 0, 300)}, Case{200, Row(kTop, 0, 300)},
                          Case{219, Row(kTop, 0, 300)}, Case{220, NewRow(kTop, 1, 300)},
                          Case{231, NewRow(kTop, 1, 300)}, Case{232, Row(kTop, 1, 300)},
                          Case{251, Row(kTop, 1, 300)}, Case{252, NewRow(kTop, 2, 300)},
                          Case{261, NewRow(kTop, 2, 300)}, Case{262, {}}})
        EXPECT_EQ(At(400, c.y), c.target) << "y " << c.y;

    // A gap between rows makes a new row; thin rows keep 3 pixels or their middle.
    std::vector<DockGeometry> rows = {{{0, 0, 500, 31}, DockEdge::Top, {{0, 8}, {8, 16}, {16, 20}, {20, 21}, {25, 31}}}};
    // Per pixel: r for row r, -r for a new row r.
    std::vector<int> expected = {0, 0, 0, 0, 0, -1, -1, -1, -1, -1, -1, 1, 1, -2, -2, -2,
                                 -2, 2, 2, -3, 3, -4, -4, -4, -4, -4, -4, 4, 4, 4, 4};
    for (int y = 0; y < 31; ++y) {
        const int e = expected[static_cast<std::size_t>(y)];
        EXPECT_EQ(FindDropTarget(rows, {0, y}, 0, 0), e < 0 ? NewRow(0, -e, 0) : Row(0, e, 0)) << "y " << y;
    }
}

TEST(FindDropTarget, EmptyDocksAreHitNearTheirWindowEdgeFromInside)
{
    EXPECT_EQ(At(109, 300, 5), NewRow(kLeft, 0, 43)); // along from its top
    EXPECT_EQ(At(110, 300), DropTarget{});
    EXPECT_EQ(At(99, 300), DropTarget{}); // outside the window
    EXPECT_EQ(At(400, 571), NewRow(kBottom, 0, 300));
    EXPECT_EQ(At(400, 570), DropTarget{});
    EXPECT_EQ(At(690, 300), NewRow(kRight, 0, 48));
    EXPECT_EQ(FindDropTarget(kDocks, {100, 300}, 0, 0), NewRow(kLeft, 0, 48)); // its own pixel
    EXPECT_EQ(FindDropTarget(kDocks, {101, 300}, 0, -4), DropTarget{});
    EXPECT_EQ(FindDropTarget(kDocks, {400, 200}, 0, -4), Row(kTop, 0, 300)); // no shrinking
}

TEST(FindDropTarget, AtTheCornersTheHoldingDockWinsThenTopBottomLeftRight)
{
    EXPECT_EQ(At(105, 255).dock, kTop);
    EXPECT_EQ(At(100, 255).dock, kLeft); // on the left dock's own pixel
    EXPECT_EQ(At(105, 575).dock, kBottom);
    EXPECT_EQ(At(695, 575).dock, kBottom);
    std::vector<DockGeometry> narrow = {{{100, 0, 100, 50}, DockEdge::Right, {}}, {{85, 0, 85, 50}, DockEdge::Left, {}}};
    EXPECT_EQ(FindDropTarget(narrow, {90, 10}, 0, kMargin).dock, 1);
    EXPECT_EQ(FindDropTarget(narrow, {95, 10}, 0, kMargin).dock, 0);
}

TEST(FindDropTarget, ExtremeCoordinatesNeitherOverflowNorWrapAround)
{
    std::vector<DockGeometry> far = {
        {{kMaxInt - 100, kMaxInt - 30, kMaxInt, kMaxInt}, DockEdge::Bottom, {{kMaxInt - 30, kMaxInt}}},
        {{kMinInt, kMinInt, kMinInt + 100, kMinInt}, DockEdge::Top, {}},
    };
    EXPECT_EQ(FindDropTarget(far, {kMaxInt, kMaxInt}, kMinInt, kMaxInt), NewRow(0, 1, kMaxInt));
    EXPECT_EQ(FindDropTarget(far, {kMinInt, kMinInt}, kMinInt, kMaxInt), NewRow(1, 0, kMaxInt));
    EXPECT_EQ(FindDropTarget(far, {kMinInt + 100, kMinInt + 5}, 0, kMaxInt), DropTarget{});
}

TEST(ApplyDropRows, ANewRowMovesTheRowsAtAndAfterItOutward)
{
    std::vector<std::int32_t> rows = {0, 1, 2, 1, std::numeric_limits<std::int32_t>::max()};
    const std::vector<std::int32_t> moved = {0, 2, 3, 2, std::numeric_limits<std::int32_t>::max()};
    EXPECT_EQ(ApplyDropRows(NewRow(kTop, 1, 0), rows), 1);
    EXPECT_EQ(rows, moved);
    EXPECT_EQ(ApplyDropRows(Row(kTop, 2, 0), rows), 2); // joining a row moves nobody
    EXPECT_EQ(rows, moved);
}

} // namespace
