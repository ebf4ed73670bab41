// The outline that shows where a dragged toolbar will land: four thin
// windows of their own, so it draws the same on every desktop and takes
// neither the focus nor the mouse.
#pragma once

#include "win32/UniqueHandle.h"

#include <array>

namespace toolbars {

class DragOutline {
public:
    explicit DragOutline(HINSTANCE instance);
    DragOutline(const DragOutline&) = delete;
    DragOutline& operator=(const DragOutline&) = delete;

    // thickness: thin for a place in a dock, thicker for a floating window.
    void Show(const RECT& screen, int thickness);
    void Hide();
    bool Shown() const { return shown_; }
    RECT Bounds() const { return bounds_; }

private:
    std::array<win32::UniqueWindow, 4> edges_;
    RECT bounds_{};
    bool shown_ = false;
};

} // namespace toolbars
