#include "TestSupport.h"
#include "app/SystemToolhelp.h"
#include "core/ui/TextFormat.h"
#include "core/processes/ToolHelper.h"

#include <gtest/gtest.h>

#include <map>

namespace {

std::map<uint32_t, core::ProcessEntry32> TakeProcesses()
{
    core::TToolHelper snapshot(SystemToolhelp(), core::kSnapProcess, 0);
    core::ProcessEntry32 entry{};
    entry.dwSize = sizeof entry;
    std::map<uint32_t, core::ProcessEntry32> found;
    for (bool more = snapshot.ProcessFirst(entry); more; more = snapshot.ProcessNext(entry))
        found[entry.th32ProcessID] = entry;
    return found;
}

TEST(SnapshotTest, ListsOwnChildWithItsNameAndOurIdAsParent)
{
    testsupport::ChildProcess child;
    ASSERT_NE(child.Id(), 0u);
    const auto processes = TakeProcesses();

    ASSERT_TRUE(processes.count(::GetCurrentProcessId()));
    ASSERT_TRUE(processes.count(child.Id()));
    const auto& entry = processes.at(child.Id());
    EXPECT_EQ(core::FileNamePart(core::FieldText(entry.szExeFile)), "test_child.exe");
    EXPECT_EQ(entry.th32ParentProcessID, ::GetCurrentProcessId());
    EXPECT_GE(entry.cntThreads, 1u);
    EXPECT_FALSE(processes.count(0));
}

TEST(SnapshotTest, OwnModulesIncludeTheExecutableAtItsLoadAddress)
{
    core::TToolHelper snapshot(SystemToolhelp(), core::kSnapAll, ::GetCurrentProcessId());
    core::ModuleEntry32 module{};
    module.dwSize = sizeof module;
    bool sawSelf = false;
    for (bool more = snapshot.ModuleFirst(module); more; more = snapshot.ModuleNext(module)) {
        if (module.modBaseAddr == reinterpret_cast<uint8_t*>(::GetModuleHandleA(nullptr)))
            sawSelf = core::FileNamePart(core::FieldText(module.szExePath)) == "win32_tests.exe";
    }
    EXPECT_TRUE(sawSelf);
}

TEST(SnapshotTest, ExitedProcessGivesNoModules)
{
    testsupport::ChildProcess child;
    const DWORD id = child.Id();
    child.End();
    core::TToolHelper snapshot(SystemToolhelp(), core::kSnapAll, id);
    core::ModuleEntry32 module{};
    module.dwSize = sizeof module;
    EXPECT_FALSE(snapshot.ModuleFirst(module));
}

} // namespace
