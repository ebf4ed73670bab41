#include "core/ui/TypeToFind.h"

#include <algorithm>

namespace core {

TypeToFind::Search TypeToFind::Type(char16_t typed, uint32_t time)
{
    // Unsigned difference: right across the tick count's wrap.
    if (!typed_.empty() && time - lastTime_ > kPauseMs)
        typed_.clear();
    lastTime_ = time;
    typed_ += typed;
    const bool sameLetter = std::all_of(typed_.begin(), typed_.end(), [&](char16_t c) { return c == typed_[0]; });
    if (typed_.size() > 1 && sameLetter)
        return {typed_.substr(0, 1), true};
    return {typed_, false};
}

int FindRow(int count, int current, const TypeToFind::Search& search,
            const std::function<bool(int row, std::u16string_view prefix)>& startsWith)
{
    if (count <= 0 || search.prefix.empty())
        return -1;
    const int start = search.fromNext && current >= 0 && current < count ? current + 1 : 0;
    for (int n = 0; n < count; ++n) {
        const int row = (start + n) % count;
        if (startsWith(row, search.prefix))
            return row;
    }
    return -1;
}

} // namespace core
