#include "win32/Control.h"

#include "core/ui/DpiScale.h"
#include "win32/Application.h"
#include "win32/SentNotification.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>
#include <stdexcept>
#include <string>

namespace win32 {

namespace {

core::Rect ToRect(const Bounds& b)
{
    return {b.left, b.top, b.left + b.width, b.top + b.height};
}

} // namespace

Control::Control(const ControlProps& props)
    : Component(props.name), align_(props.align), bounds_(ToRect(props.bounds)), tabOrder_(props.tabOrder),
      visible_(props.visible)
{
}

Control::~Control()
{
    NotifyDestroying();
    // Neither side may lay out or reach the other once one of them is gone.
    if (parent_)
        parent_->RemoveChild(this);
    for (Control* child : children_)
        child->parent_ = nullptr;
    if (HWND window = std::exchange(handle_, nullptr)) {
        // Still ours: nothing of this object may answer its last messages.
        RestoreNativeProc(window);
        ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        app_->UnregisterControl(window);
        ::DestroyWindow(window);
    }
}

Control* Control::FromHandle(HWND handle)
{
    return handle ? reinterpret_cast<Control*>(::GetWindowLongPtrA(handle, GWLP_USERDATA)) : nullptr;
}

void Control::AddChild(Control* child)
{
    children_.push_back(child);
    if (!TearingDown())
        ChildrenChanged();
}

void Control::RemoveChild(Control* child)
{
    std::erase(children_, child);
    if (!TearingDown())
        ChildrenChanged();
}

void Control::SetParentControl(Control& parent)
{
    if (&parent == parent_)
        return;
    Control* old = std::exchange(parent_, &parent);
    alignRank_ = -1;
    if (handle_ && parent.handle_)
        ::SetParent(handle_, parent.handle_);
    if (old)
        old->RemoveChild(this);
    parent.AddChild(this);
}

void Control::CreateWindowFor(Control* parent, Application& app)
{
    parent_ = parent;
    app_ = &app;
    if (parent_)
        parent_->AddChild(this);
    Attach(CreateHandle(parent_ ? parent_->Handle() : nullptr));
    AfterCreate();
}

void Control::Attach(HWND handle)
{
    if (!handle)
        throw std::runtime_error("Cannot create window " + Name());
    // Windows of our own classes met this object in WM_NCCREATE; native
    // controls are subclassed so that they, too, report their end.
    const bool own = handle_ == handle;
    handle_ = handle;
    ::SetWindowLongPtrA(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    app_->RegisterControl(handle_, this);
    // Replaced directly rather than through the common controls' subclass
    // chain: that looks its data up as a window property on every message,
    // which Wine answers from the server, and a list being filled gets
    // several messages per row.
    if (!own)
        nativeProc_ = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Control::NativeWndProc)));
}

void Control::RestoreNativeProc(HWND window)
{
    if (WNDPROC proc = std::exchange(nativeProc_, nullptr))
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
}

void Control::Forget()
{
    if (!handle_)
        return;
    WindowDestroyed();
    RestoreNativeProc(handle_);
    ::SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
    app_->UnregisterControl(handle_);
    handle_ = nullptr;
}

// Installed only while the window's user data names its control: both are
// set before the procedure and cleared after it is restored.
LRESULT CALLBACK Control::NativeWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Control* control = FromHandle(window);
    if (!control || !control->nativeProc_)
        return ::DefWindowProcW(window, message, wParam, lParam);
    const WNDPROC proc = control->nativeProc_;
    if (message == WM_NCDESTROY)
        control->Forget();
    else if (LRESULT result = 0; control->InterceptNative(message, wParam, lParam, result))
        return result;
    return ::CallWindowProcW(proc, window, message, wParam, lParam);
}

bool Control::InterceptNative(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    Application::HandlerScope scope(App());
    // As for our own classes: no exception crosses the system's frames.
    try {
        return NativeMessage(message, wParam, lParam, result);
    } catch (...) {
        App().HandleException(std::current_exception());
        result = 0;
        return true;
    }
}

bool Control::NativeMessage(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

HWND Control::CreateNative(const char* className, DWORD style, DWORD exStyle, HWND parentWindow,
                           const char* text)
{
    if (visible_)
        style |= WS_VISIBLE;
    return ::CreateWindowExA(exStyle, className, text, style | WS_CHILD | WS_CLIPSIBLINGS,
                             bounds_.left, bounds_.top, bounds_.width(), bounds_.height(),
                             parentWindow, nullptr, App().Instance(), nullptr);
}

HWND Control::CreateOwn(const char* className, DWORD style, DWORD exStyle, HWND parentWindow,
                        const char* text)
{
    if (visible_ && parentWindow)
        style |= WS_VISIBLE;
    const bool child = parentWindow != nullptr;
    return ::CreateWindowExA(exStyle, className, text, style | (child ? WS_CHILD | WS_CLIPSIBLINGS : 0),
                             bounds_.left, bounds_.top, bounds_.width(), bounds_.height(),
                             parentWindow, nullptr, App().Instance(), this);
}

void Control::RegisterOwnClass(HINSTANCE instance, const char* className, UINT classStyle,
                               HCURSOR cursor, HBRUSH background)
{
    WNDCLASSEXA wc{};
    if (::GetClassInfoExA(instance, className, &wc))
        return;
    wc.cbSize = sizeof wc;
    wc.style = classStyle;
    wc.lpfnWndProc = &Control::StaticWndProc;
    wc.hInstance = instance;
    wc.hCursor = cursor ? cursor : ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    ::RegisterClassExA(&wc);
}

LRESULT CALLBACK Control::StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* self = static_cast<Control*>(create->lpCreateParams);
        self->handle_ = window;
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    Control* self = FromHandle(window);
    if (!self)
        return ::DefWindowProcA(window, message, wParam, lParam);
    // Every notification path of ours starts here.
    if (message == WM_NOTIFY && !NotificationReadable(lParam))
        return 0;
    LRESULT result = 0;
    {
        Application::HandlerScope scope(self->App());
        // Exceptions never cross the system's frames: every handler runs below here.
        try {
            result = self->WndProc(message, wParam, lParam);
        } catch (...) {
            self->App().HandleException(std::current_exception());
        }
    }
    if (message == WM_NCDESTROY)
        self->Forget();
    return result;
}

