#pragma once

namespace core {

// Alt pressed and released with nothing else between, while the window
// stays active: the gesture that gives a menu bar the keyboard.
class AltTap {
public:
    enum class Key { Alt, Other };

    // `repeated`: the key was already down (auto-repeat, or held while the
    // window became active).
    void KeyDown(Key key, bool repeated);
    // True when this release ends a lone Alt.
    bool KeyUp(Key key);
    // A mouse button or a typed character: Alt is no longer alone.
    void Interrupt();
    // The window was activated or deactivated: a key held across that is
    // no gesture of this window's, and its release may never come here.
    void Reset();

    // Alt is held down (access keys are shown meanwhile).
    bool AltDown() const { return altDown_; }

private:
    bool altDown_ = false;
    bool alone_ = false;
};

} // namespace core
