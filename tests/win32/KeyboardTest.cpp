// The keyboard as a user meets it in the main window: Tab between the lists,
// Enter and Esc left to the focused control, every shortcut run once, and the
// focus back where it was after a box.
#include "MainWindowFixture.h"
#include "UserInput.h"

#include <algorithm>

namespace {

using userinput::Chord;
using userinput::Tap;

// Every message sent to the form while alive (what the dialog manager would send).
class SentToWindow {
public:
    explicit SentToWindow(HWND window) : hook_(::SetWindowsHookExA(WH_CALLWNDPROC, &Watch, nullptr,
                                                                      ::GetCurrentThreadId()))
    {
        Window() = window;
        Seen().clear();
    }
    ~SentToWindow() { Window() = nullptr; }
    SentToWindow(const SentToWindow&) = delete;
    SentToWindow& operator=(const SentToWindow&) = delete;

    bool Saw(UINT message, WPARAM wParam) const
    {
        return std::any_of(Seen().begin(), Seen().end(),
                           [&](const auto& m) { return m.first == message && m.second == wParam; });
    }
    bool SawMessage(UINT message) const
    {
        return std::any_of(Seen().begin(), Seen().end(), [&](const auto& m) { return m.first == message; });
    }

private:
    static HWND& Window()
    {
        static HWND window = nullptr;
        return window;
    }
    static std::vector<std::pair<UINT, WPARAM>>& Seen()
    {
        static std::vector<std::pair<UINT, WPARAM>> seen;
        return seen;
    }
    static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && call->hwnd == Window())
            Seen().emplace_back(call->message, call->wParam);
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    win32::UniqueHook hook_;
};

class KeyboardTest : public MainWindowTest {
protected:
    void Show(HWND focus)
    {
        userinput::MouseTo({::GetSystemMetrics(SM_CXSCREEN) - 5, ::GetSystemMetrics(SM_CYSCREEN) - 5});
        form->Show();
        userinput::Activate(app, form->Handle(), focus);
    }
    void Settle() { userinput::Settle(app); }

    // Counts the runs of an action, in place of what it would do.
    int& CountRuns(win32::Action& action)
    {
        counts_.push_back(std::make_unique<int>(0));
        int& count = *counts_.back();
        action.OnExecute = [&count](win32::Action&) { ++count; };
        return count;
    }

private:
    std::vector<std::unique_ptr<int>> counts_;
};

TEST_F(KeyboardTest, TabAndShiftTabMoveBetweenTheLists)
{
    form->RefreshProcesses();
    Show(form->lvMaster->Handle());
    Tap(VK_TAB);
    Settle();
    EXPECT_EQ(::GetFocus(), form->lvDetail->Handle());
    Chord({VK_SHIFT, VK_TAB});
    Settle();
    EXPECT_EQ(::GetFocus(), form->lvMaster->Handle());
}

TEST_F(KeyboardTest, EnterAndEscInAListSendTheFormNoDialogCommands)
{
    form->RefreshProcesses();
    Show(form->lvMaster->Handle());
    SentToWindow sent(form->Handle());
    Tap(VK_RETURN);
    Tap(VK_ESCAPE);
    Settle();
    EXPECT_FALSE(sent.Saw(WM_COMMAND, IDOK));
    EXPECT_FALSE(sent.Saw(WM_COMMAND, IDCANCEL));
    // The dialog manager's own messages sit where private ones used to.
    EXPECT_FALSE(sent.SawMessage(WM_USER));
    EXPECT_FALSE(sent.SawMessage(WM_USER + 1));
    EXPECT_TRUE(::IsWindowVisible(form->Handle()));
}

TEST_F(KeyboardTest, EveryShortcutRunsItsActionOnceWhereverTheFocusIs)
{
    int& refreshes = CountRuns(*form->aRefresh);
    int& abouts = CountRuns(*form->aAbout);
    form->RefreshProcesses();
    for (HWND focus : {form->lvMaster->Handle(), form->lvDetail->Handle()}) {
        Show(focus);
        refreshes = abouts = 0;
        Tap(VK_F5);
        Chord({VK_CONTROL, VK_F1});
        Settle();
        EXPECT_EQ(refreshes, 1);
        EXPECT_EQ(abouts, 1);
    }
}

TEST_F(KeyboardTest, FocusGoesBackToTheListThatHadItAfterTheAboutBox)
{
    form->RefreshProcesses();
    Show(form->lvDetail->Handle());
    ASSERT_EQ(::GetFocus(), form->lvDetail->Handle());
    testsupport::ModalBoxWatcher boxes;
    Chord({VK_CONTROL, VK_F1});
    Settle();
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(::GetFocus(), form->lvDetail->Handle());
}

} // namespace
