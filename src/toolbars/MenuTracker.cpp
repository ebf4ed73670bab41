#include "toolbars/MenuTracker.h"

#include "core/ui/Shortcut.h"
#include "toolbars/ToolbarParts.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace toolbars {

namespace {

// The thread's innermost tracking: the toolbars and the message-filter hook
// have no other way to find it.
thread_local MenuTracker* openTracker = nullptr;

} // namespace

MenuTracker::MenuTracker(Entries& entries, Owner& owner, HWND window)
    : entries_(&entries), owner_(&owner), window_(window), previous_(openTracker)
{
    openTracker = this;
}

MenuTracker::~MenuTracker()
{
    openTracker = previous_;
}

MenuTracker* MenuTracker::Of(const Owner& owner)
{
    for (MenuTracker* tracker = openTracker; tracker; tracker = tracker->previous_) {
        if (tracker->owner_ == &owner)
            return tracker;
    }
    return nullptr;
}

void MenuTracker::OwnerGone(const Owner& owner)
{
    MenuTracker* tracker = Of(owner);
    if (!tracker)
        return;
    tracker->entries_ = nullptr;
    tracker->owner_ = nullptr;
    tracker->items_.clear();
    // Its window goes with it; the menu must not wait for input meanwhile.
    if (tracker->showing_)
        ::EndMenu();
}

win32::UniqueMenu MenuTracker::BuildMenu(const std::vector<TTBCustomItem*>& items)
{
    win32::UniqueMenu menu(::CreatePopupMenu());
    if (!menu)
        return menu;
    for (TTBCustomItem* item : items) {
        if (!item->Visible())
            continue;
        item->BeforeShow();
        if (item->IsSeparator()) {
            ::AppendMenuA(menu.Get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        items_.push_back(item);
        const UINT id = static_cast<UINT>(items_.size());
        std::string text = item->Caption();
        if (const std::string shortCut = core::ShortCutText(item->ShortCut()); !shortCut.empty())
            text += "\t" + shortCut;

        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_DATA | MIIM_FTYPE;
        info.fType = MFT_STRING;
        info.wID = id;
        info.dwItemData = id;
        info.dwTypeData = text.data();
        info.fState = (item->Checked() ? MFS_CHECKED : 0) | (item->Enabled() ? MFS_ENABLED : MFS_DISABLED);
        if (entries_->Images() && item->ImageIndex() >= 0) {
            info.fMask |= MIIM_BITMAP;
            info.hbmpItem = HBMMENU_CALLBACK;
        }
        win32::UniqueMenu submenu;
        if (item->IsSubmenu()) {
            submenu = BuildMenu(item->Items());
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = submenu.Get();
        }
        if (::InsertMenuItemA(menu.Get(), ::GetMenuItemCount(menu.Get()), TRUE, &info))
            submenu.Release();  // the menu owns it now
    }
    return menu;
}

TTBCustomItem* MenuTracker::ItemOf(UINT id) const
{
    return id >= 1 && id <= items_.size() ? items_[id - 1] : nullptr;
}

void MenuTracker::Forget(TTBCustomItem& item)
{
    std::replace(items_.begin(), items_.end(), &item, static_cast<TTBCustomItem*>(nullptr));
}

UINT MenuTracker::Show(const RECT& button, bool upright)
{
    TPMPARAMS exclude{sizeof exclude, button};
    showing_ = true;
    const UINT chosen = ::TrackPopupMenuEx(menu_.Get(),
                                           TPM_LEFTALIGN | TPM_TOPALIGN | (upright ? TPM_HORIZONTAL : TPM_VERTICAL) |
                                               TPM_LEFTBUTTON | TPM_RETURNCMD,
                                           upright ? button.right : button.left,
                                           upright ? button.top : button.bottom, window_, &exclude);
    showing_ = false;
    return chosen;
}

void MenuTracker::TrackEntries(int index, bool byKeyboard, bool upright)
{
    int current = index;
    try {
        for (;;) {
            TTBCustomItem* item = entries_->Item(current);
            if (!item || !entries_->Handle())
                break;
            items_.clear();
            menu_ = BuildMenu(item->Items());
            if (!menu_)
                break;
            const RECT button = entries_->ButtonScreenRect(current);
            owner_->EntryOpened(byKeyboard);
            entries_->Press(current, true);
            entries_->ShowHint(nullptr);

            trackedIndex_ = current;
            selectedMenu_ = nullptr;
            selectedIsPopup_ = false;
            switchTo_ = -1;
            escaped_ = false;
            win32::UniqueHook hook(
                ::SetWindowsHookExA(WH_MSGFILTER, &MenuTracker::FilterHook, nullptr, ::GetCurrentThreadId()));
            // Opened from the keyboard, a menu starts with its first entry selected.
            if (byKeyboard)
                ::PostMessageA(window_, WM_KEYDOWN, VK_DOWN, 0);
            const UINT chosen = Show(button, upright);
            hook.Reset();
            if (!owner_)
                return;
            entries_->Press(current, false);

            if (TTBCustomItem* chosenItem = ItemOf(chosen))
                owner_->Choose(*chosenItem);
            menu_.Reset();
            if (switchTo_ < 0 || chosen != 0)
                break;
            current = switchTo_;
            byKeyboard = switchByKeyboard_;
        }
    } catch (...) {
        // No menu is open any more.
        if (owner_)
            owner_->MenusClosed(current, false);
        throw;
    }
    items_.clear();
    owner_->MenusClosed(current, escaped_);
}

void MenuTracker::TrackChevron(ChevronButton& chevron, const std::vector<TTBCustomItem*>& items, bool upright)
{
    items_.clear();
    menu_ = BuildMenu(items);
    if (!menu_)
        return;
    const RECT button = chevron.ScreenRect();
    chevron.Press(true);
    entries_->ShowHint(nullptr);
    const UINT chosen = Show(button, upright);
    if (!owner_)
        return;
    chevron.Press(false);
    entries_->ShowHint(nullptr);
    if (TTBCustomItem* item = ItemOf(chosen))
        owner_->Choose(*item);
}

int MenuTracker::NextSubmenu(int from, int step) const
{
    const int count = entries_->Count();
    for (int n = 1; n <= count; ++n) {
        const int index = ((from + step * n) % count + count) % count;
        const TTBCustomItem* item = entries_->Item(index);
        if (item->IsSubmenu() && item->Enabled())
            return index;
    }
    return from;
}

LRESULT CALLBACK MenuTracker::FilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == MSGF_MENU && openTracker && openTracker->showing_ && openTracker->entries_) {
        bool consumed = false;
        try {
            consumed = openTracker->Filter(*reinterpret_cast<MSG*>(lParam));
        } catch (...) {
            // Never let an exception cross the menu loop; nothing is lost.
        }
        if (consumed)
            return TRUE;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

bool MenuTracker::Filter(const MSG& msg)
{
    const bool atTop = selectedMenu_ == nullptr || selectedMenu_ == menu_.Get();
    switch (msg.message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        POINT p = msg.pt;
        ::ScreenToClient(entries_->Handle(), &p);
        const int index = entries_->ButtonAt(p);
        if (index < 0)
            return false;
        if (index == trackedIndex_) {
            // A click on the open entry closes its menu, as on a menu bar.
            if (msg.message != WM_MOUSEMOVE) {
                ::EndMenu();
                return true;
            }
            return false;
        }
        const TTBCustomItem* item = entries_->Item(index);
        if (item && item->IsSubmenu() && item->Enabled()) {
            switchTo_ = index;
            switchByKeyboard_ = false;
            ::EndMenu();
            return true;
        }
        return false;
    }
    case WM_KEYDOWN:
        switch (msg.wParam) {
        case VK_LEFT:
        case VK_RIGHT:
            if (!atTop || (msg.wParam == VK_RIGHT && selectedIsPopup_))
                return false;
            switchTo_ = NextSubmenu(trackedIndex_, msg.wParam == VK_LEFT ? -1 : 1);
            switchByKeyboard_ = true;
            ::EndMenu();
            return true;
        case VK_ESCAPE:
            if (atTop)
                escaped_ = true;
            return false;
        }
        return false;
    }
    return false;
}

void MenuTracker::MenuSelect(UINT itemOrPos, UINT flags, HMENU menu)
{
    if (flags == 0xFFFF && !menu) {
        selectedMenu_ = nullptr;
        selectedIsPopup_ = false;
        entries_->ShowHint(nullptr);
        return;
    }
    selectedMenu_ = menu;
    selectedIsPopup_ = (flags & MF_POPUP) != 0;
    const TTBCustomItem* item = nullptr;
    if (!(flags & MF_SEPARATOR)) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_DATA;
        if (::GetMenuItemInfoA(menu, itemOrPos, selectedIsPopup_ ? TRUE : FALSE, &info))
            item = ItemOf(static_cast<UINT>(info.dwItemData));
    }
    entries_->ShowHint(item);
}

