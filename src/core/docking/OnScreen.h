#pragma once

#include "core/ui/Alignment.h"
#include "core/ui/Placement.h"

namespace core {

// The top-left corner for a floating window of the given size so that it
// can be found on the work area again. A window that overlaps the area by
// even one pixel stays where it is; one wholly off it is shifted just far
// enough back, right and bottom edges first, so that a window larger than
// the area ends with its top-left corner on the area's. Works for any
// 32-bit position, as read back from the registry.
Point MoveOnScreenIfWhollyOff(Point topLeft, int width, int height, const Rect& workArea);

} // namespace core
