#pragma once

namespace core {

// value * numerator / denominator through a 64-bit intermediate, rounded to
// nearest with halves away from zero; -1 when the denominator is 0 or the
// result does not fit, as the platform's own routine does.
int MulDivRound(int value, int numerator, int denominator);

// The window was designed at 96 dpi: its font height follows the screen's dpi.
int ScaledFontHeight(int designedHeight, int screenDpi, int designedDpi = 96);

// The designed font drew "0" 13 pixels high; when the actual font does not,
// positions and sizes grow or shrink with it.
bool NeedsMetricScaling(int actualTextHeight, int designedTextHeight = 13);
int ScaledMetric(int value, int actualTextHeight, int designedTextHeight = 13);

} // namespace core
