#include "win32/Application.h"

#include "core/ErrorText.h"
#include "win32/Form.h"

namespace win32 {

Application::Application(HINSTANCE instance) : instance_(instance) {}

int Application::Run(Form& mainForm)
{
    mainForm.Show();
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
        ProcessMessage(msg);
    return 0;
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
}

void Application::ProcessMessage(MSG& msg)
{
    if ((msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) && hintSource_ && msg.hwnd != hintSource_)
        SetHint({});
    bool consumed = false;
    Dispatch([&] { consumed = PreTranslate.Any(msg); });
    if (consumed)
        return;
    // Tab moves between the controls of our windows as in a dialog.
    HWND root = ::GetAncestor(msg.hwnd, GA_ROOT);
    if (root && ::IsDialogMessageA(root, &msg))
        return;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
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
    const std::string text = core::ErrorBoxText(message);
    ::MessageBoxA(ErrorBoxOwner(), text.c_str(), title_.c_str(), MB_OK | MB_ICONSTOP);
}

void Application::Dispatch(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (...) {
        HandleException(std::current_exception());
    }
}

} // namespace win32
