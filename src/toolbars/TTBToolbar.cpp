#include "toolbars/TTBToolbar.h"

#include "core/AccessKey.h"
#include "core/Hint.h"
#include "toolbars/TTBDock.h"
#include "win32/AppMessages.h"
#include "win32/Application.h"
#include "win32/KeyMessages.h"

#include <windowsx.h>

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace toolbars {

namespace {

constexpr UINT_PTR kBarSubclass = 1;
// Button command ids are the button's index plus this; menu ids start at 1.
constexpr int kFirstButtonId = 1;
constexpr int kSeparatorWidth = 6;
constexpr int kImageSize = 16;
constexpr UINT kTooltipInitial = 500;
constexpr UINT kTooltipAutoPop = 2500;

// The toolbar whose drop-down is open: a message-filter hook has no other
// way to find it.
thread_local TTBCustomToolbar* trackingToolbar = nullptr;

win32::UniqueFont MenuFont()
{
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return {};
    return win32::UniqueFont(::CreateFontIndirectA(&metrics.lfMenuFont));
}

bool KeyboardCuesAlways()
{
    BOOL cues = FALSE;
    return ::SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &cues, 0) && cues;
}

bool KeyDown(int key)
{
    return ::GetKeyState(key) < 0;
}

std::wstring WideText(const std::string& text)
{
    const int n = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (n <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), n);
    wide.resize(static_cast<std::size_t>(n - 1));
    return wide;
}

} // namespace

TTBCustomToolbar::TTBCustomToolbar(const ToolbarProps& props)
    : TTBCustomDockableWindow(props.window),
      root_(ItemProps{}), menuBar_(props.menuBar), processShortCuts_(props.processShortCuts),
      shrinkMode_(props.shrinkMode), fullSize_(props.fullSize)
{
    treeChanged_ = root_.TreeChanged.Connect(
        [this](TTBCustomItem& item, ItemChange change) { TreeChanged(item, change); });
}

TTBCustomToolbar::~TTBCustomToolbar()
{
    filter_.Disconnect();
    shortCuts_.Disconnect();
    treeChanged_.Disconnect();
    if (trackingToolbar == this)
        trackingToolbar = nullptr;
    // The button bar goes first, while everything it may call back into exists.
    if (bar_ && ::IsWindow(bar_)) {
        ::RemoveWindowSubclass(bar_, &TTBCustomToolbar::BarProc, kBarSubclass);
        ::DestroyWindow(bar_);
    }
    bar_ = nullptr;
}

void TTBCustomToolbar::AfterCreate()
{
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NODIVIDER |
                  CCS_NORESIZE | CCS_NOPARENTALIGN;
    if (!menuBar_)
        style |= TBSTYLE_TOOLTIPS;
    bar_ = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, "", style, 0, 0, 0, 0, Handle(), nullptr, App().Instance(),
                             nullptr);
    if (!bar_)
        throw std::runtime_error("Cannot create window " + Name());
    ::SendMessageA(bar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageA(bar_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS);
    ::SendMessageA(bar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(kImageSize, kImageSize));
    font_ = MenuFont();
    if (font_)
        ::SendMessageA(bar_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    if (HWND tips = reinterpret_cast<HWND>(::SendMessageA(bar_, TB_GETTOOLTIPS, 0, 0))) {
        ::SendMessageA(tips, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(kTooltipInitial, 0));
        ::SendMessageA(tips, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(kTooltipAutoPop, 0));
    }
    ::SetWindowSubclass(bar_, &TTBCustomToolbar::BarProc, kBarSubclass, reinterpret_cast<DWORD_PTR>(this));
    UpdateAccessKeys();
    if (menuBar_)
        filter_ = App().PreTranslate.Connect([this](MSG& msg) { return PreTranslate(msg); });
    if (processShortCuts_)
        shortCuts_ = App().ShortCuts.Connect(
            [this](core::ShortCut shortCut, HWND window) { return ProcessShortCut(shortCut, window); });
    RebuildButtons();
}

void TTBCustomToolbar::SetImages(HIMAGELIST images)
{
    if (images == images_)
        return;
    images_ = images;
    RebuildButtons();
}

// ---------------------------------------------------------------------------
// Buttons

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
                                      (item.Checked() ? TBSTATE_CHECKED : 0) |
                                      (!horizontalContent_ ? TBSTATE_WRAP : 0));
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

