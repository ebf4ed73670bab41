// A menu bar's keyboard on Windows: the key and mouse messages of its window
// become events of the menu bar's key machine, whose decisions select, open
// and underline the entries of the button strip.
#pragma once

#include "core/ui/MenuBarKeys.h"
#include "toolbars/ButtonStrip.h"
#include "win32/Control.h"
#include "win32/Signal.h"

#include <windows.h>

#include <optional>

namespace toolbars {

class MenuBarKeyboard : private core::MenuBarKeys::Bar {
public:
    // What the keys leave to the toolbar.
    class Owner {
    public:
        // A drop-down is open: its own loop has the keyboard.
        virtual bool MenuOpen() const = 0;
        // Opens entry `index` as from the keyboard; the owner may be gone
        // once this returns.
        virtual void OpenEntry(int index) = 0;

    protected:
        ~Owner() = default;
    };

    // `menuBar`: a plain toolbar always shows its access keys.
    MenuBarKeyboard(Owner& owner, ButtonStrip& strip, const win32::Control& window, bool menuBar);

    // Takes the keys in the application's loop, before anything else does.
    void Listen(win32::Application& app);
    void Stop();

    bool InMenuMode() const { return keys_.InMenuMode(); }
    void Leave();
    void MenuOpened(bool byKeyboard);
    void MenuClosed(int entry, bool escaped);
    // A menu bar underlines its access keys only while the keyboard is at
    // work, unless the system is set to show them always.
    void UpdateAccessKeys();

private:
    bool PreTranslate(const MSG& msg);
    std::optional<core::MenuBarKeys::Decision> Translate(const MSG& msg);
    int Count() const override;
    bool IsSeparator(int entry) const override;
    int AccessKeyEntry(char typed) const override;
    int Selected() const override;
    bool Usable() const override;
    void Select(int entry) override;
    void ShowAccessKeys(bool keyboardAtWork) override;
    void Open(int entry) override;
    void Beep() override;

    Owner& owner_;
    ButtonStrip& strip_;
    const win32::Control& window_;
    bool menuBar_;
    core::MenuBarKeys keys_;
    win32::Connection filter_;
    win32::Connection activation_;
};

} // namespace toolbars
