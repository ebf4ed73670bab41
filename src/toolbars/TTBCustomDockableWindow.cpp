#include "toolbars/TTBCustomDockableWindow.h"

#include "toolbars/DockDrag.h"
#include "toolbars/TTBDock.h"
#include "toolbars/TTBFloatingWindowParent.h"
#include "win32/AppMessages.h"
#include "win32/Application.h"
#include "win32/Form.h"
#include "win32/Geometry.h"

#include <algorithm>

namespace toolbars {

using win32::Contains;
using win32::PointOf;
using win32::ToRECT;

namespace {

constexpr const char* kClassName = "VantoraDockableWindow";
// Room round the items of a floating bar.
constexpr int kFloatingPadding = 2;
constexpr int kFrameAcross = 2 * core::kToolbarBorder;

BarPlacement DockedPlacement(bool horizontal)
{
    return horizontal ? BarPlacement::DockedHorizontal : BarPlacement::DockedVertical;
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
    drag_.reset();
    // Its floating window goes first; that leaves this control without a parent.
    floatingParent_.reset();
}

HWND TTBCustomDockableWindow::CreateHandle(HWND parentWindow)
{
    RegisterOwnClass(App().Instance(), kClassName, 0, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    if (TTBDock* dock = CurrentDock())
        placement_ = DockedPlacement(dock->Horizontal());
    // The caption names the bar for screen readers, docked or floating.
    return CreateOwn(kClassName, WS_CLIPCHILDREN, 0, parentWindow, caption_.c_str());
}

win32::Form* TTBCustomDockableWindow::OwnerForm() const
{
    if (floatingParent_)
        return &floatingParent_->Owner();
    for (Control* c = Parent(); c; c = c->Parent()) {
        if (auto* form = dynamic_cast<win32::Form*>(c))
            return form;
    }
    return nullptr;
}

void TTBCustomDockableWindow::SetCaption(const std::string& caption)
{
    caption_ = caption;
    if (HasWindow())
        ::SetWindowTextA(Handle(), caption_.c_str());
    if (floatingParent_)
        floatingParent_->UpdateCaption();
    CaptionChanged();
}

bool TTBCustomDockableWindow::Floating() const
{
    return floatingParent_ && Parent() == floatingParent_.get();
}

TTBDock* TTBCustomDockableWindow::CurrentDock() const
{
    return dynamic_cast<TTBDock*>(Parent());
}

void TTBCustomDockableWindow::SetDockRow(int32_t row)
{
    dockRow_ = row;
    RequestArrange();
}

void TTBCustomDockableWindow::SetDockPos(int32_t pos)
{
    dockPos_ = pos;
    RequestArrange();
}

void TTBCustomDockableWindow::TakeArrangedPlace(int32_t row, int32_t pos)
{
    dockRow_ = row;
    dockPos_ = pos;
}

void TTBCustomDockableWindow::SetFloatingPosition(core::Point position)
{
    floatingPosition_ = position;
    if (Floating())
        floatingParent_->MoveTo(position);
}

void TTBCustomDockableWindow::SetLastDock(TTBDock* dock)
{
    lastDock_ = dock;
    lastDockGone_.Disconnect();
    if (lastDock_)
        lastDockGone_ = lastDock_->Destroying.Connect([this](win32::Component&) { lastDock_ = nullptr; });
    useLastDock_ = true;
}

void TTBCustomDockableWindow::DockInto(TTBDock& dock)
{
    if (CurrentDock() == &dock)
        return;
    placement_ = DockedPlacement(dock.Horizontal());
    SetParentControl(dock);
    // Docking records the dock to come back to.
    RememberDock(dock);
    LeaveFloatingWindow();
}

void TTBCustomDockableWindow::RememberDock(TTBDock& dock)
{
    lastDock_ = &dock;
    lastDockGone_ = dock.Destroying.Connect([this](win32::Component&) { lastDock_ = nullptr; });
}

void TTBCustomDockableWindow::LeaveFloatingWindow()
{
    if (floatingParent_ && !Floating())
        floatingParent_.reset();
}

void TTBCustomDockableWindow::Float()
{
    if (Floating() || TearingDown())
        return;
    win32::Form* form = OwnerForm();
    if (!form)
        return;
    if (TTBDock* dock = CurrentDock())
        RememberDock(*dock);
    placement_ = BarPlacement::Floating;
    floatingParent_ = std::make_unique<TTBFloatingWindowParent>(*this, *form);
    floatingParent_->CreateWindowFor(nullptr, App());
    SetParentControl(*floatingParent_);
    floatingParent_->Fit();
    floatingParent_->FollowOwner();
}

void TTBCustomDockableWindow::MoveOnScreen()
{
    if (Floating())
        floatingParent_->MoveOnScreen();
}

void TTBCustomDockableWindow::RequestArrange()
{
    if (TTBDock* dock = CurrentDock())
        dock->ArrangeToolbars();
    else if (Floating())
        floatingParent_->Fit();
}

void TTBCustomDockableWindow::SetCloseButtonWhenDocked(bool show)
{
    if (show == closeButtonWhenDocked_)
        return;
    closeButtonWhenDocked_ = show;
    BoundsChanged();
    if (HasWindow())
        ::InvalidateRect(Handle(), nullptr, TRUE);
}

void TTBCustomDockableWindow::Close()
{
    SetVisible(false);
}

core::DockBar TTBCustomDockableWindow::DockRequest(bool horizontal) const
{
    const BarPlacement placement = DockedPlacement(horizontal);
    const int length = ContentLength(placement);
    core::DockBar bar;
    bar.length = length + FrameAlong();
    bar.minLength = std::min(ContentMinimumLength(placement), length) + FrameAlong();
    bar.thickness = ContentThickness(placement, length) + kFrameAcross;
    return bar;
}

int TTBCustomDockableWindow::ThicknessAt(bool horizontal, int length) const
{
    return ContentThickness(DockedPlacement(horizontal), std::max(length - FrameAlong(), 0)) + kFrameAcross;
}

SIZE TTBCustomDockableWindow::FloatingClientSize(int width) const
{
    const int natural = ContentLength(BarPlacement::Floating);
    const int narrowest = std::min(ContentMinimumLength(BarPlacement::Floating), natural);
    // Any stored width, however odd, gives the items a width they fit in.
    const int content = width > 0 ? std::clamp(width - 2 * kFloatingPadding, narrowest, natural) : natural;
    return {content + 2 * kFloatingPadding,
            ContentThickness(BarPlacement::Floating, content) + 2 * kFloatingPadding};
}

int TTBCustomDockableWindow::FloatingMinimumWidth() const
{
    return std::min(ContentMinimumLength(BarPlacement::Floating), ContentLength(BarPlacement::Floating)) +
           2 * kFloatingPadding;
}

void TTBCustomDockableWindow::PlaceInDock(const core::Rect& bounds, bool horizontal)
{
    Place(bounds, DockedPlacement(horizontal));
}

void TTBCustomDockableWindow::PlaceFloating(const core::Rect& client)
{
    Place(client, BarPlacement::Floating);
}

void TTBCustomDockableWindow::Place(const core::Rect& bounds, BarPlacement placement)
{
    placement_ = placement;
    const bool moves = bounds != BoundsRect();
    SetBounds(bounds);
    // The content may have changed though the bounds did not.
    if (!moves)
        BoundsChanged();
}

core::ToolbarFrame TTBCustomDockableWindow::Frame() const
{
    if (placement_ == BarPlacement::Floating) {
        // The floating window's caption is the handle.
        core::ToolbarFrame frame;
        const int p = kFloatingPadding;
        frame.content = {p, p, std::max(Width() - p, p), std::max(Height() - p, p)};
        return frame;
    }
    return core::DockedToolbarFrame(Width(), Height(), Horizontal(), ShowsCloseButton(), frameMetrics_);
}

int TTBCustomDockableWindow::FrameAlong() const
{
    return frameMetrics_.handle + 2 * core::kToolbarBorder;
}

void TTBCustomDockableWindow::ScaleBy(int numerator, int denominator)
{
    frameMetrics_ = frameMetrics_.ScaledBy(numerator, denominator);
    RequestArrange();
}

bool TTBCustomDockableWindow::ShowsCloseButton() const
{
    return closeButtonWhenDocked_ && placement_ != BarPlacement::Floating;
}

void TTBCustomDockableWindow::BoundsChanged()
{
    LayoutContent(Frame().content, placement_);
    if (HasWindow())
        ::InvalidateRect(Handle(), nullptr, TRUE);
}

void TTBCustomDockableWindow::VisibleChanged()
{
    if (Floating())
        floatingParent_->FollowOwner();
    else
        RequestArrange();
}

void TTBCustomDockableWindow::WindowDestroyed()
{
    drag_.reset();
}

void TTBCustomDockableWindow::Paint(HDC dc)
{
    if (placement_ == BarPlacement::Floating)
        return;
    RECT client{};
    ::GetClientRect(Handle(), &client);
    ::DrawEdge(dc, &client, BDR_RAISEDINNER, BF_RECT);
    const core::ToolbarFrame frame = Frame();
    RECT grip = ToRECT(frame.grip);
    if (grip.right > grip.left && grip.bottom > grip.top)
        ::DrawEdge(dc, &grip, BDR_RAISEDINNER, BF_RECT);
    if (ShowsCloseButton())
        closeBox_.Paint(dc, frame.closeButton);
}

bool TTBCustomDockableWindow::OverCloseButton(LPARAM point) const
{
    return ShowsCloseButton() && Contains(Frame().closeButton, PointOf(point));
}

bool TTBCustomDockableWindow::OverHandle(LPARAM point) const
{
    return placement_ != BarPlacement::Floating && Contains(Frame().handle, PointOf(point));
}

void TTBCustomDockableWindow::BeginDrag(POINT screen)
{
    if (drag_ || !HasWindow())
        return;
    drag_ = std::make_unique<DockDrag>(*this, screen);
    ::SetCapture(Handle());
}

void TTBCustomDockableWindow::EndDrag(bool drop)
{
    std::unique_ptr<DockDrag> drag = std::move(drag_);
    if (!drag)
        return;
    if (::GetCapture() == Handle())
        ::ReleaseCapture();
    if (drop)
        drag->Drop();
}

bool TTBCustomDockableWindow::HandleDragMessage(UINT message, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEMOVE: {
        POINT p = PointOf(lParam);
        ::ClientToScreen(Handle(), &p);
        drag_->MoveTo(p);
        return true;
    }
    case WM_LBUTTONUP:
        EndDrag(true);
        return true;
    case win32::kCancelDrag:
        EndDrag(false);
        return true;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != Handle())
            EndDrag(false);
        return true;
    }
    return false;
}

LRESULT TTBCustomDockableWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (drag_ && HandleDragMessage(message, lParam))
        return 0;
    switch (message) {
    case win32::kReturnToLastDock:
        if (Floating() && UseLastDock() && LastDock())
            DockInto(*LastDock());
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(Handle(), &ps);
        Paint(dc);
        ::EndPaint(Handle(), &ps);
        return 0;
    }
    case WM_LBUTTONDOWN:
        if (OverCloseButton(lParam)) {
            closeBox_.Press(Handle(), Frame().closeButton);
        } else if (OverHandle(lParam)) {
            POINT p = PointOf(lParam);
            ::ClientToScreen(Handle(), &p);
            BeginDrag(p);
        }
        return 0;
    case WM_MOUSEMOVE:
        closeBox_.MouseMove(Handle(), Frame().closeButton, OverCloseButton(lParam));
        FrameMouseMove();
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && placement_ != BarPlacement::Floating) {
            POINT p{};
            ::GetCursorPos(&p);
            ::ScreenToClient(Handle(), &p);
            if (Contains(Frame().handle, p) && !Contains(Frame().closeButton, p)) {
                ::SetCursor(::LoadCursor(nullptr, IDC_SIZEALL));
                return TRUE;
            }
        }
        break;
    case WM_MOUSELEAVE:
        closeBox_.MouseLeave(Handle(), Frame().closeButton);
        return 0;
    case WM_LBUTTONUP:
        if (closeBox_.Release(Handle(), Frame().closeButton, OverCloseButton(lParam)))
            Close();
        return 0;
    case WM_CAPTURECHANGED:
        closeBox_.CaptureLost(Handle(), Frame().closeButton);
        return 0;
    }
    return ContainerProc(message, wParam, lParam);
}

} // namespace toolbars
