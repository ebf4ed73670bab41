#include "core/docking/ToolbarFrame.h"

#include <gtest/gtest.h>

#include <utility>

using core::DockedToolbarFrame;
using core::DockedToolbarSize;
using core::Rect;
using core::ToolbarSize;

namespace {

bool Inside(const Rect& inner, const Rect& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

TEST(ToolbarFrame, HorizontalHandleAtTheLeftContentAfterIt)
{
    const auto f = DockedToolbarFrame(100, 26, true, false);
    EXPECT_EQ(f.handle, (Rect{2, 2, 11, 24}));
    EXPECT_EQ(f.content, (Rect{11, 2, 98, 24}));
    EXPECT_EQ(f.closeButton, Rect{});
    // Three pixels wide, centred, two pixels short of either end.
    EXPECT_EQ(f.grip, (Rect{5, 4, 8, 22}));
}

TEST(ToolbarFrame, CloseButtonTopsTheHandleAndTheGripFollows)
{
    const auto f = DockedToolbarFrame(100, 26, true, true);
    EXPECT_EQ(f.closeButton, (Rect{2, 2, 11, 11}));
    // A pixel's gap below the button.
    EXPECT_EQ(f.grip, (Rect{5, 12, 8, 22}));
    EXPECT_EQ(f.content, (Rect{11, 2, 98, 24}));
}

TEST(ToolbarFrame, VerticalHandleAtTheTopCloseButtonAtTheRight)
{
    const auto f = DockedToolbarFrame(26, 100, false, true);
    EXPECT_EQ(f.handle, (Rect{2, 2, 24, 11}));
    EXPECT_EQ(f.content, (Rect{2, 11, 24, 98}));
    EXPECT_EQ(f.closeButton, (Rect{15, 2, 24, 11}));
    // A pixel's gap left of the button.
    EXPECT_EQ(f.grip, (Rect{4, 5, 14, 8}));
}

TEST(ToolbarFrame, SizeIsContentPlusBorderAndHandle)
{
    EXPECT_EQ(DockedToolbarSize(87, 22, true), (ToolbarSize{100, 26}));
    EXPECT_EQ(DockedToolbarSize(22, 87, false), (ToolbarSize{26, 100}));
    const auto f = DockedToolbarFrame(100, 26, true, true);
    EXPECT_EQ(f.content.width(), 87);
    EXPECT_EQ(f.content.height(), 22);
}

TEST(ToolbarFrame, TooSmallNeverInvertsAnyPart)
{
    for (int size : {0, 1, 3, 5, 8}) {
        for (bool horizontal : {true, false}) {
            const auto f = DockedToolbarFrame(size, size, horizontal, true);
            for (const Rect& r : {f.handle, f.closeButton, f.grip, f.content}) {
                EXPECT_GE(r.width(), 0) << size;
                EXPECT_GE(r.height(), 0) << size;
            }
        }
    }
}

TEST(ToolbarFrame, ScaledHandleAndCloseButtonKeepTheirShape)
{
    const core::ToolbarFrameMetrics designed;
    // 144 dpi: "0" grows from 13 to 21 pixels.
    const core::ToolbarFrameMetrics large = designed.ScaledBy(21, 13);
    EXPECT_EQ(large, (core::ToolbarFrameMetrics{15, 15}));
    EXPECT_EQ(DockedToolbarSize(87, 22, true, large), (ToolbarSize{106, 26}));
    EXPECT_EQ(DockedToolbarSize(22, 87, false, large), (ToolbarSize{26, 106}));

    const auto h = DockedToolbarFrame(120, 40, true, true, large);
    EXPECT_EQ(h.handle, (Rect{2, 2, 17, 38}));
    EXPECT_EQ(h.closeButton, (Rect{2, 2, 17, 17}));
    EXPECT_EQ(h.content.left, 17);
    EXPECT_EQ(h.grip, (Rect{8, 18, 11, 36}));

    const auto v = DockedToolbarFrame(40, 120, false, true, large);
    EXPECT_EQ(v.handle, (Rect{2, 2, 38, 17}));
    EXPECT_EQ(v.closeButton, (Rect{23, 2, 38, 17}));
    EXPECT_EQ(v.grip, (Rect{4, 8, 22, 11}));
}

TEST(ToolbarFrame, AbsurdScalesStayWithinSaneParts)
{
    const core::ToolbarFrameMetrics designed;
    for (const auto& [numerator, denominator] :
         {std::pair{0, 13}, std::pair{-21, 13}, std::pair{21, 0}, std::pair{2147483647, 1}}) {
        const core::ToolbarFrameMetrics m = designed.ScaledBy(numerator, denominator);
        EXPECT_GE(m.handle, 1) << numerator << "/" << denominator;
        EXPECT_LE(m.handle, 1000) << numerator << "/" << denominator;
        const auto f = DockedToolbarFrame(100, 26, true, true, m);
        EXPECT_TRUE(Inside(f.handle, Rect{0, 0, 100, 26}));
        EXPECT_TRUE(Inside(f.closeButton, f.handle));
        EXPECT_GE(f.content.width(), 0);
    }
    // Metrics no scale made: none at all, or beyond any screen.
    for (int handle : {0, -5, 2147483647}) {
        const auto f = DockedToolbarFrame(100, 26, true, true, {handle, handle});
        EXPECT_TRUE(Inside(f.handle, Rect{0, 0, 100, 26})) << handle;
        EXPECT_TRUE(Inside(f.grip, Rect{0, 0, 100, 26})) << handle;
        EXPECT_GE(f.grip.width(), 0) << handle;
        const ToolbarSize size = DockedToolbarSize(87, 22, true, {handle, handle});
        EXPECT_GE(size.width, 91) << handle;
        EXPECT_LE(size.width, 87 + 4 + 1000) << handle;
    }
}

} // namespace
