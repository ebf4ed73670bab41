#include "core/processes/ImageBaseProbe.h"

#include "core/processes/PeProbe.h"

namespace core {

uint64_t ProbePreferredImageBase(ToolhelpBinding& toolhelp, uint32_t processId, uint64_t base)
{
    auto read = [&toolhelp, processId](uint64_t address, void* buffer, uint32_t count) {
        // Beyond this program's pointers lies nothing it could be shown.
        if (address > UINTPTR_MAX)
            return false;
        std::size_t copied = 0;
        const void* at = reinterpret_cast<const void*>(static_cast<uintptr_t>(address));
        return toolhelp.Toolhelp32ReadProcessMemory(processId, at, buffer, count, &copied) != 0 && copied == count;
    };
    return ReadPreferredImageBase(read, base);
}

} // namespace core
