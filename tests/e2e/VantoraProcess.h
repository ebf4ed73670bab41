// vantora.exe started as a user starts it, and looked at from outside: its
// windows, its lists' cells and its error boxes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace e2e {

// The executable under test, from the command line.
extern std::string exePath;

class VantoraProcess {
public:
    VantoraProcess();
    ~VantoraProcess();
    VantoraProcess(const VantoraProcess&) = delete;
    VantoraProcess& operator=(const VantoraProcess&) = delete;

    HANDLE Process() const { return info_.hProcess; }
    DWORD Id() const { return info_.dwProcessId; }
    // Why the process could not be started; 0 once it was.
    DWORD StartError() const { return startError_; }

    // Its executable as the platform lists it: where it is loaded, and the
    // file it came from; 0 and "" if that cannot be asked.
    struct Image {
        uint64_t base = 0;
        std::string path;
    };
    Image Executable() const;

    // The visible main window, or null after about ten seconds or once the process ended.
    HWND WaitForWindow() const;
    // The first message box of the process, or null as for WaitForWindow.
    HWND WaitForBox() const;
    // A drop-down menu the process shows now, or null.
    HWND OpenMenu() const;
    // Asks the window to close and waits for the process; its exit code, or -1.
    int CloseAndWait(HWND window);
    // Waits for the process to end by itself; its exit code, or -1.
    int WaitForExit();
    bool Running() const;

    // A list view cell, read through a buffer in the other process.
    std::string Cell(HWND list, int row, int column) const;
    // Sends a message whose lParam points to `size` bytes, through a copy of
    // them in the other process, and copies them back.
    LRESULT Query(HWND window, UINT message, WPARAM wParam, void* data, SIZE_T size) const;

private:
    PROCESS_INFORMATION info_{};
    DWORD startError_ = 0;
};

// Child windows of a window with the given class, in z order.
std::vector<HWND> ChildrenOfClass(HWND parent, const char* className);
RECT ClientRectOnScreen(HWND window);
std::string WindowText(HWND window);
// The text of a message box.
std::string BoxText(HWND box);

// The program's registry key, as the API sees it.
bool KeyExists(const std::string& path);
void DeleteKey(const std::string& path);
void PutValue(const std::string& path, const char* name, DWORD type, const void* data, DWORD size);
// A key that goes with the registry's session; no persistent key can be made below it.
bool PutVolatileKey(const std::string& path);

// Real input, as the user makes it.
void MouseTo(POINT screen);
void Drag(POINT from, POINT to);
void Click(POINT screen);
// Presses the keys in order and lets them go in reverse; whether the chord
// arrived whole, every key down while the last went down.
bool Keys(std::initializer_list<WORD> chord);
// Whether no window of the window's thread holds the mouse: a drag there has
// ended, or has not begun.
bool MouseFree(HWND window);
// Whether the window became the active foreground window, with a focus for
// keys, within about ten seconds.
bool BringToFront(HWND window);
// Where keys and the mouse go now, for a failure's message: the foreground
// window and, of the window's thread, the active, focus and capture windows
// and whether it is in a menu or a move.
std::string InputState(HWND window);

// Asks again until the condition holds or about ten seconds have passed;
// whether it held.
bool Eventually(const std::function<bool()>& condition);

} // namespace e2e
