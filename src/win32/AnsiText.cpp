#include "win32/AnsiText.h"

#include <windows.h>

#include <climits>

namespace win32 {

std::wstring WideFromAnsi(std::string_view text)
{
    if (text.empty() || text.size() > INT_MAX)
        return {};
    // One byte never makes more than one UTF-16 unit in an ANSI code page.
    std::wstring wide(text.size(), L'\0');
    const int made = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                           static_cast<int>(wide.size()));
    wide.resize(made > 0 ? static_cast<std::size_t>(made) : 0);
    return wide;
}

} // namespace win32
