#include "app/ImageProbe.h"

#include "app/SystemToolhelp.h"
#include "core/processes/PeProbe.h"

uint64_t GetPreferredImageBase(core::ToolhelpBinding& toolhelp, uint32_t processId, uint64_t base)
{
    auto read = [&toolhelp, processId](uint64_t address, void* buffer, uint32_t count) {
        // Beyond this program's pointers lies nothing it could be shown.
        if (address > UINTPTR_MAX)
            return false;
        std::size_t copied = 0;
        const void* at = reinterpret_cast<const void*>(static_cast<uintptr_t>(address));
        return toolhelp.Toolhelp32ReadProcessMemory(processId, at, buffer, count, &copied) != 0 &&
               copied == count;
    };
    return core::ReadPreferredImageBase(read, base);
}

uint64_t GetPreferredImageBase(uint32_t processId, uint64_t base)
{
    return GetPreferredImageBase(SystemToolhelp(), processId, base);
}
