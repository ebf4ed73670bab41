// Names folded as Windows compares file names: case ignored, whatever the
// user's language.
#pragma once

#include <string>
#include <string_view>

namespace win32 {

// The text, read as Windows reads ANSI text (CP_ACP), in upper case by the
// invariant locale's table. Should the system fail, ASCII is folded alone.
std::u16string FoldName(std::string_view text);

} // namespace win32
