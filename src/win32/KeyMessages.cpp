#include "win32/KeyMessages.h"

#include "win32/Application.h"
#include "win32/Form.h"

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

HWND FormWindowOf(const Application& app, HWND window)
{
    // Owners never form a cycle, but a bound costs nothing.
    constexpr int kMaxOwners = 64;
    HWND top = window ? ::GetAncestor(window, GA_ROOT) : nullptr;
    for (int i = 0; top && i < kMaxOwners; ++i, top = ::GetWindow(top, GW_OWNER)) {
        if (dynamic_cast<const Form*>(app.ControlOf(top)))
            return top;
    }
    return nullptr;
}

bool BelongsToWindow(const Application& app, HWND window, HWND other)
{
    const HWND form = FormWindowOf(app, window);
    return form && form == FormWindowOf(app, other);
}

} // namespace win32
