// The program's narrow texts (what Toolhelp and the ANSI window functions
// hand it) as UTF-16, converted as Windows converts ANSI text (CP_ACP).
#pragma once

#include <string>
#include <string_view>

namespace win32 {

std::wstring WideFromAnsi(std::string_view text);

} // namespace win32
