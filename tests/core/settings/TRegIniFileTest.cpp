#include "core/settings/ERegistryException.h"
#include "core/settings/TRegIniFile.h"

#include "settings/FakeRegistry.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

using core::ERegistryException;
using core::kHkeyCurrentUser;
using core::kRegBinary;
using core::kRegDword;
using core::kRegExpandSz;
using core::kRegSz;
using core::TRegIniFile;
using fake::RegValue;
using fake::TextBytes;

namespace {

constexpr core::RegKey kOtherRoot = 0x80000002;
const std::string kApp = "Software\\Morvane\\Vantora";
const std::string kPrefs = kApp + "\\Preferences";

std::vector<uint8_t> Bytes(const std::string& raw)
{
    return std::vector<uint8_t>(raw.begin(), raw.end());
}

// The message of the ERegistryException the call raises.
std::string Raised(const std::function<void()>& call)
{
    try {
        call();
    } catch (const ERegistryException& e) {
        return e.what();
    }
    return "(nothing raised)";
}

// Every test ends with every handle the store took closed, exactly once.
class RegIniFileTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        EXPECT_EQ(reg.OpenHandles(), 0u);
        EXPECT_EQ(reg.Misuses(), 0u);
    }

    fake::Registry reg;
};

// --- Opening keys ---

TEST_F(RegIniFileTest, CreationOpensTheKeyCreatingItWhenMissing)
{
    TRegIniFile store(reg, kApp);
    EXPECT_TRUE(reg.HasKey(kApp));
    EXPECT_NE(store.CurrentKey(), 0u);
    EXPECT_EQ(store.CurrentPath(), kApp);
    EXPECT_EQ(store.RootKey(), kHkeyCurrentUser);
    EXPECT_EQ(store.KeyPath(), kApp);
    EXPECT_EQ(reg.OpenHandles(), 1u);
    EXPECT_FALSE(reg.HasKey(kPrefs)); // sections come with the first write
}

TEST_F(RegIniFileTest, OpenPathIsRelativeToTheCurrentKeyAndCreatesOnlyWhenAllowed)
{
    TRegIniFile store(reg, "A");
    EXPECT_FALSE(store.OpenPath("B", false));
    EXPECT_FALSE(reg.HasKey("A\\B"));
    EXPECT_EQ(store.CurrentPath(), "A");

    EXPECT_TRUE(store.OpenPath("B", true));
    EXPECT_TRUE(reg.HasKey("A\\B"));
    EXPECT_FALSE(reg.HasKey("B"));
    EXPECT_EQ(store.CurrentPath(), "A\\B");

    EXPECT_TRUE(store.OpenPath("C\\D", true));
    EXPECT_EQ(store.CurrentPath(), "A\\B\\C\\D");
    EXPECT_EQ(reg.OpenHandles(), 1u); // each success closed the key it replaced
}

TEST_F(RegIniFileTest, ALeadingBackslashOpensFromTheRoot)
{
    TRegIniFile store(reg, "A");
    EXPECT_TRUE(store.OpenPath("\\C", true));
    EXPECT_TRUE(reg.HasKey("C"));
    EXPECT_FALSE(reg.HasKey("A\\C"));
    EXPECT_EQ(store.CurrentPath(), "C");
}

TEST_F(RegIniFileTest, AFailedOpenKeepsTheCurrentKey)
{
    TRegIniFile store(reg, "A");
    core::RegKey before = store.CurrentKey();
    reg.RefuseCreateUnder("A\\Locked");
    EXPECT_FALSE(store.OpenPath("Locked", true));
    EXPECT_FALSE(store.OpenPath("\\Missing", false));
    EXPECT_EQ(store.CurrentKey(), before);
    EXPECT_EQ(store.CurrentPath(), "A");
}

TEST_F(RegIniFileTest, AnEmptyPathOpensTheCurrentKeyAnew)
{
    reg.PlantText("A", "Value", "1");
    TRegIniFile store(reg, "A");
    std::size_t given = reg.HandlesGiven();
    EXPECT_TRUE(store.OpenPath("", true));
    EXPECT_EQ(reg.HandlesGiven(), given + 1);
    EXPECT_EQ(store.ReadIntValue("", "Value", 0), 1);
    // Only opened, never created: a key that refuses opening stays refused.
    reg.RefuseOpen("A");
    EXPECT_FALSE(store.OpenPath("", true));
}

TEST_F(RegIniFileTest, TheRootItselfIsHeldButNeverClosed)
{
    TRegIniFile store(reg, "");
    EXPECT_EQ(store.CurrentKey(), kHkeyCurrentUser);
    EXPECT_EQ(store.CurrentPath(), "");
    EXPECT_TRUE(store.OpenPath("A", true));
    EXPECT_TRUE(reg.HasKey("A"));
    EXPECT_TRUE(store.OpenPath("\\", false));
    EXPECT_EQ(store.CurrentKey(), kHkeyCurrentUser);
    store.WriteIntValue("\\", "Direct", 1);
    EXPECT_EQ(reg.Text("", "Direct"), "1");
}

