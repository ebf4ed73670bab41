#pragma once

namespace core {

// The widest the resized control may become: the client width less the room
// kept for the rest of the window and the widths of every visible left- or
// right-aligned control (docks, the control itself and the splitter), plus
// the control's own width, which the drag may reuse.
int SplitterMaxWidth(int clientWidth, int minSize, int alignedWidthsSum, int controlWidth);

// Width of the control being resized while its splitter is dragged.
class SplitterDrag {
public:
    SplitterDrag(int startWidth, int grabX, int minSize, int maxSize);

    // Keeps the splitter under the pointer at the spot where it was grabbed,
    // within the limits; the minimum wins when the window is too small.
    int WidthAt(int mouseX) const;

private:
    int startWidth_;
    int grabX_;
    int minSize_;
    int maxSize_;
};

} // namespace core
