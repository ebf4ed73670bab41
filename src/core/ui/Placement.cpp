#include "core/ui/Placement.h"

#include <algorithm>

namespace core {

Point CentreOnDesktop(int desktopWidth, int desktopHeight, int windowWidth, int windowHeight)
{
    return {std::max((desktopWidth - windowWidth) / 2, 0),
            std::max((desktopHeight - windowHeight) / 2, 0)};
}

} // namespace core
