// One tracking of a toolbar's drop-down menus: from the drop-down of an
// entry until the last menu closes, moving on to the neighbouring entries'
// menus by mouse or arrow keys meanwhile; or the one menu of the buttons
// behind the chevron. It builds the native menus from the items, finds the
// items again behind their command ids, and gives their hints and glyphs.
#pragma once

#include "toolbars/ChevronButton.h"
#include "toolbars/TTBItem.h"
#include "win32/UniqueHandle.h"

#include <windows.h>

#include <vector>

namespace toolbars {

class MenuTracker {
public:
    // The entries the menus drop down from: the toolbar's buttons.
    class Entries {
    public:
        // The window the entries are in; none once it is gone.
        virtual HWND Handle() const = 0;
        virtual int Count() const = 0;
        virtual TTBCustomItem* Item(int index) const = 0;
        // The entry at a point in the client area; -1 for none.
        virtual int ButtonAt(POINT point) const = 0;
        virtual RECT ButtonScreenRect(int index) const = 0;
        virtual void Press(int index, bool pressed) = 0;
        virtual HIMAGELIST Images() const = 0;
        virtual void ShowHint(const TTBCustomItem* item) const = 0;

    protected:
        ~Entries() = default;
    };
    // What the toolbar does about it.
    class Owner {
    public:
        virtual void EntryOpened(bool byKeyboard) = 0;
        // Runs what was chosen, once the menu's message is done.
        virtual void Choose(TTBCustomItem& item) = 0;
        // The last of the entries' menus closed, by Esc when `escaped`.
        virtual void MenusClosed(int entry, bool escaped) = 0;

    protected:
        ~Owner() = default;
    };

    // The tracker is the one owner of a tracking: it lives in the frame that
    // runs the menus, and the toolbar finds it through Of(). `window` owns
    // the menus and hands their messages on.
    MenuTracker(Entries& entries, Owner& owner, HWND window);
    ~MenuTracker();
    MenuTracker(const MenuTracker&) = delete;
    MenuTracker& operator=(const MenuTracker&) = delete;

    // The tracking open for `owner`, or null. Menus are modal, so a thread
    // has one open at a time; one opened meanwhile stacks on it.
    static MenuTracker* Of(const Owner& owner);
    // `owner` is going: its menu closes, and its tracking touches nothing of
    // it again and reports nothing to it.
    static void OwnerGone(const Owner& owner);

    // Both return once the last menu has closed. The owner may be gone by
    // then, so its frame that called does nothing after. Beside the entries
    // when they stand upright, below them otherwise.
    void TrackEntries(int index, bool byKeyboard, bool upright);
    void TrackChevron(ChevronButton& chevron, const std::vector<TTBCustomItem*>& items, bool upright);

    // The window's messages about the open menu.
    void MenuSelect(UINT itemOrPos, UINT flags, HMENU menu);
    static void MeasureGlyph(HIMAGELIST images, MEASUREITEMSTRUCT& measure);
    void DrawGlyph(const DRAWITEMSTRUCT& draw) const;
    // The item leaves its tree while a menu shows it.
    void Forget(TTBCustomItem& item);

private:
    static LRESULT CALLBACK FilterHook(int code, WPARAM wParam, LPARAM lParam);
    bool Filter(const MSG& msg);
    win32::UniqueMenu BuildMenu(const std::vector<TTBCustomItem*>& items);
    TTBCustomItem* ItemOf(UINT id) const;
    int NextSubmenu(int from, int step) const;
    UINT Show(const RECT& button, bool upright);

    // Both null once the owner went.
    Entries* entries_;
    Owner* owner_;
    HWND window_;
    // The tracking this one stacks on.
    MenuTracker* previous_;
    // One of its menus shows: its loop runs.
    bool showing_ = false;
    // The items behind the open menu's command ids, which start at 1.
    std::vector<TTBCustomItem*> items_;
    win32::UniqueMenu menu_;
    int trackedIndex_ = -1;
    HMENU selectedMenu_ = nullptr;
    bool selectedIsPopup_ = false;
    int switchTo_ = -1;
    bool switchByKeyboard_ = false;
    bool escaped_ = false;
};

} // namespace toolbars
