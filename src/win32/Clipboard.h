// Text for other programs through the clipboard.
#pragma once

#include <windows.h>

#include <string>

namespace win32 {

// Puts text of the program's own code page on the clipboard as Unicode
// text, converted as Windows converts ANSI text. Throws when the clipboard
// cannot be opened (another program holds it) or not filled.
void PutTextOnClipboard(HWND owner, const std::string& text);

} // namespace win32
