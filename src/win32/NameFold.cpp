#include "win32/NameFold.h"

#include <windows.h>

#include <climits>

namespace win32 {

namespace {

std::u16string FoldAscii(std::string_view text)
{
    std::u16string folded;
    folded.reserve(text.size());
    for (char c : text)
        folded.push_back(static_cast<char16_t>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : static_cast<unsigned char>(c)));
    return folded;
}

} // namespace

std::u16string FoldName(std::string_view text)
{
    if (text.empty())
        return {};
    if (text.size() > INT_MAX)
        return FoldAscii(text);
    const int length = static_cast<int>(text.size());
    // One byte never makes more than one UTF-16 unit in an ANSI code page.
    std::wstring wide(text.size(), L'\0');
    const int made = ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), length);
    if (made <= 0)
        return FoldAscii(text);
    std::u16string folded(static_cast<std::size_t>(made), u'\0');
    if (::LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, wide.data(), made,
                       reinterpret_cast<wchar_t*>(folded.data()), made) != made)
        return FoldAscii(text);
    return folded;
}

} // namespace win32
