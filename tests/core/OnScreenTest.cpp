#include "core/OnScreen.h"

#include <gtest/gtest.h>

#include <limits>

using core::MoveOnScreenIfWhollyOff;
using core::Point;
using core::Rect;

namespace {

constexpr int kMaxInt = std::numeric_limits<int>::max();
constexpr int kMinInt = std::numeric_limits<int>::min();

// A work area that does not start at 0, as with a taskbar at the top.
const Rect kArea{0, 30, 1024, 768};
constexpr int kWidth = 120;
constexpr int kHeight = 50;

Point Checked(int x, int y, int width = kWidth, int height = kHeight)
{
    return MoveOnScreenIfWhollyOff({x, y}, width, height, kArea);
}

TEST(MoveOnScreenIfWhollyOff, AWindowOverlappingTheAreaEvenByOnePixelStaysExactlyPut)
{
    EXPECT_EQ(Checked(300, 300), (Point{300, 300}));
    EXPECT_EQ(Checked(-119, 300), (Point{-119, 300})); // one pixel in on the left
    EXPECT_EQ(Checked(1023, 300), (Point{1023, 300})); // on the right
    EXPECT_EQ(Checked(300, -19), (Point{300, -19}));   // at the top
    EXPECT_EQ(Checked(300, 767), (Point{300, 767}));   // at the bottom
    EXPECT_EQ(Checked(1023, 767), (Point{1023, 767})); // one corner pixel
    EXPECT_EQ(Checked(-500, -500, 2000, 2000), (Point{-500, -500}));
}

TEST(MoveOnScreenIfWhollyOff, AWindowJustTouchingAnEdgeIsMovedBackOntoTheArea)
{
    EXPECT_EQ(Checked(-120, 300), (Point{0, 300}));
    EXPECT_EQ(Checked(1024, 300), (Point{904, 300}));
    EXPECT_EQ(Checked(300, -20), (Point{300, 30}));
    EXPECT_EQ(Checked(300, 768), (Point{300, 718}));
    // Off only sideways, but also hanging below: moved up as well.
    EXPECT_EQ(Checked(2000, 740), (Point{904, 718}));
}

TEST(MoveOnScreenIfWhollyOff, FarOffWindowsMeetTheNearestEdges)
{
    EXPECT_EQ(Checked(-5000, -5000), (Point{0, 30}));
    EXPECT_EQ(Checked(5000, 5000), (Point{904, 718}));
    EXPECT_EQ(Checked(-5000, 5000), (Point{0, 718}));
    EXPECT_EQ(Checked(5000, -5000), (Point{904, 30}));
    EXPECT_EQ(Checked(5000, 300), (Point{904, 300}));
    EXPECT_EQ(Checked(300, -5000), (Point{300, 30}));

    EXPECT_EQ(Checked(kMinInt, kMinInt), (Point{0, 30}));
    EXPECT_EQ(Checked(kMaxInt, kMaxInt), (Point{904, 718}));
    EXPECT_EQ(Checked(kMaxInt, kMinInt, kMaxInt, kMaxInt), (Point{0, 30}));
}

TEST(MoveOnScreenIfWhollyOff, AWindowLargerThanTheAreaEndsOnItsTopLeft)
{
    EXPECT_EQ(Checked(5000, 5000, 1500, 900), (Point{0, 30}));
    EXPECT_EQ(Checked(-5000, -5000, 1500, 900), (Point{0, 30}));
    // Larger in one direction only.
    EXPECT_EQ(Checked(5000, 5000, 1500, 50), (Point{0, 718}));
    EXPECT_EQ(Checked(kMaxInt, kMaxInt, kMaxInt, kMaxInt), (Point{0, 30}));
}

TEST(MoveOnScreenIfWhollyOff, ExtremeAreasAndSizesStayInRange)
{
    const Rect farArea{kMaxInt - 100, kMaxInt - 100, kMaxInt, kMaxInt};
    EXPECT_EQ(MoveOnScreenIfWhollyOff({kMinInt, kMinInt}, 50, 50, farArea), (Point{kMaxInt - 100, kMaxInt - 100}));
    EXPECT_EQ(MoveOnScreenIfWhollyOff({kMinInt, kMinInt}, kMaxInt, kMaxInt, farArea),
              (Point{kMaxInt - 100, kMaxInt - 100}));
    const Rect lowArea{kMinInt, kMinInt, kMinInt + 100, kMinInt + 100};
    EXPECT_EQ(MoveOnScreenIfWhollyOff({kMaxInt, kMaxInt}, kMaxInt, kMaxInt, lowArea), (Point{kMinInt, kMinInt}));
    EXPECT_EQ(MoveOnScreenIfWhollyOff({kMaxInt, kMaxInt}, 40, 40, lowArea), (Point{kMinInt + 60, kMinInt + 60}));
    // A window of no size (or a bad one) overlaps nothing: it keeps a place
    // within the area and is shifted from one outside it.
    EXPECT_EQ(Checked(300, 300, 0, -5), (Point{300, 300}));
    EXPECT_EQ(Checked(2000, 300, -5, 0), (Point{1024, 300}));
    EXPECT_EQ(Checked(300, 770, 120, -5), (Point{300, 768}));
}

} // namespace
