// Runs vantora.exe as a user would and looks at its window from outside.
#include "VantoraProcess.h"
#include "core/TextFormat.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace e2e;

TEST(EndToEndTest, WindowListsItsOwnProcessAndClosesWithExitCodeZero)
{
    VantoraProcess vantora;
    ASSERT_NE(vantora.Process(), nullptr) << exePath;
    HWND window = vantora.WaitForWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowText(window).rfind("Vantora, ", 0), 0u) << WindowText(window);

    HWND list = ::FindWindowExA(window, nullptr, WC_LISTVIEWA, nullptr);
    ASSERT_NE(list, nullptr);
    const int rows = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    bool listed = false;
    for (int row = 0; row < rows && !listed; ++row)
        listed = vantora.Cell(list, row, 0) == core::HexId(vantora.Id()) && vantora.Cell(list, row, 1) == "vantora.exe";
    EXPECT_TRUE(listed);
    EXPECT_EQ(vantora.CloseAndWait(window), 0);
}

} // namespace
