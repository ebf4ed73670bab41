#include "win32/LocaleCompare.h"

#include "core/SortCompare.h"

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

} // namespace win32
