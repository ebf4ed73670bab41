#include "SyntheticSource.h"

#include <algorithm>
#include <cstring>
#include <random>
#include <string>

namespace bench {

namespace {

constexpr uint32_t kFirstModuleBase = 0x10000000;
constexpr uint32_t kModuleSpacing = 0x20000;
constexpr uint32_t kModuleCount = 0x4000;  // bases up to 0x90000000, some of them "negative"
constexpr uint32_t kNtHeadersOffset = 0x80;

bool IsModuleBase(uint32_t base)
{
    return base >= kFirstModuleBase && (base - kFirstModuleBase) % kModuleSpacing == 0 &&
           (base - kFirstModuleBase) / kModuleSpacing < kModuleCount;
}

uint32_t PreferredBase(uint32_t base)
{
    return ((base - kFirstModuleBase) / kModuleSpacing) % 3 == 0 ? base ^ 0x01000000u : base;
}

void PutLittleEndian(unsigned char* at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<unsigned char>(value >> (8 * i));
}

// The first page of a module: a DOS header pointing at NT headers that
// carry the preferred base.
int VANTORA_WINAPI ReadImage(uint32_t, const void* address, void* buffer, std::size_t count, std::size_t* copied)
{
    const auto at = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(address));
    const uint32_t base = at - at % kModuleSpacing;
    const uint32_t offset = at - base;
    constexpr uint32_t kPage = 0x1000;
    if (!IsModuleBase(base) || offset > kPage || count > kPage - offset)
        return 0;
    unsigned char page[kPage] = {};
    page[0] = 'M';
    page[1] = 'Z';
    PutLittleEndian(page + 60, kNtHeadersOffset);
    std::memcpy(page + kNtHeadersOffset, "PE\0\0", 4);
    PutLittleEndian(page + kNtHeadersOffset + 52, PreferredBase(base));
    std::memcpy(buffer, page + offset, count);
    if (copied)
        *copied = count;
    return 1;
}

} // namespace

SyntheticSource::SyntheticSource()
{
    fake::current = &snapshot_;
    kernel_.procs["Toolhelp32ReadProcessMemory"] = reinterpret_cast<core::RawProc>(&ReadImage);
}

SyntheticSource::~SyntheticSource()
{
    fake::current = nullptr;
}

void SyntheticSource::SetProcesses(int n)
{
    static const char* const kCommon[] = {"svchost.exe", "conhost.exe", "RuntimeBroker.exe", "explorer.exe"};
    std::mt19937 random(12345);
    std::vector<uint32_t> ids;
    for (int i = 0; i < n; ++i)
        ids.push_back(4u * static_cast<uint32_t>(i + 1) + 8u);
    std::shuffle(ids.begin(), ids.end(), random);
    snapshot_.processes.clear();
    for (int i = 0; i < n; ++i) {
        std::string name = i % 5 == 0 ? kCommon[(i / 5) % 4] : "Worker" + std::to_string(random() % 100000) + ".exe";
        snapshot_.processes.push_back({ids[static_cast<std::size_t>(i)], "C:\\Program Files\\Synthetic\\" + name});
    }
}

void SyntheticSource::SetModules(uint32_t processId, int n)
{
    snapshot_.onCreate = nullptr;
    snapshot_.modules.clear();
    const int count = std::min<int>(n, static_cast<int>(kModuleCount));
    for (int i = 0; i < count; ++i) {
        fake::Module module{processId, i % 7 == 0 ? 0xFFFFu : static_cast<uint32_t>(i % 4 + 1),
                            "C:\\Windows\\System32\\synthetic" + std::to_string(i) + ".dll"};
        // Spread over the address range so the sort by base has work to do.
        module.base = kFirstModuleBase + kModuleSpacing * static_cast<uint32_t>((i * 7919) % kModuleCount);
        module.size = 0x1000u * static_cast<uint32_t>(i % 64 + 1);
        snapshot_.modules.push_back(module);
    }
}

void SyntheticSource::SetModulesOfEveryProcess(int n)
{
    static const char* const kSystem[] = {"ntdll.dll", "kernel32.dll", "KERNELBASE.dll", "user32.dll",
                                          "gdi32.dll", "msvcrt.dll", "advapi32.dll", "combase.dll"};
    modulesOf_.clear();
    for (const fake::Process& process : snapshot_.processes) {
        std::vector<fake::Module>& modules = modulesOf_[process.id];
        for (int i = 0; i < n; ++i) {
            const std::string path =
                i % 2 == 1 ? std::string("C:\\Windows\\System32\\") + kSystem[(i / 2) % 8]
                           : "C:\\Program Files\\Synthetic\\lib" + std::to_string(process.id) + "_" +
                                 std::to_string(i) + ".dll";
            modules.push_back({process.id, 1, path, kFirstModuleBase + kModuleSpacing * static_cast<uint32_t>(i)});
        }
    }
    // Each snapshot lists the modules of the process it was taken of.
    snapshot_.onCreate = [this](uint32_t) {
        const auto found = modulesOf_.find(snapshot_.created.back().second);
        snapshot_.modules = found == modulesOf_.end() ? std::vector<fake::Module>{} : found->second;
    };
}

} // namespace bench
