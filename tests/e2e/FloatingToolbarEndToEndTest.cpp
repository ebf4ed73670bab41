// A toolbar floating over the window, as a restored layout leaves it, looked
// at from outside while the user moves between Vantora and another program.
#include "VantoraProcess.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <thread>

namespace {

using namespace e2e;

const std::string kKey = "Software\\Morvane\\Vantora";

void PutText(const std::string& path, const char* name, const std::string& text)
{
    PutValue(path, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

// The main toolbar floating with its top-left at the point.
void StoreFloatingMainToolbar(POINT at)
{
    const std::string section = kKey + "\\Toolbars\\tbMain";
    PutText(section, "Rev", "2000");
    PutText(section, "Visible", "1");
    PutText(section, "DockedTo", "+");
    PutText(section, "LastDock", "dkTop");
    PutText(section, "FloatLeft", std::to_string(at.x));
    PutText(section, "FloatTop", std::to_string(at.y));
}

HWND FloatingToolbar(const VantoraProcess& vantora)
{
    HWND found = nullptr;
    Eventually([&] {
        for (HWND w = ::FindWindowExA(nullptr, nullptr, "VantoraFloatingToolbar", nullptr); w && !found;
             w = ::FindWindowExA(nullptr, w, "VantoraFloatingToolbar", nullptr)) {
            DWORD process = 0;
            ::GetWindowThreadProcessId(w, &process);
            if (process == vantora.Id() && ::IsWindowVisible(w))
                found = w;
        }
        return found != nullptr;
    });
    return found;
}

// Whether `front` comes before `back` in the system's stacking order.
bool InFrontOf(HWND front, HWND back)
{
    for (HWND below = ::GetWindow(front, GW_HWNDNEXT); below; below = ::GetWindow(below, GW_HWNDNEXT)) {
        if (below == back)
            return true;
    }
    return false;
}

// Whether the condition holds at every look for the whole period.
bool HoldsFor(DWORD milliseconds, const std::function<bool()>& condition)
{
    const ULONGLONG end = ::GetTickCount64() + milliseconds;
    while (::GetTickCount64() < end) {
        if (!condition())
            return false;
        ::Sleep(20);
    }
    return condition();
}

// A window of another program, on a thread of its own that answers the
// system's messages as any program does.
class OtherProgram {
public:
    explicit OtherProgram(RECT bounds)
    {
        HANDLE created = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread_ = std::thread([this, bounds, created] {
            window_ = ::CreateWindowExA(0, "STATIC", "Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, bounds.left,
                                        bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, nullptr,
                                        nullptr, nullptr, nullptr);
            threadId_ = ::GetCurrentThreadId();
            ::SetEvent(created);
            MSG msg;
            while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
            ::DestroyWindow(window_);
        });
        ::WaitForSingleObject(created, INFINITE);
        ::CloseHandle(created);
    }
    ~OtherProgram()
    {
        ::PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;

    HWND Window() const { return window_; }

private:
    std::thread thread_;
    HWND window_ = nullptr;
    DWORD threadId_ = 0;
};

// The list of the selected process's modules: the one inside a panel.
HWND ModuleList(HWND window)
{
    HWND panel = nullptr;
    HWND detail = nullptr;
    while (!detail && (panel = ::FindWindowExA(window, panel, nullptr, nullptr)) != nullptr)
        detail = ::FindWindowExA(panel, nullptr, WC_LISTVIEWA, nullptr);
    return detail;
}

class FloatingToolbarEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteKey(kKey); }
    void TearDown() override { DeleteKey(kKey); }
};

TEST_F(FloatingToolbarEndToEndTest, StaysInFrontOfTheWindowAfterEveryClickIntoTheModuleList)
{
    // The window is centred on the 1280x1024 display; the bar floats over
    // its top right, away from where the clicks go.
    StoreFloatingMainToolbar({720, 380});
    VantoraProcess vantora;
    HWND window = vantora.WaitForWindow();
    ASSERT_NE(window, nullptr);
    HWND floating = FloatingToolbar(vantora);
    ASSERT_NE(floating, nullptr);
    HWND modules = ModuleList(window);
    ASSERT_NE(modules, nullptr);
    const RECT list = ClientRectOnScreen(modules);
    const POINT click{list.left + 30, list.bottom - 20};

    OtherProgram other({20, 20, 220, 120});
    for (int attempt = 1; attempt <= 5; ++attempt) {
        SCOPED_TRACE("attempt " + std::to_string(attempt));
        ASSERT_TRUE(BringToFront(other.Window()));
        ASSERT_TRUE(Eventually([&] { return !::IsWindowVisible(floating); }));
        Click(click);
        const ULONGLONG clicked = ::GetTickCount64();
        ASSERT_TRUE(Eventually([&] { return ::GetForegroundWindow() == window && ::IsWindowVisible(floating); }))
            << InputState(window);
        // In front once the system has had time to restack the windows, and
        // staying there.
        ::Sleep(static_cast<DWORD>(clicked + 1000 - std::min(::GetTickCount64(), clicked + 1000)));
        EXPECT_TRUE(HoldsFor(1000, [&] { return InFrontOf(floating, window); }));
    }
    EXPECT_EQ(vantora.CloseAndWait(window), 0);
}

} // namespace
