// Runs the program as a user would and looks at its window from outside.
#include "VantoraProcess.h"
#include "core/ui/TextFormat.h"
#include "shared/FileImageBase.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

namespace {

using namespace e2e;

// Written independently of the program's own formatting.
std::string HexText(uint64_t value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%08llX", static_cast<unsigned long long>(value));
    return text;
}

// Selects a row of another process's list view, as a click would.
void SelectRow(const VantoraProcess& vantora, HWND list, int row)
{
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    vantora.Query(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), &item, sizeof item);
}

// The text of the given column in the row whose path column ends with the
// file name, once that row is there, or "" after ten seconds.
std::string ModuleCell(const VantoraProcess& vantora, HWND list, const std::string& fileName, int column)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        const int rows = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; row < rows; ++row) {
            const std::string path = vantora.Cell(list, row, 4);
            if (path.size() > fileName.size() && path.substr(path.size() - fileName.size() - 1) == "\\" + fileName)
                return vantora.Cell(list, row, column);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return "";
}

TEST(EndToEndTest, WindowListsItsOwnProcessAndClosesWithExitCodeZero)
{
    VantoraProcess vantora;
    ASSERT_NE(vantora.Process(), nullptr) << exePath << ", error " << vantora.StartError();
    HWND window = vantora.WaitForWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowText(window).rfind("Vantora, ", 0), 0u) << WindowText(window);

    HWND list = ::FindWindowExA(window, nullptr, WC_LISTVIEWA, nullptr);
    ASSERT_NE(list, nullptr);
    const int rows = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    int own = -1;
    for (int row = 0; row < rows && own < 0; ++row) {
        if (vantora.Cell(list, row, 0) == core::HexId(vantora.Id()) && vantora.Cell(list, row, 1) == PROGRAM_FILE)
            own = row;
    }
    ASSERT_GE(own, 0);

    // Its own image where the loader put it. Its file asks for 0x400000 in
    // the 32-bit program, 0x140000000 (above 4 GiB) in the 64-bit one; the
    // loader may move it (address space layout randomisation), and then
    // "Image addr" shows what the file asked for.
    const VantoraProcess::Image image = vantora.Executable();
    ASSERT_NE(image.base, 0u);
    const uint64_t preferred = testsupport::FileImageBase(image.path);
    EXPECT_EQ(HexText(preferred), PROGRAM_BASE_TEXT) << image.path;
    SelectRow(vantora, list, own);
    HWND panel = nullptr;
    HWND detail = nullptr;
    while (!detail && (panel = ::FindWindowExA(window, panel, nullptr, nullptr)) != nullptr)
        detail = ::FindWindowExA(panel, nullptr, WC_LISTVIEWA, nullptr);
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(ModuleCell(vantora, detail, PROGRAM_FILE, 1), HexText(image.base));
    EXPECT_EQ(ModuleCell(vantora, detail, PROGRAM_FILE, 2), image.base == preferred ? "" : HexText(preferred));
    EXPECT_EQ(vantora.CloseAndWait(window), 0);
}

TEST(EndToEndTest, AltVOpensTheViewMenuRightAfterASplitterDrag)
{
    VantoraProcess vantora;
    HWND window = vantora.WaitForWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(BringToFront(window));
    HWND splitter = ::FindWindowExA(window, nullptr, "VantoraSplitter", nullptr);
    ASSERT_NE(splitter, nullptr);
    RECT bar{};
    ::GetWindowRect(splitter, &bar);
    const POINT grab{(bar.left + bar.right) / 2, (bar.top + bar.bottom) / 2};
    Drag(grab, {grab.x + 60, grab.y});
    ASSERT_TRUE(Keys({VK_MENU, 'V'}));
    ASSERT_TRUE(Eventually([&] { return vantora.OpenMenu() != nullptr; })) << InputState(window);
    // The View menu's own letter: the status bar goes.
    HWND statusBar = ::FindWindowExA(window, nullptr, STATUSCLASSNAMEA, nullptr);
    ASSERT_NE(statusBar, nullptr);
    ASSERT_TRUE(Keys({'S'}));
    EXPECT_TRUE(Eventually([&] { return !::IsWindowVisible(statusBar); }));
    EXPECT_EQ(vantora.CloseAndWait(window), 0);
}

} // namespace
