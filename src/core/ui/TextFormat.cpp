#include "core/ui/TextFormat.h"

#include <stdexcept>

namespace core {

namespace {

constexpr std::size_t kMaxPrecision = 255;

std::string Digits(uint64_t value, unsigned base)
{
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out;
    do {
        out.insert(out.begin(), kDigits[value % base]);
        value /= base;
    } while (value != 0);
    return out;
}

std::string PadDigits(std::string digits, std::size_t precision)
{
    if (digits.size() < precision)
        digits.insert(0, precision - digits.size(), '0');
    return digits;
}

std::string FormatNumber(char kind, int32_t value, std::size_t precision)
{
    switch (kind) {
    case 'd': {
        const bool negative = value < 0;
        const uint32_t magnitude = negative ? 0u - static_cast<uint32_t>(value)
                                            : static_cast<uint32_t>(value);
        return (negative ? "-" : "") + PadDigits(Digits(magnitude, 10), precision);
    }
    case 'u':
        return PadDigits(Digits(static_cast<uint32_t>(value), 10), precision);
    default:
        return PadDigits(Digits(static_cast<uint32_t>(value), 16), precision);
    }
}

[[noreturn]] void BadFormat(std::string_view format)
{
    throw std::invalid_argument("Format '" + std::string(format) +
                                "' invalid or incompatible with argument");
}

} // namespace

std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args)
{
    std::string out;
    auto next = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            out += format[i];
            continue;
        }
        if (++i < format.size() && format[i] == '%') {
            out += '%';
            continue;
        }
        std::size_t precision = 0;
        if (i < format.size() && format[i] == '.') {
            while (++i < format.size() && format[i] >= '0' && format[i] <= '9') {
                precision = precision * 10 + static_cast<std::size_t>(format[i] - '0');
                // A format from a damaged resource must not ask for gigabytes.
                if (precision > kMaxPrecision)
                    BadFormat(format);
            }
        }
        if (i >= format.size() || next == args.end())
            BadFormat(format);
        const char kind = static_cast<char>(format[i] | 0x20);
        const FormatArg& arg = *next++;
        if (kind == 's' && arg.IsText())
            out += arg.Text();
        else if ((kind == 'd' || kind == 'u' || kind == 'x') && !arg.IsText())
            out += FormatNumber(kind, arg.Number(), precision);
        else
            BadFormat(format);
    }
    return out;
}

std::string HexId(uint32_t value)
{
    return HexAddress(value);
}

std::string HexAddress(uint64_t value)
{
    return PadDigits(Digits(value, 16), 8);
}

std::string_view FileNamePart(std::string_view path)
{
    const auto cut = path.find_last_of("\\:");
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

} // namespace core