TEST_F(RegIniFileTest, WithoutACurrentKeyOpenPathStartsAtTheRoot)
{
    reg.RefuseCreateUnder("Software");
    TRegIniFile store(reg, kApp);
    EXPECT_EQ(store.CurrentKey(), 0u);
    EXPECT_EQ(store.CurrentPath(), "");
    EXPECT_TRUE(store.OpenPath("Elsewhere", true));
    EXPECT_TRUE(reg.HasKey("Elsewhere"));
    EXPECT_EQ(store.CurrentPath(), "Elsewhere");
}

TEST_F(RegIniFileTest, AnotherRootDropsTheCurrentKeyAndOpensNothing)
{
    TRegIniFile store(reg, "A");
    core::RegKey before = store.CurrentKey();
    store.SetRoot(kHkeyCurrentUser);
    EXPECT_EQ(store.CurrentKey(), before);

    std::size_t given = reg.HandlesGiven();
    store.SetRoot(kOtherRoot);
    EXPECT_EQ(store.CurrentKey(), 0u);
    EXPECT_EQ(store.CurrentPath(), "");
    EXPECT_EQ(store.RootKey(), kOtherRoot);
    EXPECT_EQ(reg.OpenHandles(), 0u);
    EXPECT_EQ(reg.HandlesGiven(), given);

    EXPECT_TRUE(store.OpenPath("A", true));
    EXPECT_TRUE(reg.HasKey("A", kOtherRoot));
}

TEST_F(RegIniFileTest, CloseKeyLeavesNoCurrentKey)
{
    TRegIniFile store(reg, "A");
    store.CloseKey();
    EXPECT_EQ(store.CurrentKey(), 0u);
    EXPECT_EQ(store.CurrentPath(), "");
    EXPECT_EQ(reg.OpenHandles(), 0u);
}

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

// --- The current key around section operations ---

TEST_F(RegIniFileTest, TheCurrentKeyStaysAfterFailingOperations)
{
    reg.PlantValue(kPrefs, "Width", RegValue{kRegDword, {1, 0, 0, 0}});
    reg.PlantText(kApp, "Direct", "5");
    reg.RefuseCreateUnder(kApp + "\\Locked");
    reg.FailWrite("Left");
    TRegIniFile store(reg, kApp);
    const core::RegKey key = store.CurrentKey();
    EXPECT_THROW(store.ReadIntValue("Preferences", "Width", 0), ERegistryException);
    EXPECT_THROW(store.WriteIntValue("Locked", "Left", 0), ERegistryException);
    EXPECT_THROW(store.WriteIntValue("Preferences", "Left", 0), ERegistryException);
    EXPECT_EQ(store.CurrentKey(), key);
    EXPECT_EQ(store.CurrentPath(), kApp);
    EXPECT_EQ(store.ReadIntValue("", "Direct", 0), 5);
    EXPECT_EQ(reg.OpenHandles(), 1u);
}

// Without a key of its own the store must not fall back to the bare root:
// a relative section there would be some other program's key.
TEST_F(RegIniFileTest, WithoutACurrentKeyRelativeSectionsAreUnreachable)
{
    reg.PlantText("Preferences", "Width", "999");
    reg.RefuseCreateUnder("Software");
    TRegIniFile store(reg, kApp);
    ASSERT_EQ(store.CurrentKey(), 0u);
    const std::vector<std::string> keysBefore = reg.AllKeys();
    EXPECT_EQ(store.ReadIntValue("Preferences", "Width", 5), 5);
    EXPECT_EQ(store.ReadStrValue("Preferences", "Width", "def"), "def");
    EXPECT_EQ(store.ReadIntValue("", "Width", 5), 5);
    EXPECT_EQ(Raised([&] { store.WriteIntValue("Preferences", "Width", 1); }),
              "Failed to create key Preferences");
    EXPECT_EQ(Raised([&] { store.WriteStrValue("New", "Width", "1"); }), "Failed to create key New");
    EXPECT_EQ(reg.Text("Preferences", "Width"), "999");
    EXPECT_EQ(reg.AllKeys(), keysBefore);
    // A section from the root is still where it says.
    EXPECT_EQ(store.ReadIntValue("\\Preferences", "Width", 5), 999);
}

TEST_F(RegIniFileTest, AfterCloseKeyRelativeSectionsAreUnreachable)
{
    reg.PlantText(kPrefs, "Width", "640");
    reg.PlantText("Preferences", "Width", "999");
    TRegIniFile store(reg, kApp);
    store.CloseKey();
    EXPECT_EQ(store.ReadIntValue("Preferences", "Width", 5), 5);
    EXPECT_EQ(Raised([&] { store.WriteIntValue("Preferences", "Width", 1); }),
              "Failed to create key Preferences");
    EXPECT_EQ(reg.Text("Preferences", "Width"), "999");
}

} // namespace
