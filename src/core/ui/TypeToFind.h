// Typing to find a row, as Windows lists do: characters typed within a pause
// of each other make one text that rows must start with; a longer pause
// starts a new text; the same letter typed again steps on to the next row
// that starts with it. The text is UTF-16, as window messages type it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace core {

class TypeToFind {
public:
    // About a second, as Windows lists wait between the characters of one word.
    static constexpr uint32_t kPauseMs = 1000;

    struct Search {
        // What the row must start with.
        std::u16string prefix;
        // Start after the current row and wrap around, rather than at the top.
        bool fromNext = false;
    };

    // One typed character at the time its message was made (milliseconds,
    // wrapping as the system's tick count does).
    Search Type(char16_t typed, uint32_t time);
    // A key of the list's own (an arrow, Home, End, a page) starts over.
    void Reset() { typed_.clear(); }

private:
    std::u16string typed_;
    uint32_t lastTime_ = 0;
};

// The row a search selects among `count` rows in their order: the first
// that starts with the prefix, or with `fromNext` the first after `current`,
// wrapping around to it; -1 when none does.
int FindRow(int count, int current, const TypeToFind::Search& search,
            const std::function<bool(int row, std::u16string_view prefix)>& startsWith);

} // namespace core
