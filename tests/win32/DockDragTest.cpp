// The toolbars dragged and resized with the real mouse, as a user does.
#include "DockingFixture.h"
#include "TestSupport.h"
#include "win32/UniqueHandle.h"

#include <gtest/gtest.h>

namespace {

using docking::CaptionColour;
using docking::DockingTest;
using docking::Inside;
using docking::Overlap;
using docking::ScreenRect;
using toolbars::TTBToolbar;
using userinput::Centre;

TEST_F(DockingTest, ResizingTheFloatingFrameWrapsTheItemsAndKeepsTheChosenWidth)
{
    Show();
    TTBToolbar& bar = *form->tbMain;
    FloatAt(bar, {100, 100});
    HWND floating = FloatingWindow(bar);
    const RECT before = ScreenRect(floating);
    const POINT edge{before.right - 2, (before.top + before.bottom) / 2};
    userinput::MouseTo(edge);
    Settle();
    // The system's sizing loop runs inside the press: the whole gesture is
    // queued before it starts.
    userinput::Button(true);
    for (int i = 1; i <= 4; ++i)
        userinput::MouseTo({edge.x - i * (before.right - before.left) / 8, edge.y});
    userinput::Button(false);
    Settle();
    const RECT after = ScreenRect(floating);
    EXPECT_LT(after.right - after.left, before.right - before.left);
    EXPECT_GT(after.bottom - after.top, before.bottom - before.top);  // wrapped onto a second line
    RECT client{};
    ::GetClientRect(floating, &client);
    EXPECT_EQ(bar.FloatingWidth(), client.right);
    ExpectButtonsInside(bar);
}

TEST_F(DockingTest, DraggingTheHandleMovesTheToolbarToTheLeftDock)
{
    Show();
    TTBToolbar& bar = *form->tbMain;
    const POINT target = ClientPoint(form->Handle(), 4, form->ClientHeight() / 2);
    Drag(HandleCentre(bar), target);
    EXPECT_EQ(bar.CurrentDock(), form->dkLeft);
    EXPECT_GT(bar.Height(), bar.Width());
    EXPECT_EQ(form->lvBody->BoundsRect().left, form->dkLeft->Width());
    // The drop's row and position are written back.
    EXPECT_EQ(bar.DockRow(), 0);
    testsupport::SaveScreenshot("docking-left");
}

TEST_F(DockingTest, DraggingToANewRowOfTheSameDockGrowsIt)
{
    Show();
    TTBToolbar& bar = *form->tbMain;
    const int oneRow = form->dkTop->Height();
    // Just below the row, still within reach of the dock.
    const POINT target = ClientPoint(form->Handle(), 40, oneRow + 6);
    Drag(HandleCentre(bar), target);
    EXPECT_EQ(bar.CurrentDock(), form->dkTop);
    EXPECT_EQ(bar.DockRow(), 1);
    EXPECT_EQ(bar.BoundsRect().top, form->tbMenu->BoundsRect().bottom);
    EXPECT_GT(form->dkTop->Height(), oneRow);
}

TEST_F(DockingTest, DraggingOffTheDocksFloatsItWhereTheOutlineWas)
{
    Show();
    TTBToolbar& bar = *form->tbMain;
    const POINT start = HandleCentre(bar);
    const POINT target = ClientPoint(form->Handle(), form->ClientWidth() / 2, form->ClientHeight() / 2);
    Drag(start, target);
    ASSERT_TRUE(bar.Floating());
    const RECT floating = ScreenRect(FloatingWindow(bar));
    EXPECT_TRUE(::PtInRect(&floating, target));
    EXPECT_EQ(bar.FloatingPosition().x, floating.left);
    EXPECT_EQ(bar.FloatingPosition().y, floating.top);
    EXPECT_EQ(bar.LastDock(), form->dkTop);
}

TEST_F(DockingTest, EscapeDuringADragLeavesEverythingWhereItWas)
{
    Show();
    TTBToolbar& bar = *form->tbMain;
    const core::Rect before = bar.BoundsRect();
    const POINT target = ClientPoint(form->Handle(), form->ClientWidth() / 2, form->ClientHeight() / 2);
    Drag(HandleCentre(bar), target, true);
    EXPECT_EQ(bar.CurrentDock(), form->dkTop);
    EXPECT_EQ(bar.BoundsRect(), before);
    EXPECT_FALSE(bar.Dragging());
    // The next press is an ordinary one again.
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(DockingTest, DoubleClickOnTheFloatingCaptionSendsItBackToItsLastDock)
{
    Show();
    TTBToolbar& bar = *form->tbMain;
    bar.DockInto(*form->dkBottom);
    FloatAt(bar, {200, 150});
    ASSERT_TRUE(bar.Floating());
    const RECT window = ScreenRect(FloatingWindow(bar));
    const POINT caption{(window.left + window.right) / 2, window.top + ::GetSystemMetrics(SM_CYSMCAPTION) / 2 + 2};
    userinput::Click(caption);
    userinput::Click(caption);
    Settle();
    EXPECT_EQ(bar.CurrentDock(), form->dkBottom);
    EXPECT_EQ(bar.FloatingParent(), nullptr);
    EXPECT_EQ(form->dkBottom->Height(), bar.Height());
}

TEST_F(DockingTest, FloatingCaptionDragsTheToolbarIntoADock)
{
    Show();
    TTBToolbar& bar = *form->tbMain;
    FloatAt(bar, {200, 400});
    const RECT window = ScreenRect(FloatingWindow(bar));
    const POINT caption{window.left + 20, window.top + ::GetSystemMetrics(SM_CYSMCAPTION) / 2 + 2};
    const RECT body = ScreenRect(form->lvBody->Handle());
    Drag(caption, {body.right - 3, (body.top + body.bottom) / 2});
    EXPECT_EQ(bar.CurrentDock(), form->dkRight);
    EXPECT_FALSE(bar.Floating());
}

TEST_F(DockingTest, DocksThatForbidDraggingTakeNoDrop)
{
    Show();
    form->dkLeft->SetAllowDrag(false);
    TTBToolbar& bar = *form->tbMain;
    const POINT target = ClientPoint(form->Handle(), 4, form->ClientHeight() / 2);
    Drag(HandleCentre(bar), target);
    // Over the left edge, where the dock would have taken it, it floats.
    ASSERT_TRUE(bar.Floating());
    EXPECT_EQ(form->dkLeft->Width(), 1);
    const RECT floating = ScreenRect(FloatingWindow(bar));
    EXPECT_TRUE(::PtInRect(&floating, target));
    EXPECT_EQ(bar.LastDock(), form->dkTop);
}

TEST_F(DockingTest, FloatingCaptionLooksActiveExactlyWhileTheFormIs)
{
    Show();
    TTBToolbar& bar = *form->tbMain;
    FloatAt(bar, {200, 150});
    ASSERT_TRUE(bar.Floating());
    const COLORREF active = ::GetSysColor(COLOR_ACTIVECAPTION);
    const COLORREF inactive = ::GetSysColor(COLOR_INACTIVECAPTION);
    ASSERT_NE(active, inactive);
    EXPECT_EQ(CaptionColour(FloatingWindow(bar)), active);

    // Another window of the program: the form's tool windows stay, but
    // neither caption is active any more.
    win32::UniqueWindow other(::CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 600,
                                                100, 100, nullptr, nullptr, nullptr, nullptr));
    ::SetForegroundWindow(other.Get());
    ::SetActiveWindow(other.Get());
    EXPECT_TRUE(WaitFor([&] { return CaptionColour(FloatingWindow(bar)) == inactive; }));
    EXPECT_TRUE(::IsWindowVisible(FloatingWindow(bar)));

    Show();
    EXPECT_TRUE(WaitFor([&] { return CaptionColour(FloatingWindow(bar)) == active; }));
}

} // namespace
