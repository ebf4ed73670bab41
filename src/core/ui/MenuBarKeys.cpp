#include "core/ui/MenuBarKeys.h"

#include <algorithm>

namespace core {

namespace {

using Decision = MenuBarKeys::Decision;
using Action = MenuBarKeys::Action;

Decision Taken(Decision decision = {})
{
    decision.taken = true;
    return decision;
}

} // namespace

Decision MenuBarKeys::KeyDown(const Bar& bar, const KeyPress& press)
{
    if (press.key == Key::Alt) {
        altTap_.KeyDown(AltTap::Key::Alt, press.repeated);
        return {};
    }
    altTap_.KeyDown(AltTap::Key::Other, press.repeated);
    if (press.key == Key::Shift || press.key == Key::Control)
        return {menuMode_};
    if (press.key == Key::F10 && !press.shiftOrControl) {
        if (menuMode_)
            return Taken(Leave());
        return bar.Usable() ? Taken(Enter(bar, 0)) : Decision{};
    }
    if (!menuMode_)
        return {};
    switch (press.key) {
    case Key::Left: return Taken(Move(bar, -1));
    case Key::Right: return Taken(Move(bar, 1));
    case Key::Up:
    case Key::Down:
    case Key::Enter: {
        const int selected = bar.Selected();
        return selected >= 0 ? Taken({false, Action::Open, selected}) : Taken();
    }
    case Key::Escape: return Taken(Leave());
    default: return press.typed > ' ' ? Taken(OpenByAccessKey(bar, press.typed)) : Taken();
    }
}

Decision MenuBarKeys::KeyUp(const Bar& bar, Key key)
{
    if (key != Key::Alt) {
        altTap_.KeyUp(AltTap::Key::Other);
        return {menuMode_};
    }
    const bool tapped = altTap_.KeyUp(AltTap::Key::Alt);
    if (!menuMode_ && !bar.Usable())
        return {};
    // Alt alone toggles menu mode. The system must not see any Alt release
    // here, or it would go for the window menu by its own reckoning.
    if (!tapped)
        return Taken();
    return Taken(menuMode_ ? Leave() : Enter(bar, 0));
}

Decision MenuBarKeys::Char(const Bar& bar, char typed, bool withAlt)
{
    if (menuMode_)
        return Taken();
    // Alt+Space (the window menu) and Alt+- are the system's.
    if (!withAlt || typed == ' ' || typed == '-' || !bar.Usable())
        return {};
    altTap_.Interrupt();
    return Taken(OpenByAccessKey(bar, typed));
}

Decision MenuBarKeys::MouseDown(bool onBar)
{
    altTap_.Interrupt();
    return onBar ? Decision{} : Leave();
}

Decision MenuBarKeys::ActivationChanged(bool menuOpen)
{
    altTap_.Reset();
    return menuOpen ? Decision{} : Leave();
}

void MenuBarKeys::MenuOpened(bool byKeyboard)
{
    openedByKeyboard_ = byKeyboard;
}

Decision MenuBarKeys::MenuClosed(const Bar& bar, int entry, bool escaped)
{
    openedByKeyboard_ = false;
    // The menu's own loop took the key releases (Alt+V lets go of Alt there).
    altTap_.Reset();
    return escaped && bar.Usable() ? Enter(bar, entry) : Leave();
}

Decision MenuBarKeys::Leave()
{
    if (!menuMode_)
        return {};
    menuMode_ = false;
    return {false, Action::Leave};
}

void MenuBarKeys::Apply(Bar& bar, const Decision& decision)
{
    switch (decision.action) {
    case Action::Select:
        bar.ShowAccessKeys(ShowsAccessKeys());
        bar.Select(decision.entry);
        return;
    case Action::Open:
        bar.ShowAccessKeys(ShowsAccessKeys());
        bar.Open(decision.entry);
        return;
    case Action::Leave:
        bar.Select(-1);
        break;
    case Action::Beep:
        bar.Beep();
        break;
    case Action::None:
        break;
    }
    bar.ShowAccessKeys(ShowsAccessKeys());
}

Decision MenuBarKeys::Enter(const Bar& bar, int entry)
{
    const int count = bar.Count();
    if (count <= 0)
        return {};
    menuMode_ = true;
    return {false, Action::Select, std::clamp(entry, 0, count - 1)};
}

Decision MenuBarKeys::Move(const Bar& bar, int step) const
{
    const int count = bar.Count();
    int next = bar.Selected();
    for (int n = 0; n < count; ++n) {
        next = ((next + step) % count + count) % count;
        if (!bar.IsSeparator(next))
            break;
    }
    return {false, Action::Select, next};
}

// An entry whose caption marks the letter opens; any other letter beeps.
Decision MenuBarKeys::OpenByAccessKey(const Bar& bar, char typed) const
{
    const int entry = bar.AccessKeyEntry(typed);
    return entry >= 0 ? Decision{false, Action::Open, entry} : Decision{false, Action::Beep};
}

} // namespace core
