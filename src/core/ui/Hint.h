#pragma once

#include <string>
#include <string_view>

namespace core {

// A hint holds "short|long": the short part for tooltips, the long one for
// the status bar. Without a bar both are the whole text.
std::string_view ShortHint(std::string_view hint);
std::string_view LongHint(std::string_view hint);

// The short hint followed by the shortcut in parentheses, e.g. "Refresh (F5)".
std::string TooltipText(std::string_view hint, std::string_view shortcutText);

} // namespace core
