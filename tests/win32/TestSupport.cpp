#include "TestSupport.h"

namespace testsupport {

ChildProcess::ChildProcess(const char* exe, int sleepMs, const std::vector<std::string>& libraries)
{
    std::string command = std::string(exe) + " " + std::to_string(sleepMs);
    for (const std::string& library : libraries)
        command += " " + library;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                         &startup, &info)) {
        ::CloseHandle(info.hThread);
        process_.Reset(info.hProcess);
        id_ = info.dwProcessId;
    }
}

ChildProcess::~ChildProcess()
{
    End();
}

void ChildProcess::End()
{
    if (process_) {
        ::TerminateProcess(process_.Get(), 0);
        ::WaitForSingleObject(process_.Get(), 5000);
        process_.Reset();
    }
}

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

namespace {

// A hook procedure has no object to go with it.
std::vector<SeenBox> seenBoxes;
ModalBoxWatcher* activeWatcher = nullptr;

bool HasIcon(HWND box, LPCSTR which)
{
    HICON expected = ::LoadIconA(nullptr, which);
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if ((::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
            reinterpret_cast<HICON>(::SendMessageA(child, STM_GETICON, 0, 0)) == expected)
            return true;
    }
    return false;
}

LRESULT CALLBACK WatchBoxes(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wParam);
        char className[32] = {};
        ::GetClassNameA(box, className, sizeof className);
        if (std::string(className) == "#32770") {
            SeenBox seen;
            char buffer[1024] = {};
            ::GetWindowTextA(box, buffer, sizeof buffer);
            seen.caption = buffer;
            buffer[0] = '\0';
            ::GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);
            seen.text = buffer;
            seen.stopIcon = HasIcon(box, IDI_HAND);
            seen.informationIcon = HasIcon(box, IDI_ASTERISK);
            seen.owner = ::GetWindow(box, GW_OWNER);
            seenBoxes.push_back(seen);
            if (activeWatcher && activeWatcher->OnBox)
                activeWatcher->OnBox();
            ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

ModalBoxWatcher::ModalBoxWatcher()
    : hook_(::SetWindowsHookExA(WH_CBT, &WatchBoxes, nullptr, ::GetCurrentThreadId()))
{
    seenBoxes.clear();
    activeWatcher = this;
}

ModalBoxWatcher::~ModalBoxWatcher()
{
    activeWatcher = nullptr;
    ::UnhookWindowsHookEx(hook_);
}

const std::vector<SeenBox>& ModalBoxWatcher::Boxes() const
{
    return seenBoxes;
}

} // namespace testsupport

#include <commctrl.h>

namespace testsupport {

void ClickHeader(HWND list, int column)
{
    HWND header = ListView_GetHeader(list);
    RECT r{};
    Header_GetItemRect(header, column, &r);
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ::SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(header, WM_LBUTTONUP, 0, at);
}

int HeaderImage(HWND list, int column)
{
    HDITEMA item{};
    item.mask = HDI_FORMAT | HDI_IMAGE;
    Header_GetItem(ListView_GetHeader(list), column, &item);
    return (item.fmt & HDF_IMAGE) ? item.iImage : -1;
}

RECT BoundsInParent(HWND control)
{
    RECT r{};
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void SaveScreenshot(const std::string& name)
{
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    win32::WindowDC screen(nullptr);
    win32::UniqueMemoryDc memory(::CreateCompatibleDC(screen.Get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    win32::UniqueBitmap bitmap(
        ::CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap || !bits)
        return;
    {
        win32::SelectedObject select(memory.Get(), bitmap.Get());
        ::BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), 0, 0, SRCCOPY);
    }
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD size = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + size;
    ::CreateDirectoryA("..\\..\\screenshots", nullptr);
    const std::string path = "..\\..\\screenshots\\" + name + ".bmp";
    win32::UniqueFile out(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out)
        return;
    DWORD written = 0;
    ::WriteFile(out.Get(), &file, sizeof file, &written, nullptr);
    ::WriteFile(out.Get(), &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr);
    ::WriteFile(out.Get(), bits, size, &written, nullptr);
}

} // namespace testsupport
