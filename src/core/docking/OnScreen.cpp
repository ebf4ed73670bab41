#include "core/docking/OnScreen.h"

#include "core/docking/SaturatingInt.h"

#include <algorithm>
#include <cstdint>

namespace core {
namespace {

// One axis of the window against the area, half-open, in 64 bits.
struct Span {
    std::int64_t start = 0;
    std::int64_t end = 0;
};

bool Overlap(Span window, Span area) { return window.start < area.end && area.start < window.end; }

// Far edge first, then near edge, each on the already shifted span: a span
// longer than the area ends up aligned with the area's start.
std::int64_t ShiftedStart(Span window, Span area)
{
    if (window.end > area.end)
        window.start -= window.end - area.end;
    return std::max(window.start, area.start);
}

} // namespace

Point MoveOnScreenIfWhollyOff(Point topLeft, int width, int height, const Rect& workArea)
{
    const Span horizontal{topLeft.x, std::int64_t{topLeft.x} + std::max(width, 0)};
    const Span vertical{topLeft.y, std::int64_t{topLeft.y} + std::max(height, 0)};
    const Span areaHorizontal{workArea.left, workArea.right};
    const Span areaVertical{workArea.top, workArea.bottom};
    if (Overlap(horizontal, areaHorizontal) && Overlap(vertical, areaVertical))
        return topLeft;
    return {SaturateToInt(ShiftedStart(horizontal, areaHorizontal)),
            SaturateToInt(ShiftedStart(vertical, areaVertical))};
}

} // namespace core
