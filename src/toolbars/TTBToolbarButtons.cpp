// The toolbar's buttons: one native button per top-level item, kept in step
// with the items, their tooltips and what a click on one does.
#include "toolbars/TTBToolbar.h"

#include "core/ui/AccessKey.h"
#include "core/ui/Hint.h"
#include "toolbars/ToolbarParts.h"
#include "win32/AppMessages.h"
#include "win32/Application.h"
#include "win32/KeyMessages.h"

#include <windowsx.h>

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace toolbars {

void TTBCustomToolbar::TreeChanged(TTBCustomItem& item, ItemChange change)
{
    if (change == ItemChange::Structure) {
        // The item may be on its way out: only its address is used here, and
        // nothing may keep it, also while the bar itself is going.
        std::erase(queuedClicks_, &item);
        std::replace(menuItems_.begin(), menuItems_.end(), &item, static_cast<TTBCustomItem*>(nullptr));
        if (const int index = IndexOf(item); index >= 0 && !item.ParentItem()) {
            buttons_.erase(buttons_.begin() + index);
            shapes_.erase(shapes_.begin() + index);
        }
        RebuildButtons();
        return;
    }
    if (TearingDown())
        return;
    const int index = IndexOf(item);
    if (index < 0)
        return;
    if (ButtonShape(item) != shapes_[index])
        RebuildButtons();
    else
        UpdateButton(index);
}

void TTBCustomToolbar::EndUpdate()
{
    if (updating_ > 0 && --updating_ == 0 && rebuildPending_)
        RebuildButtons();
}

std::string TTBCustomToolbar::ButtonShape(const TTBCustomItem& item) const
{
    if (item.IsSeparator())
        return "-";
    if (ShowsImage(item))
        return "#" + std::to_string(item.ImageIndex());
    return (item.IsSubmenu() ? ">" : "=") + ButtonCaption(item);
}

bool TTBCustomToolbar::ShowsImage(const TTBCustomItem& item) const
{
    return images_ && item.ImageIndex() >= 0;
}

// Where the native bar would underline regardless, hidden access keys are
// hidden by leaving the markers out of the text.
std::string TTBCustomToolbar::ButtonCaption(const TTBCustomItem& item) const
{
    return showAccessKeys_ ? item.Caption() : core::WithoutAccessKey(item.Caption());
}

std::string TTBCustomToolbar::TooltipFor(const TTBCustomItem& item) const
{
    return core::TooltipText(item.Hint(), core::ShortCutText(item.ShortCut()));
}

void TTBCustomToolbar::RebuildButtons()
{
    if (!bar_ || TearingDown())
        return;
    if (updating_ > 0) {
        rebuildPending_ = true;
        return;
    }
    rebuildPending_ = false;
    // Bounded: a delete that fails must not keep the loop going.
    for (auto n = ::SendMessageA(bar_, TB_BUTTONCOUNT, 0, 0); n > 0; --n) {
        if (!::SendMessageA(bar_, TB_DELETEBUTTON, n - 1, 0))
            break;
    }
    buttons_.clear();
    shapes_.clear();
    for (TTBCustomItem* item : root_.Items()) {
        if (item->Visible()) {
            buttons_.push_back(item);
            shapes_.push_back(ButtonShape(*item));
        }
    }

    bool anyImage = false;
    std::vector<std::string> captions(buttons_.size());
    std::vector<TBBUTTON> buttons(buttons_.size());
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const TTBCustomItem& item = *buttons_[i];
        TBBUTTON& b = buttons[i];
        b.idCommand = static_cast<int>(i) + kFirstButtonId;
        if (item.IsSeparator()) {
            b.fsStyle = BTNS_SEP;
            b.iBitmap = kSeparatorWidth;
            continue;
        }
        b.fsState = static_cast<BYTE>((item.Enabled() ? TBSTATE_ENABLED : 0) |
                                      (item.Checked() ? TBSTATE_CHECKED : 0));
        if (ShowsImage(item)) {
            anyImage = true;
            b.iBitmap = item.ImageIndex();
            b.fsStyle = BTNS_BUTTON;
            b.iString = -1;
        } else {
            captions[i] = ButtonCaption(item);
            b.iBitmap = I_IMAGENONE;
            b.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
            b.iString = reinterpret_cast<INT_PTR>(captions[i].c_str());
        }
        if (item.IsSubmenu() && !menuBar_)
            b.fsStyle |= BTNS_WHOLEDROPDOWN;
    }
    ::SendMessageA(bar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(anyImage ? images_ : nullptr));
    if (!buttons.empty())
        ::SendMessageA(bar_, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        UpdateButton(static_cast<int>(i));
    MeasureButtons();
    RequestArrange();
    ::InvalidateRect(bar_, nullptr, TRUE);
}

void TTBCustomToolbar::UpdateButton(int index)
{
    if (!bar_ || TearingDown())
        return;
    TTBCustomItem* item = ButtonItem(index);
    if (!item || item->IsSeparator())
        return;
    const int id = index + kFirstButtonId;
    LRESULT state = ::SendMessageA(bar_, TB_GETSTATE, id, 0);
    if (state != -1) {
        state &= ~(TBSTATE_ENABLED | TBSTATE_CHECKED);
        state |= (item->Enabled() ? TBSTATE_ENABLED : 0) | (item->Checked() ? TBSTATE_CHECKED : 0);
        ::SendMessageA(bar_, TB_SETSTATE, id, MAKELPARAM(state, 0));
    }
    if (HWND tips = reinterpret_cast<HWND>(::SendMessageA(bar_, TB_GETTOOLTIPS, 0, 0))) {
        std::string text = TooltipFor(*item);
        TOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = bar_;
        tool.uId = static_cast<UINT_PTR>(id);
        tool.lpszText = text.data();
        ::SendMessageA(tips, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

TTBCustomItem* TTBCustomToolbar::ButtonItem(int index) const
{
    return index >= 0 && index < static_cast<int>(buttons_.size()) ? buttons_[index] : nullptr;
}

int TTBCustomToolbar::IndexOf(const TTBCustomItem& item) const
{
    const auto found = std::find(buttons_.begin(), buttons_.end(), &item);
    return found == buttons_.end() ? -1 : static_cast<int>(found - buttons_.begin());
}

int TTBCustomToolbar::ButtonAt(POINT barPoint) const
{
    RECT client{};
    ::GetClientRect(bar_, &client);
    if (!::PtInRect(&client, barPoint))
        return -1;
    const auto index = static_cast<int>(::SendMessageA(bar_, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&barPoint)));
    const TTBCustomItem* item = ButtonItem(index);
    return item && !item->IsSeparator() ? index : -1;
}

bool TTBCustomToolbar::ItemScreenRect(const TTBCustomItem& item, RECT& rect) const
{
    const int index = IndexOf(item);
    if (index < 0 || !bar_ || !::SendMessageA(bar_, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect)))
        return false;
    ::MapWindowPoints(bar_, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return true;
}

} // namespace toolbars
