// The program's own window messages. They live in the WM_APP range, which no
// system component (the dialog manager's DM_* messages sit at WM_USER) uses.
#pragma once

#include <windows.h>

namespace win32 {

// Posted to the application's message window: shows the error boxes that
// handlers raised while a message was still being handled.
constexpr UINT kShowPendingErrors = WM_APP + 1;
// Posted to a toolbar: runs the items clicked while their message was
// being handled.
constexpr UINT kRunQueuedClicks = WM_APP + 2;
// Posted to a floating toolbar whose caption was double-clicked: it goes
// back to its last dock, which destroys the window that was clicked.
constexpr UINT kReturnToLastDock = WM_APP + 3;
// Posted to a toolbar being dragged: Esc was pressed, the drag ends there.
constexpr UINT kCancelDrag = WM_APP + 4;

} // namespace win32
