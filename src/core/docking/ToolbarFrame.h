#pragma once

#include "core/ui/Alignment.h"

namespace core {

// The parts of a docked toolbar's window: a border all round, the drag
// handle at its start (the left end in a horizontal dock, the top end in a
// vertical one) and the items in the rest. With a close button the button
// sits at the handle's far start and the grip bar follows it.
struct ToolbarFrame {
    Rect handle;
    Rect closeButton;  // empty without a close button
    Rect grip;         // the raised bar drawn on the handle
    Rect content;
};

// The border is drawn by edges of fixed width and stays as it is.
constexpr int kToolbarBorder = 2;

// The handle's length along the bar and the close button's side, as
// designed; a display with larger text gets a larger target for the mouse.
struct ToolbarFrameMetrics {
    int handle = 9;
    int closeButton = 9;

    // Both grown or shrunk by numerator / denominator, never below 1 pixel.
    ToolbarFrameMetrics ScaledBy(int numerator, int denominator) const;
    bool operator==(const ToolbarFrameMetrics&) const = default;
};

ToolbarFrame DockedToolbarFrame(int width, int height, bool horizontal, bool closeButton,
                                const ToolbarFrameMetrics& metrics = {});

// The outer size that gives the content the size it asks for.
struct ToolbarSize {
    int width = 0, height = 0;
    bool operator==(const ToolbarSize&) const = default;
};
ToolbarSize DockedToolbarSize(int contentWidth, int contentHeight, bool horizontal,
                              const ToolbarFrameMetrics& metrics = {});

} // namespace core
