#include "core/ui/AltTap.h"

#include <gtest/gtest.h>

namespace {

using Key = core::AltTap::Key;

TEST(AltTap, OnlyALoneAltWithinOneActivationCounts)
{
    core::AltTap tap;
    tap.KeyDown(Key::Alt, false);
    tap.KeyDown(Key::Alt, true);
    EXPECT_TRUE(tap.AltDown());
    EXPECT_TRUE(tap.KeyUp(Key::Alt));
    EXPECT_FALSE(tap.AltDown());

    // Alt+PrtSc: the print key arrives only as a release.
    tap.KeyDown(Key::Alt, false);
    EXPECT_FALSE(tap.KeyUp(Key::Other));
    EXPECT_FALSE(tap.KeyUp(Key::Alt));

    tap.KeyDown(Key::Alt, false);
    tap.KeyDown(Key::Other, false);
    EXPECT_FALSE(tap.KeyUp(Key::Alt));

    tap.KeyDown(Key::Alt, false);
    tap.Interrupt();
    EXPECT_FALSE(tap.KeyUp(Key::Alt));

    // Alt went down, the window lost the activation and got it back: the
    // release is no tap, and Alt no longer counts as held meanwhile.
    tap.KeyDown(Key::Alt, false);
    tap.Reset();
    EXPECT_FALSE(tap.AltDown());
    tap.Reset();
    tap.KeyDown(Key::Alt, true);
    EXPECT_FALSE(tap.KeyUp(Key::Alt));

    // Nothing left behind: the next lone Alt counts again.
    tap.KeyDown(Key::Alt, false);
    EXPECT_TRUE(tap.KeyUp(Key::Alt));
}

} // namespace
