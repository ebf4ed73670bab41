// What the parts of a toolbar share: how buttons are numbered and sized.
#pragma once

#include <windows.h>

namespace toolbars {

// Button command ids are the button's index plus this; menu ids start at 1.
constexpr int kFirstButtonId = 1;
constexpr int kSeparatorWidth = 6;
constexpr int kImageSize = 16;

class TTBCustomToolbar;
// The toolbar is going: a drop-down's message hook must not find it.
void ForgetTrackingToolbar(const TTBCustomToolbar* toolbar);

} // namespace toolbars
