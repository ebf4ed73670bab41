// How the buttons fill the space a dock or a floating window gives them:
// measured once per rebuild, then shown in one line (with a chevron for
// what does not fit), wrapped into lines, or stacked upright, by setting
// the native bar's wrap and hidden states.
#include "toolbars/TTBToolbar.h"

#include "core/settings/ToolbarLayout.h"
#include "toolbars/ToolbarParts.h"

#include <algorithm>

namespace toolbars {

namespace {

core::ShrinkKind KindOf(ShrinkMode mode)
{
    switch (mode) {
    case ShrinkMode::Wrap: return core::ShrinkKind::Wrap;
    case ShrinkMode::Chevron: return core::ShrinkKind::Chevron;
    default: return core::ShrinkKind::None;
    }
}

} // namespace

void TTBCustomToolbar::MeasureButtons()
{
    boxes_.assign(buttons_.size(), {});
    hidden_.assign(buttons_.size(), false);
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        RECT r{};
        if (::SendMessageA(bar_, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r)))
            boxes_[i] = {r.right - r.left, r.bottom - r.top, buttons_[i]->IsSeparator()};
    }
}

int TTBCustomToolbar::ButtonHeight() const
{
    return bar_ ? HIWORD(::SendMessageA(bar_, TB_GETBUTTONSIZE, 0, 0)) : 0;
}

// Upright, a separator would stand as a gap the native bar draws its own
// way: it is left out there.
std::vector<core::ItemBox> TTBCustomToolbar::BoxesFor(BarPlacement placement) const
{
    std::vector<core::ItemBox> boxes = boxes_;
    if (placement == BarPlacement::DockedVertical) {
        for (core::ItemBox& box : boxes) {
            if (box.separator)
                box = {0, 0, true};
        }
    }
    return boxes;
}

core::ItemLayout TTBCustomToolbar::LayoutFor(BarPlacement placement, int length) const
{
    const std::vector<core::ItemBox> boxes = BoxesFor(placement);
    switch (placement) {
    case BarPlacement::DockedVertical:
        // Upright a chevron bar hides what does not fit, a wrapping bar
        // (the menu bar) takes further columns, and the others keep their
        // whole column.
        if (shrinkMode_ == ShrinkMode::Chevron)
            return core::LayoutItems(boxes, core::ItemFlow::Vertical, length, chevronHeight_);
        if (shrinkMode_ == ShrinkMode::Wrap)
            return core::LayoutItems(boxes, core::ItemFlow::Columns, length, 0);
        return core::LayoutItems(boxes, core::ItemFlow::Vertical, -1, 0);
    case BarPlacement::Floating:
        return core::LayoutItems(boxes, core::ItemFlow::Wrap, std::max(length, 0), 0);
    default:
        break;
    }
    switch (shrinkMode_) {
    case ShrinkMode::Wrap:
        return core::LayoutItems(boxes, core::ItemFlow::Wrap, std::max(length, 0), 0);
    case ShrinkMode::Chevron:
        return core::LayoutItems(boxes, core::ItemFlow::Line, std::max(length, 0), chevronWidth_);
    default:
        return core::LayoutItems(boxes, core::ItemFlow::Line, -1, 0);
    }
}

int TTBCustomToolbar::ContentLength(BarPlacement placement) const
{
    const core::ItemLayout full = LayoutFor(placement, -1);
    if (placement == BarPlacement::DockedVertical)
        return std::max(full.height, ButtonHeight());
    return core::LayoutItems(BoxesFor(placement), core::ItemFlow::Line, -1, 0).width;
}

int TTBCustomToolbar::ContentMinimumLength(BarPlacement placement) const
{
    switch (placement) {
    case BarPlacement::DockedVertical:
        if (shrinkMode_ == ShrinkMode::Chevron)
            return std::min(ContentLength(placement), chevronHeight_);
        if (shrinkMode_ == ShrinkMode::Wrap)  // everything side by side on one line
            return std::min(ContentLength(placement), std::max(LayoutFor(placement, 0).height, ButtonHeight()));
        return ContentLength(placement);
    case BarPlacement::Floating: return core::MinimumItemLength(boxes_, core::ShrinkKind::Wrap, 0);
    default: return core::MinimumItemLength(boxes_, KindOf(shrinkMode_), chevronWidth_);
    }
}

int TTBCustomToolbar::ContentThickness(BarPlacement placement, int length) const
{
    // An empty bar keeps a button's thickness, so that it can still be grabbed.
    const core::ItemLayout layout = LayoutFor(placement, length);
    if (placement == BarPlacement::DockedVertical)
        return std::max(layout.width, ButtonHeight());
    return std::max(layout.height, ButtonHeight());
}

