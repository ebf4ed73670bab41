// What the parts of a toolbar share: how buttons are numbered and sized.
#pragma once

#include <windows.h>

namespace toolbars {

// Button command ids are the button's index plus this; menu ids start at 1.
constexpr int kFirstButtonId = 1;
// The chevron's one button, far above any button index.
constexpr int kChevronId = 30000;
constexpr int kSeparatorWidth = 6;
constexpr int kImageSize = 16;

} // namespace toolbars
