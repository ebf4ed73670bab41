// The toolbars of the tests' toolbar form in windows too small for them: behind
// a chevron, wrapped into further lines, or wrapped at a floating width.
#include "DockingFixture.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

using docking::DockingTest;
using docking::Inside;
using docking::ScreenRect;
using toolbars::TTBToolbar;
using userinput::Centre;

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

TEST_F(DockingTest, ShortWindowHidesTheUprightButtonsThatDoNotFitBehindAChevron)
{
    Show();
    TTBToolbar& bar = *form->tbMain;
    bar.DockInto(*form->dkLeft);
    Settle();
    ASSERT_FALSE(bar.ShowsChevron());
    const int fullLength = bar.Height();
    // A button short of the whole column.
    SetClientSize(400, form->ClientHeight() - form->dkLeft->Height() + fullLength - ButtonHeight(bar) + 1);
    ASSERT_TRUE(bar.ShowsChevron());
    EXPECT_LE(bar.BoundsRect().bottom, form->dkLeft->Height()) << "the bar is cut off by its dock";
    const RECT chevron = ScreenRect(bar.ChevronBar());
    EXPECT_TRUE(Inside(chevron, ScreenRect(bar.Handle())));
    const std::vector<RECT> shown = ShownButtons(bar);
    ASSERT_FALSE(shown.empty());
    EXPECT_LT(shown.size(), 4u);
    for (const RECT& r : shown)
        EXPECT_LE(r.bottom, chevron.top);
    ExpectButtonsInside(bar);

    // The chevron drops down the buttons that are not shown, and only those.
    const std::vector<toolbars::TTBCustomItem*> hidden = bar.HiddenItems();
    ASSERT_FALSE(hidden.empty());
    EXPECT_EQ(hidden.back(), form->bExit);
    EXPECT_FALSE(hidden.front()->IsSeparator());
    std::size_t hiddenButtons = 0;
    for (const toolbars::TTBCustomItem* item : hidden)
        hiddenButtons += item->IsSeparator() ? 0 : 1;
    EXPECT_EQ(shown.size() + hiddenButtons, 4u);
    userinput::MenuWatcher watcher;
    userinput::Click(Centre(chevron));
    userinput::Tap(VK_ESCAPE);
    Settle();
    ASSERT_EQ(watcher.Menus().size(), 1u);
    EXPECT_EQ(watcher.Menus()[0].items.size(), hidden.size());
    testsupport::SaveScreenshot("docking-upright-chevron");

    SetClientSize(400, form->ClientHeight() - form->dkLeft->Height() + fullLength + 40);
    EXPECT_FALSE(bar.ShowsChevron());
    EXPECT_EQ(ShownButtons(bar).size(), 4u);
}

TEST_F(DockingTest, ShortWindowWrapsTheUprightMenuBarOntoAFurtherColumn)
{
    Show();
    TTBToolbar& menu = *form->tbMenu;
    menu.DockInto(*form->dkLeft);
    form->tbMain->SetVisible(false);  // the column is all but the status bar
    Settle();
    const int oneColumn = form->dkLeft->Width();
    SetClientSize(400, 80);
    ASSERT_EQ(form->dkLeft->Height(), 80 - 19);
    EXPECT_LE(menu.BoundsRect().bottom, form->dkLeft->Height()) << "the bar is cut off by its dock";
    const std::vector<RECT> buttons = ShownButtons(menu);
    ASSERT_EQ(buttons.size(), 3u);
    ExpectButtonsInside(menu);
    // File and View side by side, Help below File.
    EXPECT_EQ(buttons[1].top, buttons[0].top);
    EXPECT_EQ(buttons[1].left, buttons[0].right);
    EXPECT_EQ(buttons[2].top, buttons[0].bottom);
    EXPECT_EQ(buttons[2].left, buttons[0].left);
    EXPECT_GT(form->dkLeft->Width(), oneColumn);
    EXPECT_EQ(form->lvBody->BoundsRect().left, form->dkLeft->Width());
    testsupport::SaveScreenshot("docking-upright-menu-wrapped");

    SetClientSize(400, 300);
    EXPECT_EQ(form->dkLeft->Width(), oneColumn);
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
    // Too narrow for the three entries in a line beside the main toolbar's chevron.
    SetClientSize(160, 300);
    TTBToolbar& menu = *form->tbMenu;
    TTBToolbar& main = *form->tbMain;
    // The menu bar takes two lines (19 each, in a frame of 4); the main
    // toolbar squeezed to its handle and chevron beside it, all in the dock.
    EXPECT_EQ(menu.BoundsRect(), (core::Rect{0, 0, 124, 42}));
    EXPECT_EQ(main.BoundsRect(), (core::Rect{124, 0, 160, 42}));
    EXPECT_EQ(form->dkTop->Height(), 42);
    EXPECT_EQ(form->lvBody->BoundsRect().top, 42);
    ExpectButtonsInside(menu);
    EXPECT_EQ(ShownButtons(menu).size(), 3u);
    ASSERT_TRUE(main.ShowsChevron());
    EXPECT_TRUE(ShownButtons(main).empty());
    EXPECT_TRUE(Inside(ScreenRect(main.ChevronBar()), ScreenRect(main.Handle())));
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
    const int oneLineWidth = client.right;
    bar.SetFloatingWidth(oneLineWidth / 2);
    Settle();
    ::GetClientRect(floating, &client);
    EXPECT_LT(client.right, oneLineWidth);
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
