#include "app/ImageProbe.h"

#include "app/SystemToolhelp.h"
#include "core/processes/ImageBaseProbe.h"

uint64_t GetPreferredImageBase(core::ToolhelpBinding& toolhelp, uint32_t processId, uint64_t base)
{
    return core::ProbePreferredImageBase(toolhelp, processId, base);
}

uint64_t GetPreferredImageBase(uint32_t processId, uint64_t base)
{
    return GetPreferredImageBase(SystemToolhelp(), processId, base);
}
