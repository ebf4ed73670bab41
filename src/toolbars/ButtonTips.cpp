#include "toolbars/ButtonTips.h"

#include "core/ui/Hint.h"
#include "core/ui/Shortcut.h"

namespace toolbars {

namespace {

std::wstring WideText(const std::string& text)
{
    const int n = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (n <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), n);
    wide.resize(static_cast<std::size_t>(n - 1));
    return wide;
}

} // namespace

std::string ButtonTips::TextFor(const TTBCustomItem& item)
{
    return core::TooltipText(item.Hint(), core::ShortCutText(item.ShortCut()));
}

void ButtonTips::Set(HWND bar, UINT_PTR id, const TTBCustomItem& item)
{
    HWND tips = reinterpret_cast<HWND>(::SendMessageA(bar, TB_GETTOOLTIPS, 0, 0));
    if (!tips)
        return;
    std::string text = TextFor(item);
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = bar;
    tool.uId = id;
    tool.lpszText = text.data();
    ::SendMessageA(tips, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

// The text goes by pointer: the record's own buffer holds only 79 characters.
void ButtonTips::Answer(NMHDR& request, const std::string& text)
{
    if (request.code == TTN_GETDISPINFOW) {
        auto& info = reinterpret_cast<NMTTDISPINFOW&>(request);
        wideText_ = WideText(text);
        info.lpszText = wideText_.data();
        info.szText[0] = L'\0';
        info.hinst = nullptr;
        return;
    }
    auto& info = reinterpret_cast<NMTTDISPINFOA&>(request);
    text_ = text;
    info.lpszText = text_.data();
    info.szText[0] = '\0';
    info.hinst = nullptr;
}

} // namespace toolbars
