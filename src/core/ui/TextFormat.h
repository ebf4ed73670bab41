// The program's own text formatting: a small printf-like formatter whose
// hexadecimal output is upper-case, as every id and address on screen is.
#pragma once

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace core {

class FormatArg {
public:
    // An integer of up to 32 bits is taken as its 32-bit pattern, as the
    // kernel's DWORDs are. A wider one (an address, a size) would lose its
    // upper half silently, so it does not compile.
    template <std::integral T>
        requires(sizeof(T) <= sizeof(int32_t))
    FormatArg(T value) : isText_(false), number_(static_cast<int32_t>(value)) {}
    template <std::integral T>
        requires(sizeof(T) > sizeof(int32_t))
    FormatArg(T value) = delete;
    FormatArg(std::string_view text) : isText_(true), text_(text) {}
    FormatArg(const char* text) : isText_(true), text_(text) {}
    FormatArg(const std::string& text) : isText_(true), text_(text) {}

    bool IsText() const { return isText_; }
    int32_t Number() const { return number_; }
    std::string_view Text() const { return text_; }

private:
    bool isText_;
    int32_t number_ = 0;
    std::string_view text_;
};

// Understands %s, %d, %u, %x (upper-case) with an optional ".precision" (at most 255)
// (minimum digits), and %%. A directive without a matching argument throws
// std::invalid_argument rather than reading past the arguments.
std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args);

// "%.8x": at least eight upper-case hexadecimal digits.
std::string HexId(uint32_t value);

// An address in the same form: at least eight digits, and as many more as a
// 64-bit address needs.
std::string HexAddress(uint64_t value);

// The part of a path after its last "\" or ":".
std::string_view FileNamePart(std::string_view path);

} // namespace core
