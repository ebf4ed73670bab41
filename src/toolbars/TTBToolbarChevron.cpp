// The chevron at the end of a bar whose row is too short: a one-button
// native bar of its own, so it takes focus, hot tracking and its tooltip
// like any button, dropping down the buttons that did not fit.
#include "toolbars/TTBToolbar.h"

#include "toolbars/ToolbarParts.h"
#include "win32/Application.h"

#include <stdexcept>

namespace toolbars {

void TTBCustomToolbar::CreateChevron()
{
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_TOOLTIPS |
                        CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN;
    chevron_ = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", style, 0, 0, 0, 0, Handle(), nullptr,
                                 App().Instance(), nullptr);
    if (!chevron_)
        throw std::runtime_error("Cannot create window " + Name());
    ::SendMessageW(chevron_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(chevron_, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    if (font_)
        ::SendMessageW(chevron_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    static wchar_t text[] = L"\u00BB";
    TBBUTTON button{};
    button.iBitmap = I_IMAGENONE;
    button.idCommand = kChevronId;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
    button.iString = reinterpret_cast<INT_PTR>(text);
    ::SendMessageW(chevron_, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
    if (HWND tips = reinterpret_cast<HWND>(::SendMessageW(chevron_, TB_GETTOOLTIPS, 0, 0))) {
        static wchar_t tip[] = L"More Buttons";
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = chevron_;
        tool.uId = kChevronId;
        tool.lpszText = tip;
        ::SendMessageW(tips, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    RECT r{};
    ::SendMessageW(chevron_, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    chevronWidth_ = r.right - r.left;
    chevronHeight_ = r.bottom - r.top;
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
    RECT button{};
    ::GetWindowRect(chevron_, &button);
    ::SendMessageW(chevron_, TB_PRESSBUTTON, kChevronId, TRUE);
    ShowHintOf(nullptr);
    TPMPARAMS exclude{sizeof exclude, button};
    // Below a chevron in a row, beside one at the foot of an upright column.
    const bool upright = laidOutAs_ == BarPlacement::DockedVertical;
    const UINT chosen = ::TrackPopupMenuEx(menu.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD |
                                                         (upright ? TPM_HORIZONTAL : TPM_VERTICAL),
                                           upright ? button.right : button.left,
                                           upright ? button.top : button.bottom, Handle(), &exclude);
    if (chevron_)
        ::SendMessageW(chevron_, TB_PRESSBUTTON, kChevronId, FALSE);
    ShowHintOf(nullptr);
    if (TTBCustomItem* item = MenuItem(chosen))
        QueueClick(*item);
}

} // namespace toolbars
