#pragma once

#include "core/ui/AltTap.h"

namespace core {

// The keyboard of a window's menu bar: Alt alone or F10 selects its first
// entry (menu mode), the arrows move the selection, Down, Up or Enter open
// the selected entry, a letter (with Alt from outside menu mode) opens the
// entry of that access key, and Esc or a click elsewhere leaves. The caller
// turns its key messages into these events; the decisions that come out are
// carried out on the bar by Apply.
class MenuBarKeys {
public:
    enum class Key { Alt, Shift, Control, F10, Left, Right, Up, Down, Enter, Escape, Other };

    struct KeyPress {
        Key key = Key::Other;
        // What the key types, 0 for nothing.
        char typed = 0;
        // The key was already down (auto-repeat).
        bool repeated = false;
        bool shiftOrControl = false;
    };

    // What the keys need to know of the bar, asked when they need it, and
    // what they have it do.
    class Bar {
    public:
        virtual int Count() const = 0;
        virtual bool IsSeparator(int entry) const = 0;
        // The entry that takes `typed` as its access key; -1 for none.
        virtual int AccessKeyEntry(char typed) const = 0;
        // The selected entry; -1 for none.
        virtual int Selected() const = 0;
        // Whether the bar can take the keyboard now.
        virtual bool Usable() const = 0;

        // Shows the entry selected; -1 for none.
        virtual void Select(int entry) = 0;
        // Whether the keyboard is at work, for the bar's access keys.
        virtual void ShowAccessKeys(bool keyboardAtWork) = 0;
        // Opens the entry's menu as from the keyboard and returns once the
        // menu has closed. The bar, and these keys with it, may be gone then.
        virtual void Open(int entry) = 0;
        virtual void Beep() = 0;

    protected:
        ~Bar() = default;
    };

    enum class Action {
        None,
        Select,  // select `entry`: menu mode, or a move within it
        Open,    // open `entry` from the keyboard
        Beep,    // no entry has that access key
        Leave    // menu mode ended: nothing selected
    };
    struct Decision {
        // The message is the menu bar's: nothing else may see it.
        bool taken = false;
        Action action = Action::None;
        int entry = -1;
    };

    Decision KeyDown(const Bar& bar, const KeyPress& press);
    Decision KeyUp(const Bar& bar, Key key);
    // A typed character; `withAlt` for one typed with Alt held.
    Decision Char(const Bar& bar, char typed, bool withAlt);
    // A mouse button went down, on the bar or elsewhere in the window.
    Decision MouseDown(bool onBar);
    // The window was activated or deactivated; an open menu keeps the mode.
    Decision ActivationChanged(bool menuOpen);
    // One of the bar's menus opened; closed, it returns to menu mode at its
    // entry when Esc closed it and the bar is still usable.
    void MenuOpened(bool byKeyboard);
    Decision MenuClosed(const Bar& bar, int entry, bool escaped);
    // Anything else that ends menu mode: a click, a shortcut, the bar hidden.
    Decision Leave();

    // Carries a decision out on the bar. Opening an entry is the last thing
    // it does, as the bar may be destroyed while its menu is open.
    void Apply(Bar& bar, const Decision& decision);

    bool InMenuMode() const { return menuMode_; }
    // The access keys are underlined while the keyboard is at work.
    bool ShowsAccessKeys() const { return menuMode_ || altTap_.AltDown() || openedByKeyboard_; }

private:
    Decision Enter(const Bar& bar, int entry);
    Decision Move(const Bar& bar, int step) const;
    Decision OpenByAccessKey(const Bar& bar, char typed) const;

    AltTap altTap_;
    bool menuMode_ = false;
    bool openedByKeyboard_ = false;
};

} // namespace core
