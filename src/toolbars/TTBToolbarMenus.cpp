// Drop-down menus: an item's children as a native menu, switching between
// the menu bar's entries while one is open, and the glyphs drawn in them.
#include "toolbars/TTBToolbar.h"

#include "toolbars/ToolbarParts.h"

namespace toolbars {

namespace {

// The toolbar whose drop-down is open: a message-filter hook has no other
// way to find it.
thread_local TTBCustomToolbar* trackingToolbar = nullptr;

} // namespace

void ForgetTrackingToolbar(const TTBCustomToolbar* toolbar)
{
    if (trackingToolbar == toolbar)
        trackingToolbar = nullptr;
}

HMENU TTBCustomToolbar::BuildMenu(TTBCustomItem& parent)
{
    return BuildMenu(parent.Items());
}

HMENU TTBCustomToolbar::BuildMenu(const std::vector<TTBCustomItem*>& items)
{
    win32::UniqueMenu menu(::CreatePopupMenu());
    if (!menu)
        return nullptr;
    for (TTBCustomItem* item : items) {
        if (!item->Visible())
            continue;
        item->BeforeShow();
        if (item->IsSeparator()) {
            ::AppendMenuA(menu.Get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        menuItems_.push_back(item);
        const UINT id = static_cast<UINT>(menuItems_.size());
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
        if (Images() && item->ImageIndex() >= 0) {
            info.fMask |= MIIM_BITMAP;
            info.hbmpItem = HBMMENU_CALLBACK;
        }
        win32::UniqueMenu submenu;
        if (item->IsSubmenu()) {
            submenu.Reset(BuildMenu(*item));
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = submenu.Get();
        }
        if (::InsertMenuItemA(menu.Get(), ::GetMenuItemCount(menu.Get()), TRUE, &info))
            submenu.Release();  // the menu owns it now
    }
    return menu.Release();
}

TTBCustomItem* TTBCustomToolbar::MenuItem(UINT id) const
{
    return id >= 1 && id <= menuItems_.size() ? menuItems_[id - 1] : nullptr;
}

void TTBCustomToolbar::DropDown(TTBCustomItem& item, bool byKeyboard)
{
    const int index = strip_.IndexOf(item);
    if (index >= 0 && !tracking_)
        TrackMenus(index, byKeyboard);
}

int TTBCustomToolbar::NextSubmenu(int from, int step) const
{
    const int count = strip_.Count();
    for (int n = 1; n <= count; ++n) {
        const int index = ((from + step * n) % count + count) % count;
        const TTBCustomItem* item = strip_.Item(index);
        if (item->IsSubmenu() && item->Enabled())
            return index;
    }
    return from;
}

// Opens the drop-down of button `index`; moving to another top-level entry
// (mouse or arrow keys) closes it and opens that one, until a command is
// chosen or the menu is left.
void TTBCustomToolbar::TrackMenus(int index, bool byKeyboard)
{
    // Whatever happens while a menu is built or shown, tracking ends here.
    struct TrackingScope {
        TTBCustomToolbar& bar;
        explicit TrackingScope(TTBCustomToolbar& b) : bar(b) { bar.tracking_ = true; }
        ~TrackingScope()
        {
            bar.tracking_ = false;
            bar.trackedMenu_ = nullptr;
            bar.menuItems_.clear();
            if (trackingToolbar == &bar)
                trackingToolbar = nullptr;
        }
    } scope(*this);
    int current = index;
    for (;;) {
        TTBCustomItem* item = strip_.Item(current);
        if (!item || !strip_.Handle())
            break;
        menuItems_.clear();
        win32::UniqueMenu menu(BuildMenu(*item));
        if (!menu)
            break;
        const RECT button = strip_.ButtonScreenRect(current);

        keys_.MenuOpened(byKeyboard);
        UpdateAccessKeys();
        strip_.Press(current, true);
        strip_.ShowHint(nullptr);

        trackedIndex_ = current;
        trackedMenu_ = menu.Get();
        selectedMenu_ = nullptr;
        selectedIsPopup_ = false;
        switchTo_ = -1;
        escaped_ = false;
        trackingToolbar = this;
        win32::UniqueHook hook(::SetWindowsHookExA(WH_MSGFILTER, &TTBCustomToolbar::MenuFilterHook, nullptr,
                                                   ::GetCurrentThreadId()));
        // Opened from the keyboard, a menu starts with its first entry selected.
        if (byKeyboard)
            ::PostMessageA(Handle(), WM_KEYDOWN, VK_DOWN, 0);
        // Beside the entry when the bar stands upright, below it otherwise.
        const bool upright = Placement() == BarPlacement::DockedVertical;
        TPMPARAMS exclude{sizeof exclude, button};
        const UINT chosen = ::TrackPopupMenuEx(
            menu.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | (upright ? TPM_HORIZONTAL : TPM_VERTICAL) |
                            TPM_LEFTBUTTON | TPM_RETURNCMD,
            upright ? button.right : button.left, upright ? button.top : button.bottom, Handle(), &exclude);
        hook.Reset();
        trackingToolbar = nullptr;
        trackedMenu_ = nullptr;
        strip_.Press(current, false);

        if (TTBCustomItem* chosenItem = MenuItem(chosen))
            QueueClick(*chosenItem);
        if (switchTo_ < 0 || chosen != 0)
            break;
        current = switchTo_;
        byKeyboard = switchByKeyboard_;
    }
    menuItems_.clear();
    tracking_ = false;
    Apply(keys_.MenuClosed(*this, current, escaped_));
}

LRESULT CALLBACK TTBCustomToolbar::MenuFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == MSGF_MENU && trackingToolbar) {
        bool consumed = false;
        try {
            consumed = trackingToolbar->FilterMenuMessage(*reinterpret_cast<MSG*>(lParam));
        } catch (...) {
            // Never let an exception cross the menu loop; nothing is lost.
        }
        if (consumed)
            return TRUE;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

bool TTBCustomToolbar::FilterMenuMessage(const MSG& msg)
{
    const bool atTop = selectedMenu_ == nullptr || selectedMenu_ == trackedMenu_;
    switch (msg.message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        POINT p = msg.pt;
        ::ScreenToClient(strip_.Handle(), &p);
        const int index = strip_.ButtonAt(p);
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
        const TTBCustomItem* item = strip_.Item(index);
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

void TTBCustomToolbar::MenuSelect(UINT itemOrPos, UINT flags, HMENU menu)
{
    if (flags == 0xFFFF && !menu) {
        selectedMenu_ = nullptr;
        selectedIsPopup_ = false;
        strip_.ShowHint(nullptr);
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
            item = MenuItem(static_cast<UINT>(info.dwItemData));
    }
    strip_.ShowHint(item);
}

void TTBCustomToolbar::MeasureGlyph(MEASUREITEMSTRUCT& measure) const
{
    int width = kImageSize, height = kImageSize;
    if (Images())
        ::ImageList_GetIconSize(Images(), &width, &height);
    // Room for the pressed-in frame of a checked glyph and a gap before the caption.
    measure.itemWidth = static_cast<UINT>(width + 6);
    measure.itemHeight = static_cast<UINT>(height + 2);
}

void TTBCustomToolbar::DrawGlyph(const DRAWITEMSTRUCT& draw) const
{
    const TTBCustomItem* item = MenuItem(draw.itemID);
    HIMAGELIST images = Images();
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

void TTBCustomToolbar::DropChevron()
{
    if (tracking_ || !ShowsChevron())
        return;
    const std::vector<TTBCustomItem*> hidden = HiddenItems();
    if (hidden.empty())
        return;
    struct TrackingScope {
        TTBCustomToolbar& bar;
        explicit TrackingScope(TTBCustomToolbar& b) : bar(b) { bar.tracking_ = true; }
        ~TrackingScope()
        {
            bar.tracking_ = false;
            bar.menuItems_.clear();
        }
    } scope(*this);
    ExitMenuMode();
    menuItems_.clear();
    win32::UniqueMenu menu(BuildMenu(hidden));
    if (!menu)
        return;
    const RECT button = strip_.Chevron().ScreenRect();
    strip_.Chevron().Press(true);
    strip_.ShowHint(nullptr);
    TPMPARAMS exclude{sizeof exclude, button};
    // Below a chevron in a row, beside one at the foot of an upright column.
    const bool upright = strip_.LaidOutAs() == BarPlacement::DockedVertical;
    const UINT chosen = ::TrackPopupMenuEx(menu.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD |
                                                         (upright ? TPM_HORIZONTAL : TPM_VERTICAL),
                                           upright ? button.right : button.left,
                                           upright ? button.top : button.bottom, Handle(), &exclude);
    strip_.Chevron().Press(false);
    strip_.ShowHint(nullptr);
    if (TTBCustomItem* item = MenuItem(chosen))
        QueueClick(*item);
}

} // namespace toolbars
