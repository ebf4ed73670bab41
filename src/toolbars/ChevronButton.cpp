#include "toolbars/ChevronButton.h"

#include "toolbars/ToolbarParts.h"

#include <commctrl.h>

#include <stdexcept>

namespace toolbars {

void ChevronButton::Create(HWND parent, HINSTANCE instance, HFONT font, const std::string& name)
{
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_TOOLTIPS |
                        CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN;
    window_ = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", style, 0, 0, 0, 0, parent, nullptr, instance, nullptr);
    if (!window_)
        throw std::runtime_error("Cannot create window " + name);
    ::SendMessageW(window_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(window_, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    if (font)
        ::SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    static wchar_t text[] = L"\u00BB";
    TBBUTTON button{};
    button.iBitmap = I_IMAGENONE;
    button.idCommand = kChevronId;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
    button.iString = reinterpret_cast<INT_PTR>(text);
    ::SendMessageW(window_, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
    if (HWND tips = reinterpret_cast<HWND>(::SendMessageW(window_, TB_GETTOOLTIPS, 0, 0))) {
        static wchar_t tip[] = L"More Buttons";
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = window_;
        tool.uId = kChevronId;
        tool.lpszText = tip;
        ::SendMessageW(tips, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    RECT r{};
    ::SendMessageW(window_, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    width_ = r.right - r.left;
    height_ = r.bottom - r.top;
}

RECT ChevronButton::ScreenRect() const
{
    RECT r{};
    ::GetWindowRect(window_, &r);
    return r;
}

void ChevronButton::Place(const RECT& bounds, bool shown)
{
    if (!window_)
        return;
    if (shown)
        ::MoveWindow(window_, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, TRUE);
    ::ShowWindow(window_, shown ? SW_SHOWNA : SW_HIDE);
}

void ChevronButton::Press(bool pressed)
{
    if (window_)
        ::SendMessageW(window_, TB_PRESSBUTTON, kChevronId, pressed ? TRUE : FALSE);
}

} // namespace toolbars
