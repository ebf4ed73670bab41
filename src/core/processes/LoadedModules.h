// Every module loaded in every process, for finding the processes that have
// a given module loaded.
#pragma once

#include "core/processes/ToolhelpBinding.h"

#include <cstdint>
#include <string>
#include <vector>

namespace core {

struct LoadedModule {
    uint32_t processId = 0;
    // The executable's file name, as the process list shows it.
    std::string processName;
    // The module file with its full path.
    std::string path;
    uint64_t base = 0;
};

// One process snapshot, then one module snapshot (of the given flags) of each
// process in it, this one included; a process whose modules cannot be read
// adds nothing. Rows come process by process in the snapshot's order. Each
// snapshot is closed before the next is taken.
std::vector<LoadedModule> ReadLoadedModules(ToolhelpBinding& toolhelp, uint32_t moduleFlags);

} // namespace core
