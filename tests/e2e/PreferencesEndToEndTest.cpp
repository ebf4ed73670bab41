// The window preferences across real runs of vantora.exe: what a first run
// leaves, what an exit writes, what the next start brings back, and what a
// damaged value does.
#include "VantoraProcess.h"
#include "shared/RegistryNames.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>


namespace {

using testsupport::RegistryEntries;
using testsupport::RegistryNames;

using namespace e2e;

const std::string kKey = "Software\\Morvane\\Vantora";
const std::string kSection = kKey + "\\Preferences";

class PreferencesEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteKey(kKey); }
    void TearDown() override { DeleteKey(kKey); }

    static HWND ProcessList(HWND window) { return ::FindWindowExA(window, nullptr, WC_LISTVIEWA, nullptr); }

    static RECT WindowRect(HWND window)
    {
        RECT r{};
        ::GetWindowRect(window, &r);
        return r;
    }

    // The main toolbar's buttons (six of them), or null.
    static HWND MainToolbarButtons(HWND window)
    {
        for (HWND dock : ChildrenOfClass(window, "VantoraDock")) {
            for (HWND bar : ChildrenOfClass(dock, "VantoraDockableWindow")) {
                HWND buttons = ::FindWindowExA(bar, nullptr, TOOLBARCLASSNAMEA, nullptr);
                if (buttons && ::SendMessageA(buttons, TB_BUTTONCOUNT, 0, 0) == 6)
                    return buttons;
            }
        }
        return nullptr;
    }

    // The main toolbar's Auto refresh button (the second of its buttons) as it is drawn.
    static bool AutoRefreshPressed(const VantoraProcess& vantora, HWND window)
    {
        HWND buttons = MainToolbarButtons(window);
        if (!buttons) {
            ADD_FAILURE() << "no main toolbar";
            return false;
        }
        TBBUTTON b{};
        vantora.Query(buttons, TB_GETBUTTON, 1, &b, sizeof b);
        return ::SendMessageA(buttons, TB_ISBUTTONCHECKED, b.idCommand, 0) != 0;
    }

    // Clicks the Auto refresh button as the mouse does.
    static void ClickAutoRefresh(const VantoraProcess& vantora, HWND window)
    {
        HWND buttons = MainToolbarButtons(window);
        ASSERT_NE(buttons, nullptr);
        RECT r{};
        ASSERT_TRUE(vantora.Query(buttons, TB_GETITEMRECT, 1, &r, sizeof r));
        POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ::ClientToScreen(buttons, &centre);
        Click(centre);
    }
};

TEST_F(PreferencesEndToEndTest, FirstRunCreatesTheKeyAndItsExitWritesSixTextValues)
{
    VantoraProcess vantora;
    HWND window = vantora.WaitForWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(KeyExists(kKey));
    EXPECT_FALSE(KeyExists(kSection));
    RECT client{};
    ::GetClientRect(window, &client);
    EXPECT_EQ(client.right, 542);
    EXPECT_EQ(client.bottom, 321);
    EXPECT_EQ(WindowRect(ProcessList(window)).right - WindowRect(ProcessList(window)).left, 200);

    EXPECT_EQ(vantora.CloseAndWait(window), 0);
    EXPECT_EQ(RegistryNames(kSection, RegistryEntries::Values),
              (std::vector<std::string>{"AutoRefresh", "Height", "Left", "MasterWidth", "Top", "Width"}));
}

