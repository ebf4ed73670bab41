// A dockable toolbar: its items as buttons on a native toolbar control, the
// children of an item as a native drop-down menu. As the window's menu bar
// it also takes the keyboard the way a menu bar does (Alt, F10, Alt+letter,
// arrows), and it can honour its items' shortcuts anywhere in the window.
#pragma once

#include "core/ui/MenuBarKeys.h"
#include "toolbars/ButtonStrip.h"
#include "toolbars/TTBCustomDockableWindow.h"
#include "toolbars/TTBItem.h"
#include "win32/Signal.h"
#include "win32/UniqueHandle.h"

#include <string>
#include <vector>

namespace toolbars {

struct ToolbarProps {
    DockableWindowProps window;
    bool menuBar = false;
    bool processShortCuts = false;
    ShrinkMode shrinkMode = ShrinkMode::Chevron;
    bool fullSize = false;
};

class TTBCustomToolbar : public TTBCustomDockableWindow, private core::MenuBarKeys::Bar,
                         private ButtonStrip::Owner, private MenuTracker::Owner {
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
    void BeginUpdate() { ++updating_; }
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
    void WindowDestroyed() override;

private:
    // Buttons.
    void TreeChanged(TTBCustomItem& item, ItemChange change);
    void RebuildButtons();
    bool MouseDownOn(int index) override;
    bool MenuOpen() const override { return tracker_ != nullptr; }
    void ButtonClicked(int index, bool byKeyboard);
    void QueueClick(TTBCustomItem& item);
    void RunQueuedClicks();

    // Drop-down menus.
    void EntryOpened(bool byKeyboard) override;
    void Choose(TTBCustomItem& item) override { QueueClick(item); }

    // Keyboard.
    bool PreTranslate(MSG& msg);
    bool ProcessShortCut(core::ShortCut shortCut, HWND window);
    bool MenuBarKey(const MSG& msg);
    void Apply(const core::MenuBarKeys::Decision& decision);
    void ExitMenuMode();
    void UpdateAccessKeys();
    int Count() const override;
    bool IsSeparator(int entry) const override;
    int AccessKeyEntry(char typed) const override;
    int Selected() const override;
    bool Usable() const override;

    TTBCustomItem root_;
    win32::Connection treeChanged_;
    win32::Connection filter_;
    win32::Connection shortCuts_;
    win32::Connection activation_;
    bool menuBar_;
    bool processShortCuts_;
    bool fullSize_;
    ButtonStrip strip_;
    int updating_ = 0;
    bool rebuildPending_ = false;
    std::vector<TTBCustomItem*> queuedClicks_;
    int32_t floatingWidth_ = 0;

    // The tracking of the drop-down menus, while one is open.
    MenuTracker* tracker_ = nullptr;

    // Menu bar keyboard state.
    core::MenuBarKeys keys_;
};

class TTBToolbar final : public TTBCustomToolbar {
public:
    using TTBCustomToolbar::TTBCustomToolbar;
};

} // namespace toolbars
