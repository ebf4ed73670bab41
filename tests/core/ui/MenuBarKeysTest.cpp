#include "core/ui/MenuBarKeys.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Keys = core::MenuBarKeys;
using Key = Keys::Key;
using Action = Keys::Action;

// File, a separator, View, Help; access keys f, v, h.
class FakeBar final : public Keys::Bar {
public:
    int Count() const override { return static_cast<int>(keys.size()); }
    bool IsSeparator(int entry) const override { return keys.at(static_cast<std::size_t>(entry)) == '-'; }
    int AccessKeyEntry(char typed) const override
    {
        const auto found = keys.find(typed);
        return typed != '-' && found != std::string::npos ? static_cast<int>(found) : -1;
    }
    int Selected() const override { return selected; }
    bool Usable() const override { return usable; }
    void Select(int entry) override { selected = entry; }
    void ShowAccessKeys(bool) override {}
    void Open(int) override
    {
        if (whenOpened)
            (*whenOpened)();
    }
    void Beep() override {}

    std::string keys = "f-vh";
    int selected = -1;
    bool usable = true;
    // Runs while the opened menu would be open; kept outside the bar, which it may destroy.
    const std::function<void()>* whenOpened = nullptr;
};

void ExpectDecision(const Keys::Decision& decision, bool taken, Action action, int entry = -1)
{
    EXPECT_EQ(decision.taken, taken);
    EXPECT_EQ(decision.action, action);
    if (action == Action::Select || action == Action::Open) {
        EXPECT_EQ(decision.entry, entry);
    }
}

Keys::Decision Press(Keys& keys, const FakeBar& bar, Key key, char typed = 0)
{
    return keys.KeyDown(bar, {key, typed, false, false});
}

TEST(MenuBarKeys, AloneAltTogglesMenuModeAndItsReleaseNeverReachesTheSystem)
{
    Keys keys;
    FakeBar bar;
    ExpectDecision(Press(keys, bar, Key::Alt), false, Action::None);
    EXPECT_TRUE(keys.ShowsAccessKeys());
    ExpectDecision(keys.KeyUp(bar, Key::Alt), true, Action::Select, 0);
    EXPECT_TRUE(keys.InMenuMode());
    Press(keys, bar, Key::Alt);
    ExpectDecision(keys.KeyUp(bar, Key::Alt), true, Action::Leave);
    EXPECT_FALSE(keys.ShowsAccessKeys());

    // Alt with another key: no mode, but the release is still kept back.
    Press(keys, bar, Key::Alt);
    ExpectDecision(Press(keys, bar, Key::Other, 'x'), false, Action::None);
    ExpectDecision(keys.KeyUp(bar, Key::Alt), true, Action::None);
    EXPECT_FALSE(keys.InMenuMode());

    // A bar that cannot take the keyboard leaves Alt and F10 to the system.
    bar.usable = false;
    Press(keys, bar, Key::Alt);
    ExpectDecision(keys.KeyUp(bar, Key::Alt), false, Action::None);
    ExpectDecision(Press(keys, bar, Key::F10), false, Action::None);
    EXPECT_FALSE(keys.InMenuMode());
}

TEST(MenuBarKeys, InMenuModeArrowsSkipSeparatorsAndWrapAndKeysOpenEntries)
{
    Keys keys;
    FakeBar bar;
    ExpectDecision(keys.KeyDown(bar, {Key::F10, 0, false, true}), false, Action::None);
    ExpectDecision(Press(keys, bar, Key::F10), true, Action::Select, 0);
    bar.selected = 0;
    ExpectDecision(Press(keys, bar, Key::Right), true, Action::Select, 2);
    ExpectDecision(Press(keys, bar, Key::Left), true, Action::Select, 3);
    bar.selected = 2;
    ExpectDecision(Press(keys, bar, Key::Down), true, Action::Open, 2);
    ExpectDecision(Press(keys, bar, Key::Other, 'h'), true, Action::Open, 3);
    ExpectDecision(Press(keys, bar, Key::Other, 'q'), true, Action::Beep);
    ExpectDecision(Press(keys, bar, Key::Shift), true, Action::None);
    ExpectDecision(keys.Char(bar, 'h', false), true, Action::None);
    EXPECT_TRUE(keys.InMenuMode());
    ExpectDecision(Press(keys, bar, Key::Escape), true, Action::Leave);
    ExpectDecision(Press(keys, bar, Key::Down), false, Action::None);
}

