// The toolbar layer and actions of the real main window, driven with real key
// presses and mouse moves; the actions only record that they ran.
#include "TestSupport.h"
#include "app/Main.h"
#include "UserInput.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using userinput::Centre;
using userinput::Chord;
using userinput::Tap;

class ToolbarTest : public ::testing::Test {
protected:
    ToolbarTest() : app(::GetModuleHandleA(nullptr))
    {
        app.SetTitle("Vantora");
        form = std::make_unique<TfMain>(app);
        form->SetSettingsKey("Software\\Morvane\\VantoraToolbarTests");
        app.SetMainWindow(form->Handle());
        for (win32::Action* action : form->alMain->Actions())
            action->OnExecute = [this](win32::Action& sender) { runs.push_back({sender.Name(), sender.Checked()}); };
    }

    // Every execute handler run, by action name, with the check state it saw.
    struct Run {
        std::string action;
        bool checked;
    };
    std::vector<Run> runs;

    void Show()
    {
        // The pointer starts well away from the window, over nothing of it.
        userinput::MouseTo({::GetSystemMetrics(SM_CXSCREEN) - 5, ::GetSystemMetrics(SM_CYSCREEN) - 5});
        userinput::Activate(app, form->Handle(), form->lvMaster->Handle());
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

    TBBUTTON Button(toolbars::TTBToolbar& bar, int index) const
    {
        TBBUTTON b{};
        ::SendMessageA(bar.ButtonBar(), TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&b));
        return b;
    }

    std::string ButtonText(toolbars::TTBToolbar& bar, int index) const
    {
        const TBBUTTON b = Button(bar, index);
        char text[128] = {};
        ::SendMessageA(bar.ButtonBar(), TB_GETBUTTONTEXTA, b.idCommand, reinterpret_cast<LPARAM>(text));
        return text;
    }

    bool Pressed(toolbars::TTBToolbar& bar, int index) const
    {
        return (Button(bar, index).fsState & TBSTATE_CHECKED) != 0;
    }

    win32::Application app;
    std::unique_ptr<TfMain> form;
};

TEST_F(ToolbarTest, AutoCheckInvertsBeforeTheHandlerRuns)
{
    EXPECT_TRUE(form->aAutoRefresh->Execute());
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_TRUE(runs[0].checked);
    EXPECT_TRUE(form->aAutoRefresh->Checked());

    form->aAutoRefresh->SetEnabled(false);
    EXPECT_FALSE(form->aAutoRefresh->Execute());
    EXPECT_TRUE(form->aAutoRefresh->Checked());
    EXPECT_EQ(runs.size(), 1u);
}

TEST_F(ToolbarTest, CheckedFromCodeMovesTheButtonAndRunsNothing)
{
    EXPECT_FALSE(Pressed(*form->tbMain, 1));
    form->aAutoRefresh->SetChecked(true);
    EXPECT_TRUE(Pressed(*form->tbMain, 1));
    form->aAutoRefresh->SetChecked(false);
    EXPECT_FALSE(Pressed(*form->tbMain, 1));
    EXPECT_TRUE(runs.empty());
}

TEST_F(ToolbarTest, ToolbarButtonsShowGlyphsMenuBarShowsCaptions)
{
    ASSERT_EQ(::SendMessageA(form->tbMain->ButtonBar(), TB_BUTTONCOUNT, 0, 0), 6);
    const int glyphs[] = {4, 5, -1, 3, -1, 2};
    for (int i = 0; i < 6; ++i) {
        const TBBUTTON b = Button(*form->tbMain, i);
        if (glyphs[i] < 0) {
            EXPECT_TRUE(b.fsStyle & BTNS_SEP) << i;
            continue;
        }
        EXPECT_EQ(b.iBitmap, glyphs[i]) << i;
        EXPECT_EQ(ButtonText(*form->tbMain, i), "") << i;
    }
    ASSERT_EQ(::SendMessageA(form->tbMenu->ButtonBar(), TB_BUTTONCOUNT, 0, 0), 3);
    EXPECT_EQ(ButtonText(*form->tbMenu, 0), "&File");
    EXPECT_EQ(ButtonText(*form->tbMenu, 1), "&View");
    EXPECT_EQ(ButtonText(*form->tbMenu, 2), "&Help");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Button(*form->tbMenu, i).iBitmap, I_IMAGENONE);
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
    EXPECT_EQ(form->lvMaster->BoundsRect().top, form->dkTop->Height());
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
    EXPECT_EQ(items[3].text, "Refresh\tF5");
    EXPECT_FALSE(items[3].checked);
    EXPECT_EQ(items[4].text, "&Auto refresh");
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
    EXPECT_EQ(watcher.Menus()[1].items.at(0).text, "About Vantora...\tCtrl+F1");
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
    EXPECT_NE(watcher.Menus()[2].Find("About"), nullptr);
    EXPECT_NE(watcher.Menus()[3].Find("E&xit"), nullptr);
    EXPECT_NE(watcher.Menus()[4].Find("About"), nullptr);
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
    Tap('A');
    Settle();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].action, "aAutoRefresh");
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

TEST_F(ToolbarTest, ShortcutsWorkFromTheFocusedList)
{
    Show();
    ASSERT_EQ(::GetFocus(), form->lvMaster->Handle());
    Tap(VK_F5);
    Chord({VK_CONTROL, VK_F1});
    Settle();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].action, "aRefresh");
    EXPECT_EQ(runs[1].action, "aAbout");
}

TEST_F(ToolbarTest, StatusBarShowsTheLongHintOfTheButtonUnderTheMouse)
{
    Show();
    userinput::MouseTo(ButtonCentre(*form->tbMain, *form->bAutoRefresh));
    Settle();
    EXPECT_EQ(userinput::StatusText(form->TheStatusBar->Handle()), "Automatically refresh lists");
    userinput::MouseTo(ButtonCentre(*form->tbMain, *form->bExit));
    Settle();
    EXPECT_EQ(userinput::StatusText(form->TheStatusBar->Handle()), "Exits the program");
    RECT list{};
    ::GetWindowRect(form->lvMaster->Handle(), &list);
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
    EXPECT_EQ(form->lvMaster->BoundsRect().top, 0);
    form->tbMenu->SetVisible(true);
    EXPECT_EQ(form->lvMaster->BoundsRect().top, form->tbMenu->Height());
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