LRESULT Control::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ContainerProc(message, wParam, lParam);
}

LRESULT Control::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcA(handle_, message, wParam, lParam);
}

LRESULT Control::ContainerProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    // Only to controls of ours: these messages may come from anyone, naming
    // any window. A notification's record is readable by now (StaticWndProc).
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        LRESULT result = 0;
        if (Control* child = App().ControlOf(header->hwndFrom); child && child != this &&
                                                                child->HandleNotify(*header, result))
            return result;
        break;
    }
    case WM_COMMAND:
        if (Control* child = App().ControlOf(reinterpret_cast<HWND>(lParam)); child && child != this &&
                                                                          child->HandleCommand(HIWORD(wParam)))
            return 0;
        break;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED)
            Realign();
        break;
    }
    return DefaultProc(message, wParam, lParam);
}

bool Control::HandleNotify(NMHDR&, LRESULT&)
{
    return false;
}

bool Control::HandleCommand(WORD)
{
    return false;
}

void Control::SetBounds(const core::Rect& bounds)
{
    const bool resized = bounds.width() != bounds_.width() || bounds.height() != bounds_.height();
    if (bounds == bounds_)
        return;
    bounds_ = bounds;
    if (handle_ && parent_)
        ::MoveWindow(handle_, bounds_.left, bounds_.top, bounds_.width(), bounds_.height(), TRUE);
    BoundsChanged();
    if (resized && parent_ && align_ != core::Align::None)
        parent_->Realign();
}

void Control::SetWidth(int width)
{
    SetBounds({bounds_.left, bounds_.top, bounds_.left + width, bounds_.bottom});
}

void Control::SetHeight(int height)
{
    SetBounds({bounds_.left, bounds_.top, bounds_.right, bounds_.top + height});
}

void Control::SetVisible(bool visible)
{
    if (visible == visible_)
        return;
    visible_ = visible;
    if (handle_ && parent_)
        ::ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
    if (parent_)
        parent_->Realign();
    VisibleChanged();
    if (OnVisibleChanged)
        OnVisibleChanged(*this);
}

core::Rect Control::ClientArea() const
{
    RECT r{};
    if (handle_)
        ::GetClientRect(handle_, &r);
    return {r.left, r.top, r.right, r.bottom};
}

bool Control::TearingDown() const
{
    for (const Control* c = this; c; c = c->parent_) {
        if (c->IsDestroying())
            return true;
    }
    return false;
}

bool Control::LayoutSuspended() const
{
    for (const Control* c = this; c; c = c->parent_) {
        if (c->loading_)
            return true;
    }
    return TearingDown();
}

void Control::Realign()
{
    if (!handle_ || LayoutSuspended())
        return;
    // A child that changes size while this layout runs asks again: the ask
    // is kept and the layout runs once more, a few times at most.
    if (realigning_) {
        realignAgain_ = true;
        return;
    }
    realigning_ = true;
    constexpr int kMaxPasses = 4;
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        realignAgain_ = false;
        AlignChildren();
        if (!realignAgain_)
            break;
    }
    realigning_ = false;
}

void Control::AlignChildren()
{
    std::vector<core::AlignItem> items;
    items.reserve(children_.size());
    for (Control* child : children_)
        items.push_back({child->align_, child->bounds_, child->visible_, child->alignRank_});
    core::AlignItems(items, ClientArea());
    for (std::size_t i = 0; i < children_.size(); ++i) {
        children_[i]->alignRank_ = items[i].rank;
        if (children_[i]->align_ != core::Align::None && children_[i]->visible_)
            children_[i]->SetBounds(items[i].bounds);
    }
}

void Control::ScaleBy(int numerator, int denominator)
{
    auto scale = [&](int v) { return core::MulDivRound(v, numerator, denominator); };
    SetBounds({scale(bounds_.left), scale(bounds_.top), scale(bounds_.right), scale(bounds_.bottom)});
}

void Control::ApplyFont(HFONT font)
{
    if (handle_)
        ::SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

} // namespace win32

namespace win32 {

void Control::RealignAll()
{
    Realign();
    for (Control* child : children_)
        child->RealignAll();
}

void Control::ApplyTabOrder()
{
    std::vector<Control*> ordered;
    for (Control* child : children_) {
        if (child->tabOrder_ >= 0)
            ordered.push_back(child);
        child->ApplyTabOrder();
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const Control* a, const Control* b) { return a->tabOrder_ < b->tabOrder_; });
    for (Control* child : ordered)
        if (child->handle_)
            ::SetWindowPos(child->handle_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

} // namespace win32
