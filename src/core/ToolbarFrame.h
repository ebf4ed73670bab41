#pragma once

#include "core/Alignment.h"

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

constexpr int kToolbarBorder = 2;
constexpr int kToolbarHandle = 9;
constexpr int kToolbarCloseButton = 9;

ToolbarFrame DockedToolbarFrame(int width, int height, bool horizontal, bool closeButton);

// The outer size that gives the content the size it asks for.
struct ToolbarSize {
    int width = 0, height = 0;
    bool operator==(const ToolbarSize&) const = default;
};
ToolbarSize DockedToolbarSize(int contentWidth, int contentHeight, bool horizontal);

} // namespace core
