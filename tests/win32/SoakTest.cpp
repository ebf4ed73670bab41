// Hundreds of automatic refreshes of the real main window on the live
// system, a process always selected, while child processes start, get
// selected and exit: the window keeps working, and afterwards the process
// holds exactly the kernel handles, GDI and USER objects it held before.
#include "MainWindowFixture.h"
#include "win32/ResourceCounts.h"

#include <deque>
#include <memory>

namespace {

constexpr int kTicks = 300;
constexpr int kChildEvery = 15;
// Children that end themselves soon and children that live until they are
// ended, in turn; only the long-lived ones are waited for and selected, so
// how fast the machine starts a process changes nothing.
constexpr int kShortChildMs = 150;
constexpr int kLongChildMs = 60000;
constexpr int kTicksToListChild = 200;

class SoakTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        form->Show();
        // Ticks every few milliseconds instead of seconds, through the
        // same timer and message loop.
        form->TheTimer->SetInterval(1);
        form->aAutoRefresh->Execute();
        ASSERT_TRUE(form->aAutoRefresh->Checked());
        auto tick = form->TheTimer->OnTimer;
        form->TheTimer->OnTimer = [this, tick](win32::Timer& timer) {
            ++ticks;
            tick(timer);
        };
    }

    // Delivers messages one at a time until the timer has ticked `count`
    // more times: a loop that emptied the queue would never end, as the next
    // tick is always due by the time a refresh is done.
    void RunTicks(int count)
    {
        const int until = ticks + count;
        const DWORD deadline = ::GetTickCount() + 20000;
        while (ticks < until && static_cast<LONG>(deadline - ::GetTickCount()) > 0) {
            MSG msg;
            if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
                continue;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        stalled = stalled || ticks < until;
    }

    // Paints and delivers all that is waiting but the next tick, so a count
    // does not depend on which update regions happen to be pending.
    void Settle()
    {
        ::RedrawWindow(form->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, WM_TIMER - 1, PM_REMOVE) ||
               ::PeekMessageA(&msg, nullptr, WM_TIMER + 1, 0xFFFFFFFF, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }

    // The system keeps a few objects of its own whose number depends on what
    // was drawn last (device contexts cached with their clipping regions).
    // A leak grows with every refresh and never comes back; so the counts
    // are taken again after a few more refreshes until they match.
    win32::ResourceCounts SettledCounts(const win32::ResourceCounts& before)
    {
        win32::ResourceCounts now;
        for (int attempt = 0; attempt < 8; ++attempt) {
            RunTicks(1);
            Settle();
            now = win32::CountResources();
            if (now.handles.value == before.handles.value && now.gdiObjects.value == before.gdiObjects.value &&
                now.userObjects.value == before.userObjects.value)
                break;
        }
        return now;
    }

    void SelectProcess(DWORD id)
    {
        const int row = RowOf(id);
        if (row >= 0)
            form->lvMaster->Select(row);
    }

    uint32_t SelectedId() const
    {
        const int row = form->lvMaster->SelectedIndex();
        return row >= 0 ? static_cast<uint32_t>(form->lvMaster->Row(row).data) : 0;
    }

    // Refreshes until the process is listed (or clearly never will be).
    void RunTicksUntilListed(DWORD id)
    {
        for (int i = 0; i < kTicksToListChild && RowOf(id) < 0 && !stalled; ++i)
            RunTicks(1);
    }

    // One round of everything the soak does, also run once to warm up.
    void Round(int round)
    {
        if (round % kChildEvery == 0) {
            const bool longLived = childrenStarted++ % 2 == 0;
            children.push_back(std::make_unique<testsupport::ChildProcess>(
                TEST_CHILD_NAME, longLived ? kLongChildMs : kShortChildMs));
            newestLongLived = longLived;
            longChildren += longLived ? 1 : 0;
            if (children.size() > 2)
                children.pop_front();  // ended while it may still be listed
        }
        RunTicks(1);
        // The newest child's modules while it lives; this process's otherwise.
        if (round % kChildEvery == 2 && newestLongLived) {
            RunTicksUntilListed(children.back()->Id());
            SelectProcess(children.back()->Id());
            if (SelectedId() == children.back()->Id() && form->lvDetail->Count() > 0)
                ++childrenShown;
        }
        if (SelectedId() == 0)
            SelectProcess(::GetCurrentProcessId());
    }

    int ticks = 0;
    bool stalled = false;
    int childrenStarted = 0;
    int longChildren = 0;
    bool newestLongLived = false;
    int childrenShown = 0;
    std::deque<std::unique_ptr<testsupport::ChildProcess>> children;
};

void ExpectSame(const win32::ResourceCount& before, const win32::ResourceCount& after, const char* what)
{
    ASSERT_TRUE(before.Known() && after.Known()) << what << " cannot be counted here";
    EXPECT_EQ(after.value, before.value) << what << " (from the " << after.source << ")";
}

TEST_F(SoakTest, RefreshesLeaveNoHandlesOrObjectsBehind)
{
    SelectProcess(::GetCurrentProcessId());
    for (int round = 0; round < kChildEvery; ++round)
        Round(round);
    children.clear();
    RunTicks(2);
    SelectProcess(::GetCurrentProcessId());
    RunTicks(1);
    Settle();
    longChildren = childrenShown = 0;
    const win32::ResourceCounts before = win32::CountResources();

    for (int round = 0; round < kTicks && !stalled; ++round)
        Round(round);
    children.clear();
    RunTicks(2);
    SelectProcess(::GetCurrentProcessId());
    const win32::ResourceCounts after = SettledCounts(before);

    ASSERT_FALSE(stalled) << "the timer stopped ticking";
    EXPECT_GT(longChildren, 0);
    EXPECT_EQ(childrenShown, longChildren) << "every long-lived child was listed and its modules shown";
    EXPECT_EQ(SelectedId(), ::GetCurrentProcessId());
    EXPECT_GT(form->lvDetail->Count(), 0);
    ExpectSame(before.handles, after.handles, "kernel handles");
    ExpectSame(before.gdiObjects, after.gdiObjects, "GDI objects");
    ExpectSame(before.userObjects, after.userObjects, "USER objects");
}

} // namespace
