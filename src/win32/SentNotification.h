// WM_NOTIFY carries a pointer that the system does not copy between
// processes: from another process it means nothing here, and reading through
// it may crash. Every window of this program lives on its one GUI thread,
// whose native controls build their notification records on its stack.
#pragma once

#include <windows.h>

namespace win32 {

// Whether a handler may read the record a WM_NOTIFY points to: always when
// this thread sent it; when another thread or process did, only if the
// whole record lies in this thread's live stack, where a notification our
// own controls raise while that send is being handled lives. Anything else
// is not read at all, not even its header.
bool NotificationReadable(LPARAM record);

} // namespace win32
