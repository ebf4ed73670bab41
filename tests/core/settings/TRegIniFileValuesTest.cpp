#include "settings/RegIniFileFixture.h"

namespace {

// --- Reading ---

TEST_F(RegIniFileTest, IntegersAreReadFromTextWithTheDefaultForAnythingElse)
{
    reg.PlantText(kPrefs, "Width", "640");
    reg.PlantText(kPrefs, "Hex", "$12C");
    reg.PlantText(kPrefs, "Blanks", "  300");
    reg.PlantText(kPrefs, "Trailing", "300 ");
    reg.PlantText(kPrefs, "Float", "3e2");
    reg.PlantText(kPrefs, "TooBig", "2147483648");
    reg.PlantText(kPrefs, "Empty", "");
    reg.PlantText(kPrefs, "Expand", "250", kRegExpandSz);
    TRegIniFile store(reg, kApp);
    EXPECT_EQ(store.ReadIntValue("Preferences", "Width", 1), 640);
    EXPECT_EQ(store.ReadIntValue("preferences", "WIDTH", 1), 640); // names ignore case
    EXPECT_EQ(store.ReadIntValue("Preferences", "Hex", 200), 300);
    EXPECT_EQ(store.ReadIntValue("Preferences", "Blanks", 200), 300);
    EXPECT_EQ(store.ReadIntValue("Preferences", "Trailing", 200), 200);
    EXPECT_EQ(store.ReadIntValue("Preferences", "Float", 200), 200);
    EXPECT_EQ(store.ReadIntValue("Preferences", "TooBig", 200), 200);
    EXPECT_EQ(store.ReadIntValue("Preferences", "Empty", 200), 200);
    EXPECT_EQ(store.ReadIntValue("Preferences", "Expand", 200), 250);
    EXPECT_EQ(store.ReadIntValue("Preferences", "Missing", 200), 200);
    EXPECT_EQ(store.ReadIntValue("Missing", "Width", 200), 200);
    EXPECT_EQ(reg.OpenHandles(), 1u);
}

TEST_F(RegIniFileTest, FlagsAreTrueForAnyNonZeroNumber)
{
    reg.PlantText(kPrefs, "Two", "2");
    reg.PlantText(kPrefs, "MinusOne", "-1");
    reg.PlantText(kPrefs, "Zero", "0");
    reg.PlantText(kPrefs, "Yes", "yes");
    reg.PlantText(kPrefs, "On", "on");
    reg.PlantText(kPrefs, "Empty", "");
    TRegIniFile store(reg, kApp);
    EXPECT_TRUE(store.ReadBoolValue("Preferences", "Two", false));
    EXPECT_TRUE(store.ReadBoolValue("Preferences", "MinusOne", false));
    EXPECT_FALSE(store.ReadBoolValue("Preferences", "Zero", true));
    EXPECT_FALSE(store.ReadBoolValue("Preferences", "Yes", false));
    EXPECT_FALSE(store.ReadBoolValue("Preferences", "On", false));
    EXPECT_FALSE(store.ReadBoolValue("Preferences", "Empty", false));
    // Unreadable text gives the default, whichever it is.
    EXPECT_TRUE(store.ReadBoolValue("Preferences", "Yes", true));
    EXPECT_TRUE(store.ReadBoolValue("Preferences", "Missing", true));
    EXPECT_FALSE(store.ReadBoolValue("Preferences", "Missing", false));
}

TEST_F(RegIniFileTest, TextIsTakenAsStoredUpToTheFirstNul)
{
    reg.PlantText(kPrefs, "Empty", "");
    reg.PlantText(kPrefs, "Expand", "%TEMP%\\x", kRegExpandSz);
    reg.PlantValue(kPrefs, "Unterminated", RegValue{kRegSz, Bytes("250")});
    reg.PlantValue(kPrefs, "OneByte", RegValue{kRegSz, Bytes("7")});
    reg.PlantValue(kPrefs, "Inner", RegValue{kRegSz, Bytes(std::string("12\0" "34", 5))});
    reg.PlantValue(kPrefs, "Nuls", RegValue{kRegSz, Bytes(std::string("\0\0\0", 3))});
    TRegIniFile store(reg, kApp);
    EXPECT_EQ(store.ReadStrValue("Preferences", "Empty", "def"), "");
    EXPECT_EQ(store.ReadStrValue("Preferences", "Missing", "def"), "def");
    EXPECT_EQ(store.ReadStrValue("Preferences", "Expand", "def"), "%TEMP%\\x");
    EXPECT_EQ(store.ReadStrValue("Preferences", "Unterminated", "def"), "250");
    EXPECT_EQ(store.ReadIntValue("Preferences", "Unterminated", 0), 250);
    EXPECT_EQ(store.ReadIntValue("Preferences", "OneByte", 0), 7);
    EXPECT_EQ(store.ReadStrValue("Preferences", "Inner", "def"), "12");
    EXPECT_EQ(store.ReadIntValue("Preferences", "Inner", 0), 12);
    EXPECT_EQ(store.ReadStrValue("Preferences", "Nuls", "def"), "");
    EXPECT_EQ(store.ReadIntValue("Preferences", "Nuls", 5), 5);
}

TEST_F(RegIniFileTest, EmptyDataOfAnyTypeIsEmptyText)
{
    reg.PlantValue(kPrefs, "Dword", RegValue{kRegDword, {}});
    reg.PlantValue(kPrefs, "Binary", RegValue{kRegBinary, {}});
    TRegIniFile store(reg, kApp);
    EXPECT_EQ(store.ReadIntValue("Preferences", "Dword", 200), 200);
    EXPECT_EQ(store.ReadStrValue("Preferences", "Dword", "def"), "");
    EXPECT_EQ(store.ReadIntValue("Preferences", "Binary", 200), 200);
}

TEST_F(RegIniFileTest, DataOfAnotherTypeRaisesWithTheValueName)
{
    reg.PlantValue(kPrefs, "Width", RegValue{kRegDword, {0x80, 0x02, 0, 0}});
    reg.PlantValue(kPrefs, "Blob", RegValue{kRegBinary, Bytes("300")});
    reg.PlantValue(kPrefs, "Multi", RegValue{7, TextBytes("300")});
    TRegIniFile store(reg, kApp);
    EXPECT_EQ(Raised([&] { store.ReadIntValue("Preferences", "Width", 0); }),
              "Invalid data type for 'Width'");
    EXPECT_EQ(Raised([&] { store.ReadStrValue("Preferences", "Blob", ""); }),
              "Invalid data type for 'Blob'");
    EXPECT_EQ(Raised([&] { store.ReadBoolValue("Preferences", "Multi", false); }),
              "Invalid data type for 'Multi'");
    EXPECT_EQ(reg.OpenHandles(), 1u);
}

TEST_F(RegIniFileTest, DataThatCannotBeReadRaisesWithTheValueName)
{
    reg.PlantText(kPrefs, "Width", "640");
    reg.PlantText(kPrefs, "Claimed", "640");
    reg.FailDataRead("Width");
    reg.ReportSize("Claimed", UINT32_MAX);
    TRegIniFile store(reg, kApp);
    EXPECT_EQ(Raised([&] { store.ReadIntValue("Preferences", "Width", 0); }),
              "Failed to get data for 'Width'");
    EXPECT_EQ(Raised([&] { store.ReadStrValue("Preferences", "Claimed", ""); }),
              "Failed to get data for 'Claimed'");
    EXPECT_EQ(reg.OpenHandles(), 1u);
}

TEST_F(RegIniFileTest, LessDataThanTheSizeQuerySaidIsReadAsItIs)
{
    reg.PlantValue(kPrefs, "Short", RegValue{kRegSz, Bytes("42")});
    reg.ReportSize("Short", 100);
    TRegIniFile store(reg, kApp);
    EXPECT_EQ(store.ReadIntValue("Preferences", "Short", 0), 42);
}

TEST_F(RegIniFileTest, HugeValuesAreReadWhole)
{
    const std::string digits(64 * 1024, '7');
    reg.PlantText(kPrefs, "Digits", digits);
    reg.PlantValue(kPrefs, "Unterminated", RegValue{kRegSz, Bytes(digits)});
    // 16 MiB of data is the most believed; one byte more is a damaged hive.
    const std::string longest((16u << 20) - 1, '5');
    reg.PlantText(kPrefs, "Longest", longest);
    reg.PlantText(kPrefs, "TooLong", longest + "5");
    TRegIniFile store(reg, kApp);
    EXPECT_EQ(store.ReadIntValue("Preferences", "Digits", 200), 200);
    EXPECT_EQ(store.ReadStrValue("Preferences", "Digits", ""), digits);
    EXPECT_EQ(store.ReadStrValue("Preferences", "Unterminated", ""), digits);
    EXPECT_EQ(store.ReadStrValue("Preferences", "Longest", ""), longest);
    EXPECT_EQ(Raised([&] { store.ReadStrValue("Preferences", "TooLong", ""); }),
              "Failed to get data for 'TooLong'");
}

TEST_F(RegIniFileTest, SectionsMayBePathsOrStartAtTheRoot)
{
    reg.PlantText(kPrefs + "\\Deep", "Value", "1");
    reg.PlantText("Preferences", "Value", "2");
    reg.PlantText(kApp, "Value", "3");
    TRegIniFile store(reg, kApp);
    EXPECT_EQ(store.ReadIntValue("Preferences\\Deep", "Value", 0), 1);
    EXPECT_EQ(store.ReadIntValue("\\Preferences", "Value", 0), 2);
    EXPECT_EQ(store.ReadIntValue("", "Value", 0), 3);
}

TEST_F(RegIniFileTest, ASectionThatCannotBeOpenedCountsAsMissing)
{
    reg.PlantText(kPrefs, "Width", "640");
    reg.RefuseOpen(kPrefs);
    TRegIniFile store(reg, kApp);
    EXPECT_EQ(store.ReadIntValue("Preferences", "Width", 1), 1);
    EXPECT_EQ(store.ReadStrValue("Preferences", "Width", "def"), "def");
}

// --- Writing ---

TEST_F(RegIniFileTest, WritesAreTextWithTheNulCounted)
{
    {
        TRegIniFile store(reg, kApp);
        store.WriteIntValue("Preferences", "Min", INT32_MIN);
        store.WriteIntValue("Preferences", "Max", INT32_MAX);
        store.WriteIntValue("Preferences", "Zero", 0);
        store.WriteBoolValue("Preferences", "On", true);
        store.WriteBoolValue("Preferences", "Off", false);
        store.WriteStrValue("Preferences", "Empty", "");
        store.WriteStrValue("Preferences", "Text", "dkTop");
    }
    EXPECT_EQ(reg.Value(kPrefs, "Min"), (RegValue{kRegSz, TextBytes("-2147483648")}));
    EXPECT_EQ(reg.Value(kPrefs, "Max"), (RegValue{kRegSz, TextBytes("2147483647")}));
    EXPECT_EQ(reg.Value(kPrefs, "Zero"), (RegValue{kRegSz, {'0', 0}}));
    EXPECT_EQ(reg.Value(kPrefs, "On"), (RegValue{kRegSz, {'1', 0}}));
    EXPECT_EQ(reg.Value(kPrefs, "Off"), (RegValue{kRegSz, {'0', 0}}));
    EXPECT_EQ(reg.Value(kPrefs, "Empty"), (RegValue{kRegSz, {0}}));
    EXPECT_EQ(reg.Value(kPrefs, "Text"), (RegValue{kRegSz, TextBytes("dkTop")}));
}

TEST_F(RegIniFileTest, WritesReplaceValuesOfAnyTypeAndLeaveOthersAlone)
{
    reg.PlantValue(kPrefs, "Width", RegValue{kRegDword, {1, 2, 3, 4}});
    reg.PlantValue(kPrefs, "Other", RegValue{kRegBinary, {9}});
    {
        TRegIniFile store(reg, kApp);
        store.WriteIntValue("preferences", "width", 640);
        EXPECT_EQ(store.ReadIntValue("Preferences", "Width", 0), 640);
    }
    EXPECT_EQ(reg.Text(kPrefs, "Width"), "640");
    EXPECT_EQ(reg.Value(kPrefs, "Other"), (RegValue{kRegBinary, {9}}));
}

TEST_F(RegIniFileTest, WritesGoToTheSectionPathOrFromTheRoot)
{
    {
        TRegIniFile store(reg, kApp);
        store.WriteIntValue("Deep\\Er", "A", 1);
        store.WriteIntValue("\\Top", "B", 2);
    }
    EXPECT_EQ(reg.Text(kApp + "\\Deep\\Er", "A"), "1");
    EXPECT_EQ(reg.Text("Top", "B"), "2");
    EXPECT_FALSE(reg.HasKey(kApp + "\\Top"));
}

TEST_F(RegIniFileTest, ASectionThatCannotBeCreatedRaisesWithThePathAsPassed)
{
    reg.RefuseCreateUnder(kPrefs);
    reg.RefuseCreateUnder("Blocked");
    TRegIniFile store(reg, kApp);
    EXPECT_EQ(Raised([&] { store.WriteIntValue("Preferences", "Left", 1); }),
              "Failed to create key Preferences");
    EXPECT_EQ(Raised([&] { store.WriteStrValue("\\Blocked\\S", "Left", "x"); }),
              "Failed to create key \\Blocked\\S");
    EXPECT_FALSE(reg.HasKey(kPrefs));
    EXPECT_EQ(reg.OpenHandles(), 1u);
}

TEST_F(RegIniFileTest, AValueThatCannotBeSetRaisesWithItsName)
{
    reg.FailWrite("Left");
    TRegIniFile store(reg, kApp);
    EXPECT_EQ(Raised([&] { store.WriteIntValue("Preferences", "Left", 1); }),
              "Failed to set data for 'Left'");
    EXPECT_EQ(Raised([&] { store.WriteBoolValue("Preferences", "Left", true); }),
              "Failed to set data for 'Left'");
    EXPECT_EQ(reg.OpenHandles(), 1u);
}

TEST_F(RegIniFileTest, ASectionCreatedButNotOpenedIsSkippedQuietly)
{
    reg.RefuseOpen(kPrefs);
    {
        TRegIniFile store(reg, kApp);
        EXPECT_EQ(Raised([&] { store.WriteIntValue("Preferences", "Left", 1); }), "(nothing raised)");
    }
    EXPECT_TRUE(reg.HasKey(kPrefs));
    EXPECT_TRUE(reg.ValueNames(kPrefs).empty());
}

} // namespace