void MenuTracker::MeasureGlyph(HIMAGELIST images, MEASUREITEMSTRUCT& measure)
{
    int width = kImageSize, height = kImageSize;
    if (images)
        ::ImageList_GetIconSize(images, &width, &height);
    // Room for the pressed-in frame of a checked glyph and a gap before the caption.
    measure.itemWidth = static_cast<UINT>(width + 6);
    measure.itemHeight = static_cast<UINT>(height + 2);
}

void MenuTracker::DrawGlyph(const DRAWITEMSTRUCT& draw) const
{
    const TTBCustomItem* item = ItemOf(draw.itemID);
    HIMAGELIST images = entries_ ? entries_->Images() : nullptr;
    if (!item || !images)
        return;
    int width = kImageSize, height = kImageSize;
    ::ImageList_GetIconSize(images, &width, &height);
    const RECT& r = draw.rcItem;
    const int x = r.left + (r.right - r.left - width) / 2;
    const int y = r.top + (r.bottom - r.top - height) / 2;
    if (item->Checked()) {
        // A checked entry with a glyph shows the glyph pressed in.
        RECT frame{x - 2, y - 2, x + width + 2, y + height + 2};
        ::DrawEdge(draw.hDC, &frame, BDR_SUNKENOUTER, BF_RECT);
    }
    ::ImageList_DrawEx(images, item->ImageIndex(), draw.hDC, x, y, width, height, CLR_NONE, CLR_NONE,
                       item->Enabled() ? ILD_TRANSPARENT : ILD_BLEND50);
}

} // namespace toolbars
