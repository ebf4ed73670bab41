// vantora.exe on a display of more than 96 dpi, as a user there sees it. Runs
// only where VANTORA_E2E_DPI names the display's resolution (its own Wine
// prefix, see high-dpi.sh); elsewhere it is skipped.
#include "VantoraProcess.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace e2e;

const std::string kKey = "Software\\Morvane\\Vantora";

int ScreenDpi()
{
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

RECT ScreenRect(HWND window)
{
    RECT r{};
    ::GetWindowRect(window, &r);
    return r;
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool Overlap(const RECT& a, const RECT& b)
{
    RECT common{};
    return ::IntersectRect(&common, &a, &b) != 0;
}

int Width(HWND window)
{
    const RECT r = ScreenRect(window);
    return r.right - r.left;
}

int ColumnWidth(HWND list, int column)
{
    return static_cast<int>(::SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0));
}

int ClientWidth(HWND window)
{
    RECT r{};
    ::GetClientRect(window, &r);
    return r.right;
}

class HighDpiEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* expected = std::getenv("VANTORA_E2E_DPI");
        if (!expected)
            GTEST_SKIP() << "needs a display of its own resolution (high-dpi.sh)";
        ASSERT_EQ(ScreenDpi(), std::atoi(expected)) << "the display is not at the resolution asked for";
        ASSERT_EQ(ScreenDpi(), 144) << "the figures below are those at 144 dpi";
        DeleteKey(kKey);
    }
    void TearDown() override { DeleteKey(kKey); }
};

// At 144 dpi the window font's "0" is 21 pixels high, not 13: every designed
// size is multiplied by 21/13 and rounded.

TEST_F(HighDpiEndToEndTest, WindowListsAndColumnsScaleByOneFactor)
{
    VantoraProcess vantora;
    HWND window = vantora.WaitForWindow();
    ASSERT_NE(window, nullptr);

    RECT client{};
    ::GetClientRect(window, &client);
    EXPECT_EQ(client.right, 876);   // 542
    EXPECT_EQ(client.bottom, 519);  // 321

    HWND master = ::FindWindowExA(window, nullptr, WC_LISTVIEWA, nullptr);
    ASSERT_NE(master, nullptr);
    EXPECT_EQ(Width(master), 323);  // the default width, 200
    EXPECT_EQ(ColumnWidth(master, 0), 121);  // 75

    const std::vector<HWND> panels = ChildrenOfClass(window, "VantoraPanel");
    ASSERT_EQ(panels.size(), 1u);
    HWND detail = ::FindWindowExA(panels[0], nullptr, WC_LISTVIEWA, nullptr);
    ASSERT_NE(detail, nullptr);
    // 75, 70 (90 in the 64-bit program), 70 (90), 60
    const int scaled[] = {121, ADDRESS_COLUMN_WIDTH_AT_144_DPI, ADDRESS_COLUMN_WIDTH_AT_144_DPI, 97};
    int fixed = 0;
    for (int column = 0; column < 4; ++column) {
        EXPECT_EQ(ColumnWidth(detail, column), scaled[column]) << column;
        fixed += ColumnWidth(detail, column);
    }
    // Each list's last column takes what the others leave once the list is
    // filled: the processes at start, the modules once a process is chosen.
    EXPECT_EQ(ColumnWidth(master, 0) + ColumnWidth(master, 1), ClientWidth(master));
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    ASSERT_TRUE(vantora.Query(master, LVM_GETITEMRECT, 0, &row, sizeof row));
    POINT first{row.left + 20, (row.top + row.bottom) / 2};
    ::ClientToScreen(master, &first);
    BringToFront(window);
    Click(first);
    const auto filled = [&] { return fixed + ColumnWidth(detail, 4) == ClientWidth(detail); };
    for (const DWORD start = ::GetTickCount(); !filled() && ::GetTickCount() - start < 10000;)
        ::Sleep(20);
    EXPECT_EQ(fixed + ColumnWidth(detail, 4), ClientWidth(detail));
    EXPECT_EQ(vantora.CloseAndWait(window), 0);
}

