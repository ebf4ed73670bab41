// The tests' toolbar form for the docking tests, with what they need to look
// at toolbars on the screen and to drag them with the real mouse.
#pragma once

#include "ToolbarFormFixture.h"
#include "UserInput.h"
#include "toolbars/TTBFloatingWindowParent.h"
#include "win32/UniqueHandle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace docking {

using toolbars::TTBToolbar;

inline RECT ScreenRect(HWND window)
{
    RECT r{};
    ::GetWindowRect(window, &r);
    return r;
}

inline bool Overlap(const RECT& a, const RECT& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

inline bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The colour at the start of a window's caption, as the screen shows it.
inline COLORREF CaptionColour(HWND window)
{
    WINDOWINFO info{};
    info.cbSize = sizeof info;
    ::GetWindowInfo(window, &info);
    win32::WindowDC screen(nullptr);
    return ::GetPixel(screen.Get(), static_cast<int>(info.rcWindow.left + info.cxWindowBorders + 1),
                      static_cast<int>(info.rcWindow.top + info.cyWindowBorders + 1));
}

class DockingTest : public ToolbarFormTest {
protected:
    void Show()
    {
        userinput::MouseTo({::GetSystemMetrics(SM_CXSCREEN) - 5, ::GetSystemMetrics(SM_CYSCREEN) - 5});
        userinput::Activate(app, form->Handle(), form->lvBody->Handle());
    }
    void Settle() { userinput::Settle(app); }
    // For what the window system does in its own time.
    template <typename State>
    bool WaitFor(State reached) { return userinput::WaitFor(app, reached); }

    // The client size, with the window where it is.
    void SetClientSize(int width, int height)
    {
        RECT r{0, 0, width, height};
        ::AdjustWindowRectEx(&r, static_cast<DWORD>(::GetWindowLongA(form->Handle(), GWL_STYLE)), FALSE,
                             static_cast<DWORD>(::GetWindowLongA(form->Handle(), GWL_EXSTYLE)));
        ::SetWindowPos(form->Handle(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Settle();
    }

    POINT HandleCentre(TTBToolbar& bar) const
    {
        const core::Rect h = bar.Frame().handle;
        POINT p{(h.left + h.right) / 2, (h.top + h.bottom) / 2};
        ::ClientToScreen(bar.Handle(), &p);
        return p;
    }

    POINT ClientPoint(HWND window, int x, int y) const
    {
        POINT p{x, y};
        ::ClientToScreen(window, &p);
        return p;
    }

    // Presses at `from`, moves to `to` in steps, and lets go (or presses
    // Esc first).
    void Drag(POINT from, POINT to, bool escape = false)
    {
        userinput::MouseTo(from);
        Settle();
        userinput::Button(true);
        Settle();
        constexpr int kSteps = 6;
        for (int i = 1; i <= kSteps; ++i) {
            userinput::MouseTo({from.x + (to.x - from.x) * i / kSteps, from.y + (to.y - from.y) * i / kSteps});
            Settle();
        }
        if (escape) {
            userinput::Tap(VK_ESCAPE);
            Settle();
        }
        userinput::Button(false);
        Settle();
    }

    // The bounds of every shown button of a bar, on the screen.
    std::vector<RECT> ShownButtons(TTBToolbar& bar) const
    {
        std::vector<RECT> rects;
        const auto count = static_cast<int>(::SendMessageA(bar.ButtonBar(), TB_BUTTONCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            TBBUTTON b{};
            ::SendMessageA(bar.ButtonBar(), TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b));
            if (b.fsState & TBSTATE_HIDDEN)
                continue;
            RECT r{};
            ::SendMessageA(bar.ButtonBar(), TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
            ::MapWindowPoints(bar.ButtonBar(), nullptr, reinterpret_cast<POINT*>(&r), 2);
            rects.push_back(r);
        }
        return rects;
    }

    // Every shown button lies wholly inside the bar's own window.
    void ExpectButtonsInside(TTBToolbar& bar) const
    {
        const RECT outer = ScreenRect(bar.Handle());
        for (const RECT& r : ShownButtons(bar))
            EXPECT_TRUE(Inside(r, outer)) << bar.Name() << " button at " << r.left << "," << r.top;
    }

    int ButtonHeight(TTBToolbar& bar) const
    {
        return HIWORD(::SendMessageA(bar.ButtonBar(), TB_GETBUTTONSIZE, 0, 0));
    }

    // Floats the bar with its window's top-left at that screen point.
    void FloatAt(TTBToolbar& bar, core::Point screen)
    {
        bar.Float();
        bar.SetFloatingPosition(screen);
        Settle();
    }

    HWND FloatingWindow(TTBToolbar& bar) const
    {
        return bar.FloatingParent() ? bar.FloatingParent()->Handle() : nullptr;
    }

    std::string WindowText(HWND window) const
    {
        char text[256] = {};
        ::GetWindowTextA(window, text, sizeof text);
        return text;
    }
};

} // namespace docking
