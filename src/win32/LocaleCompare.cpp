#include "win32/LocaleCompare.h"

#include "core/ui/SortCompare.h"

#include <climits>

namespace win32 {

int LocaleCompare(std::string_view a, std::string_view b, LCID locale)
{
    if (a.size() <= INT_MAX && b.size() <= INT_MAX) {
        const int result = ::CompareStringA(locale, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                                            b.data(), static_cast<int>(b.size()));
        if (result != 0)
            return result - CSTR_EQUAL;
    }
    return core::CompareIgnoringAsciiCase(a, b);
}

std::string LocaleSortKey(std::string_view text, LCID locale)
{
    constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
    if (text.size() <= INT_MAX / 4) {
        // An empty text has a key too, but a length of 0 is refused: it goes
        // as a terminated string instead.
        const char* source = text.empty() ? "" : text.data();
        const int length = text.empty() ? -1 : static_cast<int>(text.size());
        if (const int size = ::LCMapStringA(locale, kFlags, source, length, nullptr, 0); size > 0) {
            std::string key(static_cast<std::size_t>(size), '\0');
            if (const int made = ::LCMapStringA(locale, kFlags, source, length, key.data(), size); made > 0) {
                key.resize(static_cast<std::size_t>(made));
                return key;
            }
        }
    }
    std::string folded(text);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

} // namespace win32
