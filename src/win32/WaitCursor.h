// The wait cursor for the lifetime of a scope, for work done on the GUI
// thread that the user waits for; the cursor before it comes back on every path.
#pragma once

#include <windows.h>

namespace win32 {

class WaitCursor {
public:
    WaitCursor() : previous_(::SetCursor(::LoadCursor(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { ::SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

} // namespace win32
