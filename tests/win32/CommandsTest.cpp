// The main window's commands as a user reaches them: the menu bar, the main
// toolbar, the shortcut keys, hints, tooltips, the View toggles, the refresh
// timer, About and Exit.
#include "MainWindowFixture.h"
#include "UserInput.h"
#include "resource.h"
#include "version.h"
#include "win32/ResourceText.h"

#include <commctrl.h>

#include <algorithm>

namespace {

using userinput::Centre;
using userinput::Chord;
using userinput::Tap;

class CommandsTest : public MainWindowTest {
protected:
    void Show(HWND focus = nullptr)
    {
        userinput::MouseTo({::GetSystemMetrics(SM_CXSCREEN) - 5, ::GetSystemMetrics(SM_CYSCREEN) - 5});
        form->Show();
        userinput::Activate(app, form->Handle(), focus ? focus : form->lvMaster->Handle());
    }
    void Settle() { userinput::Settle(app); }

    POINT ButtonCentre(toolbars::TTBToolbar& bar, toolbars::TTBCustomItem& item) const
    {
        RECT r{};
        EXPECT_TRUE(bar.ItemScreenRect(item, r)) << item.Name();
        return Centre(r);
    }

    void ClickCloseButton()
    {
        const core::Rect box = form->tbMain->Frame().closeButton;
        POINT p{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
        ::ClientToScreen(form->tbMain->Handle(), &p);
        userinput::Click(p);
        Settle();
    }

    // The native button's own command id, as the bar knows it.
    int ButtonId(toolbars::TTBItem& item) const
    {
        const auto& items = form->tbMain->Items().Items();
        const auto index = std::find(items.begin(), items.end(), &item) - items.begin();
        TBBUTTON b{};
        ::SendMessageA(form->tbMain->ButtonBar(), TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&b));
        return b.idCommand;
    }

    bool ButtonChecked(toolbars::TTBItem& item) const
    {
        return ::SendMessageA(form->tbMain->ButtonBar(), TB_ISBUTTONCHECKED, ButtonId(item), 0) != 0;
    }

    // The View menu as it shows when opened from the keyboard, then closed.
    userinput::SeenMenu ViewMenu()
    {
        userinput::MenuWatcher watcher;
        Chord({VK_MENU, 'V'});
        Tap(VK_ESCAPE);
        Tap(VK_ESCAPE);
        Settle();
        EXPECT_EQ(watcher.Menus().size(), 1u);
        return watcher.Menus().empty() ? userinput::SeenMenu{} : watcher.Menus()[0];
    }

