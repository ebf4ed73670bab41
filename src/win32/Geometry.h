// Between the core's rectangles and the system's RECT, POINT and the
// coordinates packed into a mouse message.
#pragma once

#include "core/ui/Alignment.h"

#include <windows.h>
#include <windowsx.h>

namespace win32 {

inline RECT ToRECT(const core::Rect& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

inline core::Rect ToRect(const RECT& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

inline bool Contains(const core::Rect& r, POINT p)
{
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// Signed, as positions left of or above a window are.
inline POINT PointOf(LPARAM point)
{
    return {GET_X_LPARAM(point), GET_Y_LPARAM(point)};
}

} // namespace win32
