// Ticks that arrive while a refresh is still running (behind a modal box,
// say) wait for it: refreshes never nest.
#include "MainWindowFixture.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace {

class RefreshReentrancyTest : public FakeMainWindowTest {
protected:
    void SetUp() override
    {
        snapshot.processes = {{10, "a.exe"}, {20, "b.exe"}, {30, "c.exe"}};
        snapshot.modules = {{20, 1, "C:\\b.exe"}};
    }

    // A tick delivered the way a modal box's loop would deliver it.
    void Tick() { ::SendMessageA(form->TheTimer->Handle(), WM_TIMER, 1, 0); }

    int ProcessSnapshots() const
    {
        int n = 0;
        for (const auto& [flags, id] : snapshot.created)
            n += flags == core::kSnapProcess;
        return n;
    }
};

TEST_F(RefreshReentrancyTest, TickDuringARefreshRunsAfterItNotInsideIt)
{
    form->aAutoRefresh->SetChecked(true);
    int depth = 0;
    int deepest = 0;
    bool ticked = false;
    snapshot.onCreate = [&](uint32_t flags) {
        if (flags != core::kSnapProcess)
            return;
        deepest = std::max(deepest, ++depth);
        if (!ticked) {
            ticked = true;
            Tick();
        }
        --depth;
    };
    form->RefreshProcesses();
    EXPECT_EQ(ProcessSnapshots(), 2);  // the tick's refresh came, after the first
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(form->lvMaster->Count(), 3);
    EXPECT_TRUE(form->TheTimer->Enabled());
}

TEST_F(RefreshReentrancyTest, TickFromTheSelectionsNotificationDoesNotRefillTheListUnderIt)
{
    form->RefreshProcesses();
    form->lvMaster->Select(1);
    snapshot.created.clear();
    bool insideChange = false;
    bool refilledInside = false;
    bool ticked = false;
    // The detail snapshot is taken inside the list's own change notification.
    snapshot.onCreate = [&](uint32_t flags) {
        if (flags == core::kSnapProcess && insideChange)
            refilledInside = true;
        if (flags != core::kSnapProcess && !std::exchange(ticked, true))
            Tick();
    };
    const auto change = form->lvMaster->OnChange;
    form->lvMaster->OnChange = [&](win32::ListView& list) {
        insideChange = true;
        change(list);
        insideChange = false;
    };
    form->RefreshProcesses();
    EXPECT_FALSE(refilledInside);
    EXPECT_EQ(ProcessSnapshots(), 2);
    EXPECT_EQ(form->lvMaster->Row(form->lvMaster->SelectedIndex()).data, 20);
    // Processes and modules (10); the 64-bit program adds the 32-bit modules of WOW64 processes (0x10).
    const std::pair<uint32_t, uint32_t> detail{sizeof(void*) == 8 ? 26u : 10u, 20u};
    EXPECT_NE(std::find(snapshot.created.begin(), snapshot.created.end(), detail), snapshot.created.end());
}

} // namespace
