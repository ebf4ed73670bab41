#include "settings/ToolbarLayoutFixture.h"

namespace {

// --- Loading ---

TEST_F(LayoutTest, AnEntryOfAnotherRevisionIsIgnoredWhole)
{
    for (const char* rev : std::initializer_list<const char*>{"", "1999", "2001", "2000.0", "two thousand", nullptr}) {
        store = {};
        Entry("tbMain", "dkLeft", "0");
        if (rev)
            store.Set("tbMain", "Rev", rev);
        else
            store.values.erase("tbMain/Rev");
        Read();
        EXPECT_EQ(store.reads, (Strings{"tbMenu/Rev", "tbMain/Rev"})) << (rev ? rev : "missing");
        EXPECT_TRUE(CallsOf(tbMain).empty());
    }
    EXPECT_TRUE(tbMain.visible);
    EXPECT_EQ(tbMain.dock, &dkTop);
}

TEST_F(LayoutTest, VisibilityAloneWhenThereIsNoUsableDock)
{
    dkRight.allowDrag = false;
    const Strings dockedTo = {"", "dkNowhere", "dkRight", " +", "++", std::string(300, 'x')};
    for (const std::string& target : dockedTo) {
        log.clear();
        tbMain.visible = true;
        Entry("tbMain", target, "0");
        Read();
        EXPECT_EQ(CallsOf(tbMain), Strings{"SetVisible 0"}) << target;
    }
    EXPECT_EQ(tbMain.dock, &dkTop);
    EXPECT_EQ(tbMain.pos, 24);
}

TEST_F(LayoutTest, AnyNonZeroVisibleShowsAndAMissingOneKeepsTheCurrentState)
{
    tbMain.visible = false;
    Entry("tbMain", "", "7");
    Read();
    EXPECT_TRUE(tbMain.visible);

    store.values.erase("tbMain/Visible");
    tbMain.visible = false;
    Read();
    EXPECT_FALSE(tbMain.visible);
    store.Set("tbMain", "Visible", "yes");
    Read();
    EXPECT_FALSE(tbMain.visible);
}

TEST_F(LayoutTest, ADockedEntryAppliesItsValuesInOrderAndDocksWithoutCaseOfLetters)
{
    Entry("tbMain", "DKLEFT");
    store.Set("tbMain", "DockRow", "2");
    store.Set("tbMain", "DockPos", "40");
    store.Set("tbMain", "FloatLeft", "-5");
    store.Set("tbMain", "FloatTop", "7");
    store.Set("tbMain", "FloatRightX", "130");
    Read();
    EXPECT_EQ(CallsOf(tbMain), (Strings{"SetVisible 1", "SetDockRow 2", "SetDockPos 40", "ReadLayoutExtras",
                                        "SetFloatingPosition -5,7", "DockInto dkLeft", "Arrange",
                                        "LayoutExtrasRead"}));
    EXPECT_EQ(tbMain.dock, &dkLeft);
    EXPECT_EQ(tbMain.floatingWidth, 130);
    EXPECT_EQ(DockCalls(), kAllDocksSuspendedAndResumed);
    // Each dock touched lays out once, when it is resumed.
    EXPECT_EQ(dkTop.arrangements, 1);
    EXPECT_EQ(dkLeft.arrangements, 1);
    EXPECT_EQ(dkBottom.arrangements, 0);
}

TEST_F(LayoutTest, MissingValuesKeepTheRowAndPositionAndZeroTheRest)
{
    tbMain.floatingAt = {300, 400};
    tbMain.floatingWidth = 120;
    Entry("tbMain", "dkTop");
    Read();
    EXPECT_EQ(tbMain.row, 0);
    EXPECT_EQ(tbMain.pos, 24);
    EXPECT_EQ(tbMain.floatingAt, (Point{0, 0}));
    EXPECT_EQ(tbMain.floatingWidth, 0);
    EXPECT_EQ(tbMain.dock, &dkTop);
}

TEST_F(LayoutTest, ExtremeNumbersPassThrough)
{
    Entry("tbMain", "dkTop");
    store.Set("tbMain", "DockRow", "-2147483648");
    store.Set("tbMain", "DockPos", "2147483647");
    store.Set("tbMain", "FloatLeft", "$80000000");
    store.Set("tbMain", "FloatTop", "2147483648"); // out of range: the default
    Read();
    EXPECT_EQ(tbMain.row, INT32_MIN);
    EXPECT_EQ(tbMain.pos, INT32_MAX);
    EXPECT_EQ(tbMain.floatingAt, (Point{INT32_MIN, 0}));
}

TEST_F(LayoutTest, AFloatingEntryFloatsAndRelinksItsLastDock)
{
    dkRight.allowDrag = false; // does not matter for the last dock
    Entry("tbMain", "+");
    store.Set("tbMain", "FloatLeft", "-5000");
    store.Set("tbMain", "FloatTop", "-5000");
    store.Set("tbMain", "LastDock", "DKRIGHT");
    Read();
    EXPECT_EQ(CallsOf(tbMain), (Strings{"SetVisible 1", "SetDockRow 0", "SetDockPos 24", "ReadLayoutExtras",
                                        "SetFloatingPosition -5000,-5000", "Float", "MoveOnScreen",
                                        "SetLastDock dkRight", "Arrange", "LayoutExtrasRead"}));
    EXPECT_TRUE(tbMain.floating);
    EXPECT_EQ(tbMain.lastDock, &dkRight);
}

TEST_F(LayoutTest, TheLastDockIsKeptWhenUnnamedUnknownOrNotWanted)
{
    tbMain.floating = true;
    tbMain.dock = nullptr;
    tbMain.lastDock = &dkBottom;
    Entry("tbMain", "+");
    for (const char* name : {"", "dkNowhere"}) {
        store.Set("tbMain", "LastDock", name);
        Read();
        EXPECT_EQ(tbMain.lastDock, &dkBottom) << name;
    }
    tbMain.useLastDock = false;
    store.Set("tbMain", "LastDock", "dkLeft");
    store.reads.clear();
    Read();
    EXPECT_EQ(tbMain.lastDock, &dkBottom);
    EXPECT_EQ(std::count(store.reads.begin(), store.reads.end(), "tbMain/LastDock"), 0);
    // Already floating: it is not floated again, only checked.
    EXPECT_EQ(std::count(log.begin(), log.end(), "tbMain Float"), 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "tbMain MoveOnScreen"), 3);
}

