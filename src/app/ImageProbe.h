#pragma once

#include <cstdint>

// The preferred load address from a module's image header inside another
// process, read through Toolhelp; 0 when it cannot be read or is no image.
uint32_t GetPreferredImageBase(uint32_t processId, uint32_t base);
