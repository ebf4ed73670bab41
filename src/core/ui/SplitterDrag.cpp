#include "core/ui/SplitterDrag.h"

#include <algorithm>

namespace core {

int SplitterMaxWidth(int clientWidth, int minSize, int alignedWidthsSum, int controlWidth)
{
    return clientWidth - minSize - alignedWidthsSum + controlWidth;
}

SplitterDrag::SplitterDrag(int startWidth, int grabX, int minSize, int maxSize)
    : startWidth_(startWidth), grabX_(grabX), minSize_(minSize), maxSize_(maxSize)
{
}

int SplitterDrag::WidthAt(int mouseX) const
{
    // Not std::clamp: its limits may cross here, which it does not allow.
    int width = std::min(startWidth_ + mouseX - grabX_, maxSize_);
    return std::max(width, minSize_);
}

} // namespace core
