// The toolbar layer and actions on the tests' toolbar form, driven with real
// key presses and mouse moves; the actions only record that they ran.
#include "CommandProbes.h"
#include "MemoryFaults.h"
#include "TestSupport.h"
#include "ToolbarFormFixture.h"
#include "UserInput.h"

#include "win32/UniqueHandle.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using testsupport::Button;
using testsupport::ExpectCaptionButtons;
using testsupport::ExpectGlyphButtons;
using userinput::Centre;
using userinput::Chord;
using userinput::Tap;

class ToolbarTest : public ToolbarFormTest {
protected:
    ToolbarTest() { testsupport::RecordRuns(*form->alMain, runs); }

    std::vector<testsupport::ActionRun> runs;

    void Show()
    {
        // The pointer starts well away from the window, over nothing of it.
        userinput::MouseTo({::GetSystemMetrics(SM_CXSCREEN) - 5, ::GetSystemMetrics(SM_CYSCREEN) - 5});
        userinput::Activate(app, form->Handle(), form->lvBody->Handle());
    }
    void Settle() { userinput::Settle(app); }

    POINT ButtonCentre(toolbars::TTBToolbar& bar, toolbars::TTBCustomItem& item) const
    {
        RECT r{};
        EXPECT_TRUE(bar.ItemScreenRect(item, r));
        return Centre(r);
    }

    POINT ScreenPoint(HWND window, int x, int y) const
    {
        POINT p{x, y};
        ::ClientToScreen(window, &p);
        return p;
    }

    bool Pressed(toolbars::TTBToolbar& bar, int index) const
    {
        return (Button(bar, index).fsState & TBSTATE_CHECKED) != 0;
    }
};

TEST_F(ToolbarTest, AutoCheckInvertsBeforeTheHandlerRuns)
{
    EXPECT_TRUE(form->aRepeat->Execute());
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_TRUE(runs[0].checked);
    EXPECT_TRUE(form->aRepeat->Checked());

    form->aRepeat->SetEnabled(false);
    EXPECT_FALSE(form->aRepeat->Execute());
    EXPECT_TRUE(form->aRepeat->Checked());
    EXPECT_EQ(runs.size(), 1u);
}

TEST_F(ToolbarTest, CheckedFromCodeMovesTheButtonAndRunsNothing)
{
    EXPECT_FALSE(Pressed(*form->tbMain, 1));
    form->aRepeat->SetChecked(true);
    EXPECT_TRUE(Pressed(*form->tbMain, 1));
    form->aRepeat->SetChecked(false);
    EXPECT_FALSE(Pressed(*form->tbMain, 1));
    EXPECT_TRUE(runs.empty());
}

TEST_F(ToolbarTest, ToolbarButtonsShowGlyphsMenuBarShowsCaptions)
{
    // Six buttons: four glyphs, two separators.
    ExpectGlyphButtons(*form->tbMain, {0, 1, -1, 2, -1, 3});
    ExpectCaptionButtons(*form->tbMenu, {"&File", "&View", "&Help"});
}

TEST_F(ToolbarTest, BarsSitSideBySideInTheirDockAtTheHeightOfTheRow)
{
    const core::Rect menu = form->tbMenu->BoundsRect();
    const core::Rect main = form->tbMain->BoundsRect();
    EXPECT_EQ(menu.left, 0);
    EXPECT_EQ(main.left, menu.right);
    EXPECT_EQ(menu.top, 0);
    EXPECT_EQ(main.top, 0);
    EXPECT_EQ(form->dkTop->Height(), std::max(menu.height(), main.height()));
    EXPECT_EQ(form->lvBody->BoundsRect().top, form->dkTop->Height());
}

TEST_F(ToolbarTest, DropDownShowsCaptionShortcutAndCheckMarks)
{
    Show();
    userinput::MenuWatcher watcher;
    userinput::Click(ButtonCentre(*form->tbMenu, *form->smView));
    Tap(VK_ESCAPE);
    Settle();
    ASSERT_EQ(watcher.Menus().size(), 1u);
    const auto& items = watcher.Menus()[0].items;
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0].text, "&Toolbar");
    EXPECT_TRUE(items[0].checked);
    EXPECT_EQ(items[1].text, "&Status Bar");
    EXPECT_TRUE(items[1].checked);
    EXPECT_TRUE(items[2].separator);
    EXPECT_EQ(items[3].text, "&Go\tF5");
    EXPECT_FALSE(items[3].checked);
    EXPECT_EQ(items[4].text, "&Repeat");
    EXPECT_TRUE(runs.empty());
}

