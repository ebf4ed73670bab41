// The Toolhelp snapshot flags the program asks for.
#pragma once

#include <cstdint>

namespace core {

constexpr uint32_t kSnapProcess = 2;     // TH32CS_SNAPPROCESS
constexpr uint32_t kSnapModule = 8;      // TH32CS_SNAPMODULE
constexpr uint32_t kSnapAll = 15;        // TH32CS_SNAPALL
constexpr uint32_t kSnapModule32 = 0x10; // TH32CS_SNAPMODULE32

} // namespace core
