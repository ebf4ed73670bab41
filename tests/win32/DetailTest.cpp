#include "FakeToolhelp.h"
#include "MainWindowFixture.h"
#include "app/ImageProbe.h"
#include "core/TextFormat.h"

namespace {

class DetailTest : public MainWindowTest {
protected:
    // The module row whose path ends with the given file name, or -1.
    int ModuleRow(const std::string& fileName) const
    {
        for (int i = 0; i < form->lvDetail->Count(); ++i) {
            if (core::FileNamePart(CellText(form->lvDetail->Handle(), i, 4)) == fileName)
                return i;
        }
        return -1;
    }

    void SelectProcess(DWORD id)
    {
        form->RefreshProcesses();
        const int row = RowOf(id);
        ASSERT_GE(row, 0);
        form->lvMaster->Select(row);
    }
};

TEST_F(DetailTest, SummaryOfOwnProcessAndItsExecutableAtItsPreferredBase)
{
    SelectProcess(::GetCurrentProcessId());

    char path[MAX_PATH] = {};
    ASSERT_NE(::GetModuleFileNameA(nullptr, path, sizeof path), 0u);
    char label[2048] = {};
    ::GetWindowTextA(form->lDetailInfo->Handle(), label, sizeof label);
    const std::string text = label;
    const std::string idLine = "\rProcess ID: " + core::HexId(::GetCurrentProcessId()) + "\r";
    EXPECT_EQ(text.rfind("Executable file name: ", 0), 0u) << text;
    EXPECT_NE(text.find(core::FileNamePart(path)), std::string::npos) << text;
    EXPECT_NE(text.find(idLine), std::string::npos) << text;
    EXPECT_NE(text.find("\rPriority class: "), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 22), "\r\rModules information:");
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_TRUE(form->lDetailInfo->Visible());
    EXPECT_TRUE(::GetWindowLongA(form->lDetailInfo->Handle(), GWL_STYLE) & WS_VISIBLE);

    const int self = ModuleRow("win32_tests.exe");
    ASSERT_GE(self, 0);
    HWND list = form->lvDetail->Handle();
    EXPECT_EQ(CellText(list, self, 1), core::HexId(static_cast<uint32_t>(
                                            reinterpret_cast<uintptr_t>(::GetModuleHandleA(nullptr)))));
    EXPECT_EQ(CellText(list, self, 2), "");
    EXPECT_EQ(form->lvDetail->Row(self).image, 1);
}

TEST_F(DetailTest, RelocatedLibraryShowsItsPreferredAddress)
{
    HMODULE library = ::LoadLibraryA("reloc_probe.dll");
    ASSERT_NE(library, nullptr);
    const auto base = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(library));
    ASSERT_NE(base, 0x400000u) << "the loader did not have to relocate it";
    EXPECT_EQ(GetPreferredImageBase(::GetCurrentProcessId(), base), 0x400000u);

    SelectProcess(::GetCurrentProcessId());
    const int row = ModuleRow("reloc_probe.dll");
    ASSERT_GE(row, 0);
    EXPECT_EQ(CellText(form->lvDetail->Handle(), row, 1), core::HexId(base));
    EXPECT_EQ(CellText(form->lvDetail->Handle(), row, 2), "00400000");
    ::FreeLibrary(library);
}

TEST_F(DetailTest, ProbeOfUnreadableMemoryGivesZero)
{
    EXPECT_EQ(GetPreferredImageBase(::GetCurrentProcessId(), 0x1000), 0u);
    testsupport::ChildProcess child;
    const DWORD gone = child.Id();
    child.End();
    EXPECT_EQ(GetPreferredImageBase(gone, 0x400000), 0u);
}

TEST_F(DetailTest, ProcessThatExitsBeforeTheDetailSnapshotLeavesNothingShown)
{
    SelectProcess(::GetCurrentProcessId());
    char before[2048] = {};
    ::GetWindowTextA(form->lDetailInfo->Handle(), before, sizeof before);
    ASSERT_GT(form->lvDetail->Count(), 0);

    testsupport::ChildProcess child;
    form->RefreshProcesses();
    const int row = RowOf(child.Id());
    ASSERT_GE(row, 0);
    child.End();
    form->lvMaster->Select(row);

    EXPECT_EQ(form->lvDetail->Count(), 0);
    EXPECT_FALSE(::GetWindowLongA(form->lDetailInfo->Handle(), GWL_STYLE) & WS_VISIBLE);
    char after[2048] = {};
    ::GetWindowTextA(form->lDetailInfo->Handle(), after, sizeof after);
    EXPECT_STREQ(after, before);
    EXPECT_EQ(RowOf(child.Id()), row);
}

class ModuleRowRetentionTest : public DetailTest {
protected:
    void SetUp() override { fake::current = &snapshot; }
    void TearDown() override { fake::current = nullptr; }

    void Rebuild(std::vector<fake::Module> modules)
    {
        snapshot.modules = std::move(modules);
        core::TToolHelper helper(binding, core::kSnapAll, 1);
        form->FillModuleList(*form->lvDetail, helper);
    }

    fake::Snapshot snapshot;
    fake::Kernel kernel;
    core::ToolhelpBinding binding{kernel};
};

TEST_F(ModuleRowRetentionTest, KeepsTheRowNumberClampedToTheNewRows)
{
    Rebuild({{1, 1, "a.dll"}, {1, 65535, "b.dll"}, {1, 3, "c.dll"}});
    EXPECT_EQ(form->lvDetail->SelectedIndex(), 0);
    EXPECT_EQ(CellText(form->lvDetail->Handle(), 1, 0), "Fixed");
    EXPECT_EQ(CellText(form->lvDetail->Handle(), 1, 2), "00000000");

    form->lvDetail->Select(2);
    Rebuild({{1, 7, "d.dll"}, {1, 8, "e.dll"}, {1, 9, "f.dll"}, {1, 10, "g.dll"}});
    EXPECT_EQ(form->lvDetail->SelectedIndex(), 2);

    Rebuild({{1, 5, "only.dll"}});
    EXPECT_EQ(form->lvDetail->SelectedIndex(), 0);

    Rebuild({});
    EXPECT_EQ(form->lvDetail->Count(), 0);
    EXPECT_EQ(form->lvDetail->SelectedIndex(), -1);
}

} // namespace
