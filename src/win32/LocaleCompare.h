#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace win32 {

// The user's locale order, case ignored: -1, 0 or 1. Should the system's
// comparison fail, a plain byte order with ASCII case folded keeps the sort
// consistent instead of a bogus result.
int LocaleCompare(std::string_view a, std::string_view b, LCID locale = LOCALE_USER_DEFAULT);

// Bytes whose plain order (core::CompareBytes) is LocaleCompare's order of
// the texts they were made from: made once per text, they spare a sort the
// system's comparison at every step. Should the system fail to make one,
// the text with ASCII case folded stands in.
std::string LocaleSortKey(std::string_view text, LCID locale = LOCALE_USER_DEFAULT);

} // namespace win32
