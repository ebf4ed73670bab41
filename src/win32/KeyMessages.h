// What a key message means to the program: the shortcut it makes, and
// which form it belongs to.
#pragma once

#include "core/ui/Shortcut.h"

#include <windows.h>

namespace win32 {

class Application;

// The shortcut a key message stands for, with the modifiers held down now;
// 0 for anything but a key press.
core::ShortCut ShortCutFromKeyMessage(const MSG& msg);

// The window of the form a window belongs to: the form of ours that is or
// holds it; a top-level window that is no form of ours (a floating
// toolbar's window, a tooltip, a message box) belongs to the form that owns
// it. None for a window of no form.
HWND FormWindowOf(const Application& app, HWND window);

// Whether a window belongs to the same form as another: a key belongs to
// the form whose window it went to, not to the form that owns that one.
bool BelongsToWindow(const Application& app, HWND window, HWND other);

} // namespace win32
