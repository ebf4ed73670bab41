#include "win32/NameFold.h"

#include "win32/AnsiText.h"

#include <windows.h>

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
    const std::wstring wide = WideFromAnsi(text);
    const int made = static_cast<int>(wide.size());
    if (made <= 0)
        return FoldAscii(text);
    std::u16string folded(static_cast<std::size_t>(made), u'\0');
    if (::LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, wide.data(), made,
                       reinterpret_cast<wchar_t*>(folded.data()), made) != made)
        return FoldAscii(text);
    return folded;
}

} // namespace win32
