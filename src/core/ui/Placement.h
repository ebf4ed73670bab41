#pragma once

namespace core {

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

// Top-left corner that centres a window on the desktop, never off its
// top-left edge so the caption stays reachable.
Point CentreOnDesktop(int desktopWidth, int desktopHeight, int windowWidth, int windowHeight);

} // namespace core
