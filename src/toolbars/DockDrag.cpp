#include "toolbars/DockDrag.h"

#include "toolbars/TTBCustomDockableWindow.h"
#include "toolbars/TTBDock.h"
#include "toolbars/TTBFloatingWindowParent.h"
#include "win32/AppMessages.h"
#include "win32/Application.h"
#include "win32/Form.h"
#include "win32/Geometry.h"

#include <algorithm>

namespace toolbars {

using win32::ToRect;

namespace {

// How far outside a dock (or inside from an empty dock's edge) the pointer
// still finds it.
constexpr int kDockMargin = 12;
constexpr int kDockedOutline = 2;
constexpr int kFloatingOutline = 3;

RECT ScreenRect(HWND window)
{
    RECT r{};
    ::GetWindowRect(window, &r);
    return r;
}

} // namespace

DockDrag::DockDrag(TTBCustomDockableWindow& bar, POINT start)
    : bar_(bar), start_(start), outline_(bar.App().Instance())
{
    const HWND grabbed = bar.Floating() ? bar.FloatingParent()->Handle() : bar.Handle();
    const RECT r = ScreenRect(grabbed);
    grab_ = {start.x - r.left, start.y - r.top};
    // Esc goes to whatever has the focus; the focus stays where it is (a
    // floating bar's window would be activated by taking it). The drag ends
    // once this message is done.
    const HWND window = bar.Handle();
    escape_ = bar.App().PreTranslate.Connect([window](MSG& msg) {
        if (msg.message != WM_KEYDOWN || msg.wParam != VK_ESCAPE)
            return false;
        ::PostMessageA(window, win32::kCancelDrag, 0, 0);
        return true;
    });
}

DockDrag::~DockDrag()
{
    outline_.Hide();
}

std::vector<TTBDock*> DockDrag::Docks() const
{
    std::vector<TTBDock*> docks;
    if (win32::Form* form = bar_.OwnerForm()) {
        for (const auto& component : form->Components()) {
            auto* dock = dynamic_cast<TTBDock*>(component.get());
            if (dock && dock->AllowDrag() && dock->Visible() && dock->HasWindow())
                docks.push_back(dock);
        }
    }
    return docks;
}

void DockDrag::MoveTo(POINT screen)
{
    if (!moved_) {
        const bool beyond = std::abs(screen.x - start_.x) >= ::GetSystemMetrics(SM_CXDRAG) ||
                            std::abs(screen.y - start_.y) >= ::GetSystemMetrics(SM_CYDRAG);
        if (!beyond)
            return;
        moved_ = true;
    }
    FindTarget(screen);
    if (targetDock_)
        outline_.Show(DockedOutline(*targetDock_), kDockedOutline);
    else
        outline_.Show(FloatingOutline(screen), kFloatingOutline);
}

void DockDrag::FindTarget(POINT screen)
{
    const std::vector<TTBDock*> docks = Docks();
    std::vector<core::DockGeometry> geometry;
    for (TTBDock* dock : docks) {
        const RECT r = ScreenRect(dock->Handle());
        core::DockGeometry g{ToRect(r), dock->Edge(), {}};
        const int origin = dock->Horizontal() ? r.top : r.left;
        for (const auto& [start, end] : dock->Rows())
            g.rows.emplace_back(origin + start, origin + end);
        geometry.push_back(g);
    }
    targetDock_ = nullptr;
    target_ = {};
    for (std::size_t i = 0; i < docks.size(); ++i) {
        // What the pointer grabbed lies along the bar as that dock holds it.
        const core::DockBar request = bar_.DockRequest(docks[i]->Horizontal());
        const int along = std::clamp(static_cast<int>(docks[i]->Horizontal() ? grab_.x : grab_.y), 0,
                                     std::max(request.length - 1, 0));
        const core::DropTarget target = core::FindDropTarget(geometry, {screen.x, screen.y}, along, kDockMargin);
        if (target.dock == static_cast<int>(i)) {
            targetDock_ = docks[i];
            target_ = target;
            return;
        }
    }
}

RECT DockDrag::DockedOutline(const TTBDock& dock) const
{
    const RECT d = ScreenRect(dock.Handle());
    const bool horizontal = dock.Horizontal();
    const core::DockBar request = bar_.DockRequest(horizontal);
    const int length = std::min(request.length, std::max(dock.Length(), 1));
    const auto& rows = dock.Rows();
    const int origin = horizontal ? d.top : d.left;
    int across = 0;
    // A new row opens where the row it goes before begins.
    if (target_.row < static_cast<int>(rows.size()))
        across = origin + rows[static_cast<std::size_t>(target_.row)].first;
    else if (!rows.empty())
        across = origin + rows.back().second;
    else if (dock.Edge() == core::DockEdge::Bottom)
        across = d.bottom - request.thickness;
    else if (dock.Edge() == core::DockEdge::Right)
        across = d.right - request.thickness;
    else
        across = origin;
    const int along = (horizontal ? d.left : d.top) + target_.pos;
    if (horizontal)
        return {along, across, along + length, across + request.thickness};
    return {across, along, across + request.thickness, along + length};
}

RECT DockDrag::FloatingOutline(POINT screen) const
{
    const SIZE size = TTBFloatingWindowParent::OuterSize(bar_, bar_.WantedFloatingWidth());
    const int x = screen.x - std::clamp(static_cast<int>(grab_.x), 0, static_cast<int>(size.cx) - 1);
    const int y = screen.y - std::clamp(static_cast<int>(grab_.y), 0, static_cast<int>(size.cy) - 1);
    return {x, y, x + size.cx, y + size.cy};
}

void DockDrag::Drop()
{
    if (!moved_)
        return;
    outline_.Hide();
    if (!targetDock_) {
        const RECT r = outline_.Bounds();
        bar_.SetFloatingPosition({r.left, r.top});
        bar_.Float();
        return;
    }
    DropIntoDock(*targetDock_);
}

void DockDrag::DropIntoDock(TTBDock& dock)
{
    TTBDock* previous = bar_.CurrentDock();
    std::vector<TTBCustomDockableWindow*> others;
    std::vector<int32_t> rows;
    for (TTBCustomDockableWindow* other : dock.Bars()) {
        const int row = dock.ArrangedRow(*other);
        if (other != &bar_ && row >= 0) {
            others.push_back(other);
            rows.push_back(row);
        }
    }
    const int32_t row = core::ApplyDropRows(target_, rows);
    for (std::size_t i = 0; i < others.size(); ++i)
        others[i]->TakeArrangedPlace(rows[i], others[i]->DockPos());
    bar_.TakeArrangedPlace(row, target_.pos);
    dock.SuspendArrange();
    bar_.DockInto(dock);
    dock.ResumeArrange();
    dock.ArrangeAfterDrag();
    if (previous && previous != &dock)
        previous->ArrangeAfterDrag();
}

} // namespace toolbars
