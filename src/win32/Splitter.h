// A bar between two aligned panes; dragging it resizes the control on its
// left live, within limits fixed when the drag starts. Esc ends the drag.
#pragma once

#include "core/ui/SplitterDrag.h"
#include "win32/Control.h"

#include <optional>

namespace win32 {

struct SplitterProps {
    ControlProps control;
    int minSize = 30;
};

class Splitter : public Control {
public:
    explicit Splitter(const SplitterProps& props) : Control(props.control), minSize_(props.minSize) {}

    bool Dragging() const { return drag_.has_value(); }
    int MinSize() const { return minSize_; }
    // The minimum is a designed size too: it follows the display like the panes.
    void ScaleBy(int numerator, int denominator) override;

protected:
    HWND CreateHandle(HWND parentWindow) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    Control* ResizedControl() const;
    void StartDrag(int x);
    void DragTo(int x);
    void EndDrag();
    static bool DragButtonHeld();
    int ParentX(LPARAM lParam) const;

    int minSize_;
    std::optional<core::SplitterDrag> drag_;
    Control* target_ = nullptr;
    HWND previousFocus_ = nullptr;
};

} // namespace win32
