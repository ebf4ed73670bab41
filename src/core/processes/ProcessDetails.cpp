#include "core/processes/ProcessDetails.h"

namespace core {

std::vector<ModuleDetails> WalkModules(TToolHelper& snapshot, const ModuleProbe& probe)
{
    std::vector<ModuleDetails> modules;
    ModuleEntry32 module{};
    module.dwSize = sizeof module;
    for (bool more = snapshot.ModuleFirst(module); more; more = snapshot.ModuleNext(module)) {
        const uint64_t base = reinterpret_cast<uintptr_t>(module.modBaseAddr);
        modules.push_back({module.ProccntUsage, base, module.modBaseSize, std::string(FieldText(module.szExePath)),
                           probe(module)});
    }
    return modules;
}

ProcessDetails WalkProcessDetails(TToolHelper& snapshot, uint32_t processId,
                                  const std::function<ModuleProbe(const ProcessEntry32&)>& probeFor)
{
    ProcessDetails details;
    details.processId = processId;
    ProcessEntry32& entry = details.entry;
    entry.dwSize = sizeof entry;
    bool found = snapshot.ProcessFirst(entry);
    while (found && entry.th32ProcessID != processId)
        found = snapshot.ProcessNext(entry);
    if (!found) {
        entry = ProcessEntry32{};
        return details;
    }
    details.found = true;
    details.modules = WalkModules(snapshot, probeFor(entry));
    return details;
}

} // namespace core
