// The toolbar layer at its edges, on the tests' toolbar form: tooltips too
// long for the control's own buffer, and menus and buttons when something
// fails underneath them.
#include "ToolbarFormFixture.h"

#include <commctrl.h>

#include <stdexcept>
#include <string>

namespace {

using ToolbarEdgesTest = ToolbarFormTest;

// What the toolbar answers when its tooltip asks for a button's text.
std::string AskedTooltip(toolbars::TTBToolbar& bar, int buttonId, bool wide)
{
    if (wide) {
        NMTTDISPINFOW info{};
        info.hdr.hwndFrom = reinterpret_cast<HWND>(::SendMessageA(bar.ButtonBar(), TB_GETTOOLTIPS, 0, 0));
        info.hdr.idFrom = static_cast<UINT_PTR>(buttonId);
        info.hdr.code = TTN_GETDISPINFOW;
        ::SendMessageA(bar.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        const wchar_t* text = info.lpszText && info.lpszText != LPSTR_TEXTCALLBACKW ? info.lpszText : info.szText;
        std::string narrow;
        for (; *text; ++text)
            narrow += static_cast<char>(*text);
        return narrow;
    }
    NMTTDISPINFOA info{};
    info.hdr.hwndFrom = reinterpret_cast<HWND>(::SendMessageA(bar.ButtonBar(), TB_GETTOOLTIPS, 0, 0));
    info.hdr.idFrom = static_cast<UINT_PTR>(buttonId);
    info.hdr.code = TTN_GETDISPINFOA;
    ::SendMessageA(bar.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    return info.lpszText && info.lpszText != LPSTR_TEXTCALLBACKA ? info.lpszText : info.szText;
}

TEST_F(ToolbarEdgesTest, LongTooltipComesOutWhole)
{
    const std::string longHint(120, 'x');
    form->aExit->SetHint(longHint + "|Closes the form");
    TBBUTTON b{};
    ::SendMessageA(form->tbMain->ButtonBar(), TB_GETBUTTON, 5, reinterpret_cast<LPARAM>(&b));
    EXPECT_EQ(AskedTooltip(*form->tbMain, b.idCommand, false), longHint);
    EXPECT_EQ(AskedTooltip(*form->tbMain, b.idCommand, true), longHint);
}

// An entry whose state cannot be brought up to date before its menu shows.
class FailingItem : public toolbars::TTBCustomItem {
public:
    using TTBCustomItem::TTBCustomItem;
    void BeforeShow() override
    {
        ++asked;
        throw std::runtime_error("cannot tell");
    }
    int asked = 0;
};

TEST_F(ToolbarEdgesTest, MenuThatFailsToBuildLeavesTheBarReadyForTheNext)
{
    FailingItem failing(toolbars::ItemProps{.name = "iFailing", .caption = "Failing"});
    form->smHelp->Add(failing);
    EXPECT_THROW(form->tbMenu->DropDown(*form->smHelp, false), std::runtime_error);
    EXPECT_THROW(form->tbMenu->DropDown(*form->smHelp, false), std::runtime_error);
    // The second drop-down really tried: the bar did not think a menu was still open.
    EXPECT_EQ(failing.asked, 2);
    form->smHelp->Remove(failing);
}

LRESULT CALLBACK RefusingDeletes(HWND bar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == TB_DELETEBUTTON)
        return FALSE;
    return ::DefSubclassProc(bar, message, wParam, lParam);
}

TEST_F(ToolbarEdgesTest, ButtonsThatCannotBeDeletedDoNotHangTheRebuild)
{
    HWND bar = form->tbMain->ButtonBar();
    ::SetWindowSubclass(bar, &RefusingDeletes, 11, 0);
    form->aExit->SetImageIndex(-1);  // a new shape: the buttons are made again
    ::RemoveWindowSubclass(bar, &RefusingDeletes, 11);
    // The six it could not delete, and the six made again.
    EXPECT_EQ(::SendMessageA(bar, TB_BUTTONCOUNT, 0, 0), 12);
    form->aExit->SetImageIndex(3);
    EXPECT_EQ(::SendMessageA(bar, TB_BUTTONCOUNT, 0, 0), 6);
}

} // namespace
