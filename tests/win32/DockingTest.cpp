// The toolbars of the tests' toolbar form moved into every dock and floating
// by their public operations.
#include "DockingFixture.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

namespace {

using docking::CaptionColour;
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
    EXPECT_EQ(form->lvBody->BoundsRect().left, form->dkLeft->Width());
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
    EXPECT_EQ(ScreenRect(form->lvBody->Handle()).right, ScreenRect(form->dkRight->Handle()).left);
    ExpectButtonsInside(bar);

    bar.DockInto(*form->dkBottom);
    Settle();
    EXPECT_EQ(form->dkRight->Width(), 0);
    EXPECT_EQ(form->dkBottom->Height(), bar.Height());
    EXPECT_LT(bar.Width(), bar.Height() * 10);
    EXPECT_LE(form->lvBody->BoundsRect().bottom, form->dkBottom->BoundsRect().top);
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
    EXPECT_EQ(form->lvBody->BoundsRect().top, 0);
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
    EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(floating); }));
    ::ShowWindow(form->Handle(), SW_RESTORE);
    EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(floating); }));
    ::ShowWindow(form->Handle(), SW_HIDE);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(floating); }));
}

// Whether the screen shows that window (or a child of it) at the point.
bool ShowsAt(HWND window, POINT screen)
{
    HWND at = ::WindowFromPoint(screen);
    return at && ::GetAncestor(at, GA_ROOT) == window;
}

TEST_F(DockingTest, FloatingToolbarStaysInFrontOfTheFormAndWaitsForItsBox)
{
    // Floating before the form shows, as a restored layout has it.
    TTBToolbar& bar = *form->tbMain;
    FloatAt(bar, {700, 400});
    Show();
    HWND floating = FloatingWindow(bar);
    const RECT r = ScreenRect(floating);
    ASSERT_TRUE(Inside(r, ScreenRect(form->Handle())));
    const POINT caption{(r.left + r.right) / 2, r.top + ::GetSystemMetrics(SM_CYSMCAPTION) / 2 + 2};
    EXPECT_TRUE(ShowsAt(floating, caption));
    EXPECT_EQ(CaptionColour(floating), ::GetSysColor(COLOR_ACTIVECAPTION)) << "as the screen shows it";

    // Another window had the activation; a click into the list brings the form forward.
    {
        win32::UniqueWindow other(::CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10,
                                                    600, 100, 100, nullptr, nullptr, nullptr, nullptr));
        ::SetForegroundWindow(other.Get());
        ::SetActiveWindow(other.Get());
        Settle();
    }
    Settle();
    const RECT list = ScreenRect(form->lvBody->Handle());
    userinput::Click({list.left + 20, list.bottom - 20});
    ASSERT_TRUE(WaitFor([&] { return ::GetActiveWindow() == form->Handle(); }));
    EXPECT_TRUE(ShowsAt(floating, caption));
    EXPECT_EQ(CaptionColour(floating), ::GetSysColor(COLOR_ACTIVECAPTION));

    // The note's box holds off the form and its tool windows alike.
    testsupport::ModalBoxWatcher watcher;
    bool formEnabled = true;
    bool floatingEnabled = true;
    watcher.OnBox = [&] {
        formEnabled = ::IsWindowEnabled(form->Handle()) != FALSE;
        floatingEnabled = ::IsWindowEnabled(floating) != FALSE;
    };
    form->aNote->Execute();
    ASSERT_EQ(watcher.Boxes().size(), 1u);
    EXPECT_FALSE(formEnabled);
    EXPECT_FALSE(floatingEnabled);
    EXPECT_TRUE(::IsWindowEnabled(floating));
}

// A window of another program: its own thread, answering the system's
// messages as any program does.
class OtherProgramWindow {
public:
    explicit OtherProgramWindow(RECT bounds)
    {
        win32::UniqueKernelHandle created(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
        thread_ = std::thread([this, bounds, event = created.Get()] {
            window_ = ::CreateWindowExA(0, "STATIC", "other program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, bounds.left,
                                        bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, nullptr,
                                        nullptr, nullptr, nullptr);
            threadId_ = ::GetCurrentThreadId();
            ::SetEvent(event);
            MSG msg;
            while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
                ::DispatchMessageA(&msg);
            ::DestroyWindow(window_);
        });
        ::WaitForSingleObject(created.Get(), INFINITE);
    }
    ~OtherProgramWindow()
    {
        ::PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    OtherProgramWindow(const OtherProgramWindow&) = delete;
    OtherProgramWindow& operator=(const OtherProgramWindow&) = delete;

    HWND Handle() const { return window_; }

private:
    std::thread thread_;
    HWND window_ = nullptr;
    DWORD threadId_ = 0;
};

TEST_F(DockingTest, FloatingToolbarOfAFormStartedBehindAnotherProgramStaysHiddenBehindIt)
{
    OtherProgramWindow other({100, 100, 700, 500});
    ::SetForegroundWindow(other.Handle());
    ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == other.Handle(); }));
    // The program starts while the other one is in front, and is shown
    // without being activated, as the system shows a program started behind.
    form.reset();
    form = std::make_unique<TfToolbars>(app);
    app.SetMainWindow(form->Handle());
    FloatAt(*form->tbMain, {300, 300});
    ::ShowWindow(form->Handle(), SW_SHOWNA);
    ::SetWindowPos(form->Handle(), other.Handle(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Settle();
    ASSERT_EQ(::GetForegroundWindow(), other.Handle());
    HWND floating = FloatingWindow(*form->tbMain);
    EXPECT_FALSE(::IsWindowVisible(floating));
    const POINT inside{310, 310};
    EXPECT_EQ(::GetAncestor(::WindowFromPoint(inside), GA_ROOT), other.Handle());
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
    EXPECT_EQ(form->lvBody->BoundsRect().top, form->dkTop->Height());
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
    EXPECT_TRUE(WaitFor([&] { return !form->tbMenu->InMenuMode(); }));
}

} // namespace