SIZE TTBCustomToolbar::ContentSize(bool horizontal) const
{
    const LRESULT buttonSize = bar_ ? ::SendMessageA(bar_, TB_GETBUTTONSIZE, 0, 0) : 0;
    SIZE size = horizontal ? SIZE{0, HIWORD(buttonSize)} : SIZE{LOWORD(buttonSize), 0};
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        RECT r{};
        if (!::SendMessageA(bar_, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r)))
            continue;
        size.cx = std::max(size.cx, r.right);
        size.cy = std::max(size.cy, r.bottom);
    }
    return size;
}

void TTBCustomToolbar::LayoutContent(const core::Rect& content, bool horizontal)
{
    if (!bar_)
        return;
    if (horizontal != horizontalContent_) {
        horizontalContent_ = horizontal;
        RebuildButtons();
    }
    ::MoveWindow(bar_, content.left, content.top, content.width(), content.height(), TRUE);
}

void TTBCustomToolbar::ButtonClicked(int index, bool byKeyboard)
{
    TTBCustomItem* item = ButtonItem(index);
    if (!item || !item->Enabled())
        return;
    if (item->IsSubmenu()) {
        DropDown(*item, byKeyboard);
    } else {
        ExitMenuMode();
        QueueClick(*item);
    }
}

// The click runs once the message that brought it is finished: the action
// may close the window, and no control should find itself destroyed in the
// middle of its own message.
void TTBCustomToolbar::QueueClick(TTBCustomItem& item)
{
    queuedClicks_.push_back(&item);
    ::PostMessageA(Handle(), win32::kRunQueuedClicks, 0, 0);
}

void TTBCustomToolbar::RunQueuedClicks()
{
    while (!queuedClicks_.empty()) {
        TTBCustomItem* item = queuedClicks_.front();
        queuedClicks_.erase(queuedClicks_.begin());
        item->Click();
    }
}

void TTBCustomToolbar::ShowHintOf(const TTBCustomItem* item)
{
    App().SetHint(item && !item->IsSeparator() ? std::string(core::LongHint(item->Hint())) : std::string(), bar_);
}

void TTBCustomToolbar::FrameMouseMove()
{
    ShowHintOf(nullptr);
}

void TTBCustomToolbar::VisibleChanged()
{
    if (!Visible())
        ExitMenuMode();
    TTBCustomDockableWindow::VisibleChanged();
}

LRESULT CALLBACK TTBCustomToolbar::BarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR self)
{
    auto* toolbar = reinterpret_cast<TTBCustomToolbar*>(self);
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(window, &TTBCustomToolbar::BarProc, kBarSubclass);
        toolbar->bar_ = nullptr;
        return ::DefSubclassProc(window, message, wParam, lParam);
    }
    // Exceptions never cross the system's frames.
    try {
        switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            const int index = toolbar->ButtonAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            TTBCustomItem* item = toolbar->ButtonItem(index);
            if (item && item->IsSubmenu()) {
                // Drop-downs open on the press, as menus do.
                toolbar->ExitMenuMode();
                if (item->Enabled())
                    toolbar->DropDown(*item, false);
                return 0;
            }
            toolbar->ExitMenuMode();
            break;
        }
        case WM_MOUSEMOVE: {
            // The button under the mouse gives the hint, also when the mouse
            // comes back to it before the bar noticed it had left.
            const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
            if (!toolbar->tracking_)
                toolbar->ShowHintOf(
                    toolbar->ButtonItem(static_cast<int>(::SendMessageA(window, TB_GETHOTITEM, 0, 0))));
            return result;
        }
        }
    } catch (...) {
        toolbar->App().HandleException(std::current_exception());
        return 0;
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}

