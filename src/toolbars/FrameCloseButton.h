// The small close button on a docked bar's drag handle: hot while the mouse
// is over it, pressed while held there, and a click only when the button is
// released over it. Positions are in the bar's client coordinates.
#pragma once

#include "core/ui/Alignment.h"

#include <windows.h>

namespace toolbars {

class FrameCloseButton {
public:
    void Paint(HDC dc, const core::Rect& box) const;

    // Starts holding the button down; the bar takes the mouse until release.
    void Press(HWND bar, const core::Rect& box);
    void MouseMove(HWND bar, const core::Rect& box, bool over);
    void MouseLeave(HWND bar, const core::Rect& box);
    // True when it was held and let go over the button: the user's click.
    bool Release(HWND bar, const core::Rect& box, bool over);
    void CaptureLost(HWND bar, const core::Rect& box);

private:
    void SetState(HWND bar, const core::Rect& box, bool hot, bool pressed);

    bool hot_ = false;
    bool pressed_ = false;
    bool held_ = false;
};

} // namespace toolbars
