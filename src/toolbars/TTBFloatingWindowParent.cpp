#include "toolbars/TTBFloatingWindowParent.h"

#include "core/docking/OnScreen.h"
#include "toolbars/TTBCustomDockableWindow.h"
#include "win32/AppMessages.h"
#include "win32/Application.h"
#include "win32/Form.h"
#include "win32/Geometry.h"
#include "win32/OwnedWindowFront.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

namespace toolbars {

using win32::ToRect;

namespace {

constexpr const char* kClassName = "VantoraFloatingToolbar";
// What the system itself accepts as a window position.
constexpr int kLargestCoordinate = 32767;

DWORD StyleFor(const TTBCustomDockableWindow& bar)
{
    return WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_CLIPCHILDREN | (bar.CloseButton() ? WS_SYSMENU : 0);
}

constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;

win32::ControlProps PropsFor(const TTBCustomDockableWindow& bar)
{
    win32::ControlProps props;
    props.name = "";
    props.visible = false;
    const core::Point at = bar.FloatingPosition();
    const SIZE size = TTBFloatingWindowParent::OuterSize(bar, bar.WantedFloatingWidth());
    const int left = std::clamp(at.x, -kLargestCoordinate, kLargestCoordinate);
    const int top = std::clamp(at.y, -kLargestCoordinate, kLargestCoordinate);
    props.bounds = {left, top, size.cx, size.cy};
    return props;
}

// Where a window that is lost should come back: the nearest monitor's work
// area, else the desktop's, else the screen.
core::Rect WorkAreaNear(const RECT& window)
{
    if (::GetSystemMetrics(SM_CMONITORS) > 1) {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (HMONITOR monitor = ::MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST);
            monitor && ::GetMonitorInfoA(monitor, &info))
            return ToRect(info.rcWork);
    }
    RECT work{};
    if (::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0) && work.right > work.left && work.bottom > work.top)
        return ToRect(work);
    return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

} // namespace

TTBFloatingWindowParent::TTBFloatingWindowParent(TTBCustomDockableWindow& bar, win32::Form& owner)
    : Control(PropsFor(bar)), bar_(bar), owner_(owner)
{
    toolWindows_ = owner.ToolWindowsChanged.Connect([this] { FollowOwner(); });
    captionActivation_ = owner.CaptionActivationChanged.Connect([this] { FollowOwnerCaption(); });
    // A restack comes with no message: it is looked for once all are handled,
    // and now and then for one that comes later still.
    idle_ = owner.App().Idle.Connect([this] { KeepInFrontOfOwner(); });
}

void TTBFloatingWindowParent::FollowOwnerCaption()
{
    if (HasWindow() && !TearingDown())
        ::SendMessageA(Handle(), WM_NCACTIVATE, owner_.CaptionActive(), 0);
}

SIZE TTBFloatingWindowParent::OuterSize(const TTBCustomDockableWindow& bar, int width)
{
    const SIZE client = bar.FloatingClientSize(width);
    RECT r{0, 0, client.cx, client.cy};
    ::AdjustWindowRectEx(&r, StyleFor(bar), FALSE, kExStyle);
    return {r.right - r.left, r.bottom - r.top};
}

