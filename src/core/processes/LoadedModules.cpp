#include "core/processes/LoadedModules.h"

#include "core/processes/ToolHelper.h"
#include "core/ui/TextFormat.h"

namespace core {

namespace {

struct ListedProcess {
    uint32_t id;
    std::string name;
};

std::vector<ListedProcess> ReadProcesses(ToolhelpBinding& toolhelp)
{
    TToolHelper snapshot(toolhelp, kSnapProcess, 0);
    std::vector<ListedProcess> processes;
    ProcessEntry32 entry{};
    entry.dwSize = sizeof entry;
    for (bool more = snapshot.ProcessFirst(entry); more; more = snapshot.ProcessNext(entry))
        processes.push_back({entry.th32ProcessID, std::string(FileNamePart(FieldText(entry.szExeFile)))});
    return processes;
}

} // namespace

std::vector<LoadedModule> ReadLoadedModules(ToolhelpBinding& toolhelp, uint32_t moduleFlags)
{
    std::vector<LoadedModule> modules;
    for (const ListedProcess& process : ReadProcesses(toolhelp)) {
        // Refused (no access, or the process has gone): its walk is empty.
        TToolHelper snapshot(toolhelp, moduleFlags, process.id);
        ModuleEntry32 module{};
        module.dwSize = sizeof module;
        for (bool more = snapshot.ModuleFirst(module); more; more = snapshot.ModuleNext(module))
            modules.push_back({process.id, process.name, std::string(FieldText(module.szExePath)),
                               reinterpret_cast<uintptr_t>(module.modBaseAddr)});
    }
    return modules;
}

} // namespace core
