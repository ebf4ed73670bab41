#include "core/ui/DpiScale.h"

#include <cstdint>

namespace core {
namespace {

uint64_t Magnitude(int64_t value)
{
    // Via unsigned negation so the most negative value needs no special case.
    return value < 0 ? uint64_t{0} - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
}

} // namespace

int MulDivRound(int value, int numerator, int denominator)
{
    if (denominator == 0)
        return -1;
    int64_t product = static_cast<int64_t>(value) * numerator;
    bool negative = (product < 0) != (denominator < 0);
    uint64_t divisor = Magnitude(denominator);
    uint64_t quotient = (Magnitude(product) + divisor / 2) / divisor;
    uint64_t limit = negative ? uint64_t{1} << 31 : (uint64_t{1} << 31) - 1;
    if (quotient > limit)
        return -1;
    int64_t magnitude = static_cast<int64_t>(quotient);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

int ScaledFontHeight(int designedHeight, int screenDpi, int designedDpi)
{
    return MulDivRound(designedHeight, screenDpi, designedDpi);
}

bool NeedsMetricScaling(int actualTextHeight, int designedTextHeight)
{
    return actualTextHeight != designedTextHeight;
}

int ScaledMetric(int value, int actualTextHeight, int designedTextHeight)
{
    if (!NeedsMetricScaling(actualTextHeight, designedTextHeight))
        return value;
    return MulDivRound(value, actualTextHeight, designedTextHeight);
}

} // namespace core
