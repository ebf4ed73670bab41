// A dockable toolbar: its items as buttons on a native toolbar control, the
// children of an item as a native drop-down menu. As the window's menu bar
// it also takes the keyboard the way a menu bar does (Alt, F10, Alt+letter,
// arrows), and it can honour its items' shortcuts anywhere in the window.
#pragma once

#include "core/ui/AltTap.h"
#include "core/docking/ToolbarItemLayout.h"
#include "toolbars/TTBCustomDockableWindow.h"
#include "toolbars/TTBItem.h"
#include "win32/Signal.h"
#include "win32/UniqueHandle.h"

#include <string>
#include <vector>

namespace toolbars {

// What a bar does when its row is too short for it.
enum class ShrinkMode { None, Wrap, Chevron };

struct ToolbarProps {
    DockableWindowProps window;
    bool menuBar = false;
    bool processShortCuts = false;
    ShrinkMode shrinkMode = ShrinkMode::Chevron;
    bool fullSize = false;
};

class TTBCustomToolbar : public TTBCustomDockableWindow {
public:
    explicit TTBCustomToolbar(const ToolbarProps& props);
    ~TTBCustomToolbar() override;

    // The top-level items; their children make the drop-down menus.
    TTBCustomItem& Items() { return root_; }

    bool MenuBar() const { return menuBar_; }
    bool ProcessShortCuts() const { return processShortCuts_; }
    ShrinkMode Shrink() const { return shrinkMode_; }
    void SetShrinkMode(ShrinkMode mode) { shrinkMode_ = mode; }
    bool FullSize() const { return fullSize_; }
    void SetFullSize(bool fullSize) { fullSize_ = fullSize; }

    // Glyphs for the buttons and the drop-down menus; not owned.
    HIMAGELIST Images() const { return images_; }
    void SetImages(HIMAGELIST images);

    // The native toolbar control that shows the buttons.
    HWND ButtonBar() const { return bar_; }
    // Where a top-level item's button is on the screen; false if it has none.
    bool ItemScreenRect(const TTBCustomItem& item, RECT& rect) const;

    // Holds back the rebuilding of the buttons while many items change.
    void BeginUpdate() { ++updating_; }
    void EndUpdate();

    // Drops down a top-level item's menu and runs whatever is chosen from it.
    void DropDown(TTBCustomItem& item, bool byKeyboard);
    // The menu bar's keyboard mode: an entry selected, no menu open.
    bool InMenuMode() const { return menuMode_; }
    bool ShowsAccessKeys() const { return showAccessKeys_; }

    // The floating window's client width its items wrap at (0: natural);
    // while floating, a new width re-lays the items out at once.
    int32_t FloatingWidth() const { return floatingWidth_; }
    void SetFloatingWidth(int32_t width);
    int WantedFloatingWidth() const override { return floatingWidth_; }
    void FloatingWidthChosen(int width) override { floatingWidth_ = width; }

    // The chevron that stands for the buttons cut off at the end of a short
    // row, and the items it drops down: exactly the hidden ones.
    HWND ChevronBar() const { return chevron_; }
    bool ShowsChevron() const;
    std::vector<TTBCustomItem*> HiddenItems() const;
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
    static LRESULT CALLBACK BarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR self);
    static LRESULT CALLBACK MenuFilterHook(int code, WPARAM wParam, LPARAM lParam);

    // Buttons.
    void TreeChanged(TTBCustomItem& item, ItemChange change);
    void RebuildButtons();
    void UpdateButton(int index);
    std::string TooltipFor(const TTBCustomItem& item) const;
    std::string TipFor(UINT_PTR command) const;
    std::string ButtonCaption(const TTBCustomItem& item) const;
    // What decides a button's kind and size: glyph or caption, and which.
    std::string ButtonShape(const TTBCustomItem& item) const;
    bool ShowsImage(const TTBCustomItem& item) const;
    int ButtonAt(POINT barPoint) const;
    TTBCustomItem* ButtonItem(int index) const;
    int IndexOf(const TTBCustomItem& item) const;
    void ButtonClicked(int index, bool byKeyboard);
    void QueueClick(TTBCustomItem& item);
    void RunQueuedClicks();
    void ShowHintOf(const TTBCustomItem* item);

