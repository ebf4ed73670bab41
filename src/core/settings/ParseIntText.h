#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// Reads a whole text as a signed 32-bit integer: leading spaces, an optional
// sign, then decimal digits or hexadecimal ones after "$", "x" or "0x".
// Hexadecimal gives the bit pattern, so "$FFFFFFFF" is -1. Nothing may follow.
std::optional<int32_t> ParseIntText(std::string_view text);

// The same syntax read into 64 bits, for values that are unsigned 32-bit
// numbers in disguise (sizes, counts) and must keep their order.
std::optional<int64_t> ParseInt64Text(std::string_view text);

std::string FormatInt(int32_t value);

} // namespace core