TEST_F(LayoutTest, FindDockByNameIgnoresTheCaseOfAsciiLettersOnly)
{
    fake::Dock accented{log, "dk\xC3\x84"}, twin{log, "DKTOP"};
    owner.push_back({&accented, nullptr});
    owner.push_back({&twin, nullptr});
    EXPECT_EQ(core::FindDockByName(owner, "DkToP"), &dkTop); // the first of two
    EXPECT_EQ(core::FindDockByName(owner, "dk\xC3\x84"), &accented);
    EXPECT_EQ(core::FindDockByName(owner, "DK\xC3\xA4"), nullptr);
    EXPECT_EQ(core::FindDockByName(owner, "dkTo"), nullptr);
    EXPECT_EQ(core::FindDockByName(owner, "dkTopp"), nullptr);
    EXPECT_EQ(core::FindDockByName(owner, "tbMain"), nullptr);
}

TEST_F(LayoutTest, ARaisingReadStillResumesEveryDockInReverseOrder)
{
    Entry("tbMenu", "dkLeft");
    Entry("tbMain", "dkLeft");
    store.failingRead = "tbMain/Visible";
    EXPECT_EQ(Raised([&] { Read(); }), "read failed: tbMain/Visible");
    EXPECT_EQ(DockCalls(), kAllDocksSuspendedAndResumed);
    EXPECT_EQ(tbMenu.dock, &dkLeft); // the window before it was applied
    EXPECT_EQ(dkLeft.arrangements, 1);
}