TEST(MenuBarKeys, AnOpenedMenuReturnsToMenuModeOnlyWhenEscaped)
{
    Keys keys;
    FakeBar bar;
    // Alt+V: the menu's own loop takes the release of Alt.
    Press(keys, bar, Key::Alt);
    ExpectDecision(keys.Char(bar, ' ', true), false, Action::None);
    ExpectDecision(keys.Char(bar, 'v', false), false, Action::None);
    ExpectDecision(keys.Char(bar, 'v', true), true, Action::Open, 2);
    keys.MenuOpened(true);
    ExpectDecision(keys.ActivationChanged(true), false, Action::None);
    EXPECT_TRUE(keys.ShowsAccessKeys());
    ExpectDecision(keys.MenuClosed(bar, 2, true), false, Action::Select, 2);
    EXPECT_TRUE(keys.InMenuMode());

    // A click on the bar keeps the mode, one elsewhere leaves it.
    ExpectDecision(keys.MouseDown(true), false, Action::None);
    ExpectDecision(keys.MouseDown(false), false, Action::Leave);

    Press(keys, bar, Key::Alt);
    keys.Char(bar, 'h', true);
    keys.MenuOpened(true);
    ExpectDecision(keys.MenuClosed(bar, 3, false), false, Action::None);
    EXPECT_FALSE(keys.ShowsAccessKeys());
    ExpectDecision(keys.KeyUp(bar, Key::Alt), true, Action::None);
    EXPECT_FALSE(keys.InMenuMode());
}

// Alt+Tab away and back: the release of an Alt held across the change of
// activation is no tap.
TEST(MenuBarKeys, ActivationInBetweenMakesTheAltReleaseNoTap)
{
    Keys keys;
    FakeBar bar;
    Press(keys, bar, Key::Alt);
    ExpectDecision(keys.ActivationChanged(false), false, Action::None);
    ExpectDecision(keys.KeyUp(bar, Key::Alt), true, Action::None);
    EXPECT_FALSE(keys.InMenuMode());
}

// Alt+PrtSc: the system sends only the release of PrtSc, which still ends
// Alt's being alone.
TEST(MenuBarKeys, AnotherKeysReleaseWhileAltIsDownMakesItNoTap)
{
    Keys keys;
    FakeBar bar;
    Press(keys, bar, Key::Alt);
    ExpectDecision(keys.KeyUp(bar, Key::Other), false, Action::None);
    ExpectDecision(keys.KeyUp(bar, Key::Alt), true, Action::None);
    EXPECT_FALSE(keys.InMenuMode());
}

TEST(MenuBarKeys, DownUpAndEnterOpenTheFirstEntryToo)
{
    for (const Key key : {Key::Down, Key::Up, Key::Enter}) {
        Keys keys;
        FakeBar bar;
        ExpectDecision(Press(keys, bar, Key::F10), true, Action::Select, 0);
        bar.selected = 0;
        ExpectDecision(Press(keys, bar, key), true, Action::Open, 0);
    }
}

// A toolbar owns its keys; destroyed while the menu they opened is open,
// neither it nor they may be touched once the menu returns.
TEST(MenuBarKeys, ABarDestroyedWhileItsKeyboardOpenedMenuIsOpenIsTouchedNoMore)
{
    struct Toolbar {
        Keys keys;
        FakeBar bar;
    };
    auto toolbar = std::make_unique<Toolbar>();
    const std::function<void()> destroy = [&] { toolbar.reset(); };
    Keys& keys = toolbar->keys;
    FakeBar& bar = toolbar->bar;
    bar.whenOpened = &destroy;
    Press(keys, bar, Key::Alt);
    keys.Apply(bar, keys.Char(bar, 'v', true));
    EXPECT_EQ(toolbar, nullptr);
}

} // namespace
