#include "core/processes/ToolhelpBinding.h"

namespace core {

bool ToolhelpBinding::Bind()
{
    if (module_ == nullptr) {
        module_ = kernel_.ModuleHandle("kernel32.dll");
        if (module_ != nullptr) {
            for (std::size_t i = 0; i < kEntryNames.size(); ++i)
                entries_[i] = kernel_.ProcAddress(module_, kEntryNames[i]);
        }
    }
    return module_ != nullptr && entries_[kCreateSnapshot] != nullptr;
}

SnapshotHandle ToolhelpBinding::CreateToolhelp32Snapshot(uint32_t flags, uint32_t processId)
{
    auto fn = Bound<CreateSnapshotFn>(kCreateSnapshot);
    return fn ? fn(flags, processId) : nullptr;
}

int ToolhelpBinding::Process32First(SnapshotHandle snapshot, ProcessEntry32* entry)
{
    auto fn = Bound<ProcessWalkFn>(kProcessFirst);
    return fn ? fn(snapshot, entry) : 0;
}

int ToolhelpBinding::Process32Next(SnapshotHandle snapshot, ProcessEntry32* entry)
{
    auto fn = Bound<ProcessWalkFn>(kProcessNext);
    return fn ? fn(snapshot, entry) : 0;
}

int ToolhelpBinding::Module32First(SnapshotHandle snapshot, ModuleEntry32* entry)
{
    auto fn = Bound<ModuleWalkFn>(kModuleFirst);
    return fn ? fn(snapshot, entry) : 0;
}

int ToolhelpBinding::Module32Next(SnapshotHandle snapshot, ModuleEntry32* entry)
{
    auto fn = Bound<ModuleWalkFn>(kModuleNext);
    return fn ? fn(snapshot, entry) : 0;
}

int ToolhelpBinding::Toolhelp32ReadProcessMemory(uint32_t processId, const void* address,
                                                 void* buffer, std::size_t count,
                                                 std::size_t* copied)
{
    auto fn = Bound<ReadMemoryFn>(kReadMemory);
    return fn ? fn(processId, address, buffer, count, copied) : 0;
}

} // namespace core
