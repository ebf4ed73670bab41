#include "core/ui/Hint.h"

#include <gtest/gtest.h>

using core::LongHint;
using core::ShortHint;
using core::TooltipText;

namespace {

TEST(Hint, SplitsAtTheFirstBar)
{
    EXPECT_EQ(ShortHint("Refresh|Refresh the screen"), "Refresh");
    EXPECT_EQ(LongHint("Refresh|Refresh the screen"), "Refresh the screen");
    EXPECT_EQ(ShortHint("|long only"), "");
    EXPECT_EQ(LongHint("|long only"), "long only");
    EXPECT_EQ(ShortHint("short|"), "short");
    EXPECT_EQ(LongHint("short|"), "");
    EXPECT_EQ(ShortHint("a|b|c"), "a");
    EXPECT_EQ(LongHint("a|b|c"), "b|c");
}

TEST(Hint, WithoutABarBothAreTheWholeText)
{
    EXPECT_EQ(ShortHint("Toggle Toolbar"), "Toggle Toolbar");
    EXPECT_EQ(LongHint("Toggle Toolbar"), "Toggle Toolbar");
    EXPECT_EQ(ShortHint(""), "");
    EXPECT_EQ(LongHint(""), "");
}

TEST(TooltipText, AddsTheShortcutToTheShortHint)
{
    EXPECT_EQ(TooltipText("Refresh|Refresh the screen", "F5"), "Refresh (F5)");
    EXPECT_EQ(TooltipText("Toggle Toolbar", "Ctrl+T"), "Toggle Toolbar (Ctrl+T)");
    EXPECT_EQ(TooltipText("Refresh|Refresh the screen", ""), "Refresh");
    EXPECT_EQ(TooltipText("|long only", "F5"), "");
    EXPECT_EQ(TooltipText("", "F5"), "");
}

} // namespace
