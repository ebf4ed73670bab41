// A toolbar's buttons: one native button per visible top-level item on a
// native toolbar control, kept in step with the items, their tooltips and
// their access-key underlines, and laid out in the space the toolbar gets,
// with the chevron standing for the buttons that do not fit.
#pragma once

#include "toolbars/ButtonTips.h"
#include "toolbars/ChevronButton.h"
#include "toolbars/MenuTracker.h"
#include "toolbars/StripLayout.h"
#include "toolbars/TTBItem.h"
#include "win32/UniqueHandle.h"

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace win32 {
class Application;
}

namespace toolbars {

class ButtonStrip : public MenuTracker::Entries {
public:
    // What the strip leaves to its toolbar.
    class Owner {
    public:
        // The mouse went down on button `index` (-1: none); true when the
        // toolbar took the press.
        virtual bool MouseDownOn(int index) = 0;
        // A drop-down of the toolbar is open: the buttons give no hints.
        virtual bool MenuOpen() const = 0;

    protected:
        ~Owner() = default;
    };

    ButtonStrip(Owner& owner, bool menuBar, ShrinkMode shrink);
    ~ButtonStrip() { Destroy(); }
    ButtonStrip(const ButtonStrip&) = delete;
    ButtonStrip& operator=(const ButtonStrip&) = delete;

    // The native bar and the chevron, children of `parent`.
    void Create(HWND parent, win32::Application& app, const std::string& name);
    void Destroy();
    HWND Handle() const override { return bar_; }
    ChevronButton& Chevron() { return chevron_; }
    const ChevronButton& Chevron() const { return chevron_; }
    HIMAGELIST Images() const override { return images_; }
    void SetImages(HIMAGELIST images) { images_ = images; }

    // New buttons for the visible items, measured; false when there is no
    // bar yet or an update holds the rebuilding back until it ends.
    bool Rebuild(const std::vector<TTBCustomItem*>& items);
    void BeginUpdate() { ++updating_; }
    // True when a rebuilding was held back.
    bool EndUpdate() { return updating_ > 0 && --updating_ == 0 && rebuildPending_; }
    // An item leaves the tree: its button must not outlive it.
    void Forget(const TTBCustomItem& item);
    // An item's look changed; false when it needs another kind or size of
    // button, so that the buttons must be built anew.
    bool UpdateLook(const TTBCustomItem& item);

    // The button a command from the bar stands for.
    static int ButtonOfCommand(WORD id);
    int Count() const override { return static_cast<int>(buttons_.size()); }
    TTBCustomItem* Item(int index) const override;
    int IndexOf(const TTBCustomItem& item) const;
    // The button at a point in the bar's client area; -1 for none or a separator.
    int ButtonAt(POINT barPoint) const override;
    bool ItemScreenRect(const TTBCustomItem& item, RECT& rect) const;
    // Where a menu drops from: a hidden button's is the bar's corner.
    RECT ButtonScreenRect(int index) const override;
    int Hot() const;
    void SetHot(int index);
    // Pressed while its menu is open; nothing is hot meanwhile.
    void Press(int index, bool pressed) override;

    void ShowHint(const TTBCustomItem* item) const override;
    void ShowAccessKeys(bool show);
    bool ShowsAccessKeys() const { return showAccessKeys_; }
    // Hot tracking and tooltip texts, sent to the toolbar's window.
    bool Notify(NMHDR& header, LRESULT& result);

    ShrinkMode Shrink() const { return layout_.Shrink(); }
    void SetShrink(ShrinkMode shrink) { layout_.SetShrink(shrink); }
    int Length(BarPlacement placement) const;
    int MinimumLength(BarPlacement placement) const;
    int Thickness(BarPlacement placement, int length) const;
    // Lays the buttons out in `content` of the toolbar's client area.
    void Place(const core::Rect& content, BarPlacement placement);
    BarPlacement LaidOutAs() const { return layout_.LaidOutAs(); }
    bool ShowsChevron() const { return chevron_.Shown(); }
    std::vector<TTBCustomItem*> HiddenItems() const;

private:
    static LRESULT CALLBACK BarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR self);
    LRESULT BarMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Update(int index);
    // What decides a button's kind and size: glyph or caption, and which.
    std::string Shape(const TTBCustomItem& item) const;
    bool ShowsImage(const TTBCustomItem& item) const;
    std::string Caption(const TTBCustomItem& item) const;
    std::string TipFor(UINT_PTR command) const;
    int ButtonHeight() const;

    Owner& owner_;
    bool menuBar_;
    win32::Application* app_ = nullptr;
    HIMAGELIST images_ = nullptr;
    win32::UniqueFont font_;
    HWND bar_ = nullptr;
    ChevronButton chevron_;
    // The items behind the buttons, and what shaped each button.
    std::vector<TTBCustomItem*> buttons_;
    std::vector<std::string> shapes_;
    StripLayout layout_;
    int updating_ = 0;
    bool rebuildPending_ = false;
    bool showAccessKeys_ = true;
    bool accessKeysApplied_ = false;
    ButtonTips tips_;
};

} // namespace toolbars
