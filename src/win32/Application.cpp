#include "win32/Application.h"

#include "core/ui/ErrorText.h"
#include "win32/AppMessages.h"
#include "win32/Control.h"
#include "win32/Form.h"
#include "win32/KeyMessages.h"

namespace win32 {

namespace {

constexpr const char* kMessageWindowClass = "VantoraApplication";

// What the user types or does with the mouse, in the client area or not.
bool IsInputMessage(UINT message)
{
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

} // namespace

Application::Application(HINSTANCE instance)
    : instance_(instance),
      postedNotifications_(
          ::SetWindowsHookExA(WH_GETMESSAGE, &Application::DropPostedNotifications, nullptr, ::GetCurrentThreadId()))
{
}

// Controls send their notifications. A posted one comes from elsewhere, and
// its pointer means nothing in this process; no loop, modal ones included,
// may hand it on.
LRESULT CALLBACK Application::DropPostedNotifications(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        auto* msg = reinterpret_cast<MSG*>(lParam);
        if (msg->message == WM_NOTIFY)
            msg->message = WM_NULL;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

Application::~Application() = default;

int Application::Run(Form& mainForm)
{
    mainForm.Show();
    MSG msg;
    int exitCode = 0;
    for (;;) {
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
            Dispatch([this] { Idle(); });
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // The quit message's code; a loop that cannot go on ends with 1.
            exitCode = got == 0 ? static_cast<int>(msg.wParam) : 1;
            break;
        }
        ProcessMessage(msg);
    }
    // A destroy handler's error comes after its window is gone.
    ShowPendingErrors();
    return exitCode;
}

void Application::ProcessMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ProcessMessage(msg);
    }
    Dispatch([this] { Idle(); });
}

void Application::ProcessMessage(MSG& msg)
{
    if (!IsInputMessage(msg.message)) {
        TranslateAndDispatch(msg);
        return;
    }
    Dispatch([this] { InputBegins(); });
    TranslateAndDispatch(msg);
    Dispatch([this] { InputEnds(); });
}

void Application::TranslateAndDispatch(MSG& msg)
{
    if ((msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) && hintSource_ && msg.hwnd != hintSource_)
        SetHint({});
    bool consumed = false;
    Dispatch([&] { consumed = PreTranslate.Any(msg) || DispatchShortCut(msg) || MoveFocusByTab(msg); });
    if (consumed)
        return;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
}

bool Application::DispatchShortCut(const MSG& msg)
{
    const core::ShortCut shortCut = ShortCutFromKeyMessage(msg);
    return shortCut != 0 && ShortCuts.Any(shortCut, msg.hwnd);
}

// Tab and Shift+Tab move between the controls of our own windows. The
// dialog manager is not used for this: it also takes Enter and Esc (as
// IDOK and IDCANCEL) and sends its own messages to windows that are no
// dialogs.
bool Application::MoveFocusByTab(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB || ::GetKeyState(VK_CONTROL) < 0 ||
        ::GetKeyState(VK_MENU) < 0)
        return false;
    HWND root = ::GetAncestor(msg.hwnd, GA_ROOT);
    if (!root || !ControlOf(root))
        return false;
    HWND focus = ::GetFocus();
    MSG copy = msg;
    if (focus && (::SendMessageA(focus, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&copy)) &
                  (DLGC_WANTTAB | DLGC_WANTALLKEYS)))
        return false;
    HWND next = ::GetNextDlgTabItem(root, focus, ::GetKeyState(VK_SHIFT) < 0);
    if (next && next != focus)
        ::SetFocus(next);
    return true;
}

void Application::RegisterControl(HWND window, Control* control)
{
    controls_[window] = control;
}

void Application::UnregisterControl(HWND window)
{
    controls_.erase(window);
}

Control* Application::ControlOf(HWND window) const
{
    const auto found = controls_.find(window);
    return found == controls_.end() ? nullptr : found->second;
}

HWND Application::ErrorBoxOwner() const
{
    return mainWindow_ && ::IsWindow(mainWindow_) ? mainWindow_ : nullptr;
}

void Application::SetHint(const std::string& hint, HWND source)
{
    hintSource_ = hint.empty() ? nullptr : source;
    if (hint == hint_)
        return;
    hint_ = hint;
    OnHint(hint_);
}

void Application::HandleException(std::exception_ptr error)
{
    std::string message;
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        message = e.what();
    } catch (...) {
        message = "Unknown error";
    }
    if (handlerDepth_ == 0) {
        ShowError(message);
        return;
    }
    // A modal box here would run a message loop inside the message that
    // failed (a list's own notification, say): the box waits for it to end.
    pendingErrors_.push_back(message);
    if (HWND window = MessageWindow())
        ::PostMessageA(window, kShowPendingErrors, 0, 0);
}

void Application::ShowPendingErrors()
{
    // A box's own loop may ask again; the outer call shows them all in turn.
    if (showingErrors_)
        return;
    showingErrors_ = true;
    while (!pendingErrors_.empty()) {
        const std::string message = pendingErrors_.front();
        pendingErrors_.pop_front();
        ShowError(message);
    }
    showingErrors_ = false;
}

void Application::ShowError(const std::string& message)
{
    const std::string text = core::ErrorBoxText(message);
    // A box whose loop meets a pending quit closes before anyone sees it, and
    // the error a destroy handler raised comes just after the quit was asked
    // for: the quit waits for the box and goes on afterwards.
    MSG quit;
    const bool quitting = ::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    ::MessageBoxA(ErrorBoxOwner(), text.c_str(), title_.c_str(), MB_OK | MB_ICONSTOP);
    if (quitting)
        ::PostQuitMessage(static_cast<int>(quit.wParam));
}

void Application::Dispatch(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (...) {
        HandleException(std::current_exception());
    }
}

HWND Application::MessageWindow()
{
    if (!messageWindow_) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        if (!::GetClassInfoExA(instance_, kMessageWindowClass, &wc)) {
            wc.lpfnWndProc = &Application::MessageWindowProc;
            wc.hInstance = instance_;
            wc.lpszClassName = kMessageWindowClass;
            ::RegisterClassExA(&wc);
        }
        messageWindow_.Reset(::CreateWindowExA(0, kMessageWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                               instance_, nullptr));
        if (messageWindow_)
            ::SetWindowLongPtrA(messageWindow_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    return messageWindow_.Get();
}

LRESULT CALLBACK Application::MessageWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kShowPendingErrors) {
        if (auto* app = reinterpret_cast<Application*>(::GetWindowLongPtrA(window, GWLP_USERDATA)))
            app->ShowPendingErrors();
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

} // namespace win32
