#include "toolbars/DragOutline.h"

namespace toolbars {

namespace {

constexpr const char* kClassName = "VantoraDragOutline";

void RegisterOutlineClass(HINSTANCE instance)
{
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (::GetClassInfoExA(instance, kClassName, &wc))
        return;
    wc.lpfnWndProc = &::DefWindowProcA;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOWFRAME + 1);
    wc.lpszClassName = kClassName;
    ::RegisterClassExA(&wc);
}

} // namespace

DragOutline::DragOutline(HINSTANCE instance)
{
    RegisterOutlineClass(instance);
    for (auto& edge : edges_)
        edge.Reset(::CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT,
                                     kClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr));
}

void DragOutline::Show(const RECT& r, int thickness)
{
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    const RECT parts[4] = {{r.left, r.top, w, thickness},
                           {r.left, r.bottom - thickness, w, thickness},
                           {r.left, r.top, thickness, h},
                           {r.right - thickness, r.top, thickness, h}};
    for (std::size_t i = 0; i < edges_.size(); ++i) {
        // Here the RECT holds x, y, width and height.
        ::SetWindowPos(edges_[i].Get(), HWND_TOPMOST, parts[i].left, parts[i].top, parts[i].right, parts[i].bottom,
                       SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    bounds_ = r;
    shown_ = true;
}

void DragOutline::Hide()
{
    for (auto& edge : edges_)
        ::ShowWindow(edge.Get(), SW_HIDE);
    shown_ = false;
}

} // namespace toolbars
