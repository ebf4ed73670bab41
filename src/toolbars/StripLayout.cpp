#include "toolbars/StripLayout.h"

#include "toolbars/ToolbarParts.h"

#include <commctrl.h>

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

void StripLayout::SetChevronSize(int width, int height)
{
    chevronWidth_ = width;
    chevronHeight_ = height;
}

void StripLayout::Measure(HWND bar, const std::vector<TTBCustomItem*>& buttons)
{
    boxes_.assign(buttons.size(), {});
    hidden_.assign(buttons.size(), false);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        RECT r{};
        if (::SendMessageA(bar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r)))
            boxes_[i] = {r.right - r.left, r.bottom - r.top, buttons[i]->IsSeparator()};
    }
}

// Upright, a separator would stand as a gap the native bar draws its own
// way: it is left out there.
std::vector<core::ItemBox> StripLayout::BoxesFor(BarPlacement placement) const
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

core::ItemLayout StripLayout::For(BarPlacement placement, int length) const
{
    const std::vector<core::ItemBox> boxes = BoxesFor(placement);
    switch (placement) {
    case BarPlacement::DockedVertical:
        // Upright a chevron bar hides what does not fit, a wrapping bar
        // (the menu bar) takes further columns, and the others keep their
        // whole column.
        if (shrink_ == ShrinkMode::Chevron)
            return core::LayoutItems(boxes, core::ItemFlow::Vertical, length, chevronHeight_);
        if (shrink_ == ShrinkMode::Wrap)
            return core::LayoutItems(boxes, core::ItemFlow::Columns, length, 0);
        return core::LayoutItems(boxes, core::ItemFlow::Vertical, -1, 0);
    case BarPlacement::Floating:
        return core::LayoutItems(boxes, core::ItemFlow::Wrap, std::max(length, 0), 0);
    default:
        break;
    }
    switch (shrink_) {
    case ShrinkMode::Wrap:
        return core::LayoutItems(boxes, core::ItemFlow::Wrap, std::max(length, 0), 0);
    case ShrinkMode::Chevron:
        return core::LayoutItems(boxes, core::ItemFlow::Line, std::max(length, 0), chevronWidth_);
    default:
        return core::LayoutItems(boxes, core::ItemFlow::Line, -1, 0);
    }
}

int StripLayout::Length(BarPlacement placement, int buttonHeight) const
{
    if (placement == BarPlacement::DockedVertical)
        return std::max(For(placement, -1).height, buttonHeight);
    return core::LayoutItems(BoxesFor(placement), core::ItemFlow::Line, -1, 0).width;
}

int StripLayout::MinimumLength(BarPlacement placement, int buttonHeight) const
{
    switch (placement) {
    case BarPlacement::DockedVertical:
        if (shrink_ == ShrinkMode::Chevron)
            return std::min(Length(placement, buttonHeight), chevronHeight_);
        if (shrink_ == ShrinkMode::Wrap)  // everything side by side on one line
            return std::min(Length(placement, buttonHeight), std::max(For(placement, 0).height, buttonHeight));
        return Length(placement, buttonHeight);
    case BarPlacement::Floating: return core::MinimumItemLength(boxes_, core::ShrinkKind::Wrap, 0);
    default: return core::MinimumItemLength(boxes_, KindOf(shrink_), chevronWidth_);
    }
}

int StripLayout::Thickness(BarPlacement placement, int length, int buttonHeight) const
{
    const core::ItemLayout layout = For(placement, length);
    if (placement == BarPlacement::DockedVertical)
        return std::max(layout.width, buttonHeight);
    return std::max(layout.height, buttonHeight);
}

void StripLayout::Apply(HWND bar, const core::ItemLayout& layout, BarPlacement placement, std::size_t count)
{
    laidOutAs_ = placement;
    bool changed = false;
    for (std::size_t i = 0; i < count && i < layout.items.size(); ++i) {
        const core::ItemPlacement& item = layout.items[i];
        // Upright, every shown button stands on a line of its own.
        const bool hidden = item.hidden || (placement == BarPlacement::DockedVertical && boxes_[i].separator);
        const bool wrap = !hidden && item.lineBreakAfter;
        hidden_[i] = item.hidden;
        const int id = static_cast<int>(i) + kFirstButtonId;
        const LRESULT state = ::SendMessageA(bar, TB_GETSTATE, id, 0);
        if (state == -1)
            continue;
        LRESULT wanted = state & ~(TBSTATE_WRAP | TBSTATE_HIDDEN);
        wanted |= (hidden ? TBSTATE_HIDDEN : 0) | (wrap ? TBSTATE_WRAP : 0);
        if (wanted != state) {
            ::SendMessageA(bar, TB_SETSTATE, id, MAKELPARAM(wanted, 0));
            changed = true;
        }
    }
    if (changed && count > 0)
        Relayout(bar);
}

// A changed wrap state alone does not make the native bar place its buttons
// again (a changed hidden state does): one button is hidden and shown again.
void StripLayout::Relayout(HWND bar)
{
    const LRESULT state = ::SendMessageA(bar, TB_GETSTATE, kFirstButtonId, 0);
    if (state != -1) {
        ::SendMessageA(bar, TB_SETSTATE, kFirstButtonId, MAKELPARAM(state ^ TBSTATE_HIDDEN, 0));
        ::SendMessageA(bar, TB_SETSTATE, kFirstButtonId, MAKELPARAM(state, 0));
    }
    ::InvalidateRect(bar, nullptr, TRUE);
}

void StripLayout::Place(HWND bar, ChevronButton& chevron, const core::Rect& content, BarPlacement placement,
                        std::size_t count)
{
    const bool upright = placement == BarPlacement::DockedVertical;
    const core::ItemLayout layout = For(placement, upright ? content.height() : content.width());
    Apply(bar, layout, placement, count);
    // The chevron stands beside (or below) the buttons, not over them.
    const int barWidth =
        layout.chevron && !upright ? std::min(layout.chevronRect.left, content.width()) : content.width();
    const int barHeight =
        layout.chevron && upright ? std::min(layout.chevronRect.top, content.height()) : content.height();
    ::MoveWindow(bar, content.left, content.top, barWidth, barHeight, TRUE);
    const core::Rect& c = layout.chevronRect;
    chevron.Place({content.left + c.left, content.top + c.top, content.left + c.right, content.top + c.bottom},
                  layout.chevron);
}

std::vector<TTBCustomItem*> StripLayout::HiddenOf(const std::vector<TTBCustomItem*>& buttons) const
{
    std::vector<TTBCustomItem*> items;
    for (std::size_t i = 0; i < buttons.size() && i < hidden_.size(); ++i) {
        if (hidden_[i])
            items.push_back(buttons[i]);
    }
    // The menu neither starts nor ends with a separator.
    while (!items.empty() && items.front()->IsSeparator())
        items.erase(items.begin());
    while (!items.empty() && items.back()->IsSeparator())
        items.pop_back();
    return items;
}

} // namespace toolbars