LRESULT TTBCustomToolbar::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case win32::kRunQueuedClicks:
        RunQueuedClicks();
        return 0;
    case WM_COMMAND:
        if (bar_ && reinterpret_cast<HWND>(lParam) == bar_) {
            ButtonClicked(LOWORD(wParam) - kFirstButtonId, false);
            return 0;
        }
        break;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        switch (header->code) {
        case TBN_HOTITEMCHANGE: {
            auto* hot = reinterpret_cast<NMTBHOTITEM*>(lParam);
            ShowHintOf((hot->dwFlags & HICF_LEAVING) ? nullptr : ButtonItem(hot->idNew - kFirstButtonId));
            return 0;
        }
        case TBN_DROPDOWN:
            return TBDDRET_DEFAULT;
        case TTN_GETDISPINFOA: {
            // The text goes by pointer: the record's own buffer holds only 79 characters.
            auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
            const TTBCustomItem* item = ButtonItem(static_cast<int>(header->idFrom) - kFirstButtonId);
            tipText_ = item ? TooltipFor(*item) : std::string();
            info->lpszText = tipText_.data();
            info->szText[0] = '\0';
            info->hinst = nullptr;
            return 0;
        }
        case TTN_GETDISPINFOW: {
            auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
            const TTBCustomItem* item = ButtonItem(static_cast<int>(header->idFrom) - kFirstButtonId);
            tipTextWide_ = WideText(item ? TooltipFor(*item) : std::string());
            info->lpszText = tipTextWide_.data();
            info->szText[0] = L'\0';
            info->hinst = nullptr;
            return 0;
        }
        }
        break;
    }
    case WM_MENUSELECT:
        MenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
        return 0;
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure->CtlType == ODT_MENU) {
            MeasureGlyph(*measure);
            return TRUE;
        }
        break;
    }
    case WM_DRAWITEM: {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (draw->CtlType == ODT_MENU) {
            DrawGlyph(*draw);
            return TRUE;
        }
        break;
    }
    }
    return TTBCustomDockableWindow::WndProc(message, wParam, lParam);
}

// ---------------------------------------------------------------------------
// Drop-down menus

