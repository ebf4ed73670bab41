// A dock along one edge of a form: it holds dockable windows in rows and is
// exactly as thick as those rows (0 when empty, 1 with FixAlign).
#pragma once

#include "win32/Control.h"

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

class TTBDock : public win32::Control {
public:
    explicit TTBDock(const DockProps& props);
    ~TTBDock() override;

    DockPosition Position() const { return position_; }
    bool Horizontal() const { return position_ == DockPosition::Top || position_ == DockPosition::Bottom; }
    bool FixAlign() const { return fixAlign_; }
    bool AllowDrag() const { return allowDrag_; }
    void SetAllowDrag(bool allow) { allowDrag_ = allow; }

    // Held-back arrangement: requests while suspended are done once at the end.
    void BeginUpdate() { ++suspended_; }
    void EndUpdate();
    void ArrangeToolbars();

    void Attach(TTBCustomDockableWindow& bar);
    void Detach(TTBCustomDockableWindow& bar);
    const std::vector<TTBCustomDockableWindow*>& Bars() const { return bars_; }

protected:
    HWND CreateHandle(HWND parentWindow) override;
    void AfterCreate() override { ArrangeToolbars(); }
    void BoundsChanged() override;

private:
    void SetThickness(int thickness);

    DockPosition position_;
    bool fixAlign_;
    bool allowDrag_;
    int suspended_ = 0;
    bool arrangePending_ = false;
    bool arranging_ = false;
    std::vector<TTBCustomDockableWindow*> bars_;
};

} // namespace toolbars
