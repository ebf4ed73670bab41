#pragma once

#include <windows.h>

#include <string>

namespace win32 {

// A string resource of the module, loaded when used; empty when missing.
std::string LoadResourceText(HINSTANCE instance, UINT id);

} // namespace win32
