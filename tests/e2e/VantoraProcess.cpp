#include "VantoraProcess.h"

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>

namespace e2e {

std::string exePath;

namespace {

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
    const char* className;
    HWND found;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (owner == search->processId && std::string(className) == search->className && ::IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindTopLevel(DWORD processId, const char* className)
{
    Search search{processId, className, nullptr};
    ::EnumWindows(&FindTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Gives up early once the process has ended.
HWND WaitForTopLevel(HANDLE process, DWORD processId, const char* className)
{
    Search search{processId, className, nullptr};
    for (int i = 0; i < 200 && !search.found; ++i) {
        ::EnumWindows(&FindTopLevel, reinterpret_cast<LPARAM>(&search));
        if (!search.found && ::WaitForSingleObject(process, 50) != WAIT_TIMEOUT)
            break;
    }
    return search.found;
}

// Every event says where it happens. Wine's X11 driver moves the X pointer
// for each sent move, and X answers the window under it with pointer events
// that its process sends on as moves of its own, late when it was busy; a
// button event without a position would happen wherever such a stale move
// left the pointer.
void SendMouse(DWORD buttons, POINT at)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = ::MulDiv(at.x, 65536, ::GetSystemMetrics(SM_CXSCREEN)) + 1;
    input.mi.dy = ::MulDiv(at.y, 65536, ::GetSystemMetrics(SM_CYSCREEN)) + 1;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
    ::SendInput(1, &input, sizeof input);
    ::Sleep(30);
}

} // namespace

VantoraProcess::VantoraProcess()
{
    std::string command = "\"" + WindowsPath(exePath) + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_))
        ::CloseHandle(info_.hThread);
    else
        startError_ = ::GetLastError();
}

VantoraProcess::~VantoraProcess()
{
    if (info_.hProcess) {
        ::TerminateProcess(info_.hProcess, 1);
        ::WaitForSingleObject(info_.hProcess, 5000);
        ::CloseHandle(info_.hProcess);
    }
}

HWND VantoraProcess::WaitForWindow() const
{
    return WaitForTopLevel(info_.hProcess, info_.dwProcessId, "TfMain");
}

HWND VantoraProcess::WaitForBox() const
{
    return WaitForTopLevel(info_.hProcess, info_.dwProcessId, "#32770");
}

HWND VantoraProcess::OpenMenu() const
{
    return FindTopLevel(info_.dwProcessId, "#32768");
}

int VantoraProcess::CloseAndWait(HWND window)
{
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    return WaitForExit();
}

int VantoraProcess::WaitForExit()
{
    if (::WaitForSingleObject(info_.hProcess, 10000) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 1;
    ::GetExitCodeProcess(info_.hProcess, &code);
    return static_cast<int>(code);
}

bool VantoraProcess::Running() const
{
    return ::WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

VantoraProcess::Image VantoraProcess::Executable() const
{
    HMODULE module = nullptr;
    DWORD needed = 0;
    MODULEINFO info{};
    char path[MAX_PATH] = {};
    // The first module listed is the executable.
    if (!::EnumProcessModules(info_.hProcess, &module, sizeof module, &needed) || !module ||
        !::GetModuleInformation(info_.hProcess, module, &info, sizeof info) ||
        !::GetModuleFileNameExA(info_.hProcess, module, path, sizeof path))
        return {};
    return {reinterpret_cast<uintptr_t>(info.lpBaseOfDll), path};
}

std::string VantoraProcess::Cell(HWND list, int row, int column) const
{
    const SIZE_T size = sizeof(LVITEMA) + 512;
    void* remote = ::VirtualAllocEx(info_.hProcess, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    if (!remote)
        return {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = static_cast<char*>(remote) + sizeof(LVITEMA);
    item.cchTextMax = 512;
    ::WriteProcessMemory(info_.hProcess, remote, &item, sizeof item, nullptr);
    ::SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(remote));
    char text[512] = {};
    ::ReadProcessMemory(info_.hProcess, item.pszText, text, sizeof text - 1, nullptr);
    ::VirtualFreeEx(info_.hProcess, remote, 0, MEM_RELEASE);
    return text;
}

LRESULT VantoraProcess::Query(HWND window, UINT message, WPARAM wParam, void* data, SIZE_T size) const
{
    void* remote = ::VirtualAllocEx(info_.hProcess, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    if (!remote)
        return 0;
    ::WriteProcessMemory(info_.hProcess, remote, data, size, nullptr);
    const LRESULT result = ::SendMessageA(window, message, wParam, reinterpret_cast<LPARAM>(remote));
    ::ReadProcessMemory(info_.hProcess, remote, data, size, nullptr);
    ::VirtualFreeEx(info_.hProcess, remote, 0, MEM_RELEASE);
    return result;
}

std::vector<HWND> ChildrenOfClass(HWND parent, const char* className)
{
    std::vector<HWND> found;
    for (HWND child = ::FindWindowExA(parent, nullptr, className, nullptr); child;
         child = ::FindWindowExA(parent, child, className, nullptr))
        found.push_back(child);
    return found;
}

RECT ClientRectOnScreen(HWND window)
{
    RECT r{};
    ::GetClientRect(window, &r);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string WindowText(HWND window)
{
    char text[1024] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string BoxText(HWND box)
{
    char text[1024] = {};
    ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    return text;
}

bool KeyExists(const std::string& path)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

void DeleteKey(const std::string& path)
{
    ::RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
}

void PutValue(const std::string& path, const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                          nullptr) != ERROR_SUCCESS)
        return;
    ::RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    ::RegCloseKey(key);
}

bool PutVolatileKey(const std::string& path)
{
    // Only the last key is volatile: missing keys above it would be made so too.
    const std::size_t split = path.rfind('\\');
    HKEY parent = nullptr;
    if (split == std::string::npos ||
        ::RegCreateKeyExA(HKEY_CURRENT_USER, path.substr(0, split).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                          nullptr, &parent, nullptr) != ERROR_SUCCESS)
        return false;
    HKEY key = nullptr;
    const LONG result = ::RegCreateKeyExA(parent, path.substr(split + 1).c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                                          KEY_ALL_ACCESS, nullptr, &key, nullptr);
    ::RegCloseKey(parent);
    if (result != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

void MouseTo(POINT screen)
{
    SendMouse(0, screen);
}

void Drag(POINT from, POINT to)
{
    MouseTo(from);
    SendMouse(MOUSEEVENTF_LEFTDOWN, from);
    for (int step = 1; step <= 5; ++step)
        MouseTo({from.x + (to.x - from.x) * step / 5, from.y + (to.y - from.y) * step / 5});
    SendMouse(MOUSEEVENTF_LEFTUP, to);
}

void Click(POINT screen)
{
    MouseTo(screen);
    SendMouse(MOUSEEVENTF_LEFTDOWN, screen);
    SendMouse(MOUSEEVENTF_LEFTUP, screen);
}

namespace {

void SendKey(WORD key, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    ::SendInput(1, &input, sizeof input);
}

// Presses the keys in order and lets them go in reverse; whether the keys
// before the last were all still down when the last went down.
bool PressOnce(std::initializer_list<WORD> chord)
{
    bool whole = true;
    for (const WORD* key = chord.begin(); key != chord.end(); ++key) {
        SendKey(*key, 0);
        if (key + 1 == chord.end())
            whole = std::all_of(chord.begin(), key, [](WORD held) { return ::GetAsyncKeyState(held) < 0; });
        ::Sleep(30);
    }
    for (auto key = chord.end(); key != chord.begin();) {
        SendKey(*--key, KEYEVENTF_KEYUP);
        ::Sleep(30);
    }
    return whole;
}

} // namespace

// Wine's X11 driver takes the keyboard's state from X whenever an X event
// says the pointer entered a window (EnterNotify, then KeymapNotify), and
// the pointer moves of a drag bring such events late: any key X does not
// hold, such as a sent Alt, is let go then without a message, and the V of
// Alt+V goes out as a plain V. Such a chord is sent again; one that arrived
// whole never is.
bool Keys(std::initializer_list<WORD> chord)
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (PressOnce(chord))
            return true;
    }
    return false;
}

bool BringToFront(HWND window)
{
    ::SetForegroundWindow(window);
    // Foreground at once, but active, with a focus for the keys, only once
    // its own thread has seen the activation.
    const DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
    return Eventually([&] {
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        return ::GetForegroundWindow() == window && ::GetGUIThreadInfo(thread, &gui) && gui.hwndActive == window &&
               gui.hwndFocus != nullptr;
    });
}

namespace {

std::string Describe(HWND window)
{
    if (!window)
        return "none";
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    return std::string(className) + " of process " + std::to_string(process);
}

} // namespace

std::string InputState(HWND window)
{
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &gui))
        return "no thread";
    return "foreground " + Describe(::GetForegroundWindow()) + "; active " + Describe(gui.hwndActive) + ", focus " +
           Describe(gui.hwndFocus) + ", capture " + Describe(gui.hwndCapture) + ", menu owner " +
           Describe(gui.hwndMenuOwner) + ", flags " + std::to_string(gui.flags);
}

bool MouseFree(HWND window)
{
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    return ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &gui) && !gui.hwndCapture;
}

bool Eventually(const std::function<bool()>& condition)
{
    const ULONGLONG deadline = ::GetTickCount64() + 10000;
    while (!condition()) {
        if (::GetTickCount64() > deadline)
            return false;
        ::Sleep(20);
    }
    return true;
}

} // namespace e2e
