#pragma once

#include "core/processes/ToolhelpBinding.h"

#include <cstdint>

// The preferred load address from a module's image header inside another
// process, read through Toolhelp; 0 when it cannot be read or is no image.
uint64_t GetPreferredImageBase(uint32_t processId, uint64_t base);
// The same through a given Toolhelp source.
uint64_t GetPreferredImageBase(core::ToolhelpBinding& toolhelp, uint32_t processId, uint64_t base);
