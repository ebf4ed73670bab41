#include "processes/FakeToolhelp.h"

#include <gtest/gtest.h>

namespace {

TEST(ToolhelpBindingTest, LooksUpAllSixteenNamesOnceInOrder)
{
    fake::Kernel kernel;
    core::ToolhelpBinding binding(kernel);
    EXPECT_TRUE(binding.Bind());
    EXPECT_TRUE(binding.Bind());
    EXPECT_EQ(kernel.moduleLookups, std::vector<std::string>{"kernel32.dll"});
    EXPECT_EQ(kernel.procLookups,
              (std::vector<std::string>{"CreateToolhelp32Snapshot", "Heap32ListFirst", "Heap32ListNext",
                                        "Heap32First", "Heap32Next", "Toolhelp32ReadProcessMemory",
                                        "Process32First", "Process32Next", "Process32FirstW", "Process32NextW",
                                        "Thread32First", "Thread32Next", "Module32First", "Module32Next",
                                        "Module32FirstW", "Module32NextW"}));
}

TEST(ToolhelpBindingTest, FailedModuleLookupIsRetriedUntilItSucceeds)
{
    fake::Snapshot snapshot;
    fake::current = &snapshot;
    fake::Kernel kernel;
    kernel.moduleFound = false;
    core::ToolhelpBinding binding(kernel);

    EXPECT_EQ(binding.CreateToolhelp32Snapshot(2, 0), nullptr);
    EXPECT_FALSE(binding.Bind());
    EXPECT_EQ(kernel.moduleLookups.size(), 2u);
    EXPECT_TRUE(kernel.procLookups.empty());
    EXPECT_TRUE(snapshot.created.empty());

    kernel.moduleFound = true;
    EXPECT_EQ(binding.CreateToolhelp32Snapshot(2, 0), &snapshot);
    EXPECT_TRUE(binding.Bind());
    EXPECT_EQ(kernel.moduleLookups.size(), 3u);
    EXPECT_EQ(kernel.procLookups.size(), 16u);
    fake::current = nullptr;
}

TEST(ToolhelpBindingTest, KernelWithoutSnapshotFunctionFailsForGoodAfterOneLookup)
{
    fake::Kernel kernel;
    kernel.procs.erase("CreateToolhelp32Snapshot");
    core::ToolhelpBinding binding(kernel);
    core::ProcessEntry32 entry{};
    std::size_t copied = 0;
    char buffer[4];

    EXPECT_EQ(binding.CreateToolhelp32Snapshot(2, 0), nullptr);
    EXPECT_EQ(binding.Process32First(core::InvalidSnapshot(), &entry), 0);
    EXPECT_EQ(binding.Toolhelp32ReadProcessMemory(1, nullptr, buffer, 4, &copied), 0);
    EXPECT_FALSE(binding.Bind());
    EXPECT_EQ(kernel.moduleLookups.size(), 1u);
    EXPECT_EQ(kernel.procLookups.size(), 16u);
}

TEST(ToolhelpBindingTest, WrapperWithoutItsOwnEntryPointReturnsZero)
{
    fake::Snapshot snapshot;
    snapshot.processes = {{4, "System"}};
    fake::current = &snapshot;
    fake::Kernel kernel;
    kernel.procs.erase("Process32First");
    core::ToolhelpBinding binding(kernel);
    core::ProcessEntry32 entry{};

    EXPECT_TRUE(binding.Bind());
    EXPECT_EQ(binding.Process32First(&snapshot, &entry), 0);
    EXPECT_EQ(binding.Process32Next(&snapshot, &entry), 1);
    fake::current = nullptr;
}

} // namespace
