// The toolbars of the real main window moved into every dock and floating
// by their public operations, and in windows too narrow for them.
#include "DockingFixture.h"

#include <gtest/gtest.h>

namespace {

using docking::DockingTest;
using docking::Inside;
using docking::Overlap;
using docking::ScreenRect;
using toolbars::TTBToolbar;
using userinput::Centre;

TEST_F(DockingTest, ToolbarStandsUprightInTheSideDocksAndTheListsMoveAtOnce)
{
    Show();
    TTBToolbar& bar = *form->tbMain;
    bar.DockInto(*form->dkLeft);
    Settle();
    EXPECT_EQ(bar.CurrentDock(), form->dkLeft);
    EXPECT_EQ(bar.LastDock(), form->dkLeft);
    EXPECT_GT(bar.Height(), bar.Width());
    EXPECT_EQ(form->dkLeft->Width(), bar.Width());
    EXPECT_EQ(form->lvMaster->BoundsRect().left, form->dkLeft->Width());
    // The top dock holds only the menu bar now.
    EXPECT_EQ(form->dkTop->Height(), form->tbMenu->Height());
    // Stacked: each shown button below the one before it.
    const std::vector<RECT> buttons = ShownButtons(bar);
    ASSERT_EQ(buttons.size(), 4u);  // separators are left out upright
    for (std::size_t i = 1; i < buttons.size(); ++i)
        EXPECT_GE(buttons[i].top, buttons[i - 1].bottom);
    ExpectButtonsInside(bar);

    bar.DockInto(*form->dkRight);
    Settle();
    EXPECT_EQ(form->dkLeft->Width(), 1);  // the left dock keeps a pixel
    EXPECT_EQ(form->dkRight->Width(), bar.Width());
    EXPECT_EQ(ScreenRect(form->lvDetail->Handle()).right, ScreenRect(form->dkRight->Handle()).left);
    ExpectButtonsInside(bar);

    bar.DockInto(*form->dkBottom);
    Settle();
    EXPECT_EQ(form->dkRight->Width(), 0);
    EXPECT_EQ(form->dkBottom->Height(), bar.Height());
    EXPECT_LT(bar.Width(), bar.Height() * 10);
    EXPECT_LE(form->lvMaster->BoundsRect().bottom, form->dkBottom->BoundsRect().top);
    testsupport::SaveScreenshot("docking-bottom");
}

TEST_F(DockingTest, MenuBarEntriesStackInASideDockAndItsMenusStillOpen)
{
    Show();
    TTBToolbar& menu = *form->tbMenu;
    menu.DockInto(*form->dkRight);
    Settle();
    const std::vector<RECT> buttons = ShownButtons(menu);
    ASSERT_EQ(buttons.size(), 3u);
    EXPECT_GE(buttons[1].top, buttons[0].bottom);
    EXPECT_GE(buttons[2].top, buttons[1].bottom);
    userinput::MenuWatcher watcher;
    RECT view{};
    ASSERT_TRUE(menu.ItemScreenRect(*form->smView, view));
    userinput::Click(Centre(view));
    userinput::Tap(VK_ESCAPE);
    Settle();
    ASSERT_EQ(watcher.Menus().size(), 1u);
    EXPECT_EQ(watcher.Menus()[0].items[0].text, "&Toolbar");
}

TEST_F(DockingTest, BothToolbarsFloatingEmptyTheTopDockAndFloatInCaptionedToolWindows)
{
    Show();
    form->tbMenu->Float();
    form->tbMain->Float();
    Settle();
    EXPECT_EQ(form->dkTop->Height(), 0);
    EXPECT_EQ(form->lvMaster->BoundsRect().top, 0);
    EXPECT_TRUE(form->tbMain->Floating());
    EXPECT_EQ(form->tbMain->CurrentDock(), nullptr);
    EXPECT_EQ(form->tbMain->LastDock(), form->dkTop);

    HWND menuWindow = FloatingWindow(*form->tbMenu);
    HWND mainWindow = FloatingWindow(*form->tbMain);
    ASSERT_NE(mainWindow, nullptr);
    EXPECT_EQ(WindowText(menuWindow), "Main Menu");
    EXPECT_EQ(WindowText(mainWindow), "Toolbar");
    EXPECT_TRUE(::GetWindowLongA(mainWindow, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(::GetWindow(mainWindow, GW_OWNER), form->Handle());
    // Only the main toolbar can be closed.
    EXPECT_TRUE(::GetWindowLongA(mainWindow, GWL_STYLE) & WS_SYSMENU);
    EXPECT_FALSE(::GetWindowLongA(menuWindow, GWL_STYLE) & WS_SYSMENU);
    EXPECT_TRUE(::IsWindowVisible(mainWindow));
    ExpectButtonsInside(*form->tbMain);
    testsupport::SaveScreenshot("docking-floating");

    // Placed at the floating position, and moved there at once while floating.
    form->tbMain->SetFloatingPosition({300, 200});
    EXPECT_EQ(ScreenRect(mainWindow).left, 300);
    EXPECT_EQ(ScreenRect(mainWindow).top, 200);
}

TEST_F(DockingTest, FloatingWindowsHideWhileTheWindowIsMinimisedAndComeBackWithIt)
{
    Show();
    form->tbMain->Float();
    Settle();
    HWND floating = FloatingWindow(*form->tbMain);
    ASSERT_TRUE(::IsWindowVisible(floating));
    ::ShowWindow(form->Handle(), SW_MINIMIZE);
    Settle();
    EXPECT_FALSE(::IsWindowVisible(floating));
    ::ShowWindow(form->Handle(), SW_RESTORE);
    Settle();
    EXPECT_TRUE(::IsWindowVisible(floating));
    ::ShowWindow(form->Handle(), SW_HIDE);
    Settle();
    EXPECT_FALSE(::IsWindowVisible(floating));
}

TEST_F(DockingTest, ClosedFloatingToolbarComesBackFloatingFromTheViewMenu)
{
    Show();
    form->tbMain->Float();
    form->tbMain->SetFloatingPosition({400, 300});
    Settle();
    ::SendMessageA(FloatingWindow(*form->tbMain), WM_CLOSE, 0, 0);
    Settle();
    EXPECT_FALSE(form->tbMain->Visible());
    EXPECT_FALSE(::IsWindowVisible(FloatingWindow(*form->tbMain)));
    EXPECT_FALSE(form->iToggleToolbar->Checked());
    form->iToggleToolbar->Click();
    Settle();
    EXPECT_TRUE(form->tbMain->Floating());
    EXPECT_TRUE(::IsWindowVisible(FloatingWindow(*form->tbMain)));
    EXPECT_EQ(ScreenRect(FloatingWindow(*form->tbMain)).left, 400);
}

TEST_F(DockingTest, HeldBackArrangementRunsOnceAtTheEnd)
{
    Show();
    TTBToolbar& bar = *form->tbMain;
    const core::Rect before = bar.BoundsRect();
    form->dkTop->SuspendArrange();
    form->dkTop->SuspendArrange();
    bar.SetDockRow(1);
    bar.SetDockPos(0);
    form->dkTop->ResumeArrange();
    Settle();
    EXPECT_EQ(bar.BoundsRect(), before);  // still held back by the outer suspend
    form->dkTop->ResumeArrange();
    Settle();
    EXPECT_EQ(bar.BoundsRect().left, 0);
    EXPECT_EQ(bar.BoundsRect().top, form->tbMenu->BoundsRect().bottom);
    EXPECT_EQ(form->dkTop->Height(), form->tbMenu->Height() + bar.Height());
    EXPECT_EQ(form->lvMaster->BoundsRect().top, form->dkTop->Height());
    // Rows and positions are the caller's, not rewritten by the arrangement.
    EXPECT_EQ(bar.DockRow(), 1);

    // A request with nothing recorded arranges nothing more.
    form->dkTop->SuspendArrange();
    form->dkTop->ResumeArrange();
    EXPECT_EQ(bar.BoundsRect().top, form->tbMenu->BoundsRect().bottom);
}

// Counts the moves of a window, through a subclass of its own.
class MoveCounter {
public:
    explicit MoveCounter(HWND window) : window_(window)
    {
        ::SetWindowSubclass(window_, &Proc, 1, reinterpret_cast<DWORD_PTR>(this));
    }
    ~MoveCounter() { ::RemoveWindowSubclass(window_, &Proc, 1); }
    MoveCounter(const MoveCounter&) = delete;
    MoveCounter& operator=(const MoveCounter&) = delete;
    int Moves() const { return moves_; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self)
    {
        if (message == WM_WINDOWPOSCHANGED && !(reinterpret_cast<WINDOWPOS*>(lParam)->flags & SWP_NOMOVE))
            ++reinterpret_cast<MoveCounter*>(self)->moves_;
        return ::DefSubclassProc(window, message, wParam, lParam);
    }
    HWND window_;
    int moves_ = 0;
};

TEST_F(DockingTest, RequestsWhileSuspendedAreArrangedExactlyOnce)
{
    Show();
    TTBToolbar& bar = *form->tbMain;
    {
        // Unsuspended, each request moves the bar at once.
        MoveCounter counter(bar.Handle());
        bar.SetDockRow(1);
        bar.SetDockPos(20);
        EXPECT_EQ(counter.Moves(), 2);
    }
    bar.SetDockRow(0);
    bar.SetDockPos(-1);
    Settle();
    MoveCounter counter(bar.Handle());
    form->dkTop->SuspendArrange();
    bar.SetDockRow(1);
    bar.SetDockPos(20);
    EXPECT_EQ(counter.Moves(), 0);
    form->dkTop->ResumeArrange();
    EXPECT_EQ(counter.Moves(), 1);
    EXPECT_EQ(bar.BoundsRect().left, 20);
}

TEST_F(DockingTest, MenuModeEndsWhenAnotherWindowIsActivated)
{
    Show();
    userinput::Tap(VK_F10);
    Settle();
    ASSERT_TRUE(form->tbMenu->InMenuMode());
    win32::UniqueWindow other(::CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                                                100, 100, nullptr, nullptr, nullptr, nullptr));
    ::SetForegroundWindow(other.Get());
    ::SetActiveWindow(other.Get());
    Settle();
    EXPECT_FALSE(form->tbMenu->InMenuMode());
}

TEST_F(DockingTest, NarrowWindowHidesTheButtonsThatDoNotFitBehindAChevron)
{
    Show();
    TTBToolbar& bar = *form->tbMain;
    EXPECT_FALSE(bar.ShowsChevron());
    bar.SetDockRow(1);  // a row of its own, as wide as the window
    bar.SetDockPos(0);
    SetClientSize(90, 300);
    ASSERT_TRUE(bar.ShowsChevron());
    const RECT chevron = ScreenRect(bar.ChevronBar());
    EXPECT_TRUE(Inside(chevron, ScreenRect(bar.Handle())));
    for (const RECT& r : ShownButtons(bar))
        EXPECT_LE(r.right, chevron.left);
    ExpectButtonsInside(bar);

    HWND tips = reinterpret_cast<HWND>(::SendMessageA(bar.ChevronBar(), TB_GETTOOLTIPS, 0, 0));
    TBBUTTON chevronButton{};
    ::SendMessageA(bar.ChevronBar(), TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&chevronButton));
    char tip[64] = {};
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = bar.ChevronBar();
    tool.uId = static_cast<UINT_PTR>(chevronButton.idCommand);
    tool.lpszText = tip;
    ::SendMessageA(tips, TTM_GETTEXTA, sizeof tip, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(tip, "More Buttons");

    // The chevron drops down exactly the hidden buttons, in order.
    const std::vector<toolbars::TTBCustomItem*> hidden = bar.HiddenItems();
    ASSERT_FALSE(hidden.empty());
    EXPECT_EQ(hidden.back(), form->bExit);
    std::vector<std::string> expected;
    for (const toolbars::TTBCustomItem* item : hidden)
        expected.push_back(item->IsSeparator() ? std::string("-") : item->Caption());
    userinput::MenuWatcher watcher;
    userinput::Click(Centre(chevron));
    userinput::Tap(VK_ESCAPE);
    Settle();
    ASSERT_EQ(watcher.Menus().size(), 1u);
    std::vector<std::string> seen;
    for (const userinput::SeenMenuItem& item : watcher.Menus()[0].items)
        seen.push_back(item.separator ? std::string("-") : item.text.substr(0, item.text.find('\t')));
    EXPECT_EQ(seen, expected);
    testsupport::SaveScreenshot("docking-chevron");

    // Wide again: every button back, no chevron.
    SetClientSize(542, 321);
    EXPECT_FALSE(bar.ShowsChevron());
    EXPECT_EQ(ShownButtons(bar).size(), 6u);
}

TEST_F(DockingTest, ChosenChevronEntryRunsItsAction)
{
    Show();
    bool exited = false;
    form->aExit->OnExecute = [&](win32::Action&) { exited = true; };
    form->tbMain->SetDockRow(1);
    SetClientSize(90, 300);
    ASSERT_TRUE(form->tbMain->ShowsChevron());
    userinput::Click(Centre(ScreenRect(form->tbMain->ChevronBar())));
    userinput::Tap(VK_UP);  // the last entry, Exit
    userinput::Tap(VK_RETURN);
    Settle();
    EXPECT_TRUE(exited);
}

TEST_F(DockingTest, NarrowWindowWrapsTheMenuBarAndItsDockGrows)
{
    Show();
    const int oneLine = form->tbMenu->Height();
    SetClientSize(60, 300);
    TTBToolbar& menu = *form->tbMenu;
    EXPECT_GT(menu.Height(), oneLine);
    EXPECT_GE(menu.Height(), 2 * ButtonHeight(menu));
    ExpectButtonsInside(menu);
    ExpectButtonsInside(*form->tbMain);
    // What does not fit is behind the chevron, not cut off.
    EXPECT_TRUE(form->tbMain->ShowsChevron() || ShownButtons(*form->tbMain).size() == 6u);
    if (form->tbMain->ShowsChevron()) {
        EXPECT_TRUE(Inside(ScreenRect(form->tbMain->ChevronBar()), ScreenRect(form->tbMain->Handle())));
    }
    EXPECT_FALSE(Overlap(ScreenRect(menu.Handle()), ScreenRect(form->tbMain->Handle())));
    EXPECT_EQ(form->lvMaster->BoundsRect().top, form->dkTop->Height());
    EXPECT_GE(form->dkTop->Height(), menu.BoundsRect().bottom);
    testsupport::SaveScreenshot("docking-wrapped");
}

TEST_F(DockingTest, FloatingToolbarWrapsAtItsWindowsWidth)
{
    Show();
    TTBToolbar& bar = *form->tbMain;
    bar.Float();
    Settle();
    HWND floating = FloatingWindow(bar);
    RECT client{};
    ::GetClientRect(floating, &client);
    const int oneLine = client.bottom;
    bar.SetFloatingWidth(client.right / 2);
    Settle();
    ::GetClientRect(floating, &client);
    EXPECT_LT(client.right, 2 * client.right);
    EXPECT_GT(client.bottom, oneLine);
    ExpectButtonsInside(bar);
    RECT in{};
    ::GetClientRect(floating, &in);
    ::MapWindowPoints(floating, nullptr, reinterpret_cast<POINT*>(&in), 2);
    EXPECT_TRUE(Inside(ScreenRect(bar.Handle()), in));
    // Absurd widths still give the items room.
    bar.SetFloatingWidth(-2147483647 - 1);
    Settle();
    ExpectButtonsInside(bar);
    bar.SetFloatingWidth(2147483647);
    Settle();
    ::GetClientRect(floating, &client);
    EXPECT_EQ(client.bottom, oneLine);
}

} // namespace
