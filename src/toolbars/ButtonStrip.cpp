#include "toolbars/ButtonStrip.h"

#include "core/ui/AccessKey.h"
#include "core/ui/Hint.h"
#include "toolbars/ToolbarParts.h"
#include "win32/Application.h"

#include <windowsx.h>

#include <algorithm>
#include <stdexcept>

namespace toolbars {

namespace {

constexpr UINT_PTR kBarSubclass = 1;
constexpr UINT kTooltipInitial = 500;
constexpr UINT kTooltipAutoPop = 2500;

win32::UniqueFont MenuFont()
{
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return {};
    return win32::UniqueFont(::CreateFontIndirectA(&metrics.lfMenuFont));
}

} // namespace

ButtonStrip::ButtonStrip(Owner& owner, bool menuBar, ShrinkMode shrink)
    : owner_(owner), menuBar_(menuBar), layout_(shrink)
{
}

void ButtonStrip::Create(HWND parent, win32::Application& app, const std::string& name)
{
    app_ = &app;
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NODIVIDER |
                  CCS_NORESIZE | CCS_NOPARENTALIGN;
    if (!menuBar_)
        style |= TBSTYLE_TOOLTIPS;
    bar_ = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, "", style, 0, 0, 0, 0, parent, nullptr, app.Instance(), nullptr);
    if (!bar_)
        throw std::runtime_error("Cannot create window " + name);
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
    ::SetWindowSubclass(bar_, &ButtonStrip::BarProc, kBarSubclass, reinterpret_cast<DWORD_PTR>(this));
    chevron_.Create(parent, app.Instance(), font_.Get(), name);
    layout_.SetChevronSize(chevron_.Width(), chevron_.Height());
}

void ButtonStrip::Destroy()
{
    if (bar_ && ::IsWindow(bar_)) {
        ::RemoveWindowSubclass(bar_, &ButtonStrip::BarProc, kBarSubclass);
        ::DestroyWindow(bar_);
    }
    bar_ = nullptr;
}

LRESULT CALLBACK ButtonStrip::BarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR self)
{
    auto* strip = reinterpret_cast<ButtonStrip*>(self);
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(window, &ButtonStrip::BarProc, kBarSubclass);
        strip->bar_ = nullptr;
        return ::DefSubclassProc(window, message, wParam, lParam);
    }
    // Exceptions never cross the system's frames.
    try {
        return strip->BarMessage(window, message, wParam, lParam);
    } catch (...) {
        strip->app_->HandleException(std::current_exception());
        return 0;
    }
}

LRESULT ButtonStrip::BarMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (owner_.MouseDownOn(ButtonAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})))
            return 0;
        break;
    case WM_MOUSEMOVE: {
        // The button under the mouse gives the hint, also when the mouse
        // comes back to it before the bar noticed it had left.
        const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
        if (!owner_.MenuOpen())
            ShowHint(Item(Hot()));
        return result;
    }
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}

std::string ButtonStrip::Shape(const TTBCustomItem& item) const
{
    if (item.IsSeparator())
        return "-";
    if (ShowsImage(item))
        return "#" + std::to_string(item.ImageIndex());
    return (item.IsSubmenu() ? ">" : "=") + Caption(item);
}

bool ButtonStrip::ShowsImage(const TTBCustomItem& item) const
{
    return images_ && item.ImageIndex() >= 0;
}

// Where the native bar would underline regardless, hidden access keys are
// hidden by leaving the markers out of the text.
std::string ButtonStrip::Caption(const TTBCustomItem& item) const
{
    return showAccessKeys_ ? item.Caption() : core::WithoutAccessKey(item.Caption());
}

