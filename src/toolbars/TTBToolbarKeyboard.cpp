// The keyboard: the items' own shortcuts, and a menu bar's Alt, F10,
// Alt+letter and arrow keys with its access keys shown only while in use.
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

bool KeyboardCuesAlways()
{
    BOOL cues = FALSE;
    return ::SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &cues, 0) && cues;
}

bool KeyDown(int key)
{
    return ::GetKeyState(key) < 0;
}

} // namespace

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
        const bool repeated = (msg.lParam & (1 << 30)) != 0;
        if (key == VK_MENU) {
            altTap_.KeyDown(core::AltTap::Key::Alt, repeated);
            UpdateAccessKeys();
            return false;
        }
        altTap_.KeyDown(core::AltTap::Key::Other, repeated);
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
            const bool tapped = altTap_.KeyUp(core::AltTap::Key::Alt);
            UpdateAccessKeys();
            if (!menuMode_ && !Usable())
                return false;
            // Alt alone toggles the menu bar's keyboard mode. The system must
            // not see any Alt release here, or it would go for the window
            // menu by its own reckoning of a lone Alt.
            if (tapped) {
                if (menuMode_)
                    ExitMenuMode();
                else
                    EnterMenuMode(0);
            }
            return true;
        }
        altTap_.KeyUp(core::AltTap::Key::Other);
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
            altTap_.Interrupt();
            OpenByAccessKey(typed);
            return true;
        }
        return false;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
        altTap_.Interrupt();
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
    const bool show = !menuBar_ || KeyboardCuesAlways() || menuMode_ || altTap_.AltDown() || keyboardTracking_;
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
