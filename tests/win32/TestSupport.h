// Helpers the Win32 tests share: a child process, message pumping, and a
// watcher that reads and dismisses modal message boxes.
#pragma once

#include "win32/UniqueHandle.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace testsupport {

// A sleeping child process, ended when the object goes; it loads the given
// libraries first.
class ChildProcess {
public:
    explicit ChildProcess(const char* exe = TEST_CHILD_NAME, int sleepMs = 60000,
                          const std::vector<std::string>& libraries = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_.Get(); }
    void End();

private:
    win32::UniqueKernelHandle process_;
    DWORD id_ = 0;
};

// Delivers whatever is queued for this thread's windows.
void PumpMessages();

struct SeenBox {
    std::string caption;
    std::string text;
    bool stopIcon = false;
    bool informationIcon = false;
    HWND owner = nullptr;
};

// While alive, every message box this thread opens is recorded and closed.
class ModalBoxWatcher {
public:
    ModalBoxWatcher();
    ~ModalBoxWatcher();
    ModalBoxWatcher(const ModalBoxWatcher&) = delete;
    ModalBoxWatcher& operator=(const ModalBoxWatcher&) = delete;

    const std::vector<SeenBox>& Boxes() const;
    // Runs as each box appears, before it is closed.
    std::function<void()> OnBox;

private:
    HHOOK hook_;
};

} // namespace testsupport

namespace testsupport {

// Clicks a list view's column header the way the mouse does.
void ClickHeader(HWND list, int column);

// The header's own image for a column (what is drawn), -1 for none.
int HeaderImage(HWND list, int column);

// A control's bounds in its parent's client coordinates.
RECT BoundsInParent(HWND control);

// Saves what the screen shows as build/win32/screenshots/<name>.bmp, for a
// person to look at; the tests never compare pixels.
void SaveScreenshot(const std::string& name);

} // namespace testsupport