TEST_F(ToolbarTest, MovingTheMouseAcrossTheMenuBarSwitchesMenus)
{
    Show();
    userinput::MenuWatcher watcher;
    userinput::Click(ButtonCentre(*form->tbMenu, *form->smFile));
    userinput::MouseTo(ButtonCentre(*form->tbMenu, *form->smHelp));
    Tap(VK_ESCAPE);
    Tap(VK_ESCAPE);
    Settle();
    ASSERT_EQ(watcher.Menus().size(), 2u);
    EXPECT_EQ(watcher.Menus()[0].items.at(0).text, "E&xit");
    EXPECT_EQ(watcher.Menus()[1].items.at(0).text, "&Note...\tCtrl+F1");
    EXPECT_FALSE(form->tbMenu->InMenuMode());
}

TEST_F(ToolbarTest, ArrowKeysMoveBetweenOpenMenus)
{
    Show();
    userinput::MenuWatcher watcher;
    Chord({VK_MENU, 'F'});
    Tap(VK_RIGHT);
    Tap(VK_RIGHT);
    Tap(VK_RIGHT);
    Tap(VK_LEFT);
    Tap(VK_ESCAPE);
    Settle();
    // File, View, Help, round to File, back to Help.
    ASSERT_EQ(watcher.Menus().size(), 5u);
    EXPECT_NE(watcher.Menus()[1].Find("&Status Bar"), nullptr);
    EXPECT_NE(watcher.Menus()[2].Find("&Note"), nullptr);
    EXPECT_NE(watcher.Menus()[3].Find("E&xit"), nullptr);
    EXPECT_NE(watcher.Menus()[4].Find("&Note"), nullptr);
    // Esc on an open menu leaves the menu bar selected for the keyboard.
    EXPECT_TRUE(form->tbMenu->InMenuMode());
    EXPECT_EQ(::SendMessageA(form->tbMenu->ButtonBar(), TB_GETHOTITEM, 0, 0), 2);
    Tap(VK_ESCAPE);
    Settle();
    EXPECT_FALSE(form->tbMenu->InMenuMode());
}

TEST_F(ToolbarTest, AltAloneAndF10SelectTheFirstEntry)
{
    Show();
    Tap(VK_MENU);
    Settle();
    EXPECT_TRUE(form->tbMenu->InMenuMode());
    EXPECT_EQ(::SendMessageA(form->tbMenu->ButtonBar(), TB_GETHOTITEM, 0, 0), 0);
    Tap(VK_MENU);
    Settle();
    EXPECT_FALSE(form->tbMenu->InMenuMode());

    Tap(VK_F10);
    Settle();
    EXPECT_TRUE(form->tbMenu->InMenuMode());
    // Right moves the selection; Down opens what is selected.
    userinput::MenuWatcher watcher;
    Tap(VK_RIGHT);
    Tap(VK_DOWN);
    Tap(VK_ESCAPE);
    Tap(VK_ESCAPE);
    Settle();
    ASSERT_EQ(watcher.Menus().size(), 1u);
    EXPECT_NE(watcher.Menus()[0].Find("&Toolbar"), nullptr);
    EXPECT_FALSE(form->tbMenu->InMenuMode());
}

TEST_F(ToolbarTest, AltWithAnUnknownLetterOpensNothing)
{
    Show();
    userinput::MenuWatcher watcher;
    Chord({VK_MENU, 'Q'});
    Settle();
    EXPECT_TRUE(watcher.Menus().empty());
    EXPECT_FALSE(form->tbMenu->InMenuMode());
    EXPECT_TRUE(::IsWindowVisible(form->Handle()));
}

TEST_F(ToolbarTest, AccessLettersChooseEntriesInsideMenus)
{
    Show();
    Chord({VK_MENU, 'V'});
    Tap('R');
    Settle();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].action, "aRepeat");
    EXPECT_TRUE(runs[0].checked);
    EXPECT_TRUE(Pressed(*form->tbMain, 1));
    EXPECT_FALSE(form->tbMenu->InMenuMode());
}

