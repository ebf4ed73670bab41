#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace core {

struct SortState {
    int32_t column = 0;
    bool descending = false;
};

// Locale-aware text ordering supplied by the platform layer: <0, 0 or >0.
using TextCompare = std::function<int(std::string_view, std::string_view)>;

// Byte order with the ASCII letters folded: where the locale's comparison
// is unavailable, still a strict order with -1, 0 or 1.
int CompareIgnoringAsciiCase(std::string_view a, std::string_view b);

// Plain unsigned byte order, -1, 0 or 1: the order of the locale's sort
// keys, which stand for texts in their locale order.
int CompareBytes(std::string_view a, std::string_view b);

// Process list: column 0 is the process id, column 1 the name.
int CompareProcessRows(const SortState& s, uint32_t pid1, std::string_view name1,
                       uint32_t pid2, std::string_view name2, const TextCompare& text);

// Module list, given the two rows' texts in the sorted column: use count,
// base address, image address, size, path.
int CompareModuleCells(const SortState& s, std::string_view cell1, std::string_view cell2,
                       const TextCompare& text);

} // namespace core
