#pragma once

#include <cstdint>
#include <functional>

namespace core {

// Copies count bytes of the inspected process's memory at address into
// buffer; true only when every byte was copied.
using MemoryReader = std::function<bool(uint32_t address, void* buffer, uint32_t count)>;

// The load address a module's image headers ask for, or 0 when the headers
// cannot be read or do not look like an executable image.
uint32_t ReadPreferredImageBase(const MemoryReader& read, uint32_t base);

} // namespace core
