#include "toolbars/TTBCustomDockableWindow.h"

#include "toolbars/TTBDock.h"
#include "win32/Application.h"
#include "win32/UniqueHandle.h"

#include <windowsx.h>

namespace toolbars {

namespace {

constexpr const char* kClassName = "VantoraDockableWindow";

RECT ToRECT(const core::Rect& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

bool Contains(const core::Rect& r, POINT p)
{
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// A small cross, two pixels thick, centred in the box.
void DrawCross(HDC dc, const core::Rect& box, COLORREF color)
{
    win32::UniqueHandle<win32::NullInvalidTraits<HPEN, win32::GdiDeleter>> pen(::CreatePen(PS_SOLID, 1, color));
    win32::SelectedObject select(dc, pen.Get());
    const int size = 5;
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

TTBCustomDockableWindow::TTBCustomDockableWindow(const DockableWindowProps& props)
    : Control(props.control), caption_(props.caption), dockRow_(props.dockRow), dockPos_(props.dockPos),
      closeButton_(props.closeButton), closeButtonWhenDocked_(props.closeButtonWhenDocked)
{
    // Bars use the system's menu font, not the form's.
    parentFont_ = false;
}

TTBCustomDockableWindow::~TTBCustomDockableWindow()
{
    if (currentDock_)
        currentDock_->Detach(*this);
}

HWND TTBCustomDockableWindow::CreateHandle(HWND parentWindow)
{
    RegisterOwnClass(App().Instance(), kClassName, 0, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    return CreateOwn(kClassName, WS_CLIPCHILDREN, 0, parentWindow);
}

void TTBCustomDockableWindow::SetDockRow(int row)
{
    dockRow_ = row;
    RequestArrange();
}

void TTBCustomDockableWindow::SetDockPos(int pos)
{
    dockPos_ = pos;
    RequestArrange();
}

void TTBCustomDockableWindow::SetCloseButtonWhenDocked(bool show)
{
    if (show == closeButtonWhenDocked_)
        return;
    closeButtonWhenDocked_ = show;
    BoundsChanged();
    if (Handle())
        ::InvalidateRect(Handle(), nullptr, TRUE);
}

void TTBCustomDockableWindow::RequestArrange()
{
    if (currentDock_)
        currentDock_->ArrangeToolbars();
}

void TTBCustomDockableWindow::Close()
{
    SetVisible(false);
}

SIZE TTBCustomDockableWindow::DockedSize(bool horizontal) const
{
    const SIZE content = ContentSize(horizontal);
    const core::ToolbarSize size = core::DockedToolbarSize(content.cx, content.cy, horizontal);
    return horizontal ? SIZE{size.width, size.height} : SIZE{size.height, size.width};
}

void TTBCustomDockableWindow::PlaceInDock(const core::Rect& bounds, bool horizontal)
{
    const bool turned = horizontal != horizontal_;
    horizontal_ = horizontal;
    SetBounds(bounds);
    if (turned)
        BoundsChanged();
}

core::ToolbarFrame TTBCustomDockableWindow::Frame() const
{
    return core::DockedToolbarFrame(Width(), Height(), horizontal_, ShowsCloseButton());
}

bool TTBCustomDockableWindow::ShowsCloseButton() const
{
    return closeButtonWhenDocked_;
}

void TTBCustomDockableWindow::BoundsChanged()
{
    LayoutContent(Frame().content, horizontal_);
    if (Handle())
        ::InvalidateRect(Handle(), nullptr, TRUE);
}

void TTBCustomDockableWindow::VisibleChanged()
{
    RequestArrange();
}

void TTBCustomDockableWindow::Paint(HDC dc)
{
    RECT client{};
    ::GetClientRect(Handle(), &client);
    ::DrawEdge(dc, &client, BDR_RAISEDINNER, BF_RECT);
    const core::ToolbarFrame frame = Frame();
    RECT grip = ToRECT(frame.grip);
    if (grip.right > grip.left && grip.bottom > grip.top)
        ::DrawEdge(dc, &grip, BDR_RAISEDINNER, BF_RECT);
    if (ShowsCloseButton()) {
        RECT box = ToRECT(frame.closeButton);
        core::Rect glyph = frame.closeButton;
        if (closePressed_) {
            ::DrawEdge(dc, &box, BDR_SUNKENOUTER, BF_RECT);
            glyph = {glyph.left + 1, glyph.top + 1, glyph.right + 1, glyph.bottom + 1};
        } else if (closeHot_) {
            ::DrawEdge(dc, &box, BDR_RAISEDINNER, BF_RECT);
        }
        DrawCross(dc, glyph, ::GetSysColor(COLOR_BTNTEXT));
    }
}

bool TTBCustomDockableWindow::OverCloseButton(LPARAM point) const
{
    return ShowsCloseButton() && Contains(Frame().closeButton, POINT{GET_X_LPARAM(point), GET_Y_LPARAM(point)});
}

void TTBCustomDockableWindow::SetCloseState(bool hot, bool pressed)
{
    if (hot == closeHot_ && pressed == closePressed_)
        return;
    closeHot_ = hot;
    closePressed_ = pressed;
    RECT box = ToRECT(Frame().closeButton);
    ::InvalidateRect(Handle(), &box, TRUE);
}

LRESULT TTBCustomDockableWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(Handle(), &ps);
        Paint(dc);
        ::EndPaint(Handle(), &ps);
        return 0;
    }
    case WM_LBUTTONDOWN:
        if (OverCloseButton(lParam)) {
            closeTracking_ = true;
            ::SetCapture(Handle());
            SetCloseState(true, true);
        }
        return 0;
    case WM_MOUSEMOVE: {
        const bool over = OverCloseButton(lParam);
        if (closeTracking_) {
            SetCloseState(over, over);
        } else {
            if (over && !closeHot_) {
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
                ::TrackMouseEvent(&track);
            }
            SetCloseState(over, false);
        }
        FrameMouseMove();
        return 0;
    }
    case WM_MOUSELEAVE:
        if (!closeTracking_)
            SetCloseState(false, false);
        return 0;
    case WM_LBUTTONUP:
        if (closeTracking_) {
            const bool over = OverCloseButton(lParam);
            closeTracking_ = false;
            ::ReleaseCapture();
            SetCloseState(false, false);
            if (over)
                Close();
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (closeTracking_) {
            closeTracking_ = false;
            SetCloseState(false, false);
        }
        return 0;
    }
    return ContainerProc(message, wParam, lParam);
}

} // namespace toolbars
