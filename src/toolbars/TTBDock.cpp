#include "toolbars/TTBDock.h"

#include "core/DockArrangement.h"
#include "toolbars/TTBCustomDockableWindow.h"
#include "win32/Application.h"

#include <algorithm>

namespace toolbars {

namespace {

core::Align DockAlign(DockPosition position)
{
    switch (position) {
    case DockPosition::Bottom: return core::Align::Bottom;
    case DockPosition::Left: return core::Align::Left;
    case DockPosition::Right: return core::Align::Right;
    default: return core::Align::Top;
    }
}

win32::ControlProps WithAlign(win32::ControlProps props, DockPosition position)
{
    props.align = DockAlign(position);
    return props;
}

} // namespace

TTBDock::TTBDock(const DockProps& props)
    : Control(WithAlign(props.control, props.position)), position_(props.position),
      fixAlign_(props.fixAlign), allowDrag_(props.allowDrag)
{
}

TTBDock::~TTBDock()
{
    for (TTBCustomDockableWindow* bar : bars_)
        bar->currentDock_ = nullptr;
}

HWND TTBDock::CreateHandle(HWND parentWindow)
{
    RegisterOwnClass(App().Instance(), "VantoraDock", 0, nullptr,
                     reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    return CreateOwn("VantoraDock", WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, parentWindow);
}

void TTBDock::Attach(TTBCustomDockableWindow& bar)
{
    if (std::find(bars_.begin(), bars_.end(), &bar) == bars_.end())
        bars_.push_back(&bar);
    bar.currentDock_ = this;
    ArrangeToolbars();
}

void TTBDock::Detach(TTBCustomDockableWindow& bar)
{
    bars_.erase(std::remove(bars_.begin(), bars_.end(), &bar), bars_.end());
    if (bar.currentDock_ == this)
        bar.currentDock_ = nullptr;
    ArrangeToolbars();
}

void TTBDock::EndUpdate()
{
    if (suspended_ > 0 && --suspended_ == 0 && arrangePending_)
        ArrangeToolbars();
}

void TTBDock::ArrangeToolbars()
{
    if (TearingDown())
        return;
    if (suspended_ > 0 || !Handle()) {
        arrangePending_ = true;
        return;
    }
    if (arranging_)
        return;
    arranging_ = true;
    arrangePending_ = false;
    const bool horizontal = Horizontal();
    std::vector<core::DockBar> input;
    for (TTBCustomDockableWindow* bar : bars_) {
        const SIZE size = bar->DockedSize(horizontal);
        const int length = static_cast<int>(size.cx);
        input.push_back({bar->DockRow(), bar->DockPos(), length, length, static_cast<int>(size.cy),
                         bar->Visible()});
    }
    const core::DockLayout layout = core::ArrangeDock(input, core::kUnlimitedDockLength, fixAlign_);
    for (std::size_t i = 0; i < bars_.size(); ++i) {
        if (!input[i].visible)
            continue;
        const core::DockSlot& slot = layout.slots[i];
        const core::Rect along = horizontal
            ? core::Rect{slot.offset, slot.lineOffset, slot.offset + slot.length,
                         slot.lineOffset + slot.thickness}
            : core::Rect{slot.lineOffset, slot.offset, slot.lineOffset + slot.thickness,
                         slot.offset + slot.length};
        bars_[i]->PlaceInDock(along, horizontal);
    }
    SetThickness(layout.thickness);
    arranging_ = false;
}

void TTBDock::SetThickness(int thickness)
{
    if (Horizontal())
        SetHeight(thickness);
    else
        SetWidth(thickness);
}

void TTBDock::BoundsChanged()
{
    // A change of length can change how the rows wrap.
    if (!arranging_)
        ArrangeToolbars();
}

} // namespace toolbars
