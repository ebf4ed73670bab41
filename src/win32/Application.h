// The application object: its title, the message loop and the one place where
// exceptions escaping event handlers end up.
#pragma once

#include "core/ui/Shortcut.h"
#include "win32/Signal.h"
#include "win32/UniqueHandle.h"

#include <windows.h>

#include <deque>
#include <exception>
#include <functional>
#include <string>
#include <unordered_map>

namespace win32 {

class Control;
class Form;

class Application {
public:
    explicit Application(HINSTANCE instance);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    HINSTANCE Instance() const { return instance_; }
    const std::string& Title() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }

    // Shows the main form and dispatches messages until the loop is asked
    // to quit; the exit code that quit asked for.
    int Run(Form& mainForm);
    // Dispatches what is queued now, through the same keyboard handling.
    void ProcessMessages();

    // Shows what went wrong in the error box and lets the program go on. An
    // error raised while a window procedure of ours runs is shown once that
    // message is done, never from inside a notification.
    void HandleException(std::exception_ptr error);
    // Shows every error box still waiting.
    void ShowPendingErrors();
    bool HasPendingErrors() const { return !pendingErrors_.empty(); }

    // Runs an event handler; an exception it raises goes to HandleException.
    void Dispatch(const std::function<void()>& handler);

    // Marks a window procedure of ours running (errors then wait for it to end).
    class HandlerScope {
    public:
        explicit HandlerScope(Application& app) : app_(app) { ++app_.handlerDepth_; }
        ~HandlerScope() { --app_.handlerDepth_; }
        HandlerScope(const HandlerScope&) = delete;
        HandlerScope& operator=(const HandlerScope&) = delete;

    private:
        Application& app_;
    };

    // Keyboard input as the loop sees it, before the focused control does,
    // in this order: PreTranslate filters (a menu bar's own keys), then one
    // shortcut dispatch, then Tab between the controls of our windows.
    // A filter returns true when it consumed the message.
    Signal<bool(MSG&)> PreTranslate;
    // Asked once per key press that makes a shortcut, in connection order,
    // until one runs it; `window` is where the key went.
    Signal<bool(core::ShortCut, HWND window)> ShortCuts;

    // The long hint of whatever the mouse or the menu selection is on; empty
    // over anything without one. Status bars with AutoHint show it. A hint
    // given for a window goes as soon as the mouse moves over another one.
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint, HWND source = nullptr);
    Signal<void(const std::string&)> OnHint;

    // Raised around each key or mouse message this loop takes from the queue:
    // the work one input sets off is one burst.
    Signal<void()> InputBegins;
    Signal<void()> InputEnds;

    // A window of ours was activated or deactivated (keyboard modes end).
    Signal<void()> ActivationChanged;
    // Everything queued has been handled and the loop is about to wait.
    Signal<void()> Idle;

    HWND ErrorBoxOwner() const;
    void SetMainWindow(HWND window) { mainWindow_ = window; }

    // The windows of the controls this program made. A message naming a
    // window reaches a control only through here: what another program's
    // window (or any window) holds as its user data is never trusted.
    void RegisterControl(HWND window, Control* control);
    void UnregisterControl(HWND window);
    Control* ControlOf(HWND window) const;

private:
    static LRESULT CALLBACK MessageWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK DropPostedNotifications(int code, WPARAM wParam, LPARAM lParam);
    void ProcessMessage(MSG& msg);
    void TranslateAndDispatch(MSG& msg);
    bool DispatchShortCut(const MSG& msg);
    bool MoveFocusByTab(const MSG& msg);
    void ShowError(const std::string& message);
    HWND MessageWindow();

    HINSTANCE instance_;
    HWND mainWindow_ = nullptr;
    std::string title_;
    std::string hint_;
    HWND hintSource_ = nullptr;
    int handlerDepth_ = 0;
    std::deque<std::string> pendingErrors_;
    bool showingErrors_ = false;
    UniqueWindow messageWindow_;
    std::unordered_map<HWND, Control*> controls_;
    UniqueHook postedNotifications_;
};

} // namespace win32
