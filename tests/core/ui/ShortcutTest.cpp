#include "core/ui/Shortcut.h"

#include <gtest/gtest.h>

#include <utility>

using core::kAlt;
using core::kCtrl;
using core::kShift;
using core::MakeShortCut;
using core::ShortCutText;

namespace {

static_assert(MakeShortCut(0x74) == 116);
static_assert(MakeShortCut(0x70, kCtrl) == 16496);

TEST(ShortCutText, FunctionKeys)
{
    EXPECT_EQ(ShortCutText(MakeShortCut(0x74)), "F5");
    EXPECT_EQ(ShortCutText(MakeShortCut(0x70)), "F1");
    EXPECT_EQ(ShortCutText(MakeShortCut(0x79)), "F10");
    EXPECT_EQ(ShortCutText(MakeShortCut(0x87)), "F24");
    EXPECT_EQ(ShortCutText(MakeShortCut(0x88)), "");
}

TEST(ShortCutText, ModifiersComeInAFixedOrder)
{
    EXPECT_EQ(ShortCutText(16496), "Ctrl+F1");
    EXPECT_EQ(ShortCutText(MakeShortCut('A', kShift)), "Shift+A");
    EXPECT_EQ(ShortCutText(MakeShortCut('S', kAlt)), "Alt+S");
    EXPECT_EQ(ShortCutText(MakeShortCut(0x2E, kAlt | kCtrl | kShift)), "Shift+Ctrl+Alt+Del");
    EXPECT_EQ(ShortCutText(MakeShortCut('9', kAlt | kShift)), "Shift+Alt+9");
}

TEST(ShortCutText, LettersDigitsAndNamedKeys)
{
    EXPECT_EQ(ShortCutText('0'), "0");
    EXPECT_EQ(ShortCutText('Z'), "Z");
    const std::pair<uint8_t, const char*> named[] = {
        {0x08, "BkSp"}, {0x09, "Tab"},  {0x0D, "Enter"}, {0x1B, "Esc"},  {0x20, "Space"},
        {0x21, "PgUp"}, {0x22, "PgDn"}, {0x23, "End"},   {0x24, "Home"}, {0x25, "Left"},
        {0x26, "Up"},   {0x27, "Right"}, {0x28, "Down"}, {0x2D, "Ins"},  {0x2E, "Del"},
    };
    for (const auto& [key, name] : named)
        EXPECT_EQ(ShortCutText(MakeShortCut(key)), name);
}

TEST(ShortCutText, NoKeyOrUnknownKeyIsEmpty)
{
    EXPECT_EQ(ShortCutText(0), "");
    EXPECT_EQ(ShortCutText(kCtrl), "");
    for (int key : {0x01, 0x2F, 0x3A, 0x40, 0x5B, 0x61, 0xFF})
        EXPECT_EQ(ShortCutText(MakeShortCut(static_cast<uint8_t>(key), kCtrl)), "") << key;
}

} // namespace
