// Any text: parsing never fails badly, an accepted decimal text is the number
// FormatInt writes back (after spaces, sign and leading zeros), and the 32-
// and 64-bit readers agree wherever both can hold the value.
#include "core/settings/ParseIntText.h"

#include "FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace {

using fuzz::Require;

bool IsHex(std::string_view text)
{
    std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return false;
    text.remove_prefix(start);
    if (!text.empty() && (text[0] == '+' || text[0] == '-'))
        text.remove_prefix(1);
    return !text.empty() && (text[0] == '$' || text[0] == 'x' || text[0] == 'X' || text.substr(0, 2) == "0x" ||
                             text.substr(0, 2) == "0X");
}

// What FormatInt must write for an accepted decimal text: no spaces, no "+",
// no leading zeros, and no sign on zero.
std::string CanonicalDecimal(std::string_view text)
{
    text.remove_prefix(text.find_first_not_of(' '));
    bool negative = text[0] == '-';
    if (text[0] == '+' || text[0] == '-')
        text.remove_prefix(1);
    std::size_t firstNonZero = text.find_first_not_of('0');
    if (firstNonZero == std::string_view::npos)
        return "0";
    return (negative ? "-" : "") + std::string(text.substr(firstNonZero));
}

void CheckDecimal(std::string_view text, int32_t value)
{
    Require(core::FormatInt(value) == CanonicalDecimal(text), "FormatInt writes the canonical decimal text");
    Require(core::ParseIntText(core::FormatInt(value)) == value, "FormatInt's text reads back as the value");
}

void CheckWidthsAgree(std::string_view text, std::optional<int32_t> narrow, std::optional<int64_t> wide)
{
    if (narrow) {
        Require(wide.has_value(), "a text the 32-bit reader accepts is accepted in 64 bits");
        Require(static_cast<uint32_t>(*wide) == static_cast<uint32_t>(*narrow), "both widths give the same low bits");
    }
    if (wide && !IsHex(text) && *wide >= INT32_MIN && *wide <= INT32_MAX)
        Require(narrow == static_cast<int32_t>(*wide), "a decimal value that fits 32 bits is read in 32 bits");
}

// The numbers themselves: each one's decimal and hexadecimal texts read back.
void CheckNumberTexts(const uint8_t* data, std::size_t size)
{
    if (size < 4)
        return;
    const uint32_t bits = data[0] | data[1] << 8 | data[2] << 16 | static_cast<uint32_t>(data[3]) << 24;
    const auto value = static_cast<int32_t>(bits);
    Require(core::ParseIntText(core::FormatInt(value)) == value, "every int32 round-trips through FormatInt");
    const char* digits = "0123456789ABCDEF";
    std::string hex;
    for (int shift = 28; shift >= 0; shift -= 4)
        hex += digits[(bits >> shift) & 0xF];
    Require(core::ParseIntText("$" + hex) == value, "a \"$\" text gives the bit pattern");
    Require(core::ParseIntText("-0x" + hex) == static_cast<int32_t>(0u - bits), "a negated hex text wraps");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<int32_t> narrow = core::ParseIntText(text);
    const std::optional<int64_t> wide = core::ParseInt64Text(text);
    if (narrow && !IsHex(text))
        CheckDecimal(text, *narrow);
    CheckWidthsAgree(text, narrow, wide);
    CheckNumberTexts(data, size);
    return 0;
}