HWND TTBFloatingWindowParent::CreateHandle(HWND)
{
    RegisterOwnClass(App().Instance(), kClassName, CS_DBLCLKS, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    const core::Rect b = BoundsRect();
    return ::CreateWindowExA(kExStyle, kClassName, bar_.Caption().c_str(), StyleFor(bar_), b.left, b.top,
                             b.width(), b.height(), owner_.Handle(), nullptr, App().Instance(), this);
}

void TTBFloatingWindowParent::UpdateCaption()
{
    if (HasWindow())
        ::SetWindowTextA(Handle(), bar_.Caption().c_str());
}

void TTBFloatingWindowParent::MoveTo(core::Point screen)
{
    if (!HasWindow())
        return;
    const int x = std::clamp(screen.x, -kLargestCoordinate, kLargestCoordinate);
    const int y = std::clamp(screen.y, -kLargestCoordinate, kLargestCoordinate);
    ::SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TTBFloatingWindowParent::Fit()
{
    if (!HasWindow())
        return;
    const SIZE size = OuterSize(bar_, bar_.WantedFloatingWidth());
    RECT r{};
    ::GetWindowRect(Handle(), &r);
    if (r.right - r.left == size.cx && r.bottom - r.top == size.cy) {
        // Same size, maybe new content.
        bar_.PlaceFloating(ClientArea());
        return;
    }
    ::SetWindowPos(Handle(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TTBFloatingWindowParent::FollowOwner()
{
    if (!HasWindow() || TearingDown())
        return;
    // A box the form shows disables the form alone, not the windows it owns.
    const bool enabled = ::IsWindowEnabled(owner_.Handle()) != FALSE;
    if (enabled != (::IsWindowEnabled(Handle()) != FALSE))
        ::EnableWindow(Handle(), enabled);
    const bool show = bar_.Visible() && owner_.ShowsToolWindows();
    if (show == (::IsWindowVisible(Handle()) != FALSE))
        return;
    ::ShowWindow(Handle(), show ? SW_SHOWNA : SW_HIDE);
    if (show) {
        FollowOwnerCaption();
        KeepInFrontOfOwner();
        ::SetTimer(Handle(), win32::kFrontCheckTimer, win32::kFrontCheckIntervalMs, nullptr);
    } else {
        ::KillTimer(Handle(), win32::kFrontCheckTimer);
    }
}

void TTBFloatingWindowParent::KeepInFrontOfOwner()
{
    if (HasWindow() && !TearingDown())
        win32::KeepInFrontOfOwner(Handle(), owner_.Handle());
}

void TTBFloatingWindowParent::MoveOnScreen()
{
    if (!HasWindow())
        return;
    RECT r{};
    ::GetWindowRect(Handle(), &r);
    const core::Point at = core::MoveOnScreenIfWhollyOff({r.left, r.top}, r.right - r.left, r.bottom - r.top,
                                                         WorkAreaNear(r));
    if (at.x != r.left || at.y != r.top)
        ::SetWindowPos(Handle(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The height always fits the wrapped items; the width is the user's.
void TTBFloatingWindowParent::Sizing(WPARAM edge, RECT& window)
{
    RECT frame{0, 0, 0, 0};
    ::AdjustWindowRectEx(&frame, StyleFor(bar_), FALSE, kExStyle);
    const int frameWidth = frame.right - frame.left;
    const int clientWidth = std::max(static_cast<int>(window.right - window.left) - frameWidth,
                                     bar_.FloatingMinimumWidth());
    const SIZE client = bar_.FloatingClientSize(clientWidth);
    const int width = client.cx + frameWidth;
    const int height = client.cy + frame.bottom - frame.top;
    if (edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT)
        window.left = window.right - width;
    else
        window.right = window.left + width;
    if (edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT)
        window.top = window.bottom - height;
    else
        window.bottom = window.top + height;
    bar_.FloatingWidthChosen(client.cx);
}

// The caption is the bar's handle: a press drags it, a double click sends
// it back to the dock it came from.
void TTBFloatingWindowParent::CaptionPressed(LPARAM screen, bool doubleClick)
{
    const POINT p{GET_X_LPARAM(screen), GET_Y_LPARAM(screen)};
    const DWORD now = ::GetMessageTime();
    // Our own double-click test: a press that starts a drag takes the capture,
    // and the system's test does not see the second press then.
    if (!doubleClick) {
        doubleClick = now - lastCaptionClick_ <= ::GetDoubleClickTime() &&
                      std::abs(p.x - lastCaptionPoint_.x) <= ::GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                      std::abs(p.y - lastCaptionPoint_.y) <= ::GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    }
    if (doubleClick) {
        lastCaptionClick_ = 0;
        // Docking destroys this window: it happens once this message is done.
        if (bar_.UseLastDock() && bar_.LastDock() && bar_.HasWindow())
            ::PostMessageA(bar_.Handle(), win32::kReturnToLastDock, 0, 0);
        return;
    }
    lastCaptionClick_ = now;
    lastCaptionPoint_ = p;
    bar_.BeginDrag(p);
}

LRESULT TTBFloatingWindowParent::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEACTIVATE:
        // The form stays the active window while its toolbars are used.
        return MA_NOACTIVATE;
    case WM_NCACTIVATE:
        // Drawn as the form's caption is, whatever the system says of this
        // window's own activation.
        return DefaultProc(message, owner_.CaptionActive(), lParam);
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (wParam == HTCAPTION) {
            CaptionPressed(lParam, message == WM_NCLBUTTONDBLCLK);
            return 0;
        }
        break;
    case WM_SIZING:
        Sizing(wParam, *reinterpret_cast<RECT*>(lParam));
        return TRUE;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED)
            bar_.PlaceFloating(ClientArea());
        return 0;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        RECT r{0, 0, bar_.FloatingMinimumWidth(), 0};
        ::AdjustWindowRectEx(&r, StyleFor(bar_), FALSE, kExStyle);
        info->ptMinTrackSize.x = r.right - r.left;
        return 0;
    }
    case WM_TIMER:
        if (wParam == win32::kFrontCheckTimer) {
            KeepInFrontOfOwner();
            return 0;
        }
        break;
    case WM_CLOSE:
        if (bar_.CloseButton())
            bar_.Close();
        return 0;
    case WM_SYSCOMMAND:
        // Moving and sizing by the system menu's keyboard loops would bypass
        // the fitted height; the frame and the caption do both.
        if ((wParam & 0xFFF0) == SC_MOVE || (wParam & 0xFFF0) == SC_KEYMENU)
            return 0;
        break;
    }
    return ContainerProc(message, wParam, lParam);
}

} // namespace toolbars