void TTBCustomToolbar::LayoutContent(const core::Rect& content, BarPlacement placement)
{
    if (!bar_)
        return;
    const int length = placement == BarPlacement::DockedVertical ? content.height() : content.width();
    const core::ItemLayout layout = LayoutFor(placement, length);
    ApplyLayout(layout, placement);
    // The chevron stands beside (or below) the buttons, not over them.
    const bool upright = placement == BarPlacement::DockedVertical;
    const int barWidth =
        layout.chevron && !upright ? std::min(layout.chevronRect.left, content.width()) : content.width();
    const int barHeight =
        layout.chevron && upright ? std::min(layout.chevronRect.top, content.height()) : content.height();
    ::MoveWindow(bar_, content.left, content.top, barWidth, barHeight, TRUE);
    if (chevron_) {
        if (layout.chevron) {
            const core::Rect& c = layout.chevronRect;
            ::MoveWindow(chevron_, content.left + c.left, content.top + c.top, c.width(), c.height(), TRUE);
        }
        ::ShowWindow(chevron_, layout.chevron ? SW_SHOWNA : SW_HIDE);
    }
}

void TTBCustomToolbar::ApplyLayout(const core::ItemLayout& layout, BarPlacement placement)
{
    laidOutAs_ = placement;
    bool changed = false;
    for (std::size_t i = 0; i < buttons_.size() && i < layout.items.size(); ++i) {
        const core::ItemPlacement& item = layout.items[i];
        // Upright, every shown button stands on a line of its own.
        const bool hidden = item.hidden || (placement == BarPlacement::DockedVertical && boxes_[i].separator);
        const bool wrap = !hidden && item.lineBreakAfter;
        hidden_[i] = item.hidden;
        const int id = static_cast<int>(i) + kFirstButtonId;
        const LRESULT state = ::SendMessageA(bar_, TB_GETSTATE, id, 0);
        if (state == -1)
            continue;
        LRESULT wanted = state & ~(TBSTATE_WRAP | TBSTATE_HIDDEN);
        wanted |= (hidden ? TBSTATE_HIDDEN : 0) | (wrap ? TBSTATE_WRAP : 0);
        if (wanted != state) {
            ::SendMessageA(bar_, TB_SETSTATE, id, MAKELPARAM(wanted, 0));
            changed = true;
        }
    }
    if (changed)
        RelayoutButtons();
}

// A changed wrap state alone does not make the native bar place its buttons
// again (a changed hidden state does): one button is hidden and shown again.
void TTBCustomToolbar::RelayoutButtons()
{
    if (buttons_.empty())
        return;
    const LRESULT state = ::SendMessageA(bar_, TB_GETSTATE, kFirstButtonId, 0);
    if (state != -1) {
        ::SendMessageA(bar_, TB_SETSTATE, kFirstButtonId, MAKELPARAM(state ^ TBSTATE_HIDDEN, 0));
        ::SendMessageA(bar_, TB_SETSTATE, kFirstButtonId, MAKELPARAM(state, 0));
    }
    ::InvalidateRect(bar_, nullptr, TRUE);
}

bool TTBCustomToolbar::ShowsChevron() const
{
    return chevron_ && ::IsWindowVisible(chevron_);
}

std::vector<TTBCustomItem*> TTBCustomToolbar::HiddenItems() const
{
    std::vector<TTBCustomItem*> items;
    if (!ShowsChevron())
        return items;
    for (std::size_t i = 0; i < buttons_.size() && i < hidden_.size(); ++i) {
        if (hidden_[i])
            items.push_back(buttons_[i]);
    }
    // The menu neither starts nor ends with a separator.
    while (!items.empty() && items.front()->IsSeparator())
        items.erase(items.begin());
    while (!items.empty() && items.back()->IsSeparator())
        items.pop_back();
    return items;
}

void TTBCustomToolbar::SetFloatingWidth(int32_t width)
{
    if (width == floatingWidth_)
        return;
    floatingWidth_ = width;
    if (Floating())
        RequestArrange();
}

void TTBCustomToolbar::ReadLayoutExtras(const core::LayoutReader& reader)
{
    SetFloatingWidth(core::ReadFloatingWidth(reader, Name()));
}

void TTBCustomToolbar::WriteLayoutExtras(const core::LayoutWriter& writer) const
{
    core::WriteFloatingWidth(writer, Name(), floatingWidth_);
}

} // namespace toolbars