HMENU TTBCustomToolbar::BuildMenu(TTBCustomItem& parent)
{
    win32::UniqueMenu menu(::CreatePopupMenu());
    if (!menu)
        return nullptr;
    for (TTBCustomItem* item : parent.Items()) {
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
        if (ShowsImage(*item)) {
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
    const int index = IndexOf(item);
    if (index >= 0 && !tracking_)
        TrackMenus(index, byKeyboard);
}

int TTBCustomToolbar::NextSubmenu(int from, int step) const
{
    const int count = static_cast<int>(buttons_.size());
    for (int n = 1; n <= count; ++n) {
        const int index = ((from + step * n) % count + count) % count;
        const TTBCustomItem* item = buttons_[index];
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
            bar.keyboardTracking_ = false;
            bar.trackedMenu_ = nullptr;
            bar.menuItems_.clear();
            if (trackingToolbar == &bar)
                trackingToolbar = nullptr;
        }
    } scope(*this);
    int current = index;
    for (;;) {
        TTBCustomItem* item = ButtonItem(current);
        if (!item || !bar_)
            break;
        menuItems_.clear();
        win32::UniqueMenu menu(BuildMenu(*item));
        if (!menu)
            break;
        RECT button{};
        ::SendMessageA(bar_, TB_GETITEMRECT, current, reinterpret_cast<LPARAM>(&button));
        ::MapWindowPoints(bar_, nullptr, reinterpret_cast<POINT*>(&button), 2);

        keyboardTracking_ = byKeyboard;
        UpdateAccessKeys();
        const int id = current + kFirstButtonId;
        ::SendMessageA(bar_, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
        ::SendMessageA(bar_, TB_PRESSBUTTON, id, TRUE);
        ShowHintOf(nullptr);

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
        TPMPARAMS exclude{sizeof exclude, button};
        const UINT chosen = ::TrackPopupMenuEx(menu.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL |
                                                             TPM_LEFTBUTTON | TPM_RETURNCMD,
                                               button.left, button.bottom, Handle(), &exclude);
        hook.Reset();
        trackingToolbar = nullptr;
        trackedMenu_ = nullptr;
        if (bar_)
            ::SendMessageA(bar_, TB_PRESSBUTTON, id, FALSE);

        if (TTBCustomItem* chosenItem = MenuItem(chosen))
            QueueClick(*chosenItem);
        if (switchTo_ < 0 || chosen != 0)
            break;
        current = switchTo_;
        byKeyboard = switchByKeyboard_;
    }
    menuItems_.clear();
    tracking_ = false;
    keyboardTracking_ = false;
    if (escaped_ && Usable())
        EnterMenuMode(current);
    else
        ExitMenuMode();
    UpdateAccessKeys();
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
        ::ScreenToClient(bar_, &p);
        const int index = ButtonAt(p);
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
        const TTBCustomItem* item = ButtonItem(index);
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
        ShowHintOf(nullptr);
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
    ShowHintOf(item);
}

void TTBCustomToolbar::MeasureGlyph(MEASUREITEMSTRUCT& measure) const
{
    int width = kImageSize, height = kImageSize;
    if (images_)
        ::ImageList_GetIconSize(images_, &width, &height);
    // Room for the pressed-in frame of a checked glyph and a gap before the caption.
    measure.itemWidth = static_cast<UINT>(width + 6);
    measure.itemHeight = static_cast<UINT>(height + 2);
}

void TTBCustomToolbar::DrawGlyph(const DRAWITEMSTRUCT& draw) const
{
    const TTBCustomItem* item = MenuItem(draw.itemID);
    if (!item || !images_)
        return;
    int width = kImageSize, height = kImageSize;
    ::ImageList_GetIconSize(images_, &width, &height);
    const RECT& r = draw.rcItem;
    const int x = r.left + (r.right - r.left - width) / 2;
    const int y = r.top + (r.bottom - r.top - height) / 2;
    if (item->Checked()) {
        // A checked entry with a glyph shows the glyph pressed in.
        RECT frame{x - 2, y - 2, x + width + 2, y + height + 2};
        ::DrawEdge(draw.hDC, &frame, BDR_SUNKENOUTER, BF_RECT);
    }
    ::ImageList_DrawEx(images_, item->ImageIndex(), draw.hDC, x, y, width, height, CLR_NONE, CLR_NONE,
                       item->Enabled() ? ILD_TRANSPARENT : ILD_BLEND50);
}

// ---------------------------------------------------------------------------
// Keyboard

bool TTBCustomToolbar::Usable() const
{
    HWND form = ::GetAncestor(Handle(), GA_ROOTOWNER);
    return Handle() && ::IsWindowVisible(Handle()) && ::IsWindowEnabled(Handle()) && ::IsWindowEnabled(form) &&
           !::GetCapture();
}

bool TTBCustomToolbar::PreTranslate(MSG& msg)
{
    if (!Handle() || !bar_ || tracking_)
        return false;
    if (!win32::BelongsToWindow(msg.hwnd, Handle()))
        return false;
    return menuBar_ && MenuBarKey(msg);
}

// Only the items' own shortcuts: an item bound to an action leaves the
// action's shortcut to its action list, so every key runs once.
bool TTBCustomToolbar::ProcessShortCut(core::ShortCut shortCut, HWND window)
{
    if (!Handle() || !bar_ || tracking_ || !win32::BelongsToWindow(window, Handle()) ||
        !::IsWindowEnabled(::GetAncestor(Handle(), GA_ROOTOWNER)))
        return false;
    // Depth first through the tree, drop-down entries included.
    std::vector<TTBCustomItem*> pending(root_.Items().rbegin(), root_.Items().rend());
    while (!pending.empty()) {
        TTBCustomItem* item = pending.back();
        pending.pop_back();
        if (!item->Visible())
            continue;
        if (item->ShortCut() == shortCut && item->OwnsShortCut() && item->Enabled() && !item->IsSubmenu()) {
            ExitMenuMode();
            item->Click();
            return true;
        }
        pending.insert(pending.end(), item->Items().rbegin(), item->Items().rend());
    }
    return false;
}

bool TTBCustomToolbar::MenuBarKey(MSG& msg)
{
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        const auto key = static_cast<UINT>(msg.wParam);
        if (key == VK_MENU) {
            if (!(msg.lParam & (1 << 30)))
                altAlone_ = true;
            altDown_ = true;
            UpdateAccessKeys();
            return false;
        }
        altAlone_ = false;
        if (key == VK_SHIFT || key == VK_CONTROL)
            return menuMode_;
        if (key == VK_F10 && !KeyDown(VK_SHIFT) && !KeyDown(VK_CONTROL)) {
            if (menuMode_)
                ExitMenuMode();
            else if (Usable())
                EnterMenuMode(0);
            else
                return false;
            return true;
        }
        if (!menuMode_)
            return false;
        const int hot = static_cast<int>(::SendMessageA(bar_, TB_GETHOTITEM, 0, 0));
        switch (key) {
        case VK_LEFT:
        case VK_RIGHT: {
            const int count = static_cast<int>(buttons_.size());
            int next = hot;
            for (int n = 0; n < count; ++n) {
                next = ((next + (key == VK_LEFT ? -1 : 1)) % count + count) % count;
                if (!buttons_[next]->IsSeparator())
                    break;
            }
            ::SendMessageA(bar_, TB_SETHOTITEM, next, 0);
            return true;
        }
        case VK_DOWN:
        case VK_UP:
        case VK_RETURN:
            if (hot >= 0)
                ButtonClicked(hot, true);
            return true;
        case VK_ESCAPE:
            ExitMenuMode();
            return true;
        default: {
            const auto typed = static_cast<char>(::MapVirtualKeyA(key, MAPVK_VK_TO_CHAR));
            if (typed > ' ')
                OpenByAccessKey(typed);
            return true;
        }
        }
        return true;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (msg.wParam == VK_MENU) {
            const bool alone = altAlone_;
            altAlone_ = false;
            altDown_ = false;
            UpdateAccessKeys();
            if (alone && (menuMode_ || Usable())) {
                // Alt alone toggles the menu bar's keyboard mode; the system
                // must not see it, or it would go for the window menu.
                if (menuMode_)
                    ExitMenuMode();
                else
                    EnterMenuMode(0);
                return true;
            }
            return menuMode_;
        }
        return menuMode_;
    case WM_CHAR:
    case WM_SYSCHAR:
        if (menuMode_)
            return true;
        if (msg.message == WM_SYSCHAR) {
            const auto typed = static_cast<char>(msg.wParam);
            // Alt+Space (the window menu) and Alt+- are the system's.
            if (typed == ' ' || typed == '-' || !Usable())
                return false;
            altAlone_ = false;
            OpenByAccessKey(typed);
            return true;
        }
        return false;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
        altAlone_ = false;
        if (menuMode_ && msg.hwnd != bar_)
            ExitMenuMode();
        return false;
    }
    return false;
}

// An entry whose caption marks the letter opens; any other letter beeps.
void TTBCustomToolbar::OpenByAccessKey(char typed)
{
    const int index = FindAccessKey(typed);
    if (index >= 0)
        ButtonClicked(index, true);
    else
        ::MessageBeep(0);
}

int TTBCustomToolbar::FindAccessKey(char typed) const
{
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const TTBCustomItem* item = buttons_[i];
        if (!item->IsSeparator() && item->Enabled() && core::MatchesAccessKey(item->Caption(), typed))
            return static_cast<int>(i);
    }
    return -1;
}

