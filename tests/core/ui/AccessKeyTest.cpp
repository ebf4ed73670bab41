#include "core/ui/AccessKey.h"

#include <gtest/gtest.h>

using core::AccessKey;
using core::MatchesAccessKey;
using core::WithoutAccessKey;

namespace {

TEST(AccessKey, IsTheCharacterAfterTheFirstSingleAmpersand)
{
    EXPECT_EQ(AccessKey("&File"), 'F');
    EXPECT_EQ(AccessKey("E&xit"), 'X');
    EXPECT_EQ(AccessKey("&Auto refresh"), 'A');
    EXPECT_EQ(AccessKey("a&b&c"), 'B');
}

TEST(AccessKey, DoubledAmpersandIsPlainText)
{
    EXPECT_EQ(AccessKey("Fish && Chips"), 0);
    EXPECT_EQ(AccessKey("Fish && &Chips"), 'C');
    EXPECT_EQ(AccessKey("&&&Go"), 'G');
}

TEST(AccessKey, NoneWithoutAMarkedCharacter)
{
    EXPECT_EQ(AccessKey("Refresh"), 0);
    EXPECT_EQ(AccessKey(""), 0);
    EXPECT_EQ(AccessKey("Trailing&"), 0);
}

TEST(AccessKey, TypedCharacterMatchesEitherCase)
{
    EXPECT_TRUE(MatchesAccessKey("&View", 'v'));
    EXPECT_TRUE(MatchesAccessKey("&View", 'V'));
    EXPECT_FALSE(MatchesAccessKey("&View", 'i'));
    EXPECT_FALSE(MatchesAccessKey("Refresh", 'r'));
    EXPECT_TRUE(MatchesAccessKey("Page &2", '2'));
}

TEST(WithoutAccessKey, DropsTheMarkersKeepsDoubledAmpersands)
{
    EXPECT_EQ(WithoutAccessKey("&File"), "File");
    EXPECT_EQ(WithoutAccessKey("E&xit"), "Exit");
    EXPECT_EQ(WithoutAccessKey("Fish && &Chips"), "Fish && Chips");
    EXPECT_EQ(WithoutAccessKey("Trailing&"), "Trailing");
    EXPECT_EQ(WithoutAccessKey("Refresh"), "Refresh");
    EXPECT_EQ(WithoutAccessKey(""), "");
}

} // namespace
