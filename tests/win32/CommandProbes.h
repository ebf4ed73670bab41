// What a toolbar's native bar shows, read back from the control itself, and
// a record of the actions run in place of what they would do.
#pragma once

#include "toolbars/TTBToolbar.h"
#include "win32/Action.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace testsupport {

inline TBBUTTON Button(toolbars::TTBToolbar& bar, int index)
{
    TBBUTTON b{};
    ::SendMessageA(bar.ButtonBar(), TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&b));
    return b;
}

inline std::string ButtonText(toolbars::TTBToolbar& bar, int index)
{
    const TBBUTTON b = Button(bar, index);
    char text[128] = {};
    ::SendMessageA(bar.ButtonBar(), TB_GETBUTTONTEXTA, b.idCommand, reinterpret_cast<LPARAM>(text));
    return text;
}

// Buttons that show the given glyphs (-1: a separator) and no text.
inline void ExpectGlyphButtons(toolbars::TTBToolbar& bar, const std::vector<int>& glyphs)
{
    ASSERT_EQ(::SendMessageA(bar.ButtonBar(), TB_BUTTONCOUNT, 0, 0), static_cast<LRESULT>(glyphs.size()));
    for (int i = 0; i < static_cast<int>(glyphs.size()); ++i) {
        const TBBUTTON b = Button(bar, i);
        if (glyphs[i] < 0) {
            EXPECT_TRUE(b.fsStyle & BTNS_SEP) << i;
            continue;
        }
        EXPECT_EQ(b.iBitmap, glyphs[i]) << i;
        EXPECT_EQ(ButtonText(bar, i), "") << i;
    }
}

// Buttons that show the given captions and no glyph.
inline void ExpectCaptionButtons(toolbars::TTBToolbar& bar, const std::vector<std::string>& captions)
{
    ASSERT_EQ(::SendMessageA(bar.ButtonBar(), TB_BUTTONCOUNT, 0, 0), static_cast<LRESULT>(captions.size()));
    for (int i = 0; i < static_cast<int>(captions.size()); ++i) {
        EXPECT_EQ(ButtonText(bar, i), captions[i]) << i;
        EXPECT_EQ(Button(bar, i).iBitmap, I_IMAGENONE) << i;
    }
}

// An execute handler's run: the action's name and the check state it saw.
struct ActionRun {
    std::string action;
    bool checked;
};

// Every action of the list only records its runs from now on.
inline void RecordRuns(win32::ActionList& list, std::vector<ActionRun>& runs)
{
    for (win32::Action* action : list.Actions())
        action->OnExecute = [&runs](win32::Action& sender) { runs.push_back({sender.Name(), sender.Checked()}); };
}

} // namespace testsupport