    // Drop-down menus.
    void TrackMenus(int index, bool byKeyboard);
    HMENU BuildMenu(TTBCustomItem& parent);
    TTBCustomItem* MenuItem(UINT id) const;
    void MenuSelect(UINT itemOrPos, UINT flags, HMENU menu);
    bool FilterMenuMessage(const MSG& msg);
    int NextSubmenu(int from, int step) const;
    void MeasureGlyph(MEASUREITEMSTRUCT& measure) const;
    void DrawGlyph(const DRAWITEMSTRUCT& draw) const;
    HMENU BuildMenu(const std::vector<TTBCustomItem*>& items);

    // Item layout.
    void MeasureButtons();
    int ButtonHeight() const;
    std::vector<core::ItemBox> BoxesFor(BarPlacement placement) const;
    core::ItemLayout LayoutFor(BarPlacement placement, int length) const;
    void ApplyLayout(const core::ItemLayout& layout, BarPlacement placement);
    void RelayoutButtons();
    void CreateChevron();

    // Keyboard.
    bool PreTranslate(MSG& msg);
    bool ProcessShortCut(core::ShortCut shortCut, HWND window);
    bool MenuBarKey(MSG& msg);
    bool Usable() const;
    void EnterMenuMode(int index);
    void ExitMenuMode();
    int FindAccessKey(char typed) const;
    void OpenByAccessKey(char typed);
    void UpdateAccessKeys();

    TTBCustomItem root_;
    win32::Connection treeChanged_;
    win32::Connection filter_;
    win32::Connection shortCuts_;
    win32::Connection activation_;
    bool menuBar_;
    bool processShortCuts_;
    ShrinkMode shrinkMode_;
    bool fullSize_;
    HIMAGELIST images_ = nullptr;
    win32::UniqueFont font_;
    HWND bar_ = nullptr;

    // The items behind the buttons, and behind the open menu's command ids.
    std::vector<TTBCustomItem*> buttons_;
    std::vector<std::string> shapes_;
    int updating_ = 0;
    bool rebuildPending_ = false;
    std::vector<TTBCustomItem*> menuItems_;
    std::vector<TTBCustomItem*> queuedClicks_;
    // What a tooltip shows while it asks for its text.
    std::string tipText_;
    std::wstring tipTextWide_;
    // The buttons' measured sizes, unwrapped and all shown.
    std::vector<core::ItemBox> boxes_;
    // Which buttons went behind the chevron.
    std::vector<bool> hidden_;
    HWND chevron_ = nullptr;
    // The chevron's length along a row, and along an upright column.
    int chevronWidth_ = 0;
    int chevronHeight_ = 0;
    int32_t floatingWidth_ = 0;
    BarPlacement laidOutAs_ = BarPlacement::DockedHorizontal;

    // Menu tracking state, valid while a drop-down is open.
    bool tracking_ = false;
    int trackedIndex_ = -1;
    HMENU trackedMenu_ = nullptr;
    HMENU selectedMenu_ = nullptr;
    bool selectedIsPopup_ = false;
    int switchTo_ = -1;
    bool switchByKeyboard_ = false;
    bool escaped_ = false;

    // Menu bar keyboard state.
    bool menuMode_ = false;
    core::AltTap altTap_;
    bool keyboardTracking_ = false;
    bool showAccessKeys_ = true;
    bool accessKeysApplied_ = false;
};

class TTBToolbar final : public TTBCustomToolbar {
public:
    using TTBCustomToolbar::TTBCustomToolbar;
};

} // namespace toolbars
