#include "MainWindowFixture.h"
#include "core/ui/TextFormat.h"

namespace {

using ProcessListTest = MainWindowTest;

TEST_F(ProcessListTest, ListsRunningProcessesWithHexIdAndFileName)
{
    testsupport::ChildProcess child;
    form->RefreshProcesses();

    const int row = RowOf(child.Id());
    ASSERT_GE(row, 0);
    HWND list = form->lvMaster->Handle();
    EXPECT_EQ(CellText(list, row, 0), core::HexId(child.Id()));
    EXPECT_EQ(CellText(list, row, 1), "test_child.exe");
    EXPECT_GE(RowOf(::GetCurrentProcessId()), 0);
    EXPECT_EQ(RowOf(0), -1);
}

TEST_F(ProcessListTest, RowsAreInProcessIdOrder)
{
    form->RefreshProcesses();
    ASSERT_GT(form->lvMaster->Count(), 1);
    for (int i = 1; i < form->lvMaster->Count(); ++i)
        EXPECT_LT(static_cast<uint32_t>(form->lvMaster->Row(i - 1).data),
                  static_cast<uint32_t>(form->lvMaster->Row(i).data));
}

class ScriptedProcessListTest : public FakeMainWindowTest {};

TEST_F(ScriptedProcessListTest, SelectionFollowsTheProcessWhenTheSortMovesIt)
{
    snapshot.processes = {{50, "e.exe"}, {20, "b.exe"}, {40, "d.exe"}, {10, "a.exe"}, {30, "c.exe"}};
    form->RefreshProcesses();
    EXPECT_EQ(ProcessOrder(), (std::vector<uint32_t>{10, 20, 30, 40, 50}));
    const int before = RowOf(20);
    ASSERT_EQ(before, 1);
    form->lvMaster->Select(before);

    static_cast<core::SortState*>(form->lvMaster->Tag)->descending = true;
    form->RefreshProcesses();
    EXPECT_EQ(ProcessOrder(), (std::vector<uint32_t>{50, 40, 30, 20, 10}));
    EXPECT_EQ(form->lvMaster->SelectedIndex(), 3);
    EXPECT_EQ(form->lvMaster->Row(3).data, 20);
}

TEST_F(ScriptedProcessListTest, ProcessThatStartedIsListedInItsPlaceAndOneThatEndedIsGone)
{
    snapshot.processes = {{30, "c.exe"}, {10, "a.exe"}};
    form->RefreshProcesses();
    form->lvMaster->Select(RowOf(30));
    snapshot.processes = {{30, "c.exe"}, {20, "b.exe"}};
    form->RefreshProcesses();
    EXPECT_EQ(ProcessOrder(), (std::vector<uint32_t>{20, 30}));
    EXPECT_EQ(form->lvMaster->SelectedIndex(), 1);
    EXPECT_EQ(CellText(form->lvMaster->Handle(), 0, 0), "00000014");
}

TEST_F(ProcessListTest, NothingSelectedStaysUnselected)
{
    form->RefreshProcesses();
    form->RefreshProcesses();
    EXPECT_EQ(form->lvMaster->SelectedIndex(), -1);
}

TEST_F(ProcessListTest, ExitedSelectedProcessLeavesNoSelection)
{
    testsupport::ChildProcess child;
    form->RefreshProcesses();
    ASSERT_GE(RowOf(child.Id()), 0);
    form->lvMaster->Select(RowOf(child.Id()));
    child.End();
    form->RefreshProcesses();
    EXPECT_EQ(RowOf(child.Id()), -1);
    EXPECT_EQ(form->lvMaster->SelectedIndex(), -1);
}

} // namespace
