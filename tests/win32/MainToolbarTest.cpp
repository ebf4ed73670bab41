// The program's own menu bar, toolbar and shortcuts as the window shows them;
// the actions only record that they ran.
#include "CommandProbes.h"
#include "MainWindowFixture.h"
#include "UserInput.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testsupport::ExpectCaptionButtons;
using testsupport::ExpectGlyphButtons;
using userinput::Chord;
using userinput::Tap;

class MainToolbarTest : public MainWindowTest {
protected:
    MainToolbarTest() { testsupport::RecordRuns(*form->alMain, runs); }

    std::vector<testsupport::ActionRun> runs;

    void Show()
    {
        // The pointer starts well away from the window, over nothing of it.
        userinput::MouseTo({::GetSystemMetrics(SM_CXSCREEN) - 5, ::GetSystemMetrics(SM_CYSCREEN) - 5});
        userinput::Activate(app, form->Handle(), form->lvMaster->Handle());
    }
    void Settle() { userinput::Settle(app); }
};

TEST_F(MainToolbarTest, ToolbarButtonsShowGlyphsMenuBarShowsCaptions)
{
    // Six buttons: four glyphs, two separators.
    ExpectGlyphButtons(*form->tbMain, {4, 5, -1, 3, -1, 2});
    ExpectCaptionButtons(*form->tbMenu, {"&File", "&View", "&Help"});
}

TEST_F(MainToolbarTest, ShortcutsWorkFromTheFocusedList)
{
    Show();
    ASSERT_EQ(::GetFocus(), form->lvMaster->Handle());
    Tap(VK_F5);
    Chord({VK_CONTROL, VK_F1});
    Settle();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].action, "aRefresh");
    EXPECT_EQ(runs[1].action, "aAbout");
}

// Screen readers and UI automation tell the parts of the window apart by
// their window texts.
TEST_F(MainToolbarTest, DocksToolbarsAndListsCarryTheirNames)
{
    auto text = [](HWND window) {
        char buffer[64] = {};
        ::GetWindowTextA(window, buffer, sizeof buffer);
        return std::string(buffer);
    };
    EXPECT_EQ(text(form->dkTop->Handle()), "Top dock");
    EXPECT_EQ(text(form->dkBottom->Handle()), "Bottom dock");
    EXPECT_EQ(text(form->dkLeft->Handle()), "Left dock");
    EXPECT_EQ(text(form->dkRight->Handle()), "Right dock");
    EXPECT_EQ(text(form->tbMenu->Handle()), "Main Menu");
    EXPECT_EQ(text(form->tbMenu->ButtonBar()), "Main Menu");
    EXPECT_EQ(text(form->tbMain->Handle()), "Toolbar");
    EXPECT_EQ(text(form->tbMain->ButtonBar()), "Toolbar");
    EXPECT_EQ(text(form->lvMaster->Handle()), "Processes");
    EXPECT_EQ(text(form->lvDetail->Handle()), "Modules");

    form->Show();
    form->tbMain->Float();
    ASSERT_TRUE(form->tbMain->Floating());
    EXPECT_EQ(text(::GetAncestor(form->tbMain->Handle(), GA_ROOT)), "Toolbar");
}

} // namespace
