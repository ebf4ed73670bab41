#include "core/ui/SplitterDrag.h"

#include <gtest/gtest.h>

using core::SplitterDrag;
using core::SplitterMaxWidth;

namespace {

TEST(SplitterMaxWidth, LeavesTheMinimumForTheRestOfTheWindow)
{
    // Client 542, left dock 1, list 200, splitter 5, right dock 0.
    EXPECT_EQ(SplitterMaxWidth(542, 30, 1 + 200 + 5 + 0, 200), 506);
    // The list's own width is returned to the pool, so its size doesn't matter.
    EXPECT_EQ(SplitterMaxWidth(542, 30, 1 + 100 + 5 + 0, 100), 506);
    EXPECT_EQ(SplitterMaxWidth(542, 30, 9 + 224 + 5 + 9, 224), 489);
}

TEST(SplitterDrag, FollowsThePointerFromTheGrabbedSpot)
{
    SplitterDrag drag(200, 203, 30, 506);
    EXPECT_EQ(drag.WidthAt(203), 200);
    EXPECT_EQ(drag.WidthAt(250), 247);
    EXPECT_EQ(drag.WidthAt(150), 147);
}

TEST(SplitterDrag, StaysWithinItsLimits)
{
    SplitterDrag drag(200, 203, 30, 506);
    EXPECT_EQ(drag.WidthAt(33), 30);
    EXPECT_EQ(drag.WidthAt(32), 30);
    EXPECT_EQ(drag.WidthAt(-1000), 30);
    EXPECT_EQ(drag.WidthAt(509), 506);
    EXPECT_EQ(drag.WidthAt(510), 506);
    EXPECT_EQ(drag.WidthAt(5000), 506);
}

TEST(SplitterDrag, MinimumWinsWhenTheLimitsCross)
{
    SplitterDrag drag(50, 50, 30, 10);
    EXPECT_EQ(drag.WidthAt(0), 30);
    EXPECT_EQ(drag.WidthAt(50), 30);
    EXPECT_EQ(drag.WidthAt(500), 30);
}

} // namespace
