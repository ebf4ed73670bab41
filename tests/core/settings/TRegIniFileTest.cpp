#include "settings/RegIniFileFixture.h"

namespace {

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
