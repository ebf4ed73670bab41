#include "win32/HighContrast.h"

#include <windows.h>

namespace win32 {

bool SystemHighContrastOn()
{
    HIGHCONTRASTA contrast{};
    contrast.cbSize = sizeof contrast;
    return ::SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

} // namespace win32
