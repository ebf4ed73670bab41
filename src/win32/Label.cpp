#include "win32/Label.h"

#include "win32/UniqueHandle.h"

namespace win32 {

Label::Label(const LabelProps& props) : Control(props.control), caption_(props.caption) {}

HWND Label::CreateHandle(HWND parentWindow)
{
    return CreateNative("STATIC", SS_LEFTNOWORDWRAP, 0, parentWindow, caption_.c_str());
}

void Label::ApplyFont(HFONT font)
{
    font_ = font;
    Control::ApplyFont(font);
    FitHeight();
}

void Label::SetCaption(std::string caption)
{
    // The same text again would only repaint it.
    if (HasWindow() && caption == caption_)
        return;
    caption_ = std::move(caption);
    ::SetWindowTextA(Handle(), caption_.c_str());
    FitHeight();
}

void Label::FitHeight()
{
    WindowDC dc(Handle());
    SelectedObject select(dc.Get(), font_ ? static_cast<HGDIOBJ>(font_) : ::GetStockObject(DEFAULT_GUI_FONT));
    // An empty caption still takes one line.
    const std::string measured = caption_.empty() ? std::string(" ") : caption_;
    RECT r{0, 0, 0, 0};
    ::DrawTextA(dc.Get(), measured.c_str(), static_cast<int>(measured.size()), &r,
                DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_LEFT);
    SetHeight(r.bottom - r.top);
}

} // namespace win32
