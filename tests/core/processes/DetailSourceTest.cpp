#include "processes/FakeToolhelp.h"

#include "core/processes/DetailSource.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kFlags = 10;  // processes and modules
constexpr uint32_t kPid = 40;
// Two reads per probed module: the DOS header, then the NT headers.
constexpr int kReadsPerProbe = 2;

class DetailSourceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake::current = &snapshot;
        snapshot.processes = {{8, "services.exe"}, {kPid, "explorer.exe", 8, 3}};
        snapshot.modules = {{kPid, 1, "C:\\windows\\explorer.exe", 0x10000000, 0x4000},
                            {kPid, 2, "C:\\windows\\system32\\user32.dll", 0x20000000, 0x9000}};
        snapshot.images = {{0x10000000, 0x10000000}, {0x20000000, 0x30000000}};
    }
    void TearDown() override { fake::current = nullptr; }

    int Snapshots() const { return static_cast<int>(snapshot.created.size()); }

    // A refill of the process list, as it names what it lists.
    void ListProcesses()
    {
        core::ProbeCache& probes = source.Probes();
        probes.BeginListing();
        for (const fake::Process& p : snapshot.processes) {
            core::ProcessEntry32 entry{};
            entry.th32ProcessID = p.id;
            entry.th32ParentProcessID = p.parent;
            std::memcpy(entry.szExeFile, p.exe.data(), p.exe.size());
            probes.Listed(entry);
        }
        probes.EndListing();
    }

    std::vector<uint64_t> Preferred(const core::ProcessDetails& details)
    {
        std::vector<uint64_t> preferred;
        for (const core::ModuleDetails& module : details.modules)
            preferred.push_back(module.preferred);
        return preferred;
    }

    fake::Snapshot snapshot;
    fake::Kernel kernel;
    core::ToolhelpBinding binding{kernel};
    core::DetailSource source{binding, kFlags};
};

using Addresses = std::vector<uint64_t>;

TEST_F(DetailSourceTest, RebuildsOfOneBurstShareOneSnapshotALaterBurstTakesItsOwn)
{
    {
        core::DetailSource::Burst burst(source);
        const auto first = source.Details(kPid);
        // The process changed meanwhile: the burst still shows what its first walk found.
        snapshot.modules.pop_back();
        const auto second = source.Details(kPid);
        EXPECT_EQ(Snapshots(), 1);
        EXPECT_EQ(second->modules.size(), 2u);
        EXPECT_EQ(second->entry.cntThreads, 3u);
        EXPECT_EQ(Preferred(*first), (Addresses{0x10000000, 0x30000000}));
    }
    EXPECT_EQ(snapshot.created.front(), (std::pair<uint32_t, uint32_t>{kFlags, kPid}));
    {
        core::DetailSource::Burst burst(source);
        EXPECT_EQ(source.Details(kPid)->modules.size(), 1u);
        EXPECT_EQ(Snapshots(), 2);
        // A refresh that begins inside it (a tick behind a modal box) takes its own.
        core::DetailSource::Burst refresh(source);
        source.Details(kPid);
        EXPECT_EQ(Snapshots(), 3);
    }
    // Outside any burst every rebuild takes its own.
    source.Details(kPid);
    source.Details(kPid);
    EXPECT_EQ(Snapshots(), 5);
    EXPECT_EQ(kernel.closed.size(), 5u);
}

TEST_F(DetailSourceTest, ModuleReplacedAtTheSameBaseIsProbedAnew)
{
    EXPECT_EQ(Preferred(*source.Details(kPid)), (Addresses{0x10000000, 0x30000000}));
    EXPECT_EQ(snapshot.reads, 2 * kReadsPerProbe);
    source.Details(kPid);
    EXPECT_EQ(snapshot.reads, 2 * kReadsPerProbe) << "unchanged modules are not read again";

    // Unloaded, and another one loaded at its base: first of another size,
    // then of the same size from another path.
    snapshot.images[0x20000000] = 0x50000000;
    snapshot.modules[1].size = 0xA000;
    EXPECT_EQ(Preferred(*source.Details(kPid)), (Addresses{0x10000000, 0x50000000}));
    EXPECT_EQ(snapshot.reads, 3 * kReadsPerProbe);
    snapshot.images[0x20000000] = 0x60000000;
    snapshot.modules[1].path = "C:\\windows\\system32\\gdi32.dll";
    EXPECT_EQ(Preferred(*source.Details(kPid)), (Addresses{0x10000000, 0x60000000}));
    EXPECT_EQ(snapshot.reads, 4 * kReadsPerProbe);

    // Gone for one walk, then back as it was: it was unloaded in between.
    const fake::Module module = snapshot.modules[1];
    snapshot.modules.pop_back();
    source.Details(kPid);
    snapshot.modules.push_back(module);
    source.Details(kPid);
    EXPECT_EQ(snapshot.reads, 5 * kReadsPerProbe);
}

TEST_F(DetailSourceTest, FailedProbeIsNotKept)
{
    snapshot.images.erase(0x20000000);
    EXPECT_EQ(Preferred(*source.Details(kPid)), (Addresses{0x10000000, 0}));
    snapshot.images[0x20000000] = 0x30000000;
    EXPECT_EQ(Preferred(*source.Details(kPid)), (Addresses{0x10000000, 0x30000000}));
    EXPECT_EQ(snapshot.reads, kReadsPerProbe + 1 + kReadsPerProbe) << "the DOS header read failed once";
}

TEST_F(DetailSourceTest, ProcessThatLeftTheListLeavesNothingBehind)
{
    source.Details(kPid);
    ListProcesses();
    EXPECT_EQ(source.Probes().ModuleCount(), 2u);

    snapshot.processes.pop_back();
    ListProcesses();
    EXPECT_EQ(source.Probes().ProcessCount(), 0u);
    EXPECT_EQ(source.Probes().ModuleCount(), 0u);

    // Its id given again to another program (another executable, or the same
    // one started by another parent): read anew.
    snapshot.processes.push_back({kPid, "explorer.exe", 8});
    source.Details(kPid);
    snapshot.processes.back() = {kPid, "notepad.exe", 8};
    source.Details(kPid);
    snapshot.processes.back() = {kPid, "notepad.exe", 12};
    ListProcesses();
    EXPECT_EQ(source.Probes().ProcessCount(), 0u);
    source.Details(kPid);
    EXPECT_EQ(snapshot.reads, 4 * 2 * kReadsPerProbe);
}

} // namespace
