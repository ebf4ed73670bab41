#include "processes/FakeToolhelp.h"

#include "core/processes/ToolHelper.h"

#include <gtest/gtest.h>

namespace {

class ToolHelperTest : public ::testing::Test {
protected:
    void SetUp() override { fake::current = &snapshot; }
    void TearDown() override { fake::current = nullptr; }

    std::vector<uint32_t> WalkProcesses()
    {
        core::TToolHelper helper(binding, core::kSnapProcess, 0);
        core::ProcessEntry32 entry{};
        entry.dwSize = sizeof entry;
        std::vector<uint32_t> ids;
        for (bool more = helper.ProcessFirst(entry); more; more = helper.ProcessNext(entry))
            ids.push_back(entry.th32ProcessID);
        return ids;
    }

    fake::Snapshot snapshot;
    fake::Kernel kernel;
    core::ToolhelpBinding binding{kernel};
};

using Ids = std::vector<uint32_t>;

TEST_F(ToolHelperTest, ProcessWalkNeverDeliversIdZero)
{
    snapshot.processes = {{0, "[System Process]"}, {4, "System"}, {8, "a.exe"}};
    EXPECT_EQ(WalkProcesses(), (Ids{4, 8}));

    snapshot.processes = {{0, ""}, {0, ""}, {0, ""}, {12, "b.exe"}};
    EXPECT_EQ(WalkProcesses(), (Ids{12}));

    snapshot.processes = {{4, ""}, {0, ""}, {0, ""}, {9, ""}, {0, ""}};
    EXPECT_EQ(WalkProcesses(), (Ids{4, 9}));

    snapshot.processes = {{0, ""}, {0, ""}};
    EXPECT_EQ(WalkProcesses(), Ids{});
}

TEST_F(ToolHelperTest, ModuleWalkDeliversEveryEntry)
{
    snapshot.modules = {{0, 0, ""}, {0, 65535, "x.dll"}, {7, 1, "y.dll"}};
    core::TToolHelper helper(binding, core::kSnapAll, 7);
    core::ModuleEntry32 entry{};
    entry.dwSize = sizeof entry;
    std::vector<std::string> paths;
    for (bool more = helper.ModuleFirst(entry); more; more = helper.ModuleNext(entry))
        paths.emplace_back(core::FieldText(entry.szExePath));
    EXPECT_EQ(paths, (std::vector<std::string>{"", "x.dll", "y.dll"}));
    EXPECT_EQ(snapshot.created, (std::vector<std::pair<uint32_t, uint32_t>>{{15, 7}}));
}

TEST_F(ToolHelperTest, SnapshotIsClosedExactlyOnceAtDestruction)
{
    {
        core::TToolHelper helper(binding, core::kSnapProcess, 0);
        EXPECT_EQ(helper.Snapshot(), &snapshot);
        EXPECT_TRUE(kernel.closed.empty());
    }
    EXPECT_EQ(kernel.closed, std::vector<core::SnapshotHandle>{&snapshot});
}

TEST_F(ToolHelperTest, FlagsZeroTakesNothingAndClosesNothing)
{
    snapshot.processes = {{4, "System"}};
    {
        core::TToolHelper helper(binding, 0, 0);
        EXPECT_EQ(helper.Snapshot(), core::InvalidSnapshot());
        core::ProcessEntry32 entry{};
        core::ModuleEntry32 module{};
        EXPECT_FALSE(helper.ProcessFirst(entry));
        EXPECT_FALSE(helper.ModuleFirst(module));
    }
    EXPECT_TRUE(snapshot.created.empty());
    EXPECT_TRUE(kernel.closed.empty());
}

TEST_F(ToolHelperTest, RefusedSnapshotWalksNothingAndClosesNothing)
{
    snapshot.refuse = true;
    snapshot.processes = {{4, "System"}};
    snapshot.modules = {{4, 1, "k.dll"}};
    {
        core::TToolHelper helper(binding, core::kSnapAll, 4);
        core::ProcessEntry32 entry{};
        core::ModuleEntry32 module{};
        EXPECT_FALSE(helper.ProcessFirst(entry));
        EXPECT_FALSE(helper.ModuleFirst(module));
    }
    EXPECT_TRUE(kernel.closed.empty());
}

TEST_F(ToolHelperTest, SnapshotRefusedForBadLengthIsTakenAgain)
{
    using core::kErrorBadLength;
    snapshot.processes = {{4, "System"}, {7, "a.exe"}};
    snapshot.modules = {{7, 1, "a.exe"}};
    snapshot.refusals.assign(core::kSnapshotAttempts - 1, kErrorBadLength);
    {
        core::TToolHelper helper(binding, core::kSnapAll, 7);
        EXPECT_EQ(helper.Snapshot(), &snapshot);
        core::ModuleEntry32 module{};
        module.dwSize = sizeof module;
        EXPECT_TRUE(helper.ModuleFirst(module));
        EXPECT_EQ(core::FieldText(module.szExePath), "a.exe");
    }
    EXPECT_EQ(snapshot.created.size(), static_cast<std::size_t>(core::kSnapshotAttempts));
    EXPECT_EQ(snapshot.created.back(), (std::pair<uint32_t, uint32_t>{15, 7}));
    // Only the granted snapshot is closed, once.
    EXPECT_EQ(kernel.closed, std::vector<core::SnapshotHandle>{&snapshot});
}

TEST_F(ToolHelperTest, BadLengthRetriesAreBounded)
{
    // Far more refusals than any sensible number of tries: a helper that kept
    // asking would use them up and get the snapshot after all.
    snapshot.refusals.assign(1000, core::kErrorBadLength);
    snapshot.processes = {{4, "System"}};
    {
        core::TToolHelper helper(binding, core::kSnapProcess, 0);
        EXPECT_EQ(helper.Snapshot(), core::InvalidSnapshot());
        core::ProcessEntry32 entry{};
        EXPECT_FALSE(helper.ProcessFirst(entry));
    }
    EXPECT_EQ(snapshot.created.size(), 5u);
    EXPECT_TRUE(kernel.closed.empty());
}

TEST_F(ToolHelperTest, OtherRefusalsAreFinal)
{
    // Access denied at once: one try.
    snapshot.refusals = {fake::kErrorAccessDenied};
    {
        core::TToolHelper helper(binding, core::kSnapAll, 7);
        EXPECT_EQ(helper.Snapshot(), core::InvalidSnapshot());
    }
    EXPECT_EQ(snapshot.created.size(), 1u);

    // A bad length, then the process is gone: the second answer stands.
    snapshot.created.clear();
    snapshot.refusals = {core::kErrorBadLength, 87 /* ERROR_INVALID_PARAMETER */};
    {
        core::TToolHelper helper(binding, core::kSnapAll, 7);
        EXPECT_EQ(helper.Snapshot(), core::InvalidSnapshot());
    }
    EXPECT_EQ(snapshot.created.size(), 2u);
    EXPECT_TRUE(kernel.closed.empty());
}

TEST_F(ToolHelperTest, FailedBindingGivesEmptyWalksAndClosesTheZeroHandle)
{
    kernel.moduleFound = false;
    snapshot.processes = {{4, "System"}};
    {
        core::TToolHelper helper(binding, core::kSnapProcess, 0);
        EXPECT_EQ(helper.Snapshot(), nullptr);
        core::ProcessEntry32 entry{};
        EXPECT_FALSE(helper.ProcessFirst(entry));
    }
    EXPECT_EQ(kernel.closed, std::vector<core::SnapshotHandle>{nullptr});
}

} // namespace
