// How the main window and its components end: in a defined order, without
// layout, and without reaching a window that is already gone.
#include "MainWindowFixture.h"
#include "UserInput.h"
#include "win32/ResourceCounts.h"

#include <stdexcept>

namespace {

LRESULT CALLBACK CountResizes(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR counter)
{
    if (message == WM_WINDOWPOSCHANGING && !(reinterpret_cast<WINDOWPOS*>(lParam)->flags & SWP_NOSIZE))
        ++*reinterpret_cast<int*>(counter);
    return ::DefSubclassProc(window, message, wParam, lParam);
}

class LifetimeTest : public MainWindowTest {
protected:
    // A window of the test's own, which no teardown of the form may reach.
    static HWND Bystander()
    {
        return ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 ::GetModuleHandleA(nullptr), nullptr);
    }

    std::vector<win32::Control*> Controls() const
    {
        std::vector<win32::Control*> controls;
        for (const auto& c : form->Components()) {
            if (auto* control = dynamic_cast<win32::Control*>(c.get()))
                controls.push_back(control);
        }
        return controls;
    }
};

TEST_F(LifetimeTest, ClosedWindowLeavesNoHandleBehindAndTeardownTouchesNone)
{
    form->Show();
    form->RefreshProcesses();
    form->aAutoRefresh->SetChecked(true);
    ::SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
    ASSERT_FALSE(::IsWindow(form->Handle()));
    EXPECT_FALSE(form->HasWindow());
    for (win32::Control* control : Controls())
        EXPECT_FALSE(control->HasWindow()) << control->Name();

    // Destroying the objects now touches no window: not one made since,
    // which may well sit where one of the form's was, nor any other.
    win32::UniqueWindow bystander(Bystander());
    const win32::ResourceCount afterClose = win32::CountUserObjects();
    ASSERT_TRUE(afterClose.Known());
    form.reset();
    EXPECT_TRUE(::IsWindow(bystander.Get()));
    EXPECT_EQ(win32::CountUserObjects().value, afterClose.value) << afterClose.source;
    userinput::TakeQuit();
}

TEST_F(LifetimeTest, FormDestroyedWhileItsWindowLivesDoesNoLayout)
{
    // Counted without any form, then with a new one whose window is still up.
    // The system gives the thread helper windows of its own with its first
    // top-level window and the first form shown; the bystander and a form
    // shown before keep them there throughout.
    win32::UniqueWindow bystander(Bystander());
    form->Show();
    form.reset();
    const win32::ResourceCount withoutForm = win32::CountUserObjects();
    ASSERT_TRUE(withoutForm.Known());
    form = std::make_unique<TfMain>(app);
    form->SetSettingsKey(kTestSettingsKey);
    app.SetMainWindow(form->Handle());
    form->Show();
    std::vector<HWND> windows;
    for (win32::Control* control : Controls())
        windows.push_back(control->Handle());
    int moves = 0;
    for (HWND window : windows)
        ::SetWindowSubclass(window, &CountResizes, 7, reinterpret_cast<DWORD_PTR>(&moves));
    form.reset();
    EXPECT_EQ(moves, 0);
    for (HWND window : windows)
        EXPECT_FALSE(::IsWindow(window));
    EXPECT_TRUE(::IsWindow(bystander.Get()));
    EXPECT_EQ(win32::CountUserObjects().value, withoutForm.value) << withoutForm.source;
    EXPECT_FALSE(userinput::TakeQuit());
}

TEST_F(LifetimeTest, ComponentsHearTheirEndInReverseOrderWhileAllStillExist)
{
    std::vector<std::string> heard;
    std::vector<win32::Connection> connections;
    bool allAlive = true;
    TfMain* raw = form.get();
    for (const auto& c : form->Components()) {
        connections.push_back(c->Destroying.Connect([&](win32::Component& gone) {
            heard.push_back(gone.Name());
            // Every window still stands while the components are told.
            allAlive = allAlive && ::IsWindow(raw->lvMaster->Handle()) && ::IsWindow(raw->tbMain->Handle()) &&
                       raw->TheTimer->HasWindow();
        }));
    }
    std::vector<std::string> expected;
    for (auto it = form->Components().rbegin(); it != form->Components().rend(); ++it)
        expected.push_back((*it)->Name());
    form.reset();
    EXPECT_EQ(heard, expected);
    EXPECT_TRUE(allAlive);
}

TEST_F(LifetimeTest, LoopEndsWithTheExitCodeItsQuitAskedFor)
{
    ::PostQuitMessage(7);
    EXPECT_EQ(app.Run(*form), 7);
}

TEST_F(LifetimeTest, ItemShowsItsOwnTextsOnceItsActionGoes)
{
    auto action = std::make_unique<win32::Action>(win32::ActionProps{.name = "aGone", .caption = "From action"});
    toolbars::TTBItem item(toolbars::ItemProps{.name = "iOwn", .caption = "Own"});
    int changes = 0;
    win32::Connection seen = item.TreeChanged.Connect([&](toolbars::TTBCustomItem&, toolbars::ItemChange) { ++changes; });
    item.SetAction(action.get());
    EXPECT_EQ(item.Caption(), "From action");
    changes = 0;
    action.reset();
    EXPECT_EQ(item.Caption(), "Own");
    EXPECT_EQ(changes, 1);
}

TEST_F(LifetimeTest, TimerStopsWithTheWindowEvenBehindAFailingDestroyHandlersBox)
{
    form->Show();
    form->aAutoRefresh->SetChecked(true);
    form->RefreshProcesses();
    ASSERT_TRUE(form->TheTimer->Enabled());
    form->OnDestroy = [] { throw std::runtime_error("Failed to set data for 'Left'"); };

    bool timerAliveBehindTheBox = true;
    testsupport::ModalBoxWatcher watcher;
    watcher.OnBox = [&] { timerAliveBehindTheBox = form->TheTimer->HasWindow(); };
    ::SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(watcher.Boxes().empty());  // not from inside the close
    app.ShowPendingErrors();
    ASSERT_EQ(watcher.Boxes().size(), 1u);
    EXPECT_EQ(watcher.Boxes()[0].text, "Failed to set data for 'Left'");
    EXPECT_FALSE(timerAliveBehindTheBox);
    EXPECT_FALSE(::IsWindow(form->Handle()));
    userinput::TakeQuit();
}

} // namespace
