#include "settings/ToolbarLayoutFixture.h"

namespace {

// --- In the registry ---

class RegistryLayoutTest : public LayoutTest {
protected:
    void TearDown() override
    {
        EXPECT_EQ(reg.OpenHandles(), 0u);
        EXPECT_EQ(reg.Misuses(), 0u);
    }
    void Restore() { core::RestoreToolbarLayout(owner, reg, core::kHkeyCurrentUser, kBase); }
    void Save() { core::StoreToolbarLayout(owner, reg, core::kHkeyCurrentUser, kBase); }

    fake::Registry reg;
};

TEST_F(RegistryLayoutTest, AFirstRestoreCreatesTheEmptyBaseKeyAndTheFirstSaveItsSubkeys)
{
    Restore();
    EXPECT_TRUE(reg.HasKey(kBase));
    EXPECT_TRUE(reg.SubkeyNames(kBase).empty());
    EXPECT_TRUE(CallsOf(tbMain).empty());

    Save();
    EXPECT_EQ(reg.SubkeyNames(kBase), (Strings{"tbMenu", "tbMain"}));
    EXPECT_EQ(reg.ValueNames(kBase + "\\tbMain"), (Strings{"Rev", "Visible", "DockedTo", "LastDock", "DockRow",
                                                           "DockPos", "FloatLeft", "FloatTop", "FloatRightX"}));
    EXPECT_EQ(reg.Value(kBase + "\\tbMain", "DockedTo"), (fake::RegValue{core::kRegSz, fake::TextBytes("dkTop")}));
    EXPECT_EQ(reg.Text(kBase + "\\tbMain", "DockPos"), "24");
    EXPECT_EQ(reg.Text(kBase + "\\tbMain", "LastDock"), "");
}

TEST_F(RegistryLayoutTest, RegistryValuesRestoreAndHostileOnesPassThrough)
{
    const std::string main = kBase + "\\tbMain";
    reg.PlantText(main, "Rev", "2000");
    reg.PlantValue(main, "Visible", fake::RegValue{core::kRegSz, {'7'}}); // unterminated
    reg.PlantText(main, "DockedTo", "dkleft", core::kRegExpandSz);
    reg.PlantText(main, "DockRow", "-2147483648");
    reg.PlantText(main, "DockPos", "2147483647");
    reg.PlantValue(main, "FloatLeft", fake::RegValue{core::kRegDword, {}}); // empty: the default
    reg.PlantText(kBase + "\\tbMenu", "Rev", "2000");
    reg.PlantText(kBase + "\\tbMenu", "DockedTo", std::string(300, 'D'));
    tbMain.visible = false;
    Restore();
    EXPECT_TRUE(tbMain.visible);
    EXPECT_EQ(tbMain.dock, &dkLeft);
    EXPECT_EQ(tbMain.row, INT32_MIN);
    EXPECT_EQ(tbMain.pos, INT32_MAX);
    EXPECT_EQ(tbMenu.dock, &dkTop);
}

TEST_F(RegistryLayoutTest, ANumberTypedRevRaisesAndEveryDockIsResumed)
{
    reg.PlantValue(kBase + "\\tbMenu", "Rev", fake::RegValue{core::kRegDword, {0xD0, 0x07, 0, 0}});
    EXPECT_EQ(Raised([&] { Restore(); }), "Invalid data type for 'Rev'");
    EXPECT_EQ(DockCalls(), kAllDocksSuspendedAndResumed);
}

TEST_F(RegistryLayoutTest, ASaveLeavesUnknownValuesAndSubkeysAlone)
{
    reg.PlantText(kBase + "\\tbMain", "Extra", "keep");
    reg.PlantText(kBase + "\\tbMain", "DockRow", "9");
    reg.PlantText(kBase + "\\tbGone", "Rev", "2000");
    reg.PlantKey(kBase + "\\tbMain\\Sub");
    Save();
    EXPECT_EQ(reg.Text(kBase + "\\tbMain", "Extra"), "keep");
    EXPECT_EQ(reg.Text(kBase + "\\tbMain", "DockRow"), "0");
    EXPECT_EQ(reg.Text(kBase + "\\tbGone", "Rev"), "2000");
    EXPECT_TRUE(reg.HasKey(kBase + "\\tbMain\\Sub"));
}

TEST_F(RegistryLayoutTest, AnotherRootIsUsedAsGiven)
{
    constexpr core::RegKey kOtherRoot = 0x80000002;
    core::StoreToolbarLayout(owner, reg, kOtherRoot, kBase);
    EXPECT_EQ(reg.Text(kBase + "\\tbMain", "Rev"), std::nullopt);
    EXPECT_EQ(reg.Value(kBase + "\\tbMain", "Rev", kOtherRoot), (fake::RegValue{core::kRegSz, fake::TextBytes("2000")}));
}

// Without its base key the layout must neither come from nor go to the
// current user's root itself.
TEST_F(RegistryLayoutTest, WithoutTheBaseKeyNothingIsReadOrWrittenElsewhere)
{
    reg.PlantText("tbMain", "Rev", "2000");
    reg.PlantText("tbMain", "Visible", "0");
    reg.PlantText("tbMain", "DockedTo", "dkLeft");
    reg.RefuseCreateUnder("Software");
    const Strings keysBefore = reg.AllKeys();
    Restore();
    EXPECT_TRUE(CallsOf(tbMain).empty());
    EXPECT_EQ(DockCalls(), kAllDocksSuspendedAndResumed);
    EXPECT_EQ(Raised([&] { Save(); }), "Failed to create key tbMenu");
    EXPECT_EQ(reg.AllKeys(), keysBefore);
    EXPECT_EQ(reg.ValueNames("tbMain"), (Strings{"Rev", "Visible", "DockedTo"}));
}

} // namespace