void TTBCustomToolbar::EnterMenuMode(int index)
{
    if (buttons_.empty())
        return;
    menuMode_ = true;
    UpdateAccessKeys();
    ::SendMessageA(bar_, TB_SETHOTITEM, std::clamp(index, 0, static_cast<int>(buttons_.size()) - 1), 0);
}

void TTBCustomToolbar::ExitMenuMode()
{
    if (!menuMode_)
        return;
    menuMode_ = false;
    if (bar_)
        ::SendMessageA(bar_, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
    UpdateAccessKeys();
    ShowHintOf(nullptr);
}

// A menu bar underlines its access keys only while the keyboard is at work,
// unless the system is set to show them always.
void TTBCustomToolbar::UpdateAccessKeys()
{
    if (!bar_)
        return;
    const bool show = !menuBar_ || KeyboardCuesAlways() || menuMode_ || altDown_ || keyboardTracking_;
    if (show == showAccessKeys_ && accessKeysApplied_)
        return;
    showAccessKeys_ = show;
    accessKeysApplied_ = true;
    ::SendMessageA(bar_, TB_SETDRAWTEXTFLAGS, DT_HIDEPREFIX, show ? 0 : DT_HIDEPREFIX);
    ::SendMessageA(bar_, WM_UPDATEUISTATE, MAKEWPARAM(show ? UIS_CLEAR : UIS_SET, UISF_HIDEACCEL), 0);
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const TTBCustomItem& item = *buttons_[i];
        if (item.IsSeparator() || ShowsImage(item))
            continue;
        std::string text = ButtonCaption(item);
        shapes_[i] = ButtonShape(item);
        TBBUTTONINFOA info{};
        info.cbSize = sizeof info;
        info.dwMask = TBIF_TEXT | TBIF_BYINDEX;
        info.pszText = text.data();
        ::SendMessageA(bar_, TB_SETBUTTONINFOA, i, reinterpret_cast<LPARAM>(&info));
    }
    ::InvalidateRect(bar_, nullptr, TRUE);
}

} // namespace toolbars
