#include "win32/Edit.h"

#include "win32/Application.h"

namespace win32 {

Edit::Edit(const EditProps& props) : Control(props.control), initialText_(props.text) {}

HWND Edit::CreateHandle(HWND parentWindow)
{
    return CreateNative("EDIT", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, parentWindow,
                        initialText_.c_str());
}

void Edit::AfterCreate()
{
    keys_ = App().PreTranslate.Connect([this](MSG& msg) {
        return msg.message == WM_KEYDOWN && HasWindow() && msg.hwnd == Handle() && OnKeyDown &&
               OnKeyDown(*this, static_cast<WORD>(msg.wParam));
    });
}

std::string Edit::Text() const
{
    const int length = ::GetWindowTextLengthA(Handle());
    if (length <= 0)
        return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(Handle(), text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

void Edit::SetText(const std::string& text)
{
    ::SetWindowTextA(Handle(), text.c_str());
}

void Edit::SelectAll()
{
    ::SendMessageA(Handle(), EM_SETSEL, 0, -1);
}

bool Edit::HandleCommand(WORD code)
{
    if (code != EN_CHANGE || IsDestroying())
        return false;
    if (OnChange)
        OnChange(*this);
    return true;
}

} // namespace win32
