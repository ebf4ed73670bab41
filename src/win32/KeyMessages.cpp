#include "win32/KeyMessages.h"

namespace win32 {

core::ShortCut ShortCutFromKeyMessage(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
        return 0;
    const auto key = static_cast<UINT>(msg.wParam);
    if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU || key > 0xFF)
        return 0;
    core::ShortCut shortCut = static_cast<core::ShortCut>(key);
    if (::GetKeyState(VK_SHIFT) < 0)
        shortCut |= core::kShift;
    if (::GetKeyState(VK_CONTROL) < 0)
        shortCut |= core::kCtrl;
    if (::GetKeyState(VK_MENU) < 0 || (msg.message == WM_SYSKEYDOWN && (msg.lParam & (1 << 29))))
        shortCut |= core::kAlt;
    return shortCut;
}

bool BelongsToWindow(HWND window, HWND owner)
{
    return window && owner && ::GetAncestor(window, GA_ROOTOWNER) == ::GetAncestor(owner, GA_ROOTOWNER);
}

} // namespace win32
