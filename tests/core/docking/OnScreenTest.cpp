#include "core/docking/OnScreen.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using namespace core;

constexpr int kMaxInt = std::numeric_limits<int>::max();
constexpr int kMinInt = std::numeric_limits<int>::min();

// A work area below a taskbar at the top; windows are 120 by 50 unless given.
const Rect kArea{0, 30, 1024, 768};

Point Checked(int x, int y, int width = 120, int height = 50)
{
    return MoveOnScreenIfWhollyOff({x, y}, width, height, kArea);
}

TEST(MoveOnScreenIfWhollyOff, OverlappingByOnePixelStaysExactlyPutWhileTouchingMoves)
{
    for (Point p : {Point{300, 300}, Point{-119, 300}, Point{1023, 300}, Point{300, -19}, Point{1023, 767}})
        EXPECT_EQ(Checked(p.x, p.y), p);
    EXPECT_EQ(Checked(-500, -500, 2000, 2000), (Point{-500, -500}));
    EXPECT_EQ(Checked(-120, 300), (Point{0, 300}));
    EXPECT_EQ(Checked(1024, 300), (Point{904, 300}));
    EXPECT_EQ(Checked(300, -20), (Point{300, 30}));
    EXPECT_EQ(Checked(300, 768), (Point{300, 718}));
    EXPECT_EQ(Checked(2000, 740), (Point{904, 718})); // off sideways, hanging below too
}

TEST(MoveOnScreenIfWhollyOff, FarOffAndOversizedWindowsMeetTheEdges)
{
    EXPECT_EQ(Checked(-5000, -5000), (Point{0, 30}));
    EXPECT_EQ(Checked(5000, 5000), (Point{904, 718}));
    EXPECT_EQ(Checked(-5000, 5000), (Point{0, 718}));
    EXPECT_EQ(Checked(5000, -5000), (Point{904, 30}));
    EXPECT_EQ(Checked(kMinInt, kMinInt), (Point{0, 30}));
    EXPECT_EQ(Checked(kMaxInt, kMaxInt), (Point{904, 718}));
    // Larger than the area: its top-left corner on the area's.
    EXPECT_EQ(Checked(5000, 5000, 1500, 900), (Point{0, 30}));
    EXPECT_EQ(Checked(5000, 5000, 1500, 50), (Point{0, 718}));
    EXPECT_EQ(Checked(kMaxInt, kMinInt, kMaxInt, kMaxInt), (Point{0, 30}));
}

TEST(MoveOnScreenIfWhollyOff, ExtremeAreasAndBadSizesStayInRange)
{
    const Rect high{kMaxInt - 100, kMaxInt - 100, kMaxInt, kMaxInt};
    EXPECT_EQ(MoveOnScreenIfWhollyOff({kMinInt, kMinInt}, kMaxInt, kMaxInt, high), (Point{kMaxInt - 100, kMaxInt - 100}));
    const Rect low{kMinInt, kMinInt, kMinInt + 100, kMinInt + 100};
    EXPECT_EQ(MoveOnScreenIfWhollyOff({kMaxInt, kMaxInt}, kMaxInt, kMaxInt, low), (Point{kMinInt, kMinInt}));
    EXPECT_EQ(MoveOnScreenIfWhollyOff({kMaxInt, kMaxInt}, 40, 40, low), (Point{kMinInt + 60, kMinInt + 60}));
    // No size (or a negative one) overlaps nothing, but inside the area nothing moves.
    EXPECT_EQ(Checked(300, 300, 0, -5), (Point{300, 300}));
    EXPECT_EQ(Checked(300, 770, 120, -5), (Point{300, 768}));
    EXPECT_EQ(Checked(2000, 300, -5, 50), (Point{1024, 300}));
}

} // namespace
