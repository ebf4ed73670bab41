#include "core/ui/Hint.h"

namespace core {

std::string_view ShortHint(std::string_view hint)
{
    return hint.substr(0, hint.find('|'));
}

std::string_view LongHint(std::string_view hint)
{
    auto bar = hint.find('|');
    return bar == std::string_view::npos ? hint : hint.substr(bar + 1);
}

std::string TooltipText(std::string_view hint, std::string_view shortcutText)
{
    std::string text(ShortHint(hint));
    if (!text.empty() && !shortcutText.empty())
        text.append(" (").append(shortcutText).append(")");
    return text;
}

} // namespace core
