#include "MainWindowFixture.h"

#include <set>

namespace {

using testsupport::BoundsInParent;

class LayoutTest : public MainWindowTest {
protected:
    RECT Client() const
    {
        RECT r{};
        ::GetClientRect(form->Handle(), &r);
        return r;
    }
    RECT Bounds(const win32::Control* c) const { return BoundsInParent(c->Handle()); }
    int TopDockHeight() const { return Bounds(form->dkTop).bottom - Bounds(form->dkTop).top; }
};

TEST_F(LayoutTest, StartsAtTheDesignedClientSizeWithEmptyDocksCollapsed)
{
    const RECT client = Client();
    EXPECT_EQ(client.right, 542);
    EXPECT_EQ(client.bottom, 321);

    const RECT status = Bounds(form->TheStatusBar);
    EXPECT_EQ(status.bottom, 321);
    EXPECT_EQ(status.bottom - status.top, 19);
    EXPECT_EQ(status.right - status.left, 542);

    EXPECT_EQ(Bounds(form->dkLeft).right - Bounds(form->dkLeft).left, 1);
    EXPECT_EQ(Bounds(form->dkRight).right - Bounds(form->dkRight).left, 0);
    EXPECT_EQ(Bounds(form->dkBottom).bottom - Bounds(form->dkBottom).top, 0);

    const RECT master = Bounds(form->lvMaster);
    EXPECT_EQ(master.left, 1);
    EXPECT_EQ(master.top, TopDockHeight());
    EXPECT_EQ(master.bottom, 302);
    EXPECT_EQ(master.right - master.left, 224);

    const RECT splitter = Bounds(form->sMain);
    EXPECT_EQ(splitter.left, master.right);
    EXPECT_EQ(splitter.right - splitter.left, 5);

    const RECT detail = Bounds(form->pDetail);
    EXPECT_EQ(detail.left, splitter.right);
    EXPECT_EQ(detail.right, 542);
    EXPECT_EQ(detail.top, master.top);
    EXPECT_EQ(detail.bottom, master.bottom);

    const RECT label = Bounds(form->lDetailInfo);
    const RECT modules = Bounds(form->lvDetail);
    EXPECT_EQ(label.top, 0);
    EXPECT_EQ(label.bottom - label.top, 13);
    EXPECT_EQ(modules.top, label.bottom);
    EXPECT_EQ(modules.bottom, detail.bottom - detail.top);
}

TEST_F(LayoutTest, HiddenStatusBarGivesItsHeightToTheLists)
{
    const RECT before = Bounds(form->lvMaster);
    form->TheStatusBar->SetVisible(false);
    EXPECT_FALSE(::IsWindowVisible(form->TheStatusBar->Handle()));
    EXPECT_EQ(Bounds(form->lvMaster).bottom, before.bottom + 19);
    EXPECT_EQ(Bounds(form->pDetail).bottom, before.bottom + 19);
}

TEST_F(LayoutTest, StatusBarStaysBelowTheBottomDockWhateverTheOrderOfChanges)
{
    auto expectStacked = [&](int clientHeight, const char* step) {
        EXPECT_EQ(Client().bottom, clientHeight) << step;
        EXPECT_EQ(Bounds(form->TheStatusBar).top, clientHeight - 19) << step;
        EXPECT_EQ(Bounds(form->TheStatusBar).bottom, clientHeight) << step;
        // The menu bar is 23 high.
        EXPECT_EQ(Bounds(form->dkBottom).top, clientHeight - 19 - 23) << step;
        EXPECT_EQ(Bounds(form->dkBottom).bottom, clientHeight - 19) << step;
        EXPECT_EQ(Bounds(form->lvMaster).bottom, clientHeight - 19 - 23) << step;
    };
    // The dock grows from nothing as a bar comes in.
    form->tbMenu->DockInto(*form->dkBottom);
    expectStacked(321, "bar docked");

    // Hidden, the status bar keeps the bounds it had while the window grows.
    form->TheStatusBar->SetVisible(false);
    RECT r{0, 0, 542, 400};
    ::AdjustWindowRectEx(&r, static_cast<DWORD>(::GetWindowLongA(form->Handle(), GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongA(form->Handle(), GWL_EXSTYLE)));
    ::SetWindowPos(form->Handle(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    form->TheStatusBar->SetVisible(true);
    expectStacked(400, "shown again after a resize");
}

TEST_F(LayoutTest, ResizingTheWindowKeepsTheProcessListWidth)
{
    ::SetWindowPos(form->Handle(), nullptr, 0, 0, 800, 500, SWP_NOMOVE | SWP_NOZORDER);
    const RECT client = Client();
    EXPECT_EQ(Bounds(form->lvMaster).right - Bounds(form->lvMaster).left, 224);
    EXPECT_EQ(Bounds(form->pDetail).right, client.right);
    EXPECT_EQ(Bounds(form->TheStatusBar).bottom, client.bottom);
}

TEST_F(LayoutTest, SplitterDragIsLimitedAtBothEndsAndEscStopsWhereItStands)
{
    HWND splitter = form->sMain->Handle();
    auto at = [](int x) { return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), 10); };
    ::SendMessageA(splitter, WM_LBUTTONDOWN, MK_LBUTTON, at(2));
    ::SendMessageA(splitter, WM_MOUSEMOVE, MK_LBUTTON, at(-500));
    EXPECT_EQ(form->lvMaster->Width(), 30);

    // The splitter moved with the list: positions are its own again.
    ::SendMessageA(splitter, WM_MOUSEMOVE, MK_LBUTTON, at(2000));
    const int maximum = 542 - 30 - (1 + 5) ;  // everything but the detail minimum
    EXPECT_EQ(form->lvMaster->Width(), maximum);
    EXPECT_EQ(Bounds(form->pDetail).right - Bounds(form->pDetail).left, 30);

    ::SendMessageA(splitter, WM_MOUSEMOVE, MK_LBUTTON, at(-100));
    const int stoppedAt = form->lvMaster->Width();
    // Esc arrives the way keys do: queued, through the program's key handling.
    ::PostMessageA(splitter, WM_KEYDOWN, VK_ESCAPE, 0);
    app.ProcessMessages();
    EXPECT_FALSE(form->sMain->Dragging());
    ::SendMessageA(splitter, WM_MOUSEMOVE, 0, at(-50));
    EXPECT_EQ(form->lvMaster->Width(), stoppedAt);
    EXPECT_EQ(Bounds(form->sMain).left, Bounds(form->lvMaster).right);
}

TEST_F(LayoutTest, ImageListHoldsEightGlyphsWithFuchsiaTransparent)
{
    HIMAGELIST images = form->ilMain->Handle();
    ASSERT_EQ(form->ilMain->Count(), 8);

    win32::WindowDC screen(nullptr);
    HDC dc = ::CreateCompatibleDC(screen.Get());
    win32::UniqueBitmap canvas(::CreateCompatibleBitmap(screen.Get(), 16, 16));
    {
        win32::SelectedObject select(dc, canvas.Get());
        for (int image = 0; image < 8; ++image) {
            RECT all{0, 0, 16, 16};
            win32::UniqueHandle<win32::NullInvalidTraits<HBRUSH, win32::GdiDeleter>> green(
                ::CreateSolidBrush(RGB(0, 128, 0)));
            ::FillRect(dc, &all, green.Get());
            ::ImageList_Draw(images, image, dc, 0, 0, ILD_TRANSPARENT);
            std::set<COLORREF> colours;
            for (int y = 0; y < 16; ++y) {
                for (int x = 0; x < 16; ++x)
                    colours.insert(::GetPixel(dc, x, y));
            }
            EXPECT_FALSE(colours.count(RGB(255, 0, 255))) << "image " << image;
            EXPECT_TRUE(colours.count(RGB(0, 128, 0))) << "image " << image << " has no transparent pixel";
            EXPECT_GT(colours.size(), 1u) << "image " << image << " draws nothing";
        }
    }
    ::DeleteDC(dc);
}

TEST_F(LayoutTest, LastColumnFillsTheListAfterARefill)
{
    form->RefreshProcesses();
    HWND list = form->lvMaster->Handle();
    RECT client{};
    ::GetClientRect(list, &client);
    EXPECT_EQ(ListView_GetColumnWidth(list, 0) + ListView_GetColumnWidth(list, 1), client.right);
}

TEST_F(LayoutTest, LastColumnKeepsItsWidthThroughResizesUntilTheNextRefill)
{
    HWND modules = form->lvDetail->Handle();
    const int moduleFile = ListView_GetColumnWidth(modules, 4);
    const core::Rect window = form->WindowBounds();
    for (int wider : {200, 60}) {
        ::SetWindowPos(form->Handle(), nullptr, 0, 0, window.width() + wider, window.height(),
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_EQ(ListView_GetColumnWidth(modules, 4), moduleFile) << wider;
    }

    HWND processes = form->lvMaster->Handle();
    form->RefreshProcesses();
    const int executable = ListView_GetColumnWidth(processes, 1);
    form->lvMaster->SetWidth(300);  // as the splitter does
    EXPECT_EQ(ListView_GetColumnWidth(processes, 1), executable);
    EXPECT_EQ(ListView_GetColumnWidth(modules, 4), moduleFile);

    form->RefreshProcesses();
    RECT client{};
    ::GetClientRect(processes, &client);
    EXPECT_EQ(ListView_GetColumnWidth(processes, 0) + ListView_GetColumnWidth(processes, 1), client.right);
    EXPECT_NE(ListView_GetColumnWidth(processes, 1), executable);
}

TEST_F(LayoutTest, LabelGrowsWithItsLinesAndTheModuleListShrinks)
{
    const RECT oneLine = Bounds(form->lDetailInfo);
    const RECT modulesBefore = Bounds(form->lvDetail);
    form->lDetailInfo->SetCaption("first\rsecond\rthird");
    const RECT threeLines = Bounds(form->lDetailInfo);
    const int lineHeight = oneLine.bottom - oneLine.top;
    EXPECT_EQ(threeLines.bottom - threeLines.top, 3 * lineHeight);
    EXPECT_EQ(Bounds(form->lvDetail).top, threeLines.bottom);
    EXPECT_EQ(Bounds(form->lvDetail).bottom, modulesBefore.bottom);

    char shown[64] = {};
    ::GetWindowTextA(form->lDetailInfo->Handle(), shown, sizeof shown);
    EXPECT_STREQ(shown, "first\rsecond\rthird");

    form->lDetailInfo->SetCaption("");
    EXPECT_EQ(Bounds(form->lDetailInfo).bottom - Bounds(form->lDetailInfo).top, lineHeight);
}

TEST_F(LayoutTest, FirstShowingCentresTheWindowOnTheVirtualDesktop)
{
    // The test display is 1280x1024; the frame makes the window 550x348.
    ASSERT_EQ(::GetSystemMetrics(SM_CXVIRTUALSCREEN), 1280);
    ASSERT_EQ(::GetSystemMetrics(SM_CYVIRTUALSCREEN), 1024);
    form->Show();
    RECT r{};
    ::GetWindowRect(form->Handle(), &r);
    EXPECT_EQ(r.left, 365);
    EXPECT_EQ(r.top, 338);
    EXPECT_EQ(r.right - r.left, 550);
    EXPECT_EQ(r.bottom - r.top, 348);

    ::ShowWindow(form->Handle(), SW_HIDE);
    ::SetWindowPos(form->Handle(), nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    form->Show();
    ::GetWindowRect(form->Handle(), &r);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
}

// The widest address a user-mode module can have here: eight digits in a
// 32-bit program, twelve (a 47-bit address space) in a 64-bit one.
TEST_F(LayoutTest, AddressColumnsHoldTheWidestAddress)
{
    HWND list = form->lvDetail->Handle();
    const char* widest = sizeof(void*) == 8 ? "7FFFFFFFFFFF" : "FFFFFFFF";
    // The list pads a cell's text by about six pixels on either side.
    const int needed = ListView_GetStringWidth(list, widest) + 12;
    EXPECT_GE(ListView_GetColumnWidth(list, 1), needed);
    EXPECT_GE(ListView_GetColumnWidth(list, 2), needed);
    EXPECT_EQ(ListView_GetColumnWidth(list, 1), sizeof(void*) == 8 ? 90 : 70);
}

TEST_F(LayoutTest, TabMovesBetweenTheTwoLists)
{
    form->Show();
    ::SetFocus(form->lvMaster->Handle());
    HWND next = ::GetNextDlgTabItem(form->Handle(), form->lvMaster->Handle(), FALSE);
    EXPECT_EQ(next, form->lvDetail->Handle());
}

} // namespace
