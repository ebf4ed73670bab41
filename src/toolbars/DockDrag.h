// One drag of a dockable window by its handle or its floating caption: the
// target dock and row follow the pointer, an outline shows where it lands,
// and the drop docks or floats it. Esc or a lost capture drops nothing.
#pragma once

#include "core/docking/DockDropTarget.h"
#include "toolbars/DragOutline.h"
#include "win32/Signal.h"

#include <windows.h>

#include <vector>

namespace toolbars {

class TTBCustomDockableWindow;
class TTBDock;

class DockDrag {
public:
    DockDrag(TTBCustomDockableWindow& bar, POINT start);
    ~DockDrag();
    DockDrag(const DockDrag&) = delete;
    DockDrag& operator=(const DockDrag&) = delete;

    void MoveTo(POINT screen);
    void Drop();

    // Past the system's drag distance: a click on the handle moves nothing.
    bool Moved() const { return moved_; }
    // Where it would land now: a dock (or none, to float) and the outline.
    TTBDock* TargetDock() const { return targetDock_; }
    const core::DropTarget& Target() const { return target_; }
    RECT OutlineBounds() const { return outline_.Bounds(); }

private:
    std::vector<TTBDock*> Docks() const;
    void FindTarget(POINT screen);
    RECT DockedOutline(const TTBDock& dock) const;
    RECT FloatingOutline(POINT screen) const;
    void DropIntoDock(TTBDock& dock);

    TTBCustomDockableWindow& bar_;
    POINT start_;
    // The pointer's offset from the top-left of what the user grabbed.
    POINT grab_;
    bool moved_ = false;
    TTBDock* targetDock_ = nullptr;
    core::DropTarget target_;
    DragOutline outline_;
    win32::Connection escape_;
};

} // namespace toolbars
