// A scripted stand-in for the kernel's Toolhelp functions.
#pragma once

#include "core/processes/ToolhelpBinding.h"

#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace fake {

struct Process {
    uint32_t id;
    std::string exe;
    uint32_t parent = 0;
    uint32_t threads = 0;
};

struct Module {
    uint32_t processId;
    uint32_t usage;
    std::string path;
    uint64_t base = 0x10000000;
    uint32_t size = 0x1000;
};

// The state the fake entry points read; one scenario at a time.
struct Snapshot {
    std::vector<Process> processes;
    std::vector<Module> modules;
    bool refuse = false;  // every snapshot, with ERROR_ACCESS_DENIED
    // Refusals before any snapshot is granted, one per call: each one's error code.
    std::vector<uint32_t> refusals;
    uint32_t lastError = 0;
    std::size_t processCursor = 0;
    std::size_t moduleCursor = 0;
    std::vector<std::pair<uint32_t, uint32_t>> created;  // (flags, process id)
    // Runs as each snapshot is taken, before the walk: a test's way in.
    std::function<void(uint32_t flags)> onCreate;
    // Image headers in the processes' memory, by module base: the preferred
    // base each one names. Every other address is unreadable.
    std::map<uint64_t, uint32_t> images;
    int reads = 0;  // memory reads asked for
};

inline Snapshot* current = nullptr;

constexpr uint32_t kErrorAccessDenied = 5;

inline core::SnapshotHandle VANTORA_WINAPI CreateSnapshot(uint32_t flags, uint32_t processId)
{
    current->created.emplace_back(flags, processId);
    if (current->onCreate)
        current->onCreate(flags);
    if (!current->refusals.empty()) {
        current->lastError = current->refusals.front();
        current->refusals.erase(current->refusals.begin());
        return core::InvalidSnapshot();
    }
    if (current->refuse) {
        current->lastError = kErrorAccessDenied;
        return core::InvalidSnapshot();
    }
    return static_cast<core::SnapshotHandle>(current);
}

inline int Deliver(core::SnapshotHandle handle, core::ProcessEntry32* entry, bool first)
{
    if (handle != current)
        return 0;
    if (first)
        current->processCursor = 0;
    if (current->processCursor >= current->processes.size())
        return 0;
    const Process& p = current->processes[current->processCursor++];
    entry->th32ProcessID = p.id;
    entry->th32ParentProcessID = p.parent;
    entry->cntThreads = p.threads;
    std::memset(entry->szExeFile, 0, sizeof entry->szExeFile);
    std::memcpy(entry->szExeFile, p.exe.data(), std::min(p.exe.size(), sizeof entry->szExeFile));
    return 1;
}

inline int DeliverModule(core::SnapshotHandle handle, core::ModuleEntry32* entry, bool first)
{
    if (handle != current)
        return 0;
    if (first)
        current->moduleCursor = 0;
    if (current->moduleCursor >= current->modules.size())
        return 0;
    const Module& m = current->modules[current->moduleCursor++];
    entry->th32ProcessID = m.processId;
    entry->ProccntUsage = m.usage;
    entry->modBaseAddr = reinterpret_cast<uint8_t*>(static_cast<uintptr_t>(m.base));
    entry->modBaseSize = m.size;
    std::memset(entry->szExePath, 0, sizeof entry->szExePath);
    std::memcpy(entry->szExePath, m.path.data(), std::min(m.path.size(), sizeof entry->szExePath));
    return 1;
}

// The first page of an image: a DOS header, then PE32 headers naming the
// preferred base.
inline int VANTORA_WINAPI ReadMemory(uint32_t, const void* address, void* buffer, std::size_t count,
                                     std::size_t* copied)
{
    constexpr std::size_t kPage = 0x1000;
    constexpr std::size_t kNtHeaders = 0x80;
    ++current->reads;
    const auto at = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(address));
    for (const auto& [base, preferred] : current->images) {
        if (at < base || at - base > kPage || count > kPage - (at - base))
            continue;
        unsigned char page[kPage] = {};
        page[0] = 'M';
        page[1] = 'Z';
        page[60] = kNtHeaders;
        std::memcpy(page + kNtHeaders, "PE\0\0", 4);
        page[kNtHeaders + 24] = 0x0B;  // PE32: both programs read it
        page[kNtHeaders + 25] = 0x01;
        for (int i = 0; i < 4; ++i)
            page[kNtHeaders + 52 + i] = static_cast<unsigned char>(preferred >> (8 * i));
        std::memcpy(buffer, page + (at - base), count);
        *copied = count;
        return 1;
    }
    return 0;
}

inline int VANTORA_WINAPI ProcessFirst(core::SnapshotHandle h, core::ProcessEntry32* e) { return Deliver(h, e, true); }
inline int VANTORA_WINAPI ProcessNext(core::SnapshotHandle h, core::ProcessEntry32* e) { return Deliver(h, e, false); }
inline int VANTORA_WINAPI ModuleFirst(core::SnapshotHandle h, core::ModuleEntry32* e) { return DeliverModule(h, e, true); }
inline int VANTORA_WINAPI ModuleNext(core::SnapshotHandle h, core::ModuleEntry32* e) { return DeliverModule(h, e, false); }

// Counts what the binding asks of the kernel and answers from a table.
class Kernel : public core::KernelServices {
public:
    Kernel()
    {
        procs["CreateToolhelp32Snapshot"] = reinterpret_cast<core::RawProc>(&CreateSnapshot);
        procs["Process32First"] = reinterpret_cast<core::RawProc>(&ProcessFirst);
        procs["Process32Next"] = reinterpret_cast<core::RawProc>(&ProcessNext);
        procs["Module32First"] = reinterpret_cast<core::RawProc>(&ModuleFirst);
        procs["Module32Next"] = reinterpret_cast<core::RawProc>(&ModuleNext);
        procs["Toolhelp32ReadProcessMemory"] = reinterpret_cast<core::RawProc>(&ReadMemory);
    }

    void* ModuleHandle(const char* name) override
    {
        moduleLookups.push_back(name);
        return moduleFound ? this : nullptr;
    }

    core::RawProc ProcAddress(void* module, const char* name) override
    {
        procLookups.push_back(name);
        if (module != this)
            return nullptr;
        auto found = procs.find(name);
        return found == procs.end() ? nullptr : found->second;
    }

    void CloseHandle(core::SnapshotHandle handle) override { closed.push_back(handle); }
    uint32_t LastError() override { return current ? current->lastError : 0; }

    bool moduleFound = true;
    std::map<std::string, core::RawProc> procs;
    std::vector<std::string> moduleLookups;
    std::vector<std::string> procLookups;
    std::vector<core::SnapshotHandle> closed;
};

} // namespace fake
