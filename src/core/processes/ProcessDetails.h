// What the detail side shows of one process, as one snapshot of it gives
// it: the process's entry and its modules in the snapshot's order, each
// with the preferred load address its image header names.
#pragma once

#include "core/processes/ToolHelper.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace core {

struct ModuleDetails {
    uint32_t usage = 0;
    uint64_t base = 0;
    uint32_t size = 0;
    std::string path;
    uint64_t preferred = 0;  // 0: the header could not be read
};

struct ProcessDetails {
    uint32_t processId = 0;
    // False when the snapshot has no such process (it exited, or may not be inspected).
    bool found = false;
    ProcessEntry32 entry{};
    std::vector<ModuleDetails> modules;
};

// A module's preferred load address, or 0.
using ModuleProbe = std::function<uint64_t(const ModuleEntry32& module)>;

// Every module of a snapshot, from the first to the last, each probed.
std::vector<ModuleDetails> WalkModules(TToolHelper& snapshot, const ModuleProbe& probe);

// The process's entry from the snapshot's processes, then, on the same
// snapshot, its modules, probed as probeFor says for that entry; nothing
// when the process is not among them.
ProcessDetails WalkProcessDetails(TToolHelper& snapshot, uint32_t processId,
                                  const std::function<ModuleProbe(const ProcessEntry32&)>& probeFor);

} // namespace core