TEST_F(ToolbarTest, HiddenMenuBarTakesNoKeys)
{
    Show();
    form->tbMenu->SetVisible(false);
    userinput::MenuWatcher watcher;
    Chord({VK_MENU, 'V'});
    Tap(VK_F10);
    // F10 now goes to the system, which selects the window menu: leave it.
    Tap(VK_ESCAPE);
    Tap(VK_ESCAPE);
    Settle();
    EXPECT_TRUE(watcher.Menus().empty());
    EXPECT_FALSE(form->tbMenu->InMenuMode());
}

TEST_F(ToolbarTest, ShortcutsWaitWhileTheMenuBarHasTheKeyboard)
{
    Show();
    Tap(VK_F10);
    Settle();
    ASSERT_TRUE(form->tbMenu->InMenuMode());
    Tap(VK_F5);
    Settle();
    EXPECT_TRUE(runs.empty());
    EXPECT_TRUE(form->tbMenu->InMenuMode());
    Tap(VK_ESCAPE);
    Tap(VK_F5);
    Settle();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].action, "aGo");
}

TEST_F(ToolbarTest, StatusBarShowsTheLongHintOfTheButtonUnderTheMouse)
{
    Show();
    userinput::MouseTo(ButtonCentre(*form->tbMain, *form->bRepeat));
    Settle();
    EXPECT_EQ(userinput::StatusText(form->TheStatusBar->Handle()), "Repeats every step");
    userinput::MouseTo(ButtonCentre(*form->tbMain, *form->bExit));
    Settle();
    EXPECT_EQ(userinput::StatusText(form->TheStatusBar->Handle()), "Closes the form");
    RECT list{};
    ::GetWindowRect(form->lvBody->Handle(), &list);
    userinput::MouseTo(Centre(list));
    Settle();
    EXPECT_EQ(userinput::StatusText(form->TheStatusBar->Handle()), "");
}

TEST_F(ToolbarTest, ClosingTheToolbarGivesItsPlaceBackWhenShownAgain)
{
    Show();
    const core::Rect before = form->tbMain->BoundsRect();
    const core::ToolbarFrame frame = form->tbMain->Frame();
    ASSERT_GT(frame.closeButton.width(), 0);
    userinput::Click(ScreenPoint(form->tbMain->Handle(), (frame.closeButton.left + frame.closeButton.right) / 2,
                                 (frame.closeButton.top + frame.closeButton.bottom) / 2));
    Settle();
    EXPECT_FALSE(form->tbMain->Visible());
    EXPECT_FALSE(::IsWindowVisible(form->tbMain->Handle()));
    EXPECT_FALSE(form->iToggleToolbar->Checked());

    form->iToggleToolbar->Click();
    EXPECT_TRUE(::IsWindowVisible(form->tbMain->Handle()));
    EXPECT_EQ(form->tbMain->BoundsRect(), before);
}

TEST_F(ToolbarTest, HidingTheOnlyBarEmptiesTheDock)
{
    form->tbMain->SetVisible(false);
    form->tbMenu->SetVisible(false);
    EXPECT_EQ(form->dkTop->Height(), 0);
    EXPECT_EQ(form->lvBody->BoundsRect().top, 0);
    form->tbMenu->SetVisible(true);
    EXPECT_EQ(form->lvBody->BoundsRect().top, form->tbMenu->Height());
}

// A drop-down menu of this thread on the screen.
bool MenuShows()
{
    HWND menu = ::FindWindowA("#32768", nullptr);
    return menu && ::IsWindowVisible(menu) && ::GetWindowThreadProcessId(menu, nullptr) == ::GetCurrentThreadId();
}

