// A dock along one edge of a form: it holds dockable windows in rows and is
// exactly as thick as those rows (0 when empty, 1 with FixAlign). Its bars
// are its children; it keeps no list of its own.
#pragma once

#include "core/docking/DockDropTarget.h"
#include "core/docking/LayoutDock.h"
#include "win32/Control.h"

#include <utility>
#include <vector>

namespace toolbars {

class TTBCustomDockableWindow;

enum class DockPosition { Top, Bottom, Left, Right };

struct DockProps {
    win32::ControlProps control;
    DockPosition position = DockPosition::Top;
    bool fixAlign = false;
    bool allowDrag = true;
};

class TTBDock : public win32::Control, public core::LayoutDock {
public:
    explicit TTBDock(const DockProps& props);

    DockPosition Position() const { return position_; }
    core::DockEdge Edge() const;
    bool Horizontal() const { return position_ == DockPosition::Top || position_ == DockPosition::Bottom; }
    bool FixAlign() const { return fixAlign_; }
    void SetAllowDrag(bool allow) { allowDrag_ = allow; }

    std::string LayoutName() const override { return Name(); }
    bool AllowDrag() const override { return allowDrag_; }
    // Held-back arrangement: requests while suspended are done once at the end.
    void SuspendArrange() override { ++suspended_; }
    void ResumeArrange() override;

    // Arranges the bars (or records the request while suspended).
    void ArrangeToolbars();
    // The arrangement after a user's drag, which also writes the rows and
    // positions arrived at back into the bars.
    void ArrangeAfterDrag();

    // The dockable windows it holds, in creation order.
    std::vector<TTBCustomDockableWindow*> Bars() const;
    // The length along its edge that bars share.
    int Length() const { return Horizontal() ? Width() : Height(); }
    // The rows of the last arrangement, as (start, end) across the dock in
    // its client coordinates, and the row each visible bar got.
    const std::vector<std::pair<int, int>>& Rows() const { return rows_; }
    int ArrangedRow(const TTBCustomDockableWindow& bar) const;

protected:
    HWND CreateHandle(HWND parentWindow) override;
    void AfterCreate() override { ArrangeToolbars(); }
    void BoundsChanged() override;
    void ChildrenChanged() override { ArrangeToolbars(); }

private:
    void Arrange(bool writeBack);
    void ArrangeOnce(bool writeBack);
    void SetThickness(int thickness);

    DockPosition position_;
    bool fixAlign_;
    bool allowDrag_;
    int suspended_ = 0;
    bool arrangePending_ = false;
    bool arranging_ = false;
    bool arrangeAgain_ = false;
    int arrangedLength_ = -1;
    std::vector<std::pair<int, int>> rows_;
    std::vector<std::pair<const TTBCustomDockableWindow*, int>> arrangedRows_;
};

} // namespace toolbars
