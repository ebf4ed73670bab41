// Preferred load addresses already read from image headers, per process and
// module. A module's preferred base cannot change while it stays loaded, so
// what was read holds while it stays at the same base with the same size
// and path. A header overwritten in memory after loading keeps the address
// read first.
#pragma once

#include "core/processes/ProcessDetails.h"

#include <cstdint>
#include <string>
#include <unordered_map>

namespace core {

class ProbeCache {
public:
    // The module's preferred address: the one read before, while the process
    // is the same one (same id, executable and parent) and the module the same
    // one, else what probe reads now. A failed read (0) is not kept.
    uint64_t Probe(const ProcessEntry32& process, const ModuleEntry32& module, const ModuleProbe& probe);

    // A walk of all of the process's modules has just given these: any
    // other module it had is gone.
    void KeepOnly(uint32_t processId, const std::vector<ModuleDetails>& modules);

    // A refill of the process list: the processes it lists keep what was
    // read of them, if their entries still name the same executable and
    // parent; every other process is dropped when it ends.
    void BeginListing();
    void Listed(const ProcessEntry32& process);
    void EndListing();

    std::size_t ProcessCount() const { return processes_.size(); }
    std::size_t ModuleCount() const;

private:
    struct Module {
        uint32_t size = 0;
        std::string path;
        uint64_t preferred = 0;
    };
    struct Process {
        uint32_t parentId = 0;
        std::string executable;
        uint64_t listing = 0;  // the last refill of the list that named it
        std::unordered_map<uint64_t, Module> modules;  // by base
    };

    static bool SameProcess(const Process& cached, const ProcessEntry32& entry);

    std::unordered_map<uint32_t, Process> processes_;
    uint64_t listing_ = 0;
};

} // namespace core
