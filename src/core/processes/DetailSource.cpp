#include "core/processes/DetailSource.h"

#include "core/processes/ImageBaseProbe.h"

#include <algorithm>

namespace core {

DetailSource::DetailSource(ToolhelpBinding& toolhelp, uint32_t flags) : toolhelp_(toolhelp), flags_(flags) {}

std::shared_ptr<const ProcessDetails> DetailSource::Details(uint32_t processId)
{
    if (depth_ == 0)
        return Walk(processId);
    const auto shared = std::find_if(walks_.begin(), walks_.end(),
                                     [processId](const auto& walk) { return walk->processId == processId; });
    if (shared != walks_.end())
        return *shared;
    const uint64_t burst = burst_;
    auto walk = Walk(processId);
    // Unless a burst that began during the walk (a tick's refresh behind
    // it, say) ended this one.
    if (burst == burst_)
        walks_.push_back(walk);
    return walk;
}

std::shared_ptr<const ProcessDetails> DetailSource::Walk(uint32_t processId)
{
    TToolHelper snapshot(toolhelp_, flags_, processId);
    const ModuleProbe read = [this](const ModuleEntry32& module) {
        return ProbePreferredImageBase(toolhelp_, module.th32ProcessID, reinterpret_cast<uintptr_t>(module.modBaseAddr));
    };
    auto details = std::make_shared<ProcessDetails>(
        WalkProcessDetails(snapshot, processId, [this, &read](const ProcessEntry32& entry) -> ModuleProbe {
            return [this, &entry, &read](const ModuleEntry32& module) { return probes_.Probe(entry, module, read); };
        }));
    if (details->found)
        probes_.KeepOnly(processId, details->modules);
    return details;
}

void DetailSource::BeginBurst()
{
    ++depth_;
    ++burst_;
    walks_.clear();
}

void DetailSource::EndBurst()
{
    if (depth_ > 0 && --depth_ == 0)
        walks_.clear();
}

} // namespace core