bool ButtonStrip::Rebuild(const std::vector<TTBCustomItem*>& items)
{
    if (!bar_)
        return false;
    if (updating_ > 0) {
        rebuildPending_ = true;
        return false;
    }
    rebuildPending_ = false;
    // Bounded: a delete that fails must not keep the loop going.
    for (auto n = ::SendMessageA(bar_, TB_BUTTONCOUNT, 0, 0); n > 0; --n) {
        if (!::SendMessageA(bar_, TB_DELETEBUTTON, n - 1, 0))
            break;
    }
    buttons_.clear();
    shapes_.clear();
    for (TTBCustomItem* item : items) {
        if (item->Visible()) {
            buttons_.push_back(item);
            shapes_.push_back(Shape(*item));
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
            captions[i] = Caption(item);
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
        Update(static_cast<int>(i));
    layout_.Measure(bar_, buttons_);
    return true;
}

void ButtonStrip::Forget(const TTBCustomItem& item)
{
    if (const int index = IndexOf(item); index >= 0 && !item.ParentItem()) {
        buttons_.erase(buttons_.begin() + index);
        shapes_.erase(shapes_.begin() + index);
    }
}

bool ButtonStrip::UpdateLook(const TTBCustomItem& item)
{
    const int index = IndexOf(item);
    if (index < 0)
        return true;
    if (Shape(item) != shapes_[index])
        return false;
    Update(index);
    return true;
}

void ButtonStrip::Update(int index)
{
    TTBCustomItem* item = Item(index);
    if (!bar_ || !item || item->IsSeparator())
        return;
    const int id = index + kFirstButtonId;
    LRESULT state = ::SendMessageA(bar_, TB_GETSTATE, id, 0);
    if (state != -1) {
        state &= ~(TBSTATE_ENABLED | TBSTATE_CHECKED);
        state |= (item->Enabled() ? TBSTATE_ENABLED : 0) | (item->Checked() ? TBSTATE_CHECKED : 0);
        ::SendMessageA(bar_, TB_SETSTATE, id, MAKELPARAM(state, 0));
    }
    ButtonTips::Set(bar_, static_cast<UINT_PTR>(id), *item);
}

int ButtonStrip::ButtonOfCommand(WORD id)
{
    return id - kFirstButtonId;
}

TTBCustomItem* ButtonStrip::Item(int index) const
{
    return index >= 0 && index < Count() ? buttons_[index] : nullptr;
}

int ButtonStrip::IndexOf(const TTBCustomItem& item) const
{
    const auto found = std::find(buttons_.begin(), buttons_.end(), &item);
    return found == buttons_.end() ? -1 : static_cast<int>(found - buttons_.begin());
}

int ButtonStrip::ButtonAt(POINT barPoint) const
{
    RECT client{};
    ::GetClientRect(bar_, &client);
    if (!::PtInRect(&client, barPoint))
        return -1;
    const auto index = static_cast<int>(::SendMessageA(bar_, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&barPoint)));
    const TTBCustomItem* item = Item(index);
    return item && !item->IsSeparator() ? index : -1;
}

bool ButtonStrip::ItemScreenRect(const TTBCustomItem& item, RECT& rect) const
{
    const int index = IndexOf(item);
    if (index < 0 || !bar_ || !::SendMessageA(bar_, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect)))
        return false;
    ::MapWindowPoints(bar_, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return true;
}

RECT ButtonStrip::ButtonScreenRect(int index) const
{
    RECT rect{};
    ::SendMessageA(bar_, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    ::MapWindowPoints(bar_, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int ButtonStrip::Hot() const
{
    return static_cast<int>(::SendMessageA(bar_, TB_GETHOTITEM, 0, 0));
}

void ButtonStrip::SetHot(int index)
{
    if (bar_)
        ::SendMessageA(bar_, TB_SETHOTITEM, static_cast<WPARAM>(index), 0);
}

void ButtonStrip::Press(int index, bool pressed)
{
    if (!bar_)
        return;
    if (pressed)
        ::SendMessageA(bar_, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
    ::SendMessageA(bar_, TB_PRESSBUTTON, index + kFirstButtonId, pressed ? TRUE : FALSE);
}

void ButtonStrip::ShowHint(const TTBCustomItem* item) const
{
    if (!app_)
        return;
    const bool hinted = item && !item->IsSeparator();
    app_->SetHint(hinted ? std::string(core::LongHint(item->Hint())) : std::string(), bar_);
}

void ButtonStrip::ShowAccessKeys(bool show)
{
    if (!bar_ || (show == showAccessKeys_ && accessKeysApplied_))
        return;
    showAccessKeys_ = show;
    accessKeysApplied_ = true;
    ::SendMessageA(bar_, TB_SETDRAWTEXTFLAGS, DT_HIDEPREFIX, show ? 0 : DT_HIDEPREFIX);
    ::SendMessageA(bar_, WM_UPDATEUISTATE, MAKEWPARAM(show ? UIS_CLEAR : UIS_SET, UISF_HIDEACCEL), 0);
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const TTBCustomItem& item = *buttons_[i];
        if (item.IsSeparator() || ShowsImage(item))
            continue;
        std::string text = Caption(item);
        shapes_[i] = Shape(item);
        TBBUTTONINFOA info{};
        info.cbSize = sizeof info;
        info.dwMask = TBIF_TEXT | TBIF_BYINDEX;
        info.pszText = text.data();
        ::SendMessageA(bar_, TB_SETBUTTONINFOA, i, reinterpret_cast<LPARAM>(&info));
    }
    ::InvalidateRect(bar_, nullptr, TRUE);
}

std::string ButtonStrip::TipFor(UINT_PTR command) const
{
    if (command == kChevronId)
        return "More Buttons";
    const TTBCustomItem* item = Item(static_cast<int>(command) - kFirstButtonId);
    return item ? ButtonTips::TextFor(*item) : std::string();
}

bool ButtonStrip::Notify(NMHDR& header, LRESULT& result)
{
    result = 0;
    switch (header.code) {
    case TBN_HOTITEMCHANGE: {
        const auto& hot = reinterpret_cast<const NMTBHOTITEM&>(header);
        ShowHint((hot.dwFlags & HICF_LEAVING) ? nullptr : Item(hot.idNew - kFirstButtonId));
        return true;
    }
    case TBN_DROPDOWN: result = TBDDRET_DEFAULT; return true;
    case TTN_GETDISPINFOA:
    case TTN_GETDISPINFOW: tips_.Answer(header, TipFor(header.idFrom)); return true;
    }
    return false;
}

int ButtonStrip::ButtonHeight() const
{
    return bar_ ? HIWORD(::SendMessageA(bar_, TB_GETBUTTONSIZE, 0, 0)) : 0;
}

int ButtonStrip::Length(BarPlacement placement) const
{
    return layout_.Length(placement, ButtonHeight());
}

int ButtonStrip::MinimumLength(BarPlacement placement) const
{
    return layout_.MinimumLength(placement, ButtonHeight());
}

int ButtonStrip::Thickness(BarPlacement placement, int length) const
{
    return layout_.Thickness(placement, length, ButtonHeight());
}

void ButtonStrip::Place(const core::Rect& content, BarPlacement placement)
{
    if (bar_)
        layout_.Place(bar_, chevron_, content, placement, buttons_.size());
}

std::vector<TTBCustomItem*> ButtonStrip::HiddenItems() const
{
    return ShowsChevron() ? layout_.HiddenOf(buttons_) : std::vector<TTBCustomItem*>();
}

} // namespace toolbars