TEST_F(PreferencesEndToEndTest, SizeSplitterAndAutoRefreshSurviveARestart)
{
    int width = 0, height = 0, listWidth = 0;
    {
        VantoraProcess vantora;
        HWND window = vantora.WaitForWindow();
        ASSERT_NE(window, nullptr);
        ::SetWindowPos(window, nullptr, 10, 10, 720, 480, SWP_NOZORDER);
        ASSERT_TRUE(Eventually([&] {
            const RECT outer = WindowRect(window);
            return outer.right - outer.left == 720 && outer.bottom - outer.top == 480;
        }));
        ASSERT_TRUE(BringToFront(window));
        HWND splitter = ::FindWindowExA(window, nullptr, "VantoraSplitter", nullptr);
        ASSERT_NE(splitter, nullptr);
        const RECT bar = WindowRect(splitter);
        const POINT grab{(bar.left + bar.right) / 2, (bar.top + bar.bottom) / 2};
        const RECT before = WindowRect(ProcessList(window));
        Drag(grab, {grab.x + 60, grab.y});
        // The click waits for the drag's end.
        ASSERT_TRUE(Eventually([&] {
            const RECT now = WindowRect(ProcessList(window));
            return now.right - now.left > before.right - before.left && MouseFree(window);
        }));
        // The menu's keyboard path has tests of its own; here the toolbar
        // button, as a user clicks it.
        ClickAutoRefresh(vantora, window);
        EXPECT_TRUE(Eventually([&] { return AutoRefreshPressed(vantora, window); }));
        const RECT outer = WindowRect(window);
        width = outer.right - outer.left;
        height = outer.bottom - outer.top;
        const RECT list = WindowRect(ProcessList(window));
        listWidth = list.right - list.left;
        EXPECT_GT(listWidth, 200);
        EXPECT_EQ(vantora.CloseAndWait(window), 0);
    }
    VantoraProcess again;
    HWND window = again.WaitForWindow();
    ASSERT_NE(window, nullptr);
    // 720x480 again, centred on the 1280x1024 test display.
    ASSERT_EQ(::GetSystemMetrics(SM_CXVIRTUALSCREEN), 1280);
    ASSERT_EQ(::GetSystemMetrics(SM_CYVIRTUALSCREEN), 1024);
    const RECT outer = WindowRect(window);
    EXPECT_EQ(width, 720);
    EXPECT_EQ(height, 480);
    EXPECT_EQ(outer.left, 280);
    EXPECT_EQ(outer.top, 272);
    EXPECT_EQ(outer.right - outer.left, 720);
    EXPECT_EQ(outer.bottom - outer.top, 480);
    const RECT list = WindowRect(ProcessList(window));
    EXPECT_EQ(list.right - list.left, listWidth);
    EXPECT_TRUE(AutoRefreshPressed(again, window));
    EXPECT_EQ(again.CloseAndWait(window), 0);
}

TEST_F(PreferencesEndToEndTest, DamagedWidthShowsTheErrorBoxAndTheWindowStillOpensEmpty)
{
    const DWORD width = 900;
    PutValue(kSection, "Width", REG_DWORD, &width, sizeof width);
    VantoraProcess vantora;
    HWND box = vantora.WaitForBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowText(box), "Vantora");
    EXPECT_EQ(BoxText(box), "Invalid data type for 'Width'");
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);

    HWND window = vantora.WaitForWindow();
    ASSERT_NE(window, nullptr);
    RECT client{};
    ::GetClientRect(window, &client);
    EXPECT_EQ(client.right, 542);
    EXPECT_EQ(WindowRect(ProcessList(window)).right - WindowRect(ProcessList(window)).left, 224);
    EXPECT_EQ(::SendMessageA(ProcessList(window), LVM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(vantora.CloseAndWait(window), 0);
}

TEST_F(PreferencesEndToEndTest, ErrorWhileSavingAtExitIsShownBeforeTheProgramEnds)
{
    // No persistent key can be made under a volatile one: the first toolbar's
    // section fails, after the window's own values.
    ASSERT_TRUE(PutVolatileKey(kKey + "\\Toolbars"));
    VantoraProcess vantora;
    HWND window = vantora.WaitForWindow();
    ASSERT_NE(window, nullptr);
    ::PostMessageA(window, WM_CLOSE, 0, 0);

    HWND box = vantora.WaitForBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowText(box), "Vantora");
    EXPECT_EQ(BoxText(box), "Failed to create key tbMenu.");
    // The box waits for the user.
    EXPECT_TRUE(vantora.Running());
    EXPECT_TRUE(::IsWindow(box));
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(vantora.WaitForExit(), 0);

    EXPECT_EQ(RegistryNames(kSection, RegistryEntries::Values),
              (std::vector<std::string>{"AutoRefresh", "Height", "Left", "MasterWidth", "Top", "Width"}));
    EXPECT_TRUE(RegistryNames(kKey + "\\Toolbars", RegistryEntries::Subkeys).empty());
}

} // namespace
