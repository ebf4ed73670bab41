#include "toolbars/TTBDock.h"

#include "core/docking/DockArrangement.h"
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

// What screen readers and UI automation call the dock.
const char* DockText(DockPosition position)
{
    switch (position) {
    case DockPosition::Bottom: return "Bottom dock";
    case DockPosition::Left: return "Left dock";
    case DockPosition::Right: return "Right dock";
    default: return "Top dock";
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

core::DockEdge TTBDock::Edge() const
{
    switch (position_) {
    case DockPosition::Bottom: return core::DockEdge::Bottom;
    case DockPosition::Left: return core::DockEdge::Left;
    case DockPosition::Right: return core::DockEdge::Right;
    default: return core::DockEdge::Top;
    }
}

HWND TTBDock::CreateHandle(HWND parentWindow)
{
    RegisterOwnClass(App().Instance(), "VantoraDock", 0, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    return CreateOwn("VantoraDock", WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, parentWindow, DockText(position_));
}

std::vector<TTBCustomDockableWindow*> TTBDock::Bars() const
{
    std::vector<TTBCustomDockableWindow*> bars;
    for (Control* child : Children()) {
        if (auto* bar = dynamic_cast<TTBCustomDockableWindow*>(child))
            bars.push_back(bar);
    }
    return bars;
}

int TTBDock::ArrangedRow(const TTBCustomDockableWindow& bar) const
{
    for (const auto& [arranged, row] : arrangedRows_) {
        if (arranged == &bar)
            return row;
    }
    return -1;
}

void TTBDock::ResumeArrange()
{
    if (suspended_ > 0 && --suspended_ == 0 && arrangePending_)
        ArrangeToolbars();
}

void TTBDock::ArrangeToolbars()
{
    Arrange(false);
}

void TTBDock::ArrangeAfterDrag()
{
    Arrange(true);
}

void TTBDock::Arrange(bool writeBack)
{
    if (TearingDown())
        return;
    if (suspended_ > 0 || !HasWindow()) {
        arrangePending_ = true;
        return;
    }
    // A bar whose size changes while it is placed (it wrapped, or turned)
    // asks again: the arrangement runs once more, a few times at most.
    if (arranging_) {
        arrangeAgain_ = true;
        return;
    }
    arranging_ = true;
    arrangePending_ = false;
    constexpr int kMaxPasses = 4;
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        arrangeAgain_ = false;
        ArrangeOnce(writeBack);
        if (!arrangeAgain_)
            break;
    }
    arranging_ = false;
}

void TTBDock::ArrangeOnce(bool writeBack)
{
    const bool horizontal = Horizontal();
    const std::vector<TTBCustomDockableWindow*> bars = Bars();
    std::vector<core::DockBar> input;
    input.reserve(bars.size());
    for (TTBCustomDockableWindow* bar : bars) {
        core::DockBar request = bar->DockRequest(horizontal);
        request.row = bar->DockRow();
        request.pos = bar->DockPos();
        request.visible = bar->Visible();
        input.push_back(request);
    }
    arrangedLength_ = Length();
    const core::DockLayout layout = core::ArrangeDock(
        input, arrangedLength_, fixAlign_,
        [&](std::size_t i, int length) { return bars[i]->ThicknessAt(horizontal, length); });

    arrangedRows_.clear();
    for (std::size_t i = 0; i < bars.size(); ++i) {
        if (!input[i].visible)
            continue;
        const core::DockSlot& slot = layout.slots[i];
        const int across = layout.rowThicknesses[static_cast<std::size_t>(slot.row)];
        const core::Rect bounds = horizontal
            ? core::Rect{slot.offset, slot.lineOffset, slot.offset + slot.length, slot.lineOffset + across}
            : core::Rect{slot.lineOffset, slot.offset, slot.lineOffset + across, slot.offset + slot.length};
        bars[i]->PlaceInDock(bounds, horizontal);
        arrangedRows_.emplace_back(bars[i], slot.row);
        if (writeBack)
            bars[i]->TakeArrangedPlace(slot.row, slot.offset);
    }
    rows_.clear();
    for (std::size_t r = 0; r < layout.rowOffsets.size(); ++r)
        rows_.emplace_back(layout.rowOffsets[r], layout.rowOffsets[r] + layout.rowThicknesses[r]);
    SetThickness(layout.thickness);
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
    // A change of length can change how the rows shrink and wrap.
    if (Length() != arrangedLength_)
        ArrangeToolbars();
}

} // namespace toolbars
