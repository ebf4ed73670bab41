#include "win32/StatusBar.h"

#include "win32/Application.h"

#include <commctrl.h>

namespace win32 {

StatusBar::StatusBar(const StatusBarProps& props) : Control(props.control), autoHint_(props.autoHint)
{
    parentFont_ = false;
}

HWND StatusBar::CreateHandle(HWND parentWindow)
{
    // The layout places the bar; it must not place itself.
    return CreateNative(STATUSCLASSNAMEA, SBARS_SIZEGRIP | CCS_NOPARENTALIGN | CCS_NORESIZE |
                                              CCS_NODIVIDER,
                        0, parentWindow);
}

void StatusBar::AfterCreate()
{
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        font_.Reset(::CreateFontIndirectA(&metrics.lfStatusFont));
    Control::ApplyFont(font_.Get());
    ::SendMessageA(Handle(), SB_SIMPLE, TRUE, 0);
    UpdateSizeGrip();
    if (autoHint_)
        hintConnection_ = App().OnHint.Connect([this](const std::string& hint) { SetSimpleText(hint); });
}

void StatusBar::SetSimpleText(const std::string& text)
{
    // The text is kept here: a simple-mode bar cannot be asked for it on
    // every system (Windows answers for the parts, not the simple text).
    if (text == text_ || !HasWindow())
        return;
    text_ = text;
    ::SendMessageA(Handle(), SB_SETTEXTA, SB_SIMPLEID | SBT_NOBORDERS, reinterpret_cast<LPARAM>(text_.c_str()));
}

void StatusBar::BoundsChanged()
{
    UpdateSizeGrip();
}

void StatusBar::UpdateSizeGrip()
{
    if (!Handle() || !Parent())
        return;
    HWND top = ::GetAncestor(Handle(), GA_ROOT);
    const bool sizeable = (::GetWindowLongA(top, GWL_STYLE) & WS_THICKFRAME) && !::IsZoomed(top);
    const core::Rect client = Parent()->ClientArea();
    const core::Rect bounds = BoundsRect();
    const bool atCorner = bounds.right == client.right && bounds.bottom == client.bottom;
    LONG style = ::GetWindowLongA(Handle(), GWL_STYLE);
    const LONG wanted = sizeable && atCorner ? (style | SBARS_SIZEGRIP) : (style & ~SBARS_SIZEGRIP);
    if (wanted != style) {
        ::SetWindowLongA(Handle(), GWL_STYLE, wanted);
        ::InvalidateRect(Handle(), nullptr, TRUE);
    }
}

} // namespace win32
