#include "win32/Panel.h"

#include "win32/Application.h"

namespace win32 {

HWND Panel::CreateHandle(HWND parentWindow)
{
    RegisterOwnClass(App().Instance(), "VantoraPanel", 0, nullptr,
                     reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    return CreateOwn("VantoraPanel", WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, parentWindow);
}

} // namespace win32
