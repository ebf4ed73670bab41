#include "core/processes/ProbeCache.h"

#include <algorithm>
#include <iterator>

namespace core {

bool ProbeCache::SameProcess(const Process& cached, const ProcessEntry32& entry)
{
    return cached.parentId == entry.th32ParentProcessID && cached.executable == FieldText(entry.szExeFile);
}

uint64_t ProbeCache::Probe(const ProcessEntry32& process, const ModuleEntry32& module, const ModuleProbe& probe)
{
    auto found = processes_.find(process.th32ProcessID);
    // A process id the system gave again to another program.
    if (found != processes_.end() && !SameProcess(found->second, process)) {
        processes_.erase(found);
        found = processes_.end();
    }
    const uint64_t base = reinterpret_cast<uintptr_t>(module.modBaseAddr);
    const std::string_view path = FieldText(module.szExePath);
    if (found != processes_.end()) {
        const auto cached = found->second.modules.find(base);
        if (cached != found->second.modules.end() && cached->second.size == module.modBaseSize &&
            cached->second.path == path)
            return cached->second.preferred;
    }
    const uint64_t preferred = probe(module);
    if (found == processes_.end() && preferred != 0) {
        Process fresh{process.th32ParentProcessID, std::string(FieldText(process.szExeFile)), listing_, {}};
        found = processes_.emplace(process.th32ProcessID, std::move(fresh)).first;
    }
    if (found == processes_.end())
        return preferred;
    if (preferred != 0)
        found->second.modules[base] = {module.modBaseSize, std::string(path), preferred};
    else
        found->second.modules.erase(base);
    return preferred;
}

void ProbeCache::KeepOnly(uint32_t processId, const std::vector<ModuleDetails>& modules)
{
    const auto found = processes_.find(processId);
    if (found == processes_.end())
        return;
    std::erase_if(found->second.modules, [&modules](const auto& cached) {
        return std::none_of(modules.begin(), modules.end(), [&cached](const ModuleDetails& module) {
            return module.base == cached.first && module.size == cached.second.size &&
                   module.path == cached.second.path;
        });
    });
    if (found->second.modules.empty())
        processes_.erase(found);
}

void ProbeCache::BeginListing()
{
    ++listing_;
}

void ProbeCache::Listed(const ProcessEntry32& process)
{
    // Most refills find nothing kept: thousands of processes cost no lookup then.
    if (processes_.empty())
        return;
    const auto found = processes_.find(process.th32ProcessID);
    if (found == processes_.end())
        return;
    if (SameProcess(found->second, process))
        found->second.listing = listing_;
    else
        processes_.erase(found);
}

void ProbeCache::EndListing()
{
    std::erase_if(processes_, [this](const auto& cached) { return cached.second.listing != listing_; });
}

std::size_t ProbeCache::ModuleCount() const
{
    std::size_t count = 0;
    for (const auto& [id, process] : processes_)
        count += process.modules.size();
    return count;
}

} // namespace core
