// Runs vantora.exe as a user would and looks at its window from outside.
#include "core/TextFormat.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string exePath;

std::string WindowsPath(std::string path)
{
    if (!path.empty() && path[0] == '/') {
        for (char& c : path)
            c = c == '/' ? '\\' : c;
        path = "Z:" + path;
    }
    return path;
}

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (owner == search->processId && std::string(className) == "TfMain" && ::IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Reads a list view cell of another process through a buffer in that process.
std::string RemoteCell(HANDLE process, HWND list, int row, int column)
{
    const SIZE_T size = sizeof(LVITEMA) + 512;
    void* remote = ::VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    if (!remote)
        return {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = static_cast<char*>(remote) + sizeof(LVITEMA);
    item.cchTextMax = 512;
    ::WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
    ::SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(remote));
    char text[512] = {};
    ::ReadProcessMemory(process, item.pszText, text, sizeof text - 1, nullptr);
    ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return text;
}

class Vantora {
public:
    Vantora()
    {
        std::string command = "\"" + WindowsPath(exePath) + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &info_))
            ::CloseHandle(info_.hThread);
    }
    ~Vantora()
    {
        if (info_.hProcess) {
            ::TerminateProcess(info_.hProcess, 1);
            ::CloseHandle(info_.hProcess);
        }
    }

    HANDLE Process() const { return info_.hProcess; }
    DWORD Id() const { return info_.dwProcessId; }

    HWND WaitForWindow() const
    {
        Search search{info_.dwProcessId, nullptr};
        for (int i = 0; i < 200 && !search.found; ++i) {
            ::EnumWindows(&FindMainWindow, reinterpret_cast<LPARAM>(&search));
            if (!search.found)
                ::Sleep(50);
        }
        return search.found;
    }

private:
    PROCESS_INFORMATION info_{};
};

TEST(EndToEndTest, WindowListsItsOwnProcessAndClosesWithExitCodeZero)
{
    Vantora vantora;
    ASSERT_NE(vantora.Process(), nullptr) << exePath;
    HWND window = vantora.WaitForWindow();
    ASSERT_NE(window, nullptr);

    char caption[256] = {};
    ::GetWindowTextA(window, caption, sizeof caption);
    EXPECT_EQ(std::string(caption).rfind("Vantora, ", 0), 0u) << caption;

    HWND list = ::FindWindowExA(window, nullptr, WC_LISTVIEWA, nullptr);
    ASSERT_NE(list, nullptr);
    const int rows = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    bool listed = false;
    for (int row = 0; row < rows && !listed; ++row) {
        listed = RemoteCell(vantora.Process(), list, row, 0) == core::HexId(vantora.Id()) &&
                 RemoteCell(vantora.Process(), list, row, 1) == "vantora.exe";
    }
    EXPECT_TRUE(listed);

    ::PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(::WaitForSingleObject(vantora.Process(), 10000), WAIT_OBJECT_0);
    DWORD code = 1;
    ::GetExitCodeProcess(vantora.Process(), &code);
    EXPECT_EQ(code, 0u);
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (argc > 1)
        exePath = argv[1];
    return RUN_ALL_TESTS();
}
