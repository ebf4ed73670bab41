// The chevron at the end of a bar whose row is too short: a one-button
// native bar of its own, so it takes focus, hot tracking and its tooltip
// like any button; what it drops down is the toolbar's business.
#pragma once

#include <windows.h>

#include <string>

namespace toolbars {

class ChevronButton {
public:
    // In `parent`, with the buttons' font; its size then follows its text.
    void Create(HWND parent, HINSTANCE instance, HFONT font, const std::string& name);
    // The window went with its parent.
    void WindowGone() { window_ = nullptr; }

    HWND Handle() const { return window_; }
    bool Shown() const { return window_ && ::IsWindowVisible(window_); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    RECT ScreenRect() const;

    // At `bounds` in the parent's client area, or hidden.
    void Place(const RECT& bounds, bool shown);
    void Press(bool pressed);

private:
    HWND window_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

} // namespace toolbars
