// What a dock needs of the windows it holds: a requested row and position,
// and the size the window wants along and across the dock.
#pragma once

#include "win32/Control.h"

namespace toolbars {

class TTBDock;

class TTBCustomDockableWindow : public win32::Control {
public:
    using win32::Control::Control;

    int DockRow() const { return dockRow_; }
    int DockPos() const { return dockPos_; }
    void SetDockRow(int row);
    void SetDockPos(int pos);
    TTBDock* CurrentDock() const { return currentDock_; }

    // The size wanted along the dock's edge (x) and across it (y).
    virtual SIZE DockedSize(bool horizontal) const = 0;
    // Placed by the dock, in the dock's client coordinates.
    virtual void PlaceInDock(const core::Rect& bounds, bool horizontal);

protected:
    friend class TTBDock;
    void RequestArrange();

    int dockRow_ = 0;
    int dockPos_ = -1;
    TTBDock* currentDock_ = nullptr;
};

} // namespace toolbars