TEST_F(HighDpiEndToEndTest, ToolbarsShareTheirRowWithNothingOverlappedOrCutOff)
{
    VantoraProcess vantora;
    HWND window = vantora.WaitForWindow();
    ASSERT_NE(window, nullptr);
    const RECT client = ClientRectOnScreen(window);

    std::vector<HWND> bars;
    HWND topDock = nullptr;
    for (HWND dock : ChildrenOfClass(window, "VantoraDock")) {
        for (HWND bar : ChildrenOfClass(dock, "VantoraDockableWindow")) {
            bars.push_back(bar);
            topDock = dock;
        }
    }
    ASSERT_EQ(bars.size(), 2u) << "the menu bar and the main toolbar";
    const RECT first = ScreenRect(bars[0]);
    const RECT second = ScreenRect(bars[1]);
    EXPECT_FALSE(Overlap(first, second));
    EXPECT_EQ(first.top, second.top);
    EXPECT_EQ(first.bottom - first.top, second.bottom - second.top) << "one row, one height";
    EXPECT_EQ(ScreenRect(topDock).bottom, first.bottom);

    std::vector<int> counts;
    for (HWND bar : bars) {
        const RECT outer = ScreenRect(bar);
        EXPECT_TRUE(Inside(outer, client));
        HWND buttons = ::FindWindowExA(bar, nullptr, TOOLBARCLASSNAMEA, nullptr);
        ASSERT_NE(buttons, nullptr);
        EXPECT_TRUE(Inside(ScreenRect(buttons), outer));
        EXPECT_EQ(ScreenRect(buttons).left - outer.left, 2 + 15) << "the drag handle scales too (9)";
        RECT area{};
        ::GetClientRect(buttons, &area);
        const int count = static_cast<int>(::SendMessageA(buttons, TB_BUTTONCOUNT, 0, 0));
        counts.push_back(count);
        for (int i = 0; i < count; ++i) {
            RECT item{};
            if (vantora.Query(buttons, TB_GETITEMRECT, i, &item, sizeof item)) {
                EXPECT_TRUE(Inside(item, area)) << "button " << i << " cut off";
            }
        }
    }

    // File, View and Help; the six of the main toolbar.
    std::sort(counts.begin(), counts.end());
    EXPECT_EQ(counts, (std::vector<int>{3, 6}));

    HWND master = ::FindWindowExA(window, nullptr, WC_LISTVIEWA, nullptr);
    ASSERT_NE(master, nullptr);
    EXPECT_GE(ScreenRect(master).top, first.bottom) << "the list starts below the toolbars";
    EXPECT_EQ(vantora.CloseAndWait(window), 0);
}

TEST_F(HighDpiEndToEndTest, SplitterStopsAtItsScaledMinimum)
{
    VantoraProcess vantora;
    HWND window = vantora.WaitForWindow();
    ASSERT_NE(window, nullptr);
    HWND master = ::FindWindowExA(window, nullptr, WC_LISTVIEWA, nullptr);
    const std::vector<HWND> splitters = ChildrenOfClass(window, "VantoraSplitter");
    ASSERT_NE(master, nullptr);
    ASSERT_EQ(splitters.size(), 1u);

    BringToFront(window);
    const RECT bar = ScreenRect(splitters[0]);
    const POINT grab{(bar.left + bar.right) / 2, (bar.top + bar.bottom) / 2};
    const int before = Width(master);
    Drag(grab, {ScreenRect(window).left + 2, grab.y});
    // The input reaches the program in its own time: judge once it is done.
    ASSERT_TRUE(Eventually([&] { return Width(master) != before && MouseFree(window); }));
    EXPECT_EQ(Width(master), 48);  // the minimum, 30
    EXPECT_EQ(vantora.CloseAndWait(window), 0);
}

} // namespace
