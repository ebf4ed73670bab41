#include "core/processes/ToolHelper.h"

namespace core {

TToolHelper::TToolHelper(ToolhelpBinding& binding, uint32_t flags, uint32_t processId)
    : binding_(binding), FSnapshot(InvalidSnapshot())
{
    TakeSnapshot(flags, processId);
}

TToolHelper::~TToolHelper()
{
    CloseSnapshot();
}

void TToolHelper::TakeSnapshot(uint32_t flags, uint32_t processId)
{
    CloseSnapshot();
    if (flags == 0)
        return;
    // While the target loads or unloads a module its module list changes under
    // the kernel's walk, which then fails with ERROR_BAD_LENGTH; asking again
    // soon succeeds. A bounded number of times: this is the GUI thread.
    for (int attempt = 1;; ++attempt) {
        FSnapshot = binding_.CreateToolhelp32Snapshot(flags, processId);
        if (FSnapshot != InvalidSnapshot() || attempt == kSnapshotAttempts
            || binding_.LastError() != kErrorBadLength)
            return;
    }
}

void TToolHelper::CloseSnapshot()
{
    // Also the 0 of a failed binding goes to CloseHandle, which shrugs it off.
    if (FSnapshot != InvalidSnapshot())
        binding_.CloseHandle(FSnapshot);
    FSnapshot = InvalidSnapshot();
}

bool TToolHelper::ProcessFirst(ProcessEntry32& entry)
{
    const bool found = binding_.Process32First(FSnapshot, &entry) != 0;
    if (found && entry.th32ProcessID == 0)
        return ProcessNext(entry);
    return found;
}

bool TToolHelper::ProcessNext(ProcessEntry32& entry)
{
    bool found = binding_.Process32Next(FSnapshot, &entry) != 0;
    while (found && entry.th32ProcessID == 0)
        found = binding_.Process32Next(FSnapshot, &entry) != 0;
    return found;
}

bool TToolHelper::ModuleFirst(ModuleEntry32& entry)
{
    return binding_.Module32First(FSnapshot, &entry) != 0;
}

bool TToolHelper::ModuleNext(ModuleEntry32& entry)
{
    return binding_.Module32Next(FSnapshot, &entry) != 0;
}

} // namespace core
