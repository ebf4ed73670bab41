// The keyboard: the items' own shortcuts, and a menu bar's Alt, F10,
// Alt+letter and arrow keys with its access keys shown only while in use.
#include "toolbars/TTBToolbar.h"

#include "core/ui/AccessKey.h"
#include "win32/KeyMessages.h"

#include <vector>

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

core::MenuBarKeys::Key KeyOf(UINT key)
{
    using Key = core::MenuBarKeys::Key;
    switch (key) {
    case VK_MENU: return Key::Alt;
    case VK_SHIFT: return Key::Shift;
    case VK_CONTROL: return Key::Control;
    case VK_F10: return Key::F10;
    case VK_LEFT: return Key::Left;
    case VK_RIGHT: return Key::Right;
    case VK_UP: return Key::Up;
    case VK_DOWN: return Key::Down;
    case VK_RETURN: return Key::Enter;
    case VK_ESCAPE: return Key::Escape;
    default: return Key::Other;
    }
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
    if (!Handle() || !strip_.Handle() || tracker_)
        return false;
    if (!win32::BelongsToWindow(msg.hwnd, Handle()))
        return false;
    return menuBar_ && MenuBarKey(msg);
}

// Only the items' own shortcuts: an item bound to an action leaves the
// action's shortcut to its action list, so every key runs once.
bool TTBCustomToolbar::ProcessShortCut(core::ShortCut shortCut, HWND window)
{
    if (!Handle() || !strip_.Handle() || tracker_ || !win32::BelongsToWindow(window, Handle()) ||
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

bool TTBCustomToolbar::MenuBarKey(const MSG& msg)
{
    core::MenuBarKeys::Decision decision;
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        const auto key = static_cast<UINT>(msg.wParam);
        core::MenuBarKeys::KeyPress press{KeyOf(key)};
        press.typed = static_cast<char>(::MapVirtualKeyA(key, MAPVK_VK_TO_CHAR));
        press.repeated = (msg.lParam & (1 << 30)) != 0;
        press.shiftOrControl = KeyDown(VK_SHIFT) || KeyDown(VK_CONTROL);
        decision = keys_.KeyDown(*this, press);
        break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: decision = keys_.KeyUp(*this, KeyOf(static_cast<UINT>(msg.wParam))); break;
    case WM_CHAR:
    case WM_SYSCHAR: decision = keys_.Char(*this, static_cast<char>(msg.wParam), msg.message == WM_SYSCHAR); break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN: decision = keys_.MouseDown(msg.hwnd == strip_.Handle()); break;
    default: return false;
    }
    Apply(decision);
    return decision.taken;
}

void TTBCustomToolbar::Apply(const core::MenuBarKeys::Decision& decision)
{
    using Action = core::MenuBarKeys::Action;
    switch (decision.action) {
    case Action::Select:
        UpdateAccessKeys();
        strip_.SetHot(decision.entry);
        return;
    case Action::Open: ButtonClicked(decision.entry, true); break;
    case Action::Beep: ::MessageBeep(0); break;
    case Action::Leave:
        strip_.SetHot(-1);
        UpdateAccessKeys();
        strip_.ShowHint(nullptr);
        return;
    case Action::None: break;
    }
    UpdateAccessKeys();
}

void TTBCustomToolbar::ExitMenuMode()
{
    Apply(keys_.Leave());
}

int TTBCustomToolbar::Count() const
{
    return strip_.Count();
}

bool TTBCustomToolbar::IsSeparator(int entry) const
{
    return strip_.Item(entry)->IsSeparator();
}

int TTBCustomToolbar::AccessKeyEntry(char typed) const
{
    for (int i = 0; i < strip_.Count(); ++i) {
        const TTBCustomItem* item = strip_.Item(i);
        if (!item->IsSeparator() && item->Enabled() && core::MatchesAccessKey(item->Caption(), typed))
            return i;
    }
    return -1;
}

int TTBCustomToolbar::Selected() const
{
    return strip_.Hot();
}

// A menu bar underlines its access keys only while the keyboard is at work,
// unless the system is set to show them always.
void TTBCustomToolbar::UpdateAccessKeys()
{
    strip_.ShowAccessKeys(!menuBar_ || KeyboardCuesAlways() || keys_.ShowsAccessKeys());
}

} // namespace toolbars