    std::string Tooltip(toolbars::TTBItem& item) const
    {
        HWND bar = form->tbMain->ButtonBar();
        HWND tips = reinterpret_cast<HWND>(::SendMessageA(bar, TB_GETTOOLTIPS, 0, 0));
        char text[256] = {};
        TOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = bar;
        tool.uId = static_cast<UINT_PTR>(ButtonId(item));
        tool.lpszText = text;
        ::SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
        return text;
    }
};

TEST_F(CommandsTest, MenuBarAndToolbarShareTheTopRow)
{
    const core::Rect menu = form->tbMenu->BoundsRect();
    const core::Rect main = form->tbMain->BoundsRect();
    EXPECT_EQ(menu.left, 0);
    EXPECT_EQ(main.left, menu.right);
    EXPECT_EQ(main.top, menu.top);
    EXPECT_EQ(form->dkTop->Height(), main.height());
    EXPECT_EQ(form->lvMaster->BoundsRect().top, form->dkTop->Height());
}

TEST_F(CommandsTest, ToolbarsUseTheSystemMenuFont)
{
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    for (toolbars::TTBToolbar* bar : {form->tbMenu, form->tbMain}) {
        auto font = reinterpret_cast<HFONT>(::SendMessageA(bar->ButtonBar(), WM_GETFONT, 0, 0));
        ASSERT_NE(font, nullptr) << bar->Name();
        LOGFONTA lf{};
        ::GetObjectA(font, sizeof lf, &lf);
        EXPECT_STREQ(lf.lfFaceName, metrics.lfMenuFont.lfFaceName) << bar->Name();
        EXPECT_EQ(lf.lfHeight, metrics.lfMenuFont.lfHeight) << bar->Name();
    }
}

TEST_F(CommandsTest, AutoRefreshFromTheMenuChecksTheButtonOnce)
{
    Show();
    Chord({VK_MENU, 'V'});
    Tap('A');
    Settle();
    EXPECT_TRUE(form->aAutoRefresh->Checked());
    EXPECT_TRUE(ButtonChecked(*form->bAutoRefresh));
    EXPECT_TRUE(form->TheTimer->Enabled());
    const userinput::SeenMenu view = ViewMenu();
    ASSERT_NE(view.Find("&Auto refresh"), nullptr);
    EXPECT_TRUE(view.Find("&Auto refresh")->checked);
}

// A drag whose button release never came (Wine loses it under load) holds
// the mouse no longer: the menu bar takes the keys that follow.
TEST_F(CommandsTest, MenuBarKeysWorkAfterASplitterDragWhoseReleaseWasLost)
{
    Show();
    HWND splitter = form->sMain->Handle();
    ::SendMessageA(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ASSERT_EQ(::GetCapture(), splitter);
    Chord({VK_MENU, 'V'});
    Tap('A');
    Settle();
    EXPECT_TRUE(form->aAutoRefresh->Checked());
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(CommandsTest, AutoRefreshButtonChecksTheMenuEntryOnce)
{
    Show();
    userinput::Click(ButtonCentre(*form->tbMain, *form->bAutoRefresh));
    Settle();
    EXPECT_TRUE(form->aAutoRefresh->Checked());
    EXPECT_TRUE(ButtonChecked(*form->bAutoRefresh));
    EXPECT_TRUE(form->TheTimer->Enabled());
    EXPECT_TRUE(ViewMenu().Find("&Auto refresh")->checked);

    userinput::Click(ButtonCentre(*form->tbMain, *form->bAutoRefresh));
    Settle();
    EXPECT_FALSE(form->aAutoRefresh->Checked());
    EXPECT_FALSE(ButtonChecked(*form->bAutoRefresh));
    EXPECT_FALSE(form->TheTimer->Enabled());
    EXPECT_FALSE(ViewMenu().Find("&Auto refresh")->checked);
}

TEST_F(CommandsTest, TurningAutoRefreshOnWaitsForTheTimer)
{
    Show();
    testsupport::ChildProcess child;
    userinput::Click(ButtonCentre(*form->tbMain, *form->bAutoRefresh));
    Settle();
    EXPECT_TRUE(form->TheTimer->Enabled());
    EXPECT_EQ(RowOf(child.Id()), -1);
}

TEST_F(CommandsTest, F5RefreshesWhicheverListHasTheFocus)
{
    for (HWND focus : {form->lvMaster->Handle(), form->lvDetail->Handle()}) {
        Show(focus);
        ASSERT_EQ(::GetFocus(), focus);
        testsupport::ChildProcess child;
        ASSERT_EQ(RowOf(child.Id()), -1);
        Tap(VK_F5);
        Settle();
        EXPECT_GE(RowOf(child.Id()), 0);
    }
}

TEST_F(CommandsTest, CtrlF1ShowsAboutWhicheverListHasTheFocus)
{
    for (HWND focus : {form->lvMaster->Handle(), form->lvDetail->Handle()}) {
        Show(focus);
        testsupport::ModalBoxWatcher boxes;
        Chord({VK_CONTROL, VK_F1});
        Settle();
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].caption, "About Vantora");
    }
}

TEST_F(CommandsTest, AboutBoxIsAnInformationBoxOwnedByTheWindow)
{
    Show();
    testsupport::ModalBoxWatcher boxes;
    userinput::Click(ButtonCentre(*form->tbMain, *form->bAbout));
    Settle();
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    const testsupport::SeenBox& box = boxes.Boxes()[0];
    EXPECT_EQ(box.caption, win32::LoadResourceText(app.Instance(), IDS_ABOUT_CAPTION));
    EXPECT_EQ(box.caption, "About Vantora");
    EXPECT_TRUE(box.informationIcon);
    EXPECT_FALSE(box.stopIcon);
    EXPECT_EQ(box.owner, form->Handle());
    EXPECT_EQ(box.text, win32::LoadResourceText(app.Instance(), IDS_ABOUT_TEXT));
    EXPECT_EQ(box.text.rfind(std::string("Vantora v") + VANTORA_VERSION_TEXT + "\r", 0), 0u) << box.text;
}

TEST_F(CommandsTest, StatusBarShowsTheLongHintOfTheHoveredButton)
{
    Show();
    userinput::MouseTo(ButtonCentre(*form->tbMain, *form->bRefresh));
    Settle();
    EXPECT_EQ(userinput::StatusText(form->TheStatusBar->Handle()), "Refresh the screen");
    userinput::MouseTo(ButtonCentre(*form->tbMain, *form->bAbout));
    Settle();
    EXPECT_EQ(userinput::StatusText(form->TheStatusBar->Handle()), "Version info and copyrights");

    // The list, the separator and the bar's empty end carry no hint.
    RECT list{};
    ::GetWindowRect(form->lvMaster->Handle(), &list);
    userinput::MouseTo(Centre(list));
    Settle();
    EXPECT_EQ(userinput::StatusText(form->TheStatusBar->Handle()), "");
    RECT separator{};
    ASSERT_TRUE(form->tbMain->ItemScreenRect(*form->tbSep1, separator));
    userinput::MouseTo(ButtonCentre(*form->tbMain, *form->bExit));
    Settle();
    EXPECT_EQ(userinput::StatusText(form->TheStatusBar->Handle()), "Exits the program");
    userinput::MouseTo(Centre(separator));
    Settle();
    EXPECT_EQ(userinput::StatusText(form->TheStatusBar->Handle()), "");
}

TEST_F(CommandsTest, StatusBarShowsTheLongHintOfTheSelectedMenuEntry)
{
    Show();
    userinput::MenuWatcher watcher(form->TheStatusBar->Handle());
    Chord({VK_MENU, 'V'});
    Tap(VK_DOWN);
    Tap(VK_DOWN);
    Tap(VK_DOWN);
    Tap(VK_ESCAPE);
    Tap(VK_ESCAPE);
    Settle();
    const auto& texts = watcher.Statuses();
    auto seen = [&](const std::string& text) { return std::find(texts.begin(), texts.end(), text) != texts.end(); };
    EXPECT_TRUE(seen("Toggle Toolbar"));
    EXPECT_TRUE(seen("Toggle Status Bar"));
    EXPECT_TRUE(seen("Refresh the screen"));
    EXPECT_TRUE(seen("Automatically refresh lists"));
    EXPECT_EQ(userinput::StatusText(form->TheStatusBar->Handle()), "");
    EXPECT_FALSE(form->tbMenu->InMenuMode());
}

TEST_F(CommandsTest, TooltipsGiveTheShortHintAndTheShortcut)
{
    EXPECT_EQ(Tooltip(*form->bRefresh), "Refresh (F5)");
    EXPECT_EQ(Tooltip(*form->bAutoRefresh), "Auto refresh");
    EXPECT_EQ(Tooltip(*form->bAbout), "About Vantora... (Ctrl+F1)");
    EXPECT_EQ(Tooltip(*form->bExit), "Exit");
    HWND tips = reinterpret_cast<HWND>(::SendMessageA(form->tbMain->ButtonBar(), TB_GETTOOLTIPS, 0, 0));
    EXPECT_EQ(::SendMessageA(tips, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 500);
    EXPECT_EQ(::SendMessageA(tips, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 2500);
}

TEST_F(CommandsTest, HidingTheStatusBarClearsItsCheckMarkAndGivesTheListsItsSpace)
{
    Show();
    const int listBottom = form->lvMaster->BoundsRect().bottom;
    Chord({VK_MENU, 'V'});
    Tap('S');
    Settle();
    EXPECT_FALSE(::IsWindowVisible(form->TheStatusBar->Handle()));
    EXPECT_EQ(form->lvMaster->BoundsRect().bottom, listBottom + 19);
    userinput::SeenMenu view = ViewMenu();
    EXPECT_FALSE(view.Find("&Status Bar")->checked);
    EXPECT_TRUE(view.Find("&Toolbar")->checked);

    Chord({VK_MENU, 'V'});
    Tap('S');
    Settle();
    EXPECT_TRUE(::IsWindowVisible(form->TheStatusBar->Handle()));
    EXPECT_EQ(form->lvMaster->BoundsRect().bottom, listBottom);
    EXPECT_TRUE(ViewMenu().Find("&Status Bar")->checked);
}

TEST_F(CommandsTest, ClosedToolbarIsUncheckedAndComesBackWhereItWas)
{
    Show();
    const core::Rect before = form->tbMain->BoundsRect();
    ClickCloseButton();
    EXPECT_FALSE(::IsWindowVisible(form->tbMain->Handle()));
    userinput::SeenMenu view = ViewMenu();
    EXPECT_FALSE(view.Find("&Toolbar")->checked);
    EXPECT_TRUE(view.Find("&Status Bar")->checked);

    Chord({VK_MENU, 'V'});
    Tap('T');
    Settle();
    EXPECT_TRUE(::IsWindowVisible(form->tbMain->Handle()));
    EXPECT_EQ(form->tbMain->BoundsRect(), before);
    EXPECT_TRUE(ViewMenu().Find("&Toolbar")->checked);
}

TEST_F(CommandsTest, ManualRefreshRestartsTheTimerOnlyWithAutoRefreshOn)
{
    Show();
    form->aAutoRefresh->SetChecked(true);
    EXPECT_FALSE(form->TheTimer->Enabled());
    Tap(VK_F5);
    Settle();
    EXPECT_TRUE(form->TheTimer->Enabled());

    form->aAutoRefresh->SetChecked(false);
    EXPECT_TRUE(form->TheTimer->Enabled());
    Tap(VK_F5);
    Settle();
    EXPECT_FALSE(form->TheTimer->Enabled());
}

TEST_F(CommandsTest, ExitFromTheMenuClosesTheWindow)
{
    Show();
    Chord({VK_MENU, 'F'});
    Tap('X');
    Settle();
    EXPECT_FALSE(::IsWindow(form->Handle()));
    EXPECT_TRUE(userinput::TakeQuit());
}

TEST_F(CommandsTest, ExitFromTheToolbarClosesTheWindow)
{
    Show();
    userinput::Click(ButtonCentre(*form->tbMain, *form->bExit));
    Settle();
    EXPECT_FALSE(::IsWindow(form->Handle()));
    EXPECT_TRUE(userinput::TakeQuit());
}

} // namespace
