#pragma once

#include "core/processes/ProgramVariant.h"

#include <cstdint>
#include <functional>

namespace core {

// Copies count bytes of the other process's memory at address into
// buffer; true only when every byte was copied.
using MemoryReader = std::function<bool(uint64_t address, void* buffer, uint32_t count)>;

// The load address a module's image headers ask for, or 0 when the headers
// cannot be read or do not look like an executable image. The form says
// which optional headers this program understands.
uint64_t ReadPreferredImageBase(const MemoryReader& read, uint64_t base,
                                ImageHeaderForm form = kThisProgram.imageHeaders);

} // namespace core
