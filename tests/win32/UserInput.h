// Input as a user makes it: real key presses and mouse moves through the
// system's input queue, and a look at each drop-down menu as it opens.
#pragma once

#include "win32/Application.h"
#include "win32/UniqueHandle.h"

#include <windows.h>
#include <commctrl.h>

#include <cctype>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

namespace userinput {

inline void SendKey(WORD key, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof input);
}

// Presses the keys in order and lets go of them in reverse, e.g. {VK_CONTROL, VK_F1}.
inline void Chord(std::initializer_list<WORD> keys)
{
    for (WORD key : keys)
        SendKey(key, false);
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key)
        SendKey(*key, true);
}

inline void Tap(WORD key)
{
    Chord({key});
}

inline void MouseTo(POINT screen)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = ::MulDiv(screen.x, 65536, ::GetSystemMetrics(SM_CXSCREEN)) + 1;
    input.mi.dy = ::MulDiv(screen.y, 65536, ::GetSystemMetrics(SM_CYSCREEN)) + 1;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof input);
}

inline void Click(POINT screen)
{
    MouseTo(screen);
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, input, sizeof input[0]);
}

inline void RightClick(POINT screen)
{
    MouseTo(screen);
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    ::SendInput(2, input, sizeof input[0]);
}

// Types lower-case letters as key presses stamped with the given time, so a
// pause between words needs no waiting.
inline void TypeAt(const char* letters, DWORD time)
{
    for (const char* c = letters; *c; ++c) {
        INPUT input[2]{};
        for (int i = 0; i < 2; ++i) {
            input[i].type = INPUT_KEYBOARD;
            input[i].ki.wVk = static_cast<WORD>(::toupper(static_cast<unsigned char>(*c)));
            input[i].ki.wScan = static_cast<WORD>(::MapVirtualKeyA(input[i].ki.wVk, MAPVK_VK_TO_VSC));
            input[i].ki.time = time;
        }
        input[1].ki.dwFlags = KEYEVENTF_KEYUP;
        ::SendInput(2, input, sizeof input[0]);
    }
}

inline void Button(bool down)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &input, sizeof input);
}

inline POINT Centre(const RECT& r)
{
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The quit message the program's loop would end on, left for the test to see.
inline bool QuitQueued()
{
    MSG quit;
    return ::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0;
}

// Handles everything queued, the way the program's loop does, until a marker
// posted behind it has come through. Input sent with SendInput is in this
// thread's queue by the time the call returns; the queue hands out posted
// messages before input, so the marker goes in once no input is left, and
// comes out after whatever handling the input posted in turn.
inline void Settle(win32::Application& app)
{
    static const UINT marker = ::RegisterWindowMessageA("VantoraTestsInputHandled");
    const auto markerQueued = [] {
        MSG msg;
        return ::PeekMessageA(&msg, reinterpret_cast<HWND>(-1), marker, marker, PM_NOREMOVE) != 0;
    };
    // Bounded, should something keep posting for ever.
    for (int round = 0; round < 1000; ++round) {
        app.ProcessMessages();
        if (QuitQueued())
            return;
        if (HIWORD(::GetQueueStatus(QS_INPUT)) != 0)
            continue;
        ::PostThreadMessageA(::GetCurrentThreadId(), marker, 0, 0);
        while (markerQueued() && !QuitQueued())
            app.ProcessMessages();
        if (HIWORD(::GetQueueStatus(QS_INPUT | QS_POSTMESSAGE)) == 0)
            return;
    }
}

// Handles what comes until the state is reached, for what the window system
// does in its own time (activation, stacking); false if it never is.
template <typename State>
bool WaitFor(win32::Application& app, State reached)
{
    constexpr DWORD kDeadline = 5000;
    const DWORD start = ::GetTickCount();
    for (;;) {
        Settle(app);
        if (reached())
            return true;
        if (QuitQueued() || ::GetTickCount() - start > kDeadline)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// Shows a form in front, with the focus in the given control.
inline void Activate(win32::Application& app, HWND form, HWND focus)
{
    ::ShowWindow(form, SW_SHOW);
    ::SetForegroundWindow(form);
    ::SetActiveWindow(form);
    ::SetFocus(focus);
    ::UpdateWindow(form);
    Settle(app);
}

// The quit message the program's loop would end on, taken from the queue.
inline bool TakeQuit()
{
    MSG msg;
    return ::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

struct SeenMenuItem {
    std::string text;
    bool separator = false;
    bool checked = false;
    bool disabled = false;
};

struct SeenMenu {
    std::vector<SeenMenuItem> items;

    const SeenMenuItem* Find(const std::string& prefix) const
    {
        for (const SeenMenuItem& item : items) {
            if (item.text.rfind(prefix, 0) == 0)
                return &item;
        }
        return nullptr;
    }
};

inline std::string StatusText(HWND statusBar)
{
    char text[512] = {};
    ::SendMessageA(statusBar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    return text;
}

// While alive, records every drop-down menu of this thread as it opens and,
// given a status bar, what the bar says after each change of selection.
class MenuWatcher {
public:
    explicit MenuWatcher(HWND statusBar = nullptr)
        : hook_(::SetWindowsHookExA(WH_CALLWNDPROCRET, &Watch, nullptr, ::GetCurrentThreadId()))
    {
        Seen().clear();
        StatusTexts().clear();
        StatusBar() = statusBar;
    }
    MenuWatcher(const MenuWatcher&) = delete;
    MenuWatcher& operator=(const MenuWatcher&) = delete;

    const std::vector<SeenMenu>& Menus() const { return Seen(); }
    const std::vector<std::string>& Statuses() const { return StatusTexts(); }

private:
    // A hook procedure has nowhere else to put what it saw.
    static std::vector<SeenMenu>& Seen()
    {
        static std::vector<SeenMenu> seen;
        return seen;
    }
    static std::vector<std::string>& StatusTexts()
    {
        static std::vector<std::string> texts;
        return texts;
    }
    static HWND& StatusBar()
    {
        static HWND statusBar = nullptr;
        return statusBar;
    }

    static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (code == HC_ACTION && call->message == WM_INITMENUPOPUP && !HIWORD(call->lParam)) {
            HMENU menu = reinterpret_cast<HMENU>(call->wParam);
            SeenMenu seen;
            for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
                SeenMenuItem item;
                char text[256] = {};
                ::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
                item.text = text;
                const UINT state = ::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
                item.separator = (state & MF_SEPARATOR) != 0;
                item.checked = (state & MF_CHECKED) != 0;
                item.disabled = (state & (MF_DISABLED | MF_GRAYED)) != 0;
                seen.items.push_back(item);
            }
            Seen().push_back(seen);
        }
        if (code == HC_ACTION && call->message == WM_MENUSELECT && StatusBar())
            StatusTexts().push_back(StatusText(StatusBar()));
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    win32::UniqueHook hook_;
};

} // namespace userinput
