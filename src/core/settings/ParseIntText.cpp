#include "core/settings/ParseIntText.h"

namespace core {
namespace {

struct IntSyntax {
    bool negative = false;
    bool hex = false;
    std::string_view digits;
};

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// Splits the text into sign, base and digits; the digits are checked later.
IntSyntax SplitIntText(std::string_view text)
{
    IntSyntax syntax;
    // Only the space character: a tab is not something a user types here.
    auto start = text.find_first_not_of(' ');
    text.remove_prefix(start == std::string_view::npos ? text.size() : start);
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        syntax.negative = text[0] == '-';
        text.remove_prefix(1);
    }
    for (std::string_view prefix : {"$", "x", "X", "0x", "0X"}) {
        if (StartsWith(text, prefix)) {
            syntax.hex = true;
            text.remove_prefix(prefix.size());
            break;
        }
    }
    syntax.digits = text;
    return syntax;
}

int DigitValue(char c, unsigned base)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (base == 16 && c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (base == 16 && c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// At least one digit, all digits, and a magnitude no larger than limit.
std::optional<uint64_t> ReadDigits(std::string_view digits, unsigned base, uint64_t limit)
{
    if (digits.empty())
        return std::nullopt;
    uint64_t value = 0;
    for (char c : digits) {
        int digit = DigitValue(c, base);
        if (digit < 0)
            return std::nullopt;
        // Checked before multiplying so the accumulator itself never wraps.
        if (value > (limit - static_cast<uint64_t>(digit)) / base)
            return std::nullopt;
        value = value * base + static_cast<uint64_t>(digit);
    }
    return value;
}

// Result in the given width's two's complement, as unsigned bits: hex is a
// bit pattern that a "-" negates with wrap-around, decimal must fit signed.
std::optional<uint64_t> ParseBits(std::string_view text, uint64_t widthMask)
{
    IntSyntax syntax = SplitIntText(text);
    uint64_t signedMax = widthMask >> 1;
    uint64_t limit = syntax.hex ? widthMask : signedMax + (syntax.negative ? 1 : 0);
    std::optional<uint64_t> magnitude = ReadDigits(syntax.digits, syntax.hex ? 16 : 10, limit);
    if (!magnitude)
        return std::nullopt;
    uint64_t bits = syntax.negative ? uint64_t{0} - *magnitude : *magnitude;
    return bits & widthMask;
}

} // namespace

std::optional<int32_t> ParseIntText(std::string_view text)
{
    std::optional<uint64_t> bits = ParseBits(text, UINT32_MAX);
    if (!bits)
        return std::nullopt;
    return static_cast<int32_t>(static_cast<uint32_t>(*bits));
}

std::optional<int64_t> ParseInt64Text(std::string_view text)
{
    std::optional<uint64_t> bits = ParseBits(text, UINT64_MAX);
    if (!bits)
        return std::nullopt;
    return static_cast<int64_t>(*bits);
}

std::string FormatInt(int32_t value)
{
    return std::to_string(value);
}

} // namespace core
