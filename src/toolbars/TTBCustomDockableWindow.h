// A window that lives in a dock or floats in a tool window of its own: it
// asks for a row and a position, tells the dock the size it wants at a given
// length, draws its own frame with a drag handle and, where wanted, a small
// close button, and can be dragged by that handle. What it holds is its
// subclass's.
#pragma once

#include "core/docking/DockArrangement.h"
#include "core/docking/ToolbarFrame.h"
#include "core/settings/LayoutStore.h"
#include "core/ui/Placement.h"
#include "toolbars/DockableWindowLayout.h"
#include "toolbars/FrameCloseButton.h"
#include "toolbars/TTBDock.h"
#include "win32/Control.h"
#include "win32/Signal.h"

#include <memory>
#include <string>

namespace win32 {
class Form;
}

namespace toolbars {

class DockDrag;
class TTBFloatingWindowParent;

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

// Where the content is laid out: along a horizontal or a vertical dock, or
// in a floating window, where it wraps at the window's width.
enum class BarPlacement { DockedHorizontal, DockedVertical, Floating };

class TTBCustomDockableWindow : public win32::Control {
public:
    explicit TTBCustomDockableWindow(const DockableWindowProps& props);
    ~TTBCustomDockableWindow() override;

    // The title of its floating window.
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);

    // Where it is: docked (in a dock, at a row and a position) or floating.
    bool Floating() const;
    TTBDock* CurrentDock() const;
    bool Docked() const { return CurrentDock() != nullptr; }
    int32_t DockRow() const { return dockRow_; }
    int32_t DockPos() const { return dockPos_; }
    void SetDockRow(int32_t row);
    void SetDockPos(int32_t pos);
    // The floating window's top-left on the screen, kept while docked.
    core::Point FloatingPosition() const { return floatingPosition_; }
    void SetFloatingPosition(core::Point position);
    // The dock a double click on the floating caption returns it to.
    TTBDock* LastDock() const { return lastDock_; }
    void SetLastDock(TTBDock* dock);
    bool UseLastDock() const { return useLastDock_; }
    void SetUseLastDock(bool use) { useLastDock_ = use; }

    // Nothing moves if already there.
    void DockInto(TTBDock& dock);
    // No-op when already floating.
    void Float();
    // Brings a floating window back only when it is wholly off screen.
    void MoveOnScreen();
    // Fits its dock or floating window to what it holds now.
    void Arrange() { RequestArrange(); }

    // The model the stored toolbar layout reads and writes.
    core::LayoutWindow& Layout() { return layout_; }
    // Its own values in its section of the stored layout.
    virtual void ReadLayoutExtras(const core::LayoutReader&) {}
    virtual void WriteLayoutExtras(const core::LayoutWriter&) const {}

    bool CloseButton() const { return closeButton_; }
    void SetCloseButton(bool show) { closeButton_ = show; }
    bool CloseButtonWhenDocked() const { return closeButtonWhenDocked_; }
    void SetCloseButtonWhenDocked(bool show);

    // The user's close: hides the window; the dock gives its space away.
    virtual void Close();

    // What it asks of a dock with that orientation (row and position aside).
    core::DockBar DockRequest(bool horizontal) const;
    // Its thickness when a dock grants it a shorter length.
    int ThicknessAt(bool horizontal, int length) const;
    // Placed by the dock, in the dock's client coordinates.
    void PlaceInDock(const core::Rect& bounds, bool horizontal);
    // The client size of its floating window when its content is `width` wide
    // (0: its natural width).
    SIZE FloatingClientSize(int width) const;
    // The width its floating window's client is asked to have (0: natural).
    virtual int WantedFloatingWidth() const { return 0; }
    // A user resized its floating window to this client width.
    virtual void FloatingWidthChosen(int) {}
    // The narrowest its floating window's client may be.
    int FloatingMinimumWidth() const;
    // Placed in its floating window's client area.
    void PlaceFloating(const core::Rect& client);

    // Where the parts are now, in the window's client coordinates.
    core::ToolbarFrame Frame() const;
    bool Horizontal() const { return placement_ != BarPlacement::DockedVertical; }
    BarPlacement Placement() const { return placement_; }
    TTBFloatingWindowParent* FloatingParent() const { return floatingParent_.get(); }

    // A drag by the handle (or the floating caption) from this screen point.
    void BeginDrag(POINT screen);
    bool Dragging() const { return drag_ != nullptr; }
    // Written back by the dock in the arrangement that follows a drag.
    void TakeArrangedPlace(int32_t row, int32_t pos);

    // The form it belongs to (its floating window's owner).
    win32::Form* OwnerForm() const;

    // Its size comes from what it holds; only its handle and close button
    // follow the display's text size.
    void ScaleBy(int numerator, int denominator) override;

protected:
    // The content's full length along its flow, its shortest squeezed length,
    // and its thickness at a given length; for floating, its height at a width.
    virtual int ContentLength(BarPlacement placement) const = 0;
    virtual int ContentMinimumLength(BarPlacement placement) const = 0;
    virtual int ContentThickness(BarPlacement placement, int length) const = 0;
    // Gives the content its place whenever the frame changes.
    virtual void LayoutContent(const core::Rect& content, BarPlacement placement) = 0;
    // The content's wanted size changed: the dock or floating window fits again.
    void RequestArrange();

    HWND CreateHandle(HWND parentWindow) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void BoundsChanged() override;
    void VisibleChanged() override;
    void WindowDestroyed() override;

    // The mouse moved over the frame (handle, border): nothing there has a hint.
    virtual void FrameMouseMove() {}
    // After SetCaption: what else shows the caption follows.
    virtual void CaptionChanged() {}

private:
    bool ShowsCloseButton() const;
    // The frame's share of the bar's length: the handle and both borders.
    int FrameAlong() const;
    void Paint(HDC dc);
    bool OverCloseButton(LPARAM point) const;
    bool OverHandle(LPARAM point) const;
    void LeaveFloatingWindow();
    void RememberDock(TTBDock& dock);
    void Place(const core::Rect& bounds, BarPlacement placement);
    void EndDrag(bool drop);
    bool HandleDragMessage(UINT message, LPARAM lParam);

    std::string caption_;
    int32_t dockRow_;
    int32_t dockPos_;
    core::Point floatingPosition_;
    TTBDock* lastDock_ = nullptr;
    win32::Connection lastDockGone_;
    bool useLastDock_ = true;
    bool closeButton_;
    bool closeButtonWhenDocked_;
    BarPlacement placement_ = BarPlacement::DockedHorizontal;
    core::ToolbarFrameMetrics frameMetrics_;
    FrameCloseButton closeBox_;
    std::unique_ptr<TTBFloatingWindowParent> floatingParent_;
    std::unique_ptr<DockDrag> drag_;
    DockableWindowLayout layout_{*this};
};

} // namespace toolbars
