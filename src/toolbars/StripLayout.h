// Where a toolbar's buttons go in the space a dock or floating window gives
// them: measured once per rebuild, then shown in one line (with a chevron
// for what does not fit), wrapped into lines, or stacked upright, by setting
// the native bar's wrap and hidden states.
#pragma once

#include "core/docking/ToolbarItemLayout.h"
#include "toolbars/ChevronButton.h"
#include "toolbars/TTBCustomDockableWindow.h"
#include "toolbars/TTBItem.h"

#include <windows.h>

#include <vector>

namespace toolbars {

// What a bar does when its row is too short for it.
enum class ShrinkMode { None, Wrap, Chevron };

class StripLayout {
public:
    explicit StripLayout(ShrinkMode shrink) : shrink_(shrink) {}

    ShrinkMode Shrink() const { return shrink_; }
    void SetShrink(ShrinkMode shrink) { shrink_ = shrink; }
    // The chevron's length along a row, and along an upright column.
    void SetChevronSize(int width, int height);
    // The sizes of the native bar's buttons, unwrapped and all shown.
    void Measure(HWND bar, const std::vector<TTBCustomItem*>& buttons);

    core::ItemLayout For(BarPlacement placement, int length) const;
    // What the toolbar tells its dock; a bar never gets thinner than a
    // button, so that even an empty one can still be grabbed.
    int Length(BarPlacement placement, int buttonHeight) const;
    int MinimumLength(BarPlacement placement, int buttonHeight) const;
    int Thickness(BarPlacement placement, int length, int buttonHeight) const;

    // Lays the bar's first `count` buttons and the chevron out in `content`
    // of their parent's client area.
    void Place(HWND bar, ChevronButton& chevron, const core::Rect& content, BarPlacement placement,
               std::size_t count);
    BarPlacement LaidOutAs() const { return laidOutAs_; }
    // Those of the buttons that went behind the chevron.
    std::vector<TTBCustomItem*> HiddenOf(const std::vector<TTBCustomItem*>& buttons) const;

private:
    std::vector<core::ItemBox> BoxesFor(BarPlacement placement) const;
    void Apply(HWND bar, const core::ItemLayout& layout, BarPlacement placement, std::size_t count);
    static void Relayout(HWND bar);

    ShrinkMode shrink_;
    std::vector<core::ItemBox> boxes_;
    std::vector<bool> hidden_;
    BarPlacement laidOutAs_ = BarPlacement::DockedHorizontal;
    int chevronWidth_ = 0;
    int chevronHeight_ = 0;
};

} // namespace toolbars
