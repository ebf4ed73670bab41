#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

namespace core {

// Layout sums run in 64 bits, because positions read back from the registry
// may be any 32-bit value; results are pinned to the nearest int at the end.
constexpr int SaturateToInt(std::int64_t value)
{
    constexpr std::int64_t lowest = std::numeric_limits<int>::min();
    constexpr std::int64_t highest = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(value, lowest, highest));
}

} // namespace core
