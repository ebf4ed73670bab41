#include "processes/FakeToolhelp.h"

#include "core/processes/LoadedModules.h"
#include "core/processes/ModuleFinder.h"

#include <gtest/gtest.h>

namespace {

// The system folds more than ASCII; these names need no more.
std::u16string FoldAscii(std::string_view text)
{
    std::u16string folded;
    for (char c : text)
        folded.push_back(static_cast<char16_t>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c));
    return folded;
}

std::vector<std::string> FoundPaths(const core::ModuleFinder& finder)
{
    std::vector<std::string> paths;
    for (int i = 0; i < finder.FoundCount(); ++i)
        paths.push_back(finder.Found(i).path);
    return paths;
}

using Paths = std::vector<std::string>;

TEST(ModuleFinderTest, FindsTheTextInTheFileNameWithCaseIgnored)
{
    core::ModuleFinder finder(FoldAscii);
    finder.SetModules({{4, "a.exe", "C:\\Windows\\System32\\KERNEL32.DLL", 0x1000},
                       {4, "a.exe", "C:\\Kernel Tools\\tool.exe", 0x2000},
                       {8, "b.exe", "C:\\Windows\\System32\\user32.dll", 0x3000},
                       {8, "b.exe", "C:\\x\\MyKernel.dll", 0x4000}});
    EXPECT_EQ(FoundPaths(finder), Paths{});

    finder.Filter("kernel");
    EXPECT_EQ(FoundPaths(finder), (Paths{"C:\\Windows\\System32\\KERNEL32.DLL", "C:\\x\\MyKernel.dll"}));
    finder.Filter("32.d");
    EXPECT_EQ(FoundPaths(finder), (Paths{"C:\\Windows\\System32\\KERNEL32.DLL", "C:\\Windows\\System32\\user32.dll"}));
    finder.Filter("system32");
    EXPECT_EQ(FoundPaths(finder), Paths{});

    finder.Filter("");
    ASSERT_EQ(finder.FoundCount(), 4);
    EXPECT_EQ(finder.Found(3).processId, 8u);
    EXPECT_EQ(finder.Found(3).base, 0x4000u);
}

class LoadedModulesTest : public ::testing::Test {
protected:
    void SetUp() override { fake::current = &snapshot; }
    void TearDown() override { fake::current = nullptr; }

    fake::Snapshot snapshot;
    fake::Kernel kernel;
    core::ToolhelpBinding binding{kernel};
};

TEST_F(LoadedModulesTest, SkipsAProcessWhoseModulesCannotBeReadAndClosesEverySnapshot)
{
    constexpr uint32_t kFlags = 8;
    snapshot.processes = {{0, "[System Process]"}, {10, "C:\\apps\\alpha.exe"}, {20, "beta.exe"}, {30, "gamma.exe"}};
    snapshot.modules = {{0, 1, "C:\\lib\\one.dll", 0x10000000}};
    snapshot.onCreate = [this](uint32_t) { snapshot.refuse = snapshot.created.back().second == 20; };

    const std::vector<core::LoadedModule> modules = core::ReadLoadedModules(binding, kFlags);

    ASSERT_EQ(modules.size(), 2u);
    EXPECT_EQ(modules[0].processId, 10u);
    EXPECT_EQ(modules[0].processName, "alpha.exe");
    EXPECT_EQ(modules[0].path, "C:\\lib\\one.dll");
    EXPECT_EQ(modules[0].base, 0x10000000u);
    EXPECT_EQ(modules[1].processId, 30u);
    EXPECT_EQ(modules[1].processName, "gamma.exe");
    EXPECT_EQ(snapshot.created,
              (std::vector<std::pair<uint32_t, uint32_t>>{{2, 0}, {kFlags, 10}, {kFlags, 20}, {kFlags, 30}}));
    EXPECT_EQ(kernel.closed.size(), 3u);
}

} // namespace
