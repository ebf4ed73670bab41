// What the toolbar layout needs of a dockable window.
#pragma once

#include "core/docking/LayoutDock.h"
#include "core/settings/LayoutStore.h"
#include "core/ui/Placement.h"

#include <cstdint>
#include <string>

namespace core {

class LayoutWindow {
public:
    virtual ~LayoutWindow() = default;
    virtual std::string LayoutName() const = 0;
    virtual bool Visible() const = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual bool Floating() const = 0;
    // Docked exactly when not null.
    virtual LayoutDock* CurrentDock() const = 0;
    virtual int32_t DockRow() const = 0;
    virtual void SetDockRow(int32_t row) = 0;
    virtual int32_t DockPos() const = 0;
    virtual void SetDockPos(int32_t pos) = 0;
    virtual Point FloatingPosition() const = 0;
    virtual void SetFloatingPosition(Point position) = 0;
    virtual LayoutDock* LastDock() const = 0;
    virtual void SetLastDock(LayoutDock* dock) = 0;
    virtual bool UseLastDock() const = 0;
    // Nothing moves if already there.
    virtual void DockInto(LayoutDock& dock) = 0;
    // No-op when already floating.
    virtual void Float() = 0;
    // Brings a floating window back only when it is wholly off screen.
    virtual void MoveOnScreen() = 0;
    // Recomputes its own size and item layout.
    virtual void Arrange() = 0;

    // A window's own values, in its own section: after its position is
    // applied, while it is read, and when it is saved.
    virtual void LayoutExtrasRead(const LayoutReader&) {}
    virtual void ReadLayoutExtras(const LayoutReader&) {}
    virtual void WriteLayoutExtras(const LayoutWriter&) const {}
};

} // namespace core
