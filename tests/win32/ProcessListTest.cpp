#include "MainWindowFixture.h"
#include "core/TextFormat.h"

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

TEST_F(ProcessListTest, SelectionFollowsTheProcessWhenTheSortMovesIt)
{
    testsupport::ChildProcess child;
    form->RefreshProcesses();
    const int before = RowOf(child.Id());
    ASSERT_GE(before, 0);
    form->lvMaster->Select(before);

    static_cast<core::SortState*>(form->lvMaster->Tag)->descending = true;
    form->RefreshProcesses();

    const int after = form->lvMaster->SelectedIndex();
    ASSERT_GE(after, 0);
    EXPECT_EQ(form->lvMaster->Row(after).data, static_cast<intptr_t>(child.Id()));
    EXPECT_EQ(after, RowOf(child.Id()));
    EXPECT_NE(after, before);
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
    form->lvMaster->Select(RowOf(child.Id()));
    child.End();
    form->RefreshProcesses();
    EXPECT_EQ(RowOf(child.Id()), -1);
    EXPECT_EQ(form->lvMaster->SelectedIndex(), -1);
}

} // namespace
