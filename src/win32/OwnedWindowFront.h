// An owned window's place in front of the window that owns it. The system
// keeps it there; some systems restack the owner over it when the owner
// takes the focus, even late and with no message, so a shown owned window
// looks when the queue goes idle and now and then besides.
#pragma once

#include <windows.h>

namespace win32 {

// The timer a shown owned window looks with, in its own id space.
constexpr UINT_PTR kFrontCheckTimer = 0x5646;
constexpr UINT kFrontCheckIntervalMs = 200;

// Only the windows above the owner are looked at: while it is active they are few.
bool InFrontOfOwner(HWND window, HWND owner);

// Back directly above the owner when it sank below it, never over a window
// of another program that is in front of both.
void KeepInFrontOfOwner(HWND window, HWND owner);

} // namespace win32
