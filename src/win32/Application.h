// The application object: its title, the message loop and the one place where
// exceptions escaping event handlers end up.
#pragma once

#include "win32/Signal.h"

#include <windows.h>

#include <exception>
#include <functional>
#include <string>

namespace win32 {

class Form;

class Application {
public:
    explicit Application(HINSTANCE instance);
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    HINSTANCE Instance() const { return instance_; }
    const std::string& Title() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }

    // Shows the main form and dispatches messages until it is destroyed.
    int Run(Form& mainForm);
    // Dispatches what is queued now, through the same keyboard handling.
    void ProcessMessages();

    // Shows what went wrong in the error box and lets the program go on.
    void HandleException(std::exception_ptr error);

    // Runs an event handler; an exception it raises goes to HandleException.
    void Dispatch(const std::function<void()>& handler);

    // Lets forms, menu bars and action lists see input before the focused
    // control does (shortcuts, menu-bar keys); a filter returns true when it
    // consumed the message, and later filters do not see it then.
    Signal<bool(MSG&)> PreTranslate;

    // The long hint of whatever the mouse or the menu selection is on; empty
    // over anything without one. Status bars with AutoHint show it. A hint
    // given for a window goes as soon as the mouse moves over another one.
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint, HWND source = nullptr);
    Signal<void(const std::string&)> OnHint;

    HWND ErrorBoxOwner() const;
    void SetMainWindow(HWND window) { mainWindow_ = window; }

private:
    void ProcessMessage(MSG& msg);

    HINSTANCE instance_;
    HWND mainWindow_ = nullptr;
    std::string title_;
    std::string hint_;
    HWND hintSource_ = nullptr;
};

} // namespace win32
