#include "SyntheticSource.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <random>
#include <string>

namespace bench {

namespace {

// Where 64-bit system libraries load, and a 32-bit range with some
// "negative" addresses, each as far as the measured program can point.
constexpr uint64_t kFirstModuleBase = core::kIs64BitProgram ? 0x7FF8'0000'0000 : 0x1000'0000;
constexpr uint64_t kModuleSpacing = 0x20000;
constexpr uint64_t kModuleCount = 0x4000;
constexpr uint32_t kNtHeadersOffset = 0x80;
constexpr uint32_t kPage = 0x1000;

// The offsets of the NT headers' fields for each form.
constexpr uint32_t kMagicField = 24;
constexpr uint32_t kImageBase32Field = 52;
constexpr uint32_t kImageBase64Field = 48;
constexpr uint16_t kPe32Magic = 0x10B;
constexpr uint16_t kPe32PlusMagic = 0x20B;

// One source at a time is read; its header form is the readers' to know.
ImageHeaders currentHeaders = kHeadersOfThisProgram;

bool IsModuleBase(uint64_t base)
{
    return base >= kFirstModuleBase && (base - kFirstModuleBase) % kModuleSpacing == 0 &&
           (base - kFirstModuleBase) / kModuleSpacing < kModuleCount;
}

bool Relocated(uint64_t base)
{
    return ((base - kFirstModuleBase) / kModuleSpacing) % 3 == 0;
}

uint64_t PreferredBase(uint64_t base)
{
    return Relocated(base) ? base ^ 0x0100'0000u : base;
}

void PutLittleEndian(unsigned char* at, uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        at[i] = static_cast<unsigned char>(value >> (8 * i));
}

// The first page of a module: a DOS header pointing at NT headers that
// carry the preferred base in the source's form.
int VANTORA_WINAPI ReadImage(uint32_t, const void* address, void* buffer, std::size_t count, std::size_t* copied)
{
    const auto at = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(address));
    const uint64_t base = at - at % kModuleSpacing;
    const uint64_t offset = at - base;
    if (!IsModuleBase(base) || offset > kPage || count > kPage - offset)
        return 0;
    unsigned char page[kPage] = {};
    page[0] = 'M';
    page[1] = 'Z';
    PutLittleEndian(page + 60, kNtHeadersOffset, 4);
    unsigned char* nt = page + kNtHeadersOffset;
    std::memcpy(nt, "PE\0\0", 4);
    if (currentHeaders == ImageHeaders::Pe32Plus) {
        PutLittleEndian(nt + kMagicField, kPe32PlusMagic, 2);
        PutLittleEndian(nt + kImageBase64Field, PreferredBase(base), 8);
    } else {
        PutLittleEndian(nt + kMagicField, kPe32Magic, 2);
        PutLittleEndian(nt + kImageBase32Field, PreferredBase(base), 4);
    }
    std::memcpy(buffer, page + offset, count);
    if (copied)
        *copied = count;
    return 1;
}

} // namespace

SyntheticSource::SyntheticSource(ImageHeaders headers)
{
    fake::current = &snapshot_;
    currentHeaders = headers;
    kernel_.procs["Toolhelp32ReadProcessMemory"] = reinterpret_cast<core::RawProc>(&ReadImage);
}

SyntheticSource::~SyntheticSource()
{
    fake::current = nullptr;
    currentHeaders = kHeadersOfThisProgram;
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
    relocated_ = 0;
    const int count = std::min<int>(n, static_cast<int>(kModuleCount));
    for (int i = 0; i < count; ++i) {
        fake::Module module{processId, i % 7 == 0 ? 0xFFFFu : static_cast<uint32_t>(i % 4 + 1),
                            "C:\\Windows\\System32\\synthetic" + std::to_string(i) + ".dll"};
        // Spread over the address range so the sort by base has work to do.
        module.base = kFirstModuleBase + kModuleSpacing * static_cast<uint64_t>((i * 7919) % kModuleCount);
        module.size = 0x1000u * static_cast<uint32_t>(i % 64 + 1);
        relocated_ += Relocated(module.base) ? 1 : 0;
        snapshot_.modules.push_back(module);
    }
}

void SyntheticSource::Touch()
{
    // The case of the last two letters counts on with every call, so two
    // callers taking turns each find a spelling their own last call did not
    // (a flip between two would show each the same one every time); case
    // moves no name in a sort.
    ++touches_;
    const auto respell = [this](std::string& text) {
        int letter = 0;
        for (auto c = text.rbegin(); c != text.rend() && letter < 2; ++c) {
            if (std::isalpha(static_cast<unsigned char>(*c)) == 0)
                continue;
            const bool upper = ((touches_ >> letter) & 1) != 0;
            *c = static_cast<char>(upper ? std::toupper(static_cast<unsigned char>(*c))
                                         : std::tolower(static_cast<unsigned char>(*c)));
            ++letter;
        }
    };
    if (!snapshot_.processes.empty())
        respell(snapshot_.processes.back().exe);
    if (!snapshot_.modules.empty())
        respell(snapshot_.modules.back().path);
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
