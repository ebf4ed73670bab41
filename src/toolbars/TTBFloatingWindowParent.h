// The small tool window a floating toolbar lives in: titled with the bar's
// caption, resizable by its frame (the bar wraps at its width), dragged by
// its caption, shown only while the form may show its tool windows, always
// in front of the form and, like it, deaf to input while a modal box is open.
#pragma once

#include "core/ui/Placement.h"
#include "win32/Control.h"
#include "win32/Signal.h"

namespace win32 {
class Form;
}

namespace toolbars {

class TTBCustomDockableWindow;

class TTBFloatingWindowParent final : public win32::Control {
public:
    TTBFloatingWindowParent(TTBCustomDockableWindow& bar, win32::Form& owner);

    win32::Form& Owner() const { return owner_; }
    void UpdateCaption();
    // Its top-left on the screen.
    void MoveTo(core::Point screen);
    // Sizes itself to the bar at the width the bar wants.
    void Fit();
    // Shown or hidden, in front of the form and enabled as the form is.
    void FollowOwner();
    // Back onto the nearest work area, only when wholly off it.
    void MoveOnScreen();

    // The outer size of a floating window holding the bar at that width.
    static SIZE OuterSize(const TTBCustomDockableWindow& bar, int width);

    void ScaleBy(int, int) override {}

protected:
    HWND CreateHandle(HWND parentWindow) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Sizing(WPARAM edge, RECT& window);
    void CaptionPressed(LPARAM screen, bool doubleClick);
    void FollowOwnerCaption();
    void KeepInFrontOfOwner();

    TTBCustomDockableWindow& bar_;
    win32::Form& owner_;
    win32::Connection toolWindows_;
    win32::Connection captionActivation_;
    win32::Connection idle_;
    DWORD lastCaptionClick_ = 0;
    POINT lastCaptionPoint_{};
};

} // namespace toolbars
