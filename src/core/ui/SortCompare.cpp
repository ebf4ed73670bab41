#include "core/ui/SortCompare.h"

#include "core/settings/ParseIntText.h"

namespace core {
namespace {

template <typename T>
int ThreeWay(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

// Reverses by sign rather than by negation, which would overflow on INT_MIN.
int Directed(int result, bool descending)
{
    if (!descending)
        return result;
    return result < 0 ? 1 : (result > 0 ? -1 : 0);
}

// Counts and sizes may exceed 2^31, so they are read in 64 bits; anything
// that is not a number ("Fixed") sorts as zero.
int64_t DecimalCell(std::string_view cell)
{
    return ParseInt64Text(cell).value_or(0);
}

// Address cells are bare upper-case hex of up to 64 bits, compared as
// numbers, so a longer address sorts after a shorter one; blank or malformed
// cells sort as 0.
uint64_t AddressCell(std::string_view cell)
{
    if (cell.empty() || cell.size() > 16)
        return 0;
    uint64_t value = 0;
    for (char c : cell) {
        uint64_t digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<uint64_t>(c - '0');
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<uint64_t>(c - 'A' + 10);
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<uint64_t>(c - 'a' + 10);
        else
            return 0;
        value = (value << 4) | digit;
    }
    return value;
}

int CompareModuleAscending(int32_t column, std::string_view cell1, std::string_view cell2,
                           const TextCompare& text)
{
    switch (column) {
    case 0:
    case 3:
        return ThreeWay(DecimalCell(cell1), DecimalCell(cell2));
    case 1:
    case 2:
        return ThreeWay(AddressCell(cell1), AddressCell(cell2));
    case 4:
        return text(cell1, cell2);
    default:
        return 0;
    }
}

unsigned char FoldAscii(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u >= 'A' && u <= 'Z' ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

} // namespace

int CompareBytes(std::string_view a, std::string_view b)
{
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (const int d = ThreeWay(static_cast<unsigned char>(a[i]), static_cast<unsigned char>(b[i])); d != 0)
            return d;
    }
    return ThreeWay(a.size(), b.size());
}

int CompareIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (const int d = ThreeWay(FoldAscii(a[i]), FoldAscii(b[i])); d != 0)
            return d;
    }
    return ThreeWay(a.size(), b.size());
}

int CompareProcessRows(const SortState& s, uint32_t pid1, std::string_view name1,
                       uint32_t pid2, std::string_view name2, const TextCompare& text)
{
    int result = 0;
    if (s.column == 0)
        result = ThreeWay(pid1, pid2);
    else if (s.column == 1)
        result = text(name1, name2);
    return Directed(result, s.descending);
}

int CompareModuleCells(const SortState& s, std::string_view cell1, std::string_view cell2,
                       const TextCompare& text)
{
    return Directed(CompareModuleAscending(s.column, cell1, cell2, text), s.descending);
}

} // namespace core