// Destroys the form from inside its menu's own loop once a drop-down shows:
// a timer of a window of its own, which that loop dispatches.
class DestroyedInItsMenu {
public:
    explicit DestroyedInItsMenu(std::unique_ptr<TfToolbars>& form)
        : form_(form), window_(::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                                 ::GetModuleHandleA(nullptr), nullptr))
    {
        ::SetWindowSubclass(window_.Get(), &Tick, 1, reinterpret_cast<DWORD_PTR>(this));
        ::SetTimer(window_.Get(), 1, 10, nullptr);
    }
    ~DestroyedInItsMenu() { ::RemoveWindowSubclass(window_.Get(), &Tick, 1); }
    bool Destroyed() const { return destroyed_; }
    // The menu stayed after its bar went, and had to be ended here.
    bool MenuOutlivedItsBar() const { return outlived_; }

private:
    static LRESULT CALLBACK Tick(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
    {
        auto* self = reinterpret_cast<DestroyedInItsMenu*>(data);
        if (message == WM_TIMER && MenuShows()) {
            if (!self->destroyed_) {
                self->form_.reset();
                self->destroyed_ = true;
            } else {
                self->outlived_ = true;
                ::EndMenu();
            }
        }
        return ::DefSubclassProc(window, message, wParam, lParam);
    }

    std::unique_ptr<TfToolbars>& form_;
    win32::UniqueWindow window_;
    bool destroyed_ = false;
    bool outlived_ = false;
};

TEST_F(ToolbarTest, BarDestroyedWhileItsMenuIsOpenLeavesNothingThatTouchesIt)
{
    // Opens a menu, destroys the form while it is open, and presses Alt for
    // the menu bar that is gone: nothing of it may be touched meanwhile.
    const auto destroyWhileOpen = [&](const auto& open) {
        testsupport::AccessViolations violations;
        testsupport::FreedMemoryKept freed;
        DestroyedInItsMenu destroyer(form);
        open();
        Settle();
        ASSERT_TRUE(destroyer.Destroyed());
        EXPECT_FALSE(destroyer.MenuOutlivedItsBar());
        EXPECT_FALSE(MenuShows());
        Tap(VK_MENU);
        Settle();
        EXPECT_EQ(violations.Raised(), 0);
    };
    const auto renew = [&] {
        form = std::make_unique<TfToolbars>(app);
        app.SetMainWindow(form->Handle());
        Show();
    };
    Show();
    destroyWhileOpen([] { Chord({VK_MENU, 'F'}); });
    renew();
    destroyWhileOpen([&] { userinput::Click(ButtonCentre(*form->tbMenu, *form->smView)); });

    // A new bar opens its menus as ever, and runs what is chosen.
    renew();
    testsupport::RecordRuns(*form->alMain, runs);
    userinput::MenuWatcher watcher;
    Chord({VK_MENU, 'V'});
    Tap('R');
    Settle();
    EXPECT_EQ(watcher.Menus().size(), 1u);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].action, "aRepeat");
    EXPECT_FALSE(form->tbMenu->InMenuMode());
}

// Pixels of a window as it is on the screen.
std::vector<COLORREF> Pixels(HWND window)
{
    RECT r{};
    ::GetClientRect(window, &r);
    win32::WindowDC dc(window);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < r.bottom; ++y) {
        for (int x = 0; x < r.right; ++x)
            pixels.push_back(::GetPixel(dc.Get(), x, y));
    }
    return pixels;
}

class KeyboardCuesOff : public ToolbarTest {
protected:
    static void SetUpTestSuite()
    {
        ::SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &saved, 0);
        ::SystemParametersInfoA(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<void*>(FALSE), 0);
    }
    static void TearDownTestSuite()
    {
        ::SystemParametersInfoA(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<void*>(static_cast<INT_PTR>(saved)), 0);
    }
    static inline BOOL saved = TRUE;
};

TEST_F(KeyboardCuesOff, MenuBarUnderlinesAccessKeysOnlyAfterAlt)
{
    Show();
    HWND bar = form->tbMenu->ButtonBar();
    ::UpdateWindow(bar);
    const auto plain = Pixels(bar);
    userinput::SendKey(VK_MENU, false);
    Settle();
    ::UpdateWindow(bar);
    EXPECT_NE(Pixels(bar), plain);
    userinput::SendKey(VK_MENU, true);
    Settle();
    ASSERT_TRUE(form->tbMenu->InMenuMode());
    Tap(VK_ESCAPE);
    Settle();
    ::UpdateWindow(bar);
    EXPECT_EQ(Pixels(bar), plain);
}

} // namespace
