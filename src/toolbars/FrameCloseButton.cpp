#include "toolbars/FrameCloseButton.h"

#include "win32/Geometry.h"
#include "win32/UniqueHandle.h"

#include <algorithm>

namespace toolbars {

using win32::ToRECT;

namespace {

// A small cross, two pixels thick, centred in the box.
void DrawCross(HDC dc, const core::Rect& box, COLORREF color)
{
    win32::UniqueHandle<win32::NullInvalidTraits<HPEN, win32::GdiDeleter>> pen(::CreatePen(PS_SOLID, 1, color));
    win32::SelectedObject select(dc, pen.Get());
    // The cross leaves two pixels free on each side of its box.
    const int size = std::max(std::min(box.width(), box.height()) - 4, 3);
    const int x = box.left + (box.width() - size) / 2;
    const int y = box.top + (box.height() - size) / 2;
    for (int dx = 0; dx < 2; ++dx) {
        ::MoveToEx(dc, x + dx, y, nullptr);
        ::LineTo(dc, x + dx + size, y + size);
        ::MoveToEx(dc, x + dx + size - 1, y, nullptr);
        ::LineTo(dc, x + dx - 1, y + size);
    }
}

} // namespace

void FrameCloseButton::Paint(HDC dc, const core::Rect& box) const
{
    RECT edge = ToRECT(box);
    core::Rect glyph = box;
    if (pressed_) {
        ::DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
        glyph = {glyph.left + 1, glyph.top + 1, glyph.right + 1, glyph.bottom + 1};
    } else if (hot_) {
        ::DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
    }
    DrawCross(dc, glyph, ::GetSysColor(COLOR_BTNTEXT));
}

void FrameCloseButton::Press(HWND bar, const core::Rect& box)
{
    held_ = true;
    ::SetCapture(bar);
    SetState(bar, box, true, true);
}

void FrameCloseButton::MouseMove(HWND bar, const core::Rect& box, bool over)
{
    if (held_) {
        SetState(bar, box, over, over);
        return;
    }
    if (over && !hot_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, bar, 0};
        ::TrackMouseEvent(&track);
    }
    SetState(bar, box, over, false);
}

void FrameCloseButton::MouseLeave(HWND bar, const core::Rect& box)
{
    if (!held_)
        SetState(bar, box, false, false);
}

bool FrameCloseButton::Release(HWND bar, const core::Rect& box, bool over)
{
    if (!held_)
        return false;
    held_ = false;
    ::ReleaseCapture();
    SetState(bar, box, false, false);
    return over;
}

void FrameCloseButton::CaptureLost(HWND bar, const core::Rect& box)
{
    if (!held_)
        return;
    held_ = false;
    SetState(bar, box, false, false);
}

void FrameCloseButton::SetState(HWND bar, const core::Rect& box, bool hot, bool pressed)
{
    if (hot == hot_ && pressed == pressed_)
        return;
    hot_ = hot;
    pressed_ = pressed;
    RECT invalid = ToRECT(box);
    ::InvalidateRect(bar, &invalid, TRUE);
}

} // namespace toolbars
