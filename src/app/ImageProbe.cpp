#include "app/ImageProbe.h"

#include "app/SystemToolhelp.h"
#include "core/PeProbe.h"

uint32_t GetPreferredImageBase(core::ToolhelpBinding& toolhelp, uint32_t processId, uint32_t base)
{
    auto read = [&toolhelp, processId](uint32_t address, void* buffer, uint32_t count) {
        std::size_t copied = 0;
        const void* at = reinterpret_cast<const void*>(static_cast<uintptr_t>(address));
        return toolhelp.Toolhelp32ReadProcessMemory(processId, at, buffer, count, &copied) != 0 &&
               copied == count;
    };
    return core::ReadPreferredImageBase(read, base);
}

uint32_t GetPreferredImageBase(uint32_t processId, uint32_t base)
{
    return GetPreferredImageBase(SystemToolhelp(), processId, base);
}
