#include "win32/Form.h"

#include "core/ui/DpiScale.h"
#include "core/ui/Placement.h"
#include "win32/Application.h"
#include "win32/OwnedWindowFront.h"

namespace win32 {

namespace {

constexpr DWORD kFormStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT;
constexpr DWORD kToolWindowStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
constexpr DWORD kToolWindowExStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;

DWORD StyleOf(const FormProps& p)
{
    return p.toolWindow ? kToolWindowStyle : kFormStyle;
}

DWORD ExStyleOf(const FormProps& p)
{
    return p.toolWindow ? kToolWindowExStyle : kFormExStyle;
}

ControlProps FormControlProps(const FormProps& p)
{
    ControlProps c;
    c.name = p.name;
    c.bounds = {p.left, p.top, p.clientWidth, p.clientHeight};
    c.visible = false;
    return c;
}

int DisplayDpi()
{
    WindowDC screen(nullptr);
    return ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

int HeightOfZero(HWND window, HFONT font)
{
    WindowDC dc(window);
    SelectedObject select(dc.Get(), font);
    SIZE size{};
    ::GetTextExtentPoint32A(dc.Get(), "0", 1, &size);
    return size.cy;
}

} // namespace

Form::Form(const FormProps& props, HWND owner) : Control(FormControlProps(props)), props_(props), owner_(owner) {}

Form::~Form()
{
    // First every component hears that it is going, while all of them still
    // exist, so none lays out or starts anything; then the windows go (each
    // control forgets its handle as it is destroyed); then the objects, in
    // reverse order of adding.
    NotifyDestroying();
    for (auto it = components_.rbegin(); it != components_.rend(); ++it)
        (*it)->NotifyDestroying();
    if (HasWindow())
        ::DestroyWindow(Handle());
    while (!components_.empty())
        components_.pop_back();
}

bool Form::ShowsToolWindows() const
{
    return HasWindow() && appActive_ && ::IsWindowVisible(Handle()) && !::IsIconic(Handle()) && !TearingDown();
}

void Form::DestroyDetachedWindows()
{
    // Windows that are no children of the form (a timer's message window)
    // would outlive it and keep sending their messages.
    for (const auto& c : components_) {
        auto* control = dynamic_cast<Control*>(c.get());
        if (control && control->HasWindow() && !::IsChild(Handle(), control->Handle()))
            ::DestroyWindow(control->Handle());
    }
}

void Form::SaveFocus()
{
    HWND focus = ::GetFocus();
    if (focus && focus != Handle() && ::IsChild(Handle(), focus))
        focus_ = focus;
}

void Form::RestoreFocus()
{
    if (focus_ && ::IsWindow(focus_) && ::IsChild(Handle(), focus_) && ::IsWindowVisible(focus_) &&
        ::IsWindowEnabled(focus_))
        ::SetFocus(focus_);
}

HWND Form::CreateHandle(HWND)
{
    HINSTANCE instance = App().Instance();
    if (props_.iconName) {
        bigIcon_.Reset(static_cast<HICON>(::LoadImageA(instance, props_.iconName, IMAGE_ICON,
                                                       ::GetSystemMetrics(SM_CXICON),
                                                       ::GetSystemMetrics(SM_CYICON), 0)));
        smallIcon_.Reset(static_cast<HICON>(::LoadImageA(instance, props_.iconName, IMAGE_ICON,
                                                         ::GetSystemMetrics(SM_CXSMICON),
                                                         ::GetSystemMetrics(SM_CYSMICON), 0)));
    }
    RegisterOwnClass(instance, props_.name, CS_DBLCLKS, nullptr,
                     reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    RECT r{0, 0, props_.clientWidth, props_.clientHeight};
    ::AdjustWindowRectEx(&r, StyleOf(props_), FALSE, ExStyleOf(props_));
    HWND window = ::CreateWindowExA(ExStyleOf(props_), props_.name, props_.caption, StyleOf(props_),
                                    props_.left, props_.top, r.right - r.left, r.bottom - r.top,
                                    owner_, nullptr, instance, static_cast<Control*>(this));
    // An owned window belongs in front of its owner (see OwnedWindowFront).
    if (owner_)
        frontAtIdle_ = App().Idle.Connect([this] {
            if (HasWindow())
                KeepInFrontOfOwner(Handle(), owner_);
        });
    // A program started behind another one is not active until the user
    // brings it forward, and then it is told.
    appActive_ = ::GetWindowThreadProcessId(::GetForegroundWindow(), nullptr) == ::GetCurrentThreadId();
    if (window && bigIcon_) {
        ::SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
        ::SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
    }
    return window;
}

void Form::CreateFormWindow(Application& app)
{
    CreateWindowFor(nullptr, app);
}

void Form::ApplyDesignedFont()
{
    LOGFONTA lf{};
    lf.lfHeight = core::ScaledFontHeight(props_.fontHeight, DisplayDpi());
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynA(lf.lfFaceName, props_.fontName, LF_FACESIZE);
    font_.Reset(::CreateFontIndirectA(&lf));

    const int zero = HeightOfZero(Handle(), font_.Get());
    if (zero > 0 && core::NeedsMetricScaling(zero, kDesignedTextHeight)) {
        textHeight_ = zero;
        ScaleControls(zero, kDesignedTextHeight);
    }

    for (const auto& c : components_) {
        if (auto* control = dynamic_cast<Control*>(c.get()); control && control->UsesParentFont())
            control->ApplyFont(font_.Get());
    }
}

int Form::ScaleDesigned(int value) const
{
    return core::ScaledMetric(value, textHeight_, kDesignedTextHeight);
}

void Form::ScaleControls(int numerator, int denominator)
{
    for (const auto& c : components_) {
        if (auto* control = dynamic_cast<Control*>(c.get()))
            control->ScaleBy(numerator, denominator);
    }
    const int width = core::MulDivRound(props_.clientWidth, numerator, denominator);
    const int height = core::MulDivRound(props_.clientHeight, numerator, denominator);
    RECT r{0, 0, width, height};
    ::AdjustWindowRectEx(&r, StyleOf(props_), FALSE, ExStyleOf(props_));
    ::SetWindowPos(Handle(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::Show()
{
    if (!shown_) {
        App().Dispatch([this] { if (OnShow) OnShow(); });
        PlaceOnFirstShow();
        shown_ = true;
    }
    ::ShowWindow(Handle(), SW_SHOW);
    ::UpdateWindow(Handle());
}

void Form::PlaceOnFirstShow()
{
    if (!props_.desktopCenter)
        return;
    const core::Rect bounds = WindowBounds();
    const core::Point at = core::CentreOnDesktop(::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                                 ::GetSystemMetrics(SM_CYVIRTUALSCREEN),
                                                 bounds.width(), bounds.height());
    ::SetWindowPos(Handle(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::RunDestroyHandler()
{
    App().Dispatch([this] { if (OnDestroy) OnDestroy(); });
}

void Form::Close()
{
    ::SendMessageA(Handle(), WM_CLOSE, 0, 0);
}

core::Rect Form::WindowBounds() const
{
    RECT r{};
    ::GetWindowRect(Handle(), &r);
    return {r.left, r.top, r.right, r.bottom};
}

core::Rect Form::UnminimisedBounds() const
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!::IsIconic(Handle()) || !::GetWindowPlacement(Handle(), &placement))
        return WindowBounds();
    // Placements are in work-area coordinates.
    RECT r = placement.rcNormalPosition;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (::GetMonitorInfoA(::MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &monitor))
        ::OffsetRect(&r, monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top);
    return {r.left, r.top, r.right, r.bottom};
}

void Form::SetWindowBounds(const core::Rect& b)
{
    ::SetWindowPos(Handle(), nullptr, b.left, b.top, b.width(), b.height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

int Form::ClientWidth() const
{
    return ClientArea().width();
}

int Form::ClientHeight() const
{
    return ClientArea().height();
}

LRESULT Form::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        if (props_.toolWindow) {
            ::ShowWindow(Handle(), SW_HIDE);
            return 0;
        }
        if (closing_)
            return 0;
        closing_ = true;
        // The destroy handler sees a hidden window whose components all still exist.
        ::ShowWindow(Handle(), SW_HIDE);
        RunDestroyHandler();
        ::DestroyWindow(Handle());
        return 0;
    case WM_ENDSESSION:
        // The system may end the process after this without closing the
        // window. A program that outlives the session's end (a logoff that
        // failed) saves again when it closes.
        if (wParam)
            RunDestroyHandler();
        return 0;
    case WM_DESTROY:
        DestroyDetachedWindows();
        // The loop ends when the window closes, not when a form object that
        // was never run goes away, nor with a tool window (which goes with
        // its owner).
        if (!IsDestroying() && !props_.toolWindow)
            ::PostQuitMessage(0);
        return 0;
    case WM_ACTIVATEAPP:
        appActive_ = wParam != FALSE;
        ToolWindowsChanged();
        break;
    case WM_SIZE: {
        const LRESULT result = ContainerProc(message, wParam, lParam);
        ToolWindowsChanged();
        return result;
    }
    case WM_ENABLE:
        // A modal box disables the form alone, not the windows it owns.
        ToolWindowsChanged();
        break;
    case WM_WINDOWPOSCHANGED: {
        const LRESULT result = ContainerProc(message, wParam, lParam);
        const UINT flags = reinterpret_cast<const WINDOWPOS*>(lParam)->flags;
        if (flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW))
            ToolWindowsChanged();
        if (owner_ && (flags & SWP_SHOWWINDOW))
            ::SetTimer(Handle(), kFrontCheckTimer, kFrontCheckIntervalMs, nullptr);
        if (owner_ && (flags & SWP_HIDEWINDOW))
            ::KillTimer(Handle(), kFrontCheckTimer);
        return result;
    }
    case WM_TIMER:
        if (wParam == kFrontCheckTimer) {
            KeepInFrontOfOwner(Handle(), owner_);
            return 0;
        }
        break;
    case WM_NCACTIVATE: {
        captionActive_ = wParam != FALSE;
        const LRESULT result = ContainerProc(message, wParam, lParam);
        CaptionActivationChanged();
        return result;
    }
    case WM_ACTIVATE:
        App().ActivationChanged();
        // Give the focus back to the control that had it before a box or
        // another window took it, not to the form itself.
        if (LOWORD(wParam) == WA_INACTIVE) {
            SaveFocus();
        } else if (!HIWORD(wParam)) {
            ::DefWindowProcA(Handle(), message, wParam, lParam);
            RestoreFocus();
            return 0;
        }
        break;
    }
    return ContainerProc(message, wParam, lParam);
}

} // namespace win32
