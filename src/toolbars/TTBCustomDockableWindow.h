// A window that lives in a dock: it asks for a row and a position, tells the
// dock the size it wants, and draws its own frame with a drag handle and,
// where wanted, a small close button. What it holds is its subclass's.
#pragma once

#include "core/ToolbarFrame.h"
#include "win32/Control.h"

#include <string>

namespace toolbars {

class TTBDock;

struct DockableWindowProps {
    win32::ControlProps control;
    const char* caption = "";
    int dockRow = 0;
    int dockPos = -1;
    // On the floating window's title bar.
    bool closeButton = true;
    // On the drag handle, also while docked.
    bool closeButtonWhenDocked = false;
};

class TTBCustomDockableWindow : public win32::Control {
public:
    explicit TTBCustomDockableWindow(const DockableWindowProps& props);
    ~TTBCustomDockableWindow() override;

    // The title of its floating window.
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption) { caption_ = caption; }

    int DockRow() const { return dockRow_; }
    int DockPos() const { return dockPos_; }
    void SetDockRow(int row);
    void SetDockPos(int pos);
    TTBDock* CurrentDock() const { return currentDock_; }
    bool Docked() const { return currentDock_ != nullptr; }

    bool CloseButton() const { return closeButton_; }
    void SetCloseButton(bool show) { closeButton_ = show; }
    bool CloseButtonWhenDocked() const { return closeButtonWhenDocked_; }
    void SetCloseButtonWhenDocked(bool show);

    // The user's close: hides the window; the dock gives its space away.
    virtual void Close();

    // The size wanted along the dock's edge (x) and across it (y).
    SIZE DockedSize(bool horizontal) const;
    // Placed by the dock, in the dock's client coordinates.
    virtual void PlaceInDock(const core::Rect& bounds, bool horizontal);

    // Where the parts are now, in the window's client coordinates.
    core::ToolbarFrame Frame() const;
    bool Horizontal() const { return horizontal_; }

    // Its size comes from what it holds, not from a design-time scale.
    void ScaleBy(int, int) override {}

protected:
    // The size the content wants between frame and handle.
    virtual SIZE ContentSize(bool horizontal) const = 0;
    // Gives the content its place whenever the frame changes.
    virtual void LayoutContent(const core::Rect& content, bool horizontal) = 0;
    // The content's wanted size changed: the dock arranges again.
    void RequestArrange();

    HWND CreateHandle(HWND parentWindow) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void BoundsChanged() override;
    void VisibleChanged() override;

    // The mouse moved over the frame (handle, border): nothing there has a hint.
    virtual void FrameMouseMove() {}

private:
    friend class TTBDock;
    bool ShowsCloseButton() const;
    void Paint(HDC dc);
    void SetCloseState(bool hot, bool pressed);
    bool OverCloseButton(LPARAM point) const;

    std::string caption_;
    int dockRow_;
    int dockPos_;
    bool closeButton_;
    bool closeButtonWhenDocked_;
    bool horizontal_ = true;
    bool closeHot_ = false;
    bool closePressed_ = false;
    bool closeTracking_ = false;
    TTBDock* currentDock_ = nullptr;
};

} // namespace toolbars
