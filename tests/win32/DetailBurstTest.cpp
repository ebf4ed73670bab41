// What one input or one refresh sets off on the detail side: every rebuild
// the process list's notifications ask for still happens and applies the
// row-number rule, on what one snapshot found; image headers are read once.
#include "MainWindowFixture.h"

#include <algorithm>

namespace {

class DetailBurstTest : public FakeMainWindowTest {
protected:
    void SetUp() override
    {
        snapshot.processes = {{10, "a.exe"}, {20, "b.exe"}, {30, "c.exe"}};
        // In the snapshot's order: not the order of "Base addr".
        snapshot.modules = {{20, 1, "C:\\c.dll", 0x30000000}, {20, 1, "C:\\a.dll", 0x10000000},
                            {20, 1, "C:\\b.dll", 0x20000000}};
        snapshot.images = {{0x10000000, 0x50000000}, {0x20000000, 0x20000000}, {0x30000000, 0x30000000}};
        form->RefreshProcesses();
        const auto change = form->lvMaster->OnChange;
        form->lvMaster->OnChange = [this, change](win32::ListView& list) {
            rebuilds += list.SelectedIndex() >= 0;
            change(list);
        };
    }

    int DetailSnapshots() const
    {
        return static_cast<int>(std::count_if(snapshot.created.begin(), snapshot.created.end(),
                                              [](const auto& taken) { return taken.first != core::kSnapProcess; }));
    }

    std::string CurrentModule() const
    {
        const int row = form->lvDetail->SelectedIndex();
        return row < 0 ? std::string() : CellText(form->lvDetail->Handle(), row, 4);
    }

    // The module list's current row after a number of rebuilds from a given
    // one: each selects the same row number among the rows in the snapshot's
    // order, which the sort then moves to its place by base.
    static std::string AfterRebuilds(int row, int rebuilds)
    {
        const std::vector<std::string> snapshotOrder = {"C:\\c.dll", "C:\\a.dll", "C:\\b.dll"};
        const std::vector<std::string> byBase = {"C:\\a.dll", "C:\\b.dll", "C:\\c.dll"};
        for (int i = 0; i < rebuilds; ++i)
            row = static_cast<int>(std::find(byBase.begin(), byBase.end(), snapshotOrder[row]) - byBase.begin());
        return byBase[row];
    }

    int rebuilds = 0;
};

TEST_F(DetailBurstTest, KeyPressRebuildsAllShareOneSnapshotAndKeepTheRowNumberRule)
{
    form->lvMaster->Select(RowOf(10));
    form->lvDetail->Select(2);
    ASSERT_EQ(CurrentModule(), "C:\\c.dll");
    snapshot.created.clear();
    rebuilds = 0;

    ::PostMessageA(form->lvMaster->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    app.ProcessMessages();
    ASSERT_EQ(form->lvMaster->Row(form->lvMaster->SelectedIndex()).data, 20);
    ASSERT_GE(rebuilds, 1);
    EXPECT_EQ(DetailSnapshots(), 1);
    EXPECT_EQ(CurrentModule(), AfterRebuilds(2, rebuilds)) << rebuilds << " rebuilds";
}

TEST_F(DetailBurstTest, RefreshTakesItsOwnSnapshotAndShowsTheSameAddressesWithoutReadingAgain)
{
    form->lvMaster->Select(RowOf(20));
    const std::vector<std::string> imageAddresses = {"50000000", "", ""};
    EXPECT_EQ(ColumnTexts(form->lvDetail->Handle(), 2), imageAddresses);
    const int reads = snapshot.reads;
    EXPECT_EQ(reads, 3 * 2);
    form->lvDetail->Select(2);
    snapshot.created.clear();
    rebuilds = 0;

    form->RefreshProcesses();
    EXPECT_EQ(DetailSnapshots(), 1);
    EXPECT_EQ(ColumnTexts(form->lvDetail->Handle(), 2), imageAddresses);
    EXPECT_EQ(snapshot.reads, reads);
    EXPECT_EQ(CurrentModule(), AfterRebuilds(2, rebuilds)) << rebuilds << " rebuilds";

    form->RefreshProcesses();
    EXPECT_EQ(DetailSnapshots(), 2);
}

} // namespace
