// A dockable toolbar: its items as buttons (ButtonStrip), an item's children
// as a drop-down menu (one MenuTracker each time), the keyboard of a menu bar
// (MenuBarKeyboard) and, where wanted, its items' shortcuts in the window.
#pragma once

#include "toolbars/ButtonStrip.h"
#include "toolbars/MenuBarKeyboard.h"
#include "toolbars/MenuTracker.h"
#include "toolbars/TTBCustomDockableWindow.h"
#include "toolbars/TTBItem.h"
#include "win32/Signal.h"

#include <vector>

namespace toolbars {

struct ToolbarProps {
    DockableWindowProps window;
    bool menuBar = false;
    bool processShortCuts = false;
    ShrinkMode shrinkMode = ShrinkMode::Chevron;
    bool fullSize = false;
};

class TTBCustomToolbar : public TTBCustomDockableWindow,
                         private ButtonStrip::Owner,
                         private MenuTracker::Owner,
                         private MenuBarKeyboard::Owner {
public:
    explicit TTBCustomToolbar(const ToolbarProps& props);
    ~TTBCustomToolbar() override;

    // The top-level items; their children make the drop-down menus.
    TTBCustomItem& Items() { return root_; }
    bool MenuBar() const { return menuBar_; }
    bool ProcessShortCuts() const { return processShortCuts_; }
    ShrinkMode Shrink() const { return strip_.Shrink(); }
    void SetShrinkMode(ShrinkMode mode) { strip_.SetShrink(mode); }
    bool FullSize() const { return fullSize_; }
    void SetFullSize(bool fullSize) { fullSize_ = fullSize; }

    // Glyphs for the buttons and the drop-down menus; not owned.
    HIMAGELIST Images() const { return strip_.Images(); }
    void SetImages(HIMAGELIST images);
    // The native toolbar control that shows the buttons.
    HWND ButtonBar() const { return strip_.Handle(); }
    // Where a top-level item's button is on the screen; false if it has none.
    bool ItemScreenRect(const TTBCustomItem& item, RECT& rect) const { return strip_.ItemScreenRect(item, rect); }
    // Holds back the rebuilding of the buttons while many items change.
    void BeginUpdate() { strip_.BeginUpdate(); }
    void EndUpdate();

    // Drops down a top-level item's menu and runs whatever is chosen from it.
    void DropDown(TTBCustomItem& item, bool byKeyboard);
    // The menu bar's keyboard mode: an entry selected, no menu open.
    bool InMenuMode() const { return keys_.InMenuMode(); }
    bool ShowsAccessKeys() const { return strip_.ShowsAccessKeys(); }

    // The floating window's client width its items wrap at (0: natural);
    // while floating, a new width re-lays the items out at once.
    int32_t FloatingWidth() const { return floatingWidth_; }
    void SetFloatingWidth(int32_t width);
    int WantedFloatingWidth() const override { return floatingWidth_; }
    void FloatingWidthChosen(int width) override { floatingWidth_ = width; }

    // The chevron that stands for the buttons cut off at the end of a short
    // row, and the items it drops down: exactly the hidden ones.
    HWND ChevronBar() const { return strip_.Chevron().Handle(); }
    bool ShowsChevron() const { return strip_.ShowsChevron(); }
    std::vector<TTBCustomItem*> HiddenItems() const { return strip_.HiddenItems(); }
    void DropChevron();

    void ReadLayoutExtras(const core::LayoutReader& reader) override;
    void WriteLayoutExtras(const core::LayoutWriter& writer) const override;

protected:
    int ContentLength(BarPlacement placement) const override;
    int ContentMinimumLength(BarPlacement placement) const override;
    int ContentThickness(BarPlacement placement, int length) const override;
    void LayoutContent(const core::Rect& content, BarPlacement placement) override;
    void AfterCreate() override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void VisibleChanged() override;
    void FrameMouseMove() override;
    void CaptionChanged() override;
    void WindowDestroyed() override;

private:
    bool MouseDownOn(int index) override;
    bool MenuOpen() const override { return MenuTracker::Of(*this) != nullptr; }
    void OpenEntry(int index) override { ButtonClicked(index, true); }
    void EntryOpened(bool byKeyboard) override { keys_.MenuOpened(byKeyboard); }
    void MenusClosed(int entry, bool escaped) override { keys_.MenuClosed(entry, escaped); }
    void Choose(TTBCustomItem& item) override;
    void TreeChanged(TTBCustomItem& item, ItemChange change);
    void RebuildButtons();
    void ButtonClicked(int index, bool byKeyboard);
    void RunQueuedClicks();
    bool ProcessShortCut(core::ShortCut shortCut, HWND window);

    TTBCustomItem root_;
    bool menuBar_;
    bool processShortCuts_;
    bool fullSize_;
    int32_t floatingWidth_ = 0;
    ButtonStrip strip_;
    MenuBarKeyboard keys_;
    // Clicks wait until the message that chose them is done.
    std::vector<TTBCustomItem*> queuedClicks_;
    win32::Connection treeChanged_;
    win32::Connection shortCuts_;
};

class TTBToolbar final : public TTBCustomToolbar {
public:
    using TTBCustomToolbar::TTBCustomToolbar;
};

} // namespace toolbars
