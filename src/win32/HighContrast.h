// Whether the user has asked for High Contrast: then the system's colours
// alone are drawn, none of the program's own.
#pragma once

namespace win32 {

bool SystemHighContrastOn();

} // namespace win32
