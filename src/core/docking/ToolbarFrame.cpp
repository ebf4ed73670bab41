#include "core/docking/ToolbarFrame.h"

#include "core/ui/DpiScale.h"

#include <algorithm>

namespace core {
namespace {

// The grip bar is three pixels across, centred on the handle.
constexpr int kGripThickness = 3;
// Gap between the close button and the grip, and at the grip's far end.
constexpr int kGripGap = 2;

// Never a part of no size, nor one a stray scale made absurdly large.
constexpr int kLargestPart = 1000;

int ScaledPart(int value, int numerator, int denominator)
{
    return std::clamp(MulDivRound(value, numerator, denominator), 1, kLargestPart);
}

} // namespace

ToolbarFrameMetrics ToolbarFrameMetrics::ScaledBy(int numerator, int denominator) const
{
    return {ScaledPart(handle, numerator, denominator), ScaledPart(closeButton, numerator, denominator)};
}

ToolbarFrame DockedToolbarFrame(int width, int height, bool horizontal, bool closeButton,
                                const ToolbarFrameMetrics& metrics)
{
    const int handle = std::clamp(metrics.handle, 0, kLargestPart);
    const int closeSide = std::clamp(metrics.closeButton, 0, kLargestPart);
    width = std::max(width, 0);
    height = std::max(height, 0);
    const int b = kToolbarBorder;
    const Rect inner{b, b, std::max(width - b, b), std::max(height - b, b)};
    ToolbarFrame f;
    if (horizontal) {
        const int handleEnd = std::min(inner.left + handle, inner.right);
        f.handle = {inner.left, inner.top, handleEnd, inner.bottom};
        f.content = {handleEnd, inner.top, inner.right, inner.bottom};
        int gripTop = inner.top + kGripGap;
        if (closeButton) {
            f.closeButton = {inner.left, inner.top, std::min(inner.left + closeSide, handleEnd),
                             std::min(inner.top + closeSide, inner.bottom)};
            gripTop = f.closeButton.bottom + 1;
        }
        const int gripLeft = inner.left + std::max(handleEnd - inner.left - kGripThickness, 0) / 2;
        f.grip = {gripLeft, std::min(gripTop, inner.bottom), gripLeft + kGripThickness,
                  std::max(inner.bottom - kGripGap, std::min(gripTop, inner.bottom))};
    } else {
        const int handleEnd = std::min(inner.top + handle, inner.bottom);
        f.handle = {inner.left, inner.top, inner.right, handleEnd};
        f.content = {inner.left, handleEnd, inner.right, inner.bottom};
        int gripRight = inner.right - kGripGap;
        if (closeButton) {
            // Vertical docks put the button at the right, where a horizontal
            // title bar would have it.
            f.closeButton = {std::max(inner.right - closeSide, inner.left), inner.top, inner.right,
                             std::min(inner.top + closeSide, handleEnd)};
            gripRight = f.closeButton.left - 1;
        }
        const int gripTop = inner.top + std::max(handleEnd - inner.top - kGripThickness, 0) / 2;
        f.grip = {std::min(inner.left + kGripGap, std::max(gripRight, inner.left)), gripTop,
                  std::max(gripRight, inner.left), gripTop + kGripThickness};
    }
    return f;
}

ToolbarSize DockedToolbarSize(int contentWidth, int contentHeight, bool horizontal,
                              const ToolbarFrameMetrics& metrics)
{
    const int frame = 2 * kToolbarBorder;
    const int handle = std::clamp(metrics.handle, 0, kLargestPart);
    if (horizontal)
        return {contentWidth + handle + frame, contentHeight + frame};
    return {contentWidth + frame, contentHeight + handle + frame};
}

} // namespace core
