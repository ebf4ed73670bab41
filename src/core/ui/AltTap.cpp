#include "core/ui/AltTap.h"

namespace core {

void AltTap::KeyDown(Key key, bool repeated)
{
    if (key == Key::Alt) {
        if (!repeated)
            alone_ = true;
        altDown_ = true;
        return;
    }
    alone_ = false;
}

bool AltTap::KeyUp(Key key)
{
    // Some keys (PrtSc) arrive only as a release.
    if (key != Key::Alt) {
        alone_ = false;
        return false;
    }
    const bool tapped = alone_;
    alone_ = false;
    altDown_ = false;
    return tapped;
}

void AltTap::Interrupt()
{
    alone_ = false;
}

void AltTap::Reset()
{
    altDown_ = false;
    alone_ = false;
}

} // namespace core
