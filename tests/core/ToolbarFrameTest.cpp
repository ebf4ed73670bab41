#include "core/ToolbarFrame.h"

#include <gtest/gtest.h>

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

bool Overlap(const Rect& a, const Rect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST(ToolbarFrame, HorizontalHandleAtTheLeftContentAfterIt)
{
    const auto f = DockedToolbarFrame(100, 26, true, false);
    EXPECT_EQ(f.handle, (Rect{2, 2, 11, 24}));
    EXPECT_EQ(f.content, (Rect{11, 2, 98, 24}));
    EXPECT_EQ(f.closeButton, Rect{});
    EXPECT_TRUE(Inside(f.grip, f.handle));
    EXPECT_EQ(f.grip.width(), 3);
    EXPECT_GT(f.grip.height(), 10);
}

TEST(ToolbarFrame, CloseButtonTopsTheHandleAndTheGripFollows)
{
    const auto f = DockedToolbarFrame(100, 26, true, true);
    EXPECT_EQ(f.closeButton, (Rect{2, 2, 11, 11}));
    EXPECT_TRUE(Inside(f.closeButton, f.handle));
    EXPECT_TRUE(Inside(f.grip, f.handle));
    EXPECT_FALSE(Overlap(f.grip, f.closeButton));
    EXPECT_GT(f.grip.top, f.closeButton.bottom);
    EXPECT_EQ(f.content, (Rect{11, 2, 98, 24}));
}

TEST(ToolbarFrame, VerticalHandleAtTheTopCloseButtonAtTheRight)
{
    const auto f = DockedToolbarFrame(26, 100, false, true);
    EXPECT_EQ(f.handle, (Rect{2, 2, 24, 11}));
    EXPECT_EQ(f.content, (Rect{2, 11, 24, 98}));
    EXPECT_EQ(f.closeButton, (Rect{15, 2, 24, 11}));
    EXPECT_TRUE(Inside(f.grip, f.handle));
    EXPECT_FALSE(Overlap(f.grip, f.closeButton));
    EXPECT_EQ(f.grip.height(), 3);
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

} // namespace
