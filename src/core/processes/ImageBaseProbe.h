// The probe of a module's image header inside another process, read
// through the Toolhelp binding's memory reads.
#pragma once

#include "core/processes/ToolhelpBinding.h"

#include <cstdint>

namespace core {

// The module's preferred load address, or 0 when its headers cannot be read
// or are no image this program understands.
uint64_t ProbePreferredImageBase(ToolhelpBinding& toolhelp, uint32_t processId, uint64_t base);

} // namespace core
