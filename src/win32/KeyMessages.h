// What a key message means to the program: the shortcut it makes, and
// whether a window belongs to a form.
#pragma once

#include "core/ui/Shortcut.h"

#include <windows.h>

namespace win32 {

// The shortcut a key message stands for, with the modifiers held down now;
// 0 for anything but a key press.
core::ShortCut ShortCutFromKeyMessage(const MSG& msg);

// Whether a window is the owner or lies inside it or in a window it owns.
bool BelongsToWindow(HWND window, HWND owner);

} // namespace win32