TEST_F(LayoutTest, AnUnnamedWindowStopsLoadingAndSaving)
{
    fake::Window unnamed{log, "", &dkTop};
    owner.insert(owner.end() - 1, {nullptr, &unnamed});
    Entry("tbMenu", "dkLeft");
    Entry("tbMain", "dkLeft");
    const std::string message = "Cannot save dockable window's position because Name property is not set";
    EXPECT_EQ(Raised([&] { Read(); }), message);
    EXPECT_EQ(tbMenu.dock, &dkLeft);
    EXPECT_EQ(tbMain.dock, &dkTop);
    EXPECT_EQ(DockCalls(), kAllDocksSuspendedAndResumed);

    store.writes.clear();
    EXPECT_EQ(Raised([&] { Write(); }), message);
    EXPECT_EQ(store.writes.size(), 9u); // tbMenu only
}

// --- Saving ---

TEST_F(LayoutTest, AFloatingWindowIsSavedWithPlusAndItsLastDock)
{
    tbMenu.dock = nullptr; // neither docked nor floating: skipped
    tbMain.dock = nullptr;
    tbMain.floating = true;
    tbMain.lastDock = &dkLeft;
    tbMain.row = 1;
    tbMain.floatingAt = {-5000, 2147483647};
    tbMain.floatingWidth = 96;
    Write();
    EXPECT_EQ(store.writes,
              (Strings{"tbMain/Rev=2000", "tbMain/Visible=1", "tbMain/DockedTo=+", "tbMain/LastDock=dkLeft",
                       "tbMain/DockRow=1", "tbMain/DockPos=24", "tbMain/FloatLeft=-5000",
                       "tbMain/FloatTop=2147483647", "tbMain/FloatRightX=96"}));
}

TEST_F(LayoutTest, ADockedWindowIsSavedWithTheFloatingPositionItHolds)
{
    tbMenu.visible = false;
    tbMenu.floatingAt = {12, 34};
    tbMain.dock = &dkBottom;
    dkBottom.allowDrag = false;
    dkBottom.name.clear(); // not needed when dragging is off
    Write();
    EXPECT_EQ(store.writes,
              (Strings{"tbMenu/Rev=2000", "tbMenu/Visible=0", "tbMenu/DockedTo=dkTop", "tbMenu/LastDock=",
                       "tbMenu/DockRow=0", "tbMenu/DockPos=-1", "tbMenu/FloatLeft=12", "tbMenu/FloatTop=34",
                       "tbMenu/FloatRightX=0", "tbMain/Rev=2000", "tbMain/Visible=1", "tbMain/DockedTo=",
                       "tbMain/LastDock=", "tbMain/DockRow=0", "tbMain/DockPos=24", "tbMain/FloatLeft=0",
                       "tbMain/FloatTop=0", "tbMain/FloatRightX=0"}));
}

TEST_F(LayoutTest, ADraggableDockWithoutANameStopsTheSaveBeforeTheWindow)
{
    tbMain.dock = &dkLeft;
    dkLeft.name.clear();
    EXPECT_EQ(Raised([&] { Write(); }),
              "Cannot save dockable window's position because DockedTo's Name property not set");
    EXPECT_EQ(store.writes.size(), 9u); // tbMenu's, nothing of tbMain
    EXPECT_EQ(store.writes.back(), "tbMenu/FloatRightX=0");
}

TEST_F(LayoutTest, ASavedLayoutLoadsBack)
{
    tbMenu.dock = &dkLeft;
    tbMenu.row = 3;
    tbMenu.pos = 17;
    tbMain.dock = nullptr;
    tbMain.floating = true;
    tbMain.floatingAt = {50, 60};
    tbMain.lastDock = &dkBottom;
    tbMain.visible = false;
    tbMain.floatingWidth = 80;
    Write();

    fake::Toolbar freshMenu{log, "tbMenu", &dkTop}, freshMain{log, "tbMain", &dkTop};
    owner.back().window = &freshMain;
    owner[owner.size() - 2].window = &freshMenu;
    Read();
    EXPECT_EQ(freshMenu.dock, &dkLeft);
    EXPECT_EQ(freshMenu.row, 3);
    EXPECT_EQ(freshMenu.pos, 17);
    EXPECT_TRUE(freshMain.floating);
    EXPECT_FALSE(freshMain.visible);
    EXPECT_EQ(freshMain.floatingAt, (Point{50, 60}));
    EXPECT_EQ(freshMain.lastDock, &dkBottom);
    EXPECT_EQ(freshMain.floatingWidth, 80);
}

} // namespace
