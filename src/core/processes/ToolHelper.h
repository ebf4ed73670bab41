// One Toolhelp snapshot, owned for the lifetime of the object, and the walks
// over its process and module entries.
#pragma once

#include "core/processes/SnapshotFlags.h"
#include "core/processes/ToolhelpBinding.h"

namespace core {

constexpr uint32_t kErrorBadLength = 24;  // ERROR_BAD_LENGTH
// Tries at a snapshot that the kernel refuses with ERROR_BAD_LENGTH.
constexpr int kSnapshotAttempts = 5;

class TToolHelper {
public:
    TToolHelper(ToolhelpBinding& binding, uint32_t flags, uint32_t processId);
    ~TToolHelper();
    TToolHelper(const TToolHelper&) = delete;
    TToolHelper& operator=(const TToolHelper&) = delete;

    // The process walk never delivers process id 0 (the idle pseudo-process).
    bool ProcessFirst(ProcessEntry32& entry);
    bool ProcessNext(ProcessEntry32& entry);
    bool ModuleFirst(ModuleEntry32& entry);
    bool ModuleNext(ModuleEntry32& entry);

    SnapshotHandle Snapshot() const { return FSnapshot; }

private:
    void TakeSnapshot(uint32_t flags, uint32_t processId);
    void CloseSnapshot();

    ToolhelpBinding& binding_;
    SnapshotHandle FSnapshot;
};

} // namespace core
