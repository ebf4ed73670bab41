#include "core/ui/DpiScale.h"

#include <gtest/gtest.h>

#include <climits>

using core::MulDivRound;
using core::NeedsMetricScaling;
using core::ScaledFontHeight;
using core::ScaledMetric;

namespace {

TEST(MulDivRound, RoundsHalvesAwayFromZero)
{
    EXPECT_EQ(MulDivRound(3, 1, 2), 2);
    EXPECT_EQ(MulDivRound(-3, 1, 2), -2);
    EXPECT_EQ(MulDivRound(3, -1, 2), -2);
    EXPECT_EQ(MulDivRound(5, 1, -2), -3);
    EXPECT_EQ(MulDivRound(-5, 1, -2), 3);
    EXPECT_EQ(MulDivRound(1, 1, 3), 0);
    EXPECT_EQ(MulDivRound(2, 1, 3), 1);
    EXPECT_EQ(MulDivRound(-2, 1, 3), -1);
    EXPECT_EQ(MulDivRound(0, 5, -7), 0);
}

TEST(MulDivRound, KeepsTheFullProduct)
{
    EXPECT_EQ(MulDivRound(INT_MAX, INT_MAX, INT_MAX), INT_MAX);
    EXPECT_EQ(MulDivRound(100000, 100000, 1000000), 10000);
    EXPECT_EQ(MulDivRound(INT_MIN, 1, 1), INT_MIN);
    EXPECT_EQ(MulDivRound(INT_MIN, INT_MIN, INT_MIN), INT_MIN);
}

TEST(MulDivRound, FailureGivesMinusOne)
{
    EXPECT_EQ(MulDivRound(5, 3, 0), -1);
    EXPECT_EQ(MulDivRound(INT_MAX, 2, 1), -1);
    EXPECT_EQ(MulDivRound(INT_MIN, -1, 1), -1);
    EXPECT_EQ(MulDivRound(INT_MIN, 2, 1), -1);
}

TEST(ScaledFontHeight, FollowsTheScreenDpi)
{
    EXPECT_EQ(ScaledFontHeight(-11, 96), -11);
    EXPECT_EQ(ScaledFontHeight(-11, 120), -14);
    EXPECT_EQ(ScaledFontHeight(-11, 144), -17); // -16.5
    EXPECT_EQ(ScaledFontHeight(11, 120), 14);
    EXPECT_EQ(ScaledFontHeight(-11, 120, 120), -11);
}

TEST(ScaledMetric, FollowsTheTextHeight)
{
    EXPECT_FALSE(NeedsMetricScaling(13));
    EXPECT_TRUE(NeedsMetricScaling(16));
    EXPECT_TRUE(NeedsMetricScaling(12));
    EXPECT_EQ(ScaledMetric(542, 13), 542);
    EXPECT_EQ(ScaledMetric(542, 16), 667);
    EXPECT_EQ(ScaledMetric(321, 16), 395);
    EXPECT_EQ(ScaledMetric(13, 26), 26);
    EXPECT_EQ(ScaledMetric(542, 10), 417);
    EXPECT_EQ(ScaledMetric(-20, 16), -25); // -24.6
    EXPECT_EQ(ScaledMetric(-13, 16), -16);
    EXPECT_EQ(ScaledMetric(30, 16, 16), 30);
}

} // namespace

namespace {

// The window's designed metrics at the resolutions users run, with the height
// of "0" that Tahoma has at each scaled font height (measured: 13, 17, 21 and
// 27 pixels at -11, -14, -17 and -22).
struct Resolution {
    int dpi;
    int fontHeight;
    int zeroHeight;
    int clientWidth, clientHeight;
    int processColumn, addressColumn, sizeColumn;
    int splitterMinimum;
};

constexpr Resolution kResolutions[] = {
    {96, -11, 13, 542, 321, 75, 70, 60, 30},
    {120, -14, 17, 709, 420, 98, 92, 78, 39},
    {144, -17, 21, 876, 519, 121, 113, 97, 48},
    {192, -22, 27, 1126, 667, 156, 145, 125, 62},
};

TEST(DesignedLayout, ScalesByTheHeightOfZeroAtCommonResolutions)
{
    for (const Resolution& r : kResolutions) {
        SCOPED_TRACE(r.dpi);
        EXPECT_EQ(ScaledFontHeight(-11, r.dpi), r.fontHeight);
        EXPECT_EQ(NeedsMetricScaling(r.zeroHeight), r.dpi != 96);
        EXPECT_EQ(ScaledMetric(542, r.zeroHeight), r.clientWidth);
        EXPECT_EQ(ScaledMetric(321, r.zeroHeight), r.clientHeight);
        EXPECT_EQ(ScaledMetric(75, r.zeroHeight), r.processColumn);
        EXPECT_EQ(ScaledMetric(70, r.zeroHeight), r.addressColumn);
        EXPECT_EQ(ScaledMetric(60, r.zeroHeight), r.sizeColumn);
        EXPECT_EQ(ScaledMetric(30, r.zeroHeight), r.splitterMinimum);
    }
}

} // namespace
