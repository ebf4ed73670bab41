// The application object: its title, the message loop and the one place where
// exceptions escaping event handlers end up.
#pragma once

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

    // Lets a form see keyboard input before the focused control does
    // (shortcuts, menu-bar keys); returns true when the message was consumed.
    std::function<bool(MSG&)> PreTranslate;

    HWND ErrorBoxOwner() const;
    void SetMainWindow(HWND window) { mainWindow_ = window; }

private:
    void ProcessMessage(MSG& msg);

    HINSTANCE instance_;
    HWND mainWindow_ = nullptr;
    std::string title_;
};

} // namespace win32
