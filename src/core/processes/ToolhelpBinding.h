// Late binding to the kernel's Toolhelp functions: looked up by name once,
// with wrappers that fail softly when the kernel lacks them.
#pragma once

#include "core/processes/ToolhelpRecords.h"

#include <array>
#include <cstdint>

namespace core {

using RawProc = void (*)();

// The few ordinary kernel imports the binding needs; injectable so the
// binding's edge cases can be exercised without a special kernel.
class KernelServices {
public:
    virtual ~KernelServices() = default;
    virtual void* ModuleHandle(const char* name) = 0;
    virtual RawProc ProcAddress(void* module, const char* name) = 0;
    virtual void CloseHandle(SnapshotHandle handle) = 0;
    // The calling thread's last error code, read right after a failed call.
    virtual uint32_t LastError() = 0;
};

class ToolhelpBinding {
public:
    using CreateSnapshotFn = SnapshotHandle(VANTORA_WINAPI*)(uint32_t flags, uint32_t processId);
    using ProcessWalkFn = int(VANTORA_WINAPI*)(SnapshotHandle, ProcessEntry32*);
    using ModuleWalkFn = int(VANTORA_WINAPI*)(SnapshotHandle, ModuleEntry32*);
    using ReadMemoryFn = int(VANTORA_WINAPI*)(uint32_t processId, const void* address, void* buffer,
                                              std::size_t count, std::size_t* copied);

    // In lookup order; the ones without a wrapper are looked up all the same.
    static constexpr std::array<const char*, 16> kEntryNames = {
        "CreateToolhelp32Snapshot", "Heap32ListFirst", "Heap32ListNext", "Heap32First",
        "Heap32Next", "Toolhelp32ReadProcessMemory", "Process32First", "Process32Next",
        "Process32FirstW", "Process32NextW", "Thread32First", "Thread32Next",
        "Module32First", "Module32Next", "Module32FirstW", "Module32NextW"};

    explicit ToolhelpBinding(KernelServices& kernel) : kernel_(kernel) {}
    ToolhelpBinding(const ToolhelpBinding&) = delete;
    ToolhelpBinding& operator=(const ToolhelpBinding&) = delete;

    // True when the snapshot function is usable. A failed module lookup is
    // retried next time; once the module is known the names are never looked up again.
    bool Bind();

    SnapshotHandle CreateToolhelp32Snapshot(uint32_t flags, uint32_t processId);
    int Process32First(SnapshotHandle snapshot, ProcessEntry32* entry);
    int Process32Next(SnapshotHandle snapshot, ProcessEntry32* entry);
    int Module32First(SnapshotHandle snapshot, ModuleEntry32* entry);
    int Module32Next(SnapshotHandle snapshot, ModuleEntry32* entry);
    int Toolhelp32ReadProcessMemory(uint32_t processId, const void* address, void* buffer,
                                    std::size_t count, std::size_t* copied);

    void CloseHandle(SnapshotHandle handle) { kernel_.CloseHandle(handle); }
    uint32_t LastError() { return kernel_.LastError(); }

private:
    enum Entry { kCreateSnapshot = 0, kReadMemory = 5, kProcessFirst = 6, kProcessNext = 7,
                 kModuleFirst = 12, kModuleNext = 13 };

    template <class Fn>
    Fn Bound(Entry entry)
    {
        if (!Bind())
            return nullptr;
        return reinterpret_cast<Fn>(entries_[entry]);
    }

    KernelServices& kernel_;
    void* module_ = nullptr;
    std::array<RawProc, kEntryNames.size()> entries_{};
};

} // namespace core
