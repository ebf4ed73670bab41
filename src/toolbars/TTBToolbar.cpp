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
    activation_.Disconnect();
    shortCuts_.Disconnect();
    treeChanged_.Disconnect();
    ForgetTrackingToolbar(this);
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
    CreateChevron();
    UpdateAccessKeys();
    if (menuBar_) {
        filter_ = App().PreTranslate.Connect([this](MSG& msg) { return PreTranslate(msg); });
        // Keyboard mode belongs to the window that was active when it began.
        activation_ = App().ActivationChanged.Connect([this] {
            altTap_.Reset();
            if (!tracking_)
                ExitMenuMode();
            UpdateAccessKeys();
        });
    }
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

std::string TTBCustomToolbar::TipFor(UINT_PTR command) const
{
    if (command == kChevronId)
        return "More Buttons";
    const TTBCustomItem* item = ButtonItem(static_cast<int>(command) - kFirstButtonId);
    return item ? TooltipFor(*item) : std::string();
}

void TTBCustomToolbar::WindowDestroyed()
{
    // Went with this window.
    chevron_ = nullptr;
    TTBCustomDockableWindow::WindowDestroyed();
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
        if (chevron_ && reinterpret_cast<HWND>(lParam) == chevron_) {
            DropChevron();
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
            tipText_ = TipFor(header->idFrom);
            info->lpszText = tipText_.data();
            info->szText[0] = '\0';
            info->hinst = nullptr;
            return 0;
        }
        case TTN_GETDISPINFOW: {
            auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
            tipTextWide_ = WideText(TipFor(header->idFrom));
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

} // namespace toolbars
