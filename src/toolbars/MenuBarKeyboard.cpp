#include "toolbars/MenuBarKeyboard.h"

#include "core/ui/AccessKey.h"
#include "win32/Application.h"
#include "win32/KeyMessages.h"

#include <optional>

namespace toolbars {

namespace {

using Key = core::MenuBarKeys::Key;

bool KeyboardCuesAlways()
{
    BOOL cues = FALSE;
    return ::SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &cues, 0) && cues;
}

bool KeyDown(int key)
{
    return ::GetKeyState(key) < 0;
}

Key KeyOf(WPARAM key)
{
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

MenuBarKeyboard::MenuBarKeyboard(Owner& owner, ButtonStrip& strip, const win32::Control& window, bool menuBar)
    : owner_(owner), strip_(strip), window_(window), menuBar_(menuBar)
{
}

void MenuBarKeyboard::Listen(win32::Application& app)
{
    filter_ = app.PreTranslate.Connect([this](MSG& msg) { return PreTranslate(msg); });
    // Keyboard mode belongs to the window that was active when it began.
    activation_ = app.ActivationChanged.Connect(
        [this] { keys_.Apply(*this, keys_.ActivationChanged(owner_.MenuOpen())); });
}

void MenuBarKeyboard::Stop()
{
    filter_.Disconnect();
    activation_.Disconnect();
}

bool MenuBarKeyboard::PreTranslate(const MSG& msg)
{
    const HWND window = window_.Handle();
    if (!window || !strip_.Handle() || owner_.MenuOpen() ||
        !win32::BelongsToWindow(window_.App(), msg.hwnd, window))
        return false;
    const std::optional<core::MenuBarKeys::Decision> decision = Translate(msg);
    if (!decision)
        return false;
    // This object may be gone after: only the decision is read.
    keys_.Apply(*this, *decision);
    return decision->taken;
}

std::optional<core::MenuBarKeys::Decision> MenuBarKeyboard::Translate(const MSG& msg)
{
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        core::MenuBarKeys::KeyPress press{KeyOf(msg.wParam)};
        press.typed = static_cast<char>(::MapVirtualKeyA(static_cast<UINT>(msg.wParam), MAPVK_VK_TO_CHAR));
        press.repeated = (msg.lParam & (1 << 30)) != 0;
        press.shiftOrControl = KeyDown(VK_SHIFT) || KeyDown(VK_CONTROL);
        return keys_.KeyDown(*this, press);
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: return keys_.KeyUp(*this, KeyOf(msg.wParam));
    case WM_CHAR:
    case WM_SYSCHAR: return keys_.Char(*this, static_cast<char>(msg.wParam), msg.message == WM_SYSCHAR);
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN: return keys_.MouseDown(msg.hwnd == strip_.Handle());
    default: return std::nullopt;
    }
}

void MenuBarKeyboard::Leave()
{
    keys_.Apply(*this, keys_.Leave());
}

void MenuBarKeyboard::MenuOpened(bool byKeyboard)
{
    keys_.MenuOpened(byKeyboard);
    UpdateAccessKeys();
}

void MenuBarKeyboard::MenuClosed(int entry, bool escaped)
{
    keys_.Apply(*this, keys_.MenuClosed(*this, entry, escaped));
}

void MenuBarKeyboard::UpdateAccessKeys()
{
    ShowAccessKeys(keys_.ShowsAccessKeys());
}

void MenuBarKeyboard::ShowAccessKeys(bool keyboardAtWork)
{
    strip_.ShowAccessKeys(!menuBar_ || KeyboardCuesAlways() || keyboardAtWork);
}

void MenuBarKeyboard::Select(int entry)
{
    strip_.SetHot(entry);
    if (entry < 0)
        strip_.ShowHint(nullptr);
}

void MenuBarKeyboard::Open(int entry)
{
    owner_.OpenEntry(entry);
}

void MenuBarKeyboard::Beep()
{
    ::MessageBeep(0);
}

int MenuBarKeyboard::Count() const
{
    return strip_.Count();
}

bool MenuBarKeyboard::IsSeparator(int entry) const
{
    return strip_.Item(entry)->IsSeparator();
}

int MenuBarKeyboard::AccessKeyEntry(char typed) const
{
    for (int i = 0; i < strip_.Count(); ++i) {
        const TTBCustomItem* item = strip_.Item(i);
        if (!item->IsSeparator() && item->Enabled() && core::MatchesAccessKey(item->Caption(), typed))
            return i;
    }
    return -1;
}

int MenuBarKeyboard::Selected() const
{
    return strip_.Hot();
}

bool MenuBarKeyboard::Usable() const
{
    const HWND window = window_.Handle();
    return window && ::IsWindowVisible(window) && ::IsWindowEnabled(window) &&
           ::IsWindowEnabled(::GetAncestor(window, GA_ROOTOWNER)) && !::GetCapture();
}

} // namespace toolbars
