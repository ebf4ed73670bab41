#include "win32/OwnedWindowFront.h"

namespace win32 {

bool InFrontOfOwner(HWND window, HWND owner)
{
    for (HWND above = ::GetWindow(owner, GW_HWNDPREV); above; above = ::GetWindow(above, GW_HWNDPREV)) {
        if (above == window)
            return true;
    }
    return false;
}

void KeepInFrontOfOwner(HWND window, HWND owner)
{
    if (!window || !owner || !::IsWindowVisible(window) || InFrontOfOwner(window, owner))
        return;
    HWND above = ::GetWindow(owner, GW_HWNDPREV);
    // Placed after a topmost window, it would become one.
    if (above && (::GetWindowLongA(above, GWL_EXSTYLE) & WS_EX_TOPMOST))
        above = nullptr;
    ::SetWindowPos(window, above ? above : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

} // namespace win32
