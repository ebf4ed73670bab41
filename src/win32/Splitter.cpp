#include "win32/Splitter.h"

#include "core/ui/DpiScale.h"
#include "win32/Application.h"

#include <windowsx.h>

namespace win32 {

HWND Splitter::CreateHandle(HWND parentWindow)
{
    RegisterOwnClass(App().Instance(), "VantoraSplitter", 0, ::LoadCursor(nullptr, IDC_SIZEWE),
                     reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    return CreateOwn("VantoraSplitter", 0, 0, parentWindow);
}

void Splitter::ScaleBy(int numerator, int denominator)
{
    Control::ScaleBy(numerator, denominator);
    const int scaled = core::MulDivRound(minSize_, numerator, denominator);
    if (scaled >= 0)
        minSize_ = scaled;
}

// The visible left-aligned sibling whose right edge meets ours.
Control* Splitter::ResizedControl() const
{
    for (Control* sibling : Parent()->Children()) {
        if (sibling != this && sibling->Visible() && sibling->Align() == core::Align::Left &&
            sibling->BoundsRect().right == BoundsRect().left)
            return sibling;
    }
    return nullptr;
}

int Splitter::ParentX(LPARAM lParam) const
{
    return BoundsRect().left + GET_X_LPARAM(lParam);
}

void Splitter::StartDrag(int x)
{
    target_ = ResizedControl();
    if (!target_)
        return;
    int aligned = 0;
    for (Control* sibling : Parent()->Children()) {
        const bool sideways = sibling->Align() == core::Align::Left || sibling->Align() == core::Align::Right;
        if (sideways && sibling->Visible())
            aligned += sibling->Width();
    }
    const int maxSize = core::SplitterMaxWidth(Parent()->ClientArea().width(), minSize_, aligned,
                                               target_->Width());
    drag_.emplace(target_->Width(), x, minSize_, maxSize);
    previousFocus_ = ::SetFocus(Handle());
    ::SetCapture(Handle());
}

void Splitter::DragTo(int x)
{
    if (drag_ && target_)
        target_->SetWidth(drag_->WidthAt(x));
}

// The button that drags, as the hand holds it now, not as the messages
// handled so far say.
bool Splitter::DragButtonHeld()
{
    return ::GetAsyncKeyState(::GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON) < 0;
}

void Splitter::EndDrag()
{
    if (!drag_)
        return;
    drag_.reset();
    target_ = nullptr;
    if (::GetCapture() == Handle())
        ::ReleaseCapture();
    if (previousFocus_ && ::IsWindow(previousFocus_))
        ::SetFocus(previousFocus_);
    previousFocus_ = nullptr;
}

LRESULT Splitter::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        StartDrag(ParentX(lParam));
        return 0;
    case WM_MOUSEMOVE:
        // A release that never came as a message (some systems lose it
        // when the whole drag was queued before its press was handled)
        // ends the drag here.
        if (drag_ && !(wParam & MK_LBUTTON)) {
            EndDrag();
            return 0;
        }
        DragTo(ParentX(lParam));
        return 0;
    case WM_LBUTTONUP:
        DragTo(ParentX(lParam));
        EndDrag();
        return 0;
    case WM_GETDLGCODE:
        // Esc must reach the splitter during a drag, not the dialog handling.
        return drag_ ? DLGC_WANTALLKEYS : 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE && drag_) {
            EndDrag();
            return 0;
        }
        [[fallthrough]];
    case WM_SYSKEYDOWN:
        // Keys typed after the button was let go belong to the window again,
        // and the menu bar takes none while the mouse is captured.
        if (drag_ && !DragButtonHeld())
            EndDrag();
        break;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != Handle())
            EndDrag();
        return 0;
    }
    return DefaultProc(message, wParam, lParam);
}

} // namespace win32
