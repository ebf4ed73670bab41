// A dockable window as the stored toolbar layout sees it: its place by name,
// row and position, floating or docked. Held by the window, so the window's
// own names (Visible, DockInto) need no second meaning.
#pragma once

#include "core/docking/LayoutWindow.h"

namespace toolbars {

class TTBCustomDockableWindow;

class DockableWindowLayout final : public core::LayoutWindow {
public:
    explicit DockableWindowLayout(TTBCustomDockableWindow& window) : window_(window) {}

    std::string LayoutName() const override;
    bool Visible() const override;
    void SetVisible(bool visible) override;
    bool Floating() const override;
    core::LayoutDock* CurrentDock() const override;
    int32_t DockRow() const override;
    void SetDockRow(int32_t row) override;
    int32_t DockPos() const override;
    void SetDockPos(int32_t pos) override;
    core::Point FloatingPosition() const override;
    void SetFloatingPosition(core::Point position) override;
    core::LayoutDock* LastDock() const override;
    void SetLastDock(core::LayoutDock* dock) override;
    bool UseLastDock() const override;
    void DockInto(core::LayoutDock& dock) override;
    void Float() override;
    void MoveOnScreen() override;
    void Arrange() override;
    void ReadLayoutExtras(const core::LayoutReader& reader) override;
    void WriteLayoutExtras(const core::LayoutWriter& writer) const override;

private:
    TTBCustomDockableWindow& window_;
};

} // namespace toolbars
