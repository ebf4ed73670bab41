#include "core/ui/Placement.h"

#include <gtest/gtest.h>

using core::CentreOnDesktop;
using core::Point;

namespace {

TEST(CentreOnDesktop, CentresAndRoundsDown)
{
    EXPECT_EQ(CentreOnDesktop(1024, 768, 550, 380), (Point{237, 194}));
    EXPECT_EQ(CentreOnDesktop(1024, 768, 551, 381), (Point{236, 193})); // odd differences
    EXPECT_EQ(CentreOnDesktop(800, 600, 800, 600), (Point{0, 0}));
}

TEST(CentreOnDesktop, NeverPlacesAWindowOffTheTopLeft)
{
    EXPECT_EQ(CentreOnDesktop(640, 480, 800, 600), (Point{0, 0}));
    EXPECT_EQ(CentreOnDesktop(640, 480, 641, 300), (Point{0, 90}));
    EXPECT_EQ(CentreOnDesktop(640, 480, 300, 483), (Point{170, 0}));
}

} // namespace
