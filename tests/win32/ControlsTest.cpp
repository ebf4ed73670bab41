// The framework's controls at their edges, in the real main window: list
// selection and column fitting, the status bar's text, and commands and
// notifications from windows the program did not make.
#include "MainWindowFixture.h"
#include "MemoryFaults.h"
#include "UserInput.h"
#include "core/ui/SortCompare.h"
#include "toolbars/TTBFloatingWindowParent.h"
#include "win32/LocaleCompare.h"

#include <commctrl.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

class ControlsTest : public FakeMainWindowTest {
protected:
    void FillProcesses(int n)
    {
        snapshot.processes.clear();
        for (int i = 1; i <= n; ++i)
            snapshot.processes.push_back({static_cast<uint32_t>(i * 4), "process" + std::to_string(i) + ".exe"});
    }

    static int SelectedCount(HWND list) { return static_cast<int>(::SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0)); }

    static LONG Style(HWND window) { return ::GetWindowLongA(window, GWL_STYLE); }

    // The right edge of the last column, in the list's client coordinates.
    static int ColumnsEnd(HWND list)
    {
        HWND header = ListView_GetHeader(list);
        RECT r{};
        Header_GetItemRect(header, Header_GetItemCount(header) - 1, &r);
        return r.right;
    }
    static int ClientWidth(HWND window)
    {
        RECT r{};
        ::GetClientRect(window, &r);
        return r.right;
    }
};

TEST_F(ControlsTest, SelectingNoRowSelectsNoneNotEveryRow)
{
    FillProcesses(5);
    form->RefreshProcesses();
    HWND list = form->lvMaster->Handle();
    form->lvMaster->Select(2);
    EXPECT_EQ(SelectedCount(list), 1);
    form->lvMaster->Select(-1);
    EXPECT_EQ(SelectedCount(list), 0);
    EXPECT_EQ(form->lvMaster->SelectedIndex(), -1);
}

TEST_F(ControlsTest, RefillThatBringsAVerticalScrollBarBringsNoHorizontalOne)
{
    form->Show();
    HWND master = form->lvMaster->Handle();
    FillProcesses(3);
    form->RefreshProcesses();
    ASSERT_FALSE(Style(master) & WS_VSCROLL);

    FillProcesses(40);
    form->RefreshProcesses();
    EXPECT_TRUE(Style(master) & WS_VSCROLL);
    EXPECT_FALSE(Style(master) & WS_HSCROLL);
    EXPECT_LE(ColumnsEnd(master), ClientWidth(master));
    EXPECT_GE(ColumnsEnd(master), ClientWidth(master) - 1);

    std::vector<fake::Module> modules;
    for (int i = 0; i < 40; ++i)
        modules.push_back({4, 1, "C:\\lib" + std::to_string(i) + ".dll", 0x10000000u + 0x10000u * i});
    snapshot.modules = modules;
    form->lvMaster->Select(0);
    HWND detail = form->lvDetail->Handle();
    EXPECT_TRUE(Style(detail) & WS_VSCROLL);
    EXPECT_FALSE(Style(detail) & WS_HSCROLL);
    EXPECT_LE(ColumnsEnd(detail), ClientWidth(detail));
}

// A list's client pixels as the screen shows them; after a full paint if asked.
std::vector<COLORREF> ClientPixels(HWND list, bool fullPaint = false)
{
    if (fullPaint)
        ::RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RECT client{};
    ::GetClientRect(list, &client);
    win32::WindowDC window(list);
    win32::UniqueMemoryDc dc(::CreateCompatibleDC(window.Get()));
    win32::UniqueBitmap bitmap(::CreateCompatibleBitmap(window.Get(), client.right, client.bottom));
    {
        win32::SelectedObject select(dc.Get(), bitmap.Get());
        ::BitBlt(dc.Get(), 0, 0, client.right, client.bottom, window.Get(), 0, 0, SRCCOPY);
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = client.right;
    info.bmiHeader.biHeight = -client.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<COLORREF> pixels(static_cast<std::size_t>(client.right) * static_cast<std::size_t>(client.bottom));
    ::GetDIBits(dc.Get(), bitmap.Get(), 0, static_cast<UINT>(client.bottom), pixels.data(), &info, DIB_RGB_COLORS);
    return pixels;
}

// A refresh that finds what the list shows asks for no paint; one that finds
// a row changed repaints that row alone, and the screen then shows what a
// full paint draws.
TEST_F(ControlsTest, RefillRepaintsOnlyTheRowsThatLookDifferent)
{
    form->Show();
    FillProcesses(5);
    form->RefreshProcesses();
    form->lvMaster->Select(1);
    app.ProcessMessages();
    HWND list = form->lvMaster->Handle();

    form->RefreshProcesses();
    EXPECT_FALSE(::GetUpdateRect(list, nullptr, FALSE));

    snapshot.processes[3].exe = "renamed.exe";
    form->RefreshProcesses();
    RECT update{};
    ::GetUpdateRect(list, &update, FALSE);
    RECT row{};
    ListView_GetItemRect(list, RowOf(16), &row, LVIR_BOUNDS);
    EXPECT_EQ(std::vector<LONG>({update.left, update.top, update.right, update.bottom}),
              std::vector<LONG>({row.left, row.top, row.right, row.bottom}));
    app.ProcessMessages();
    EXPECT_EQ(CellText(list, RowOf(16), 1), "renamed.exe");
    const auto shown = ClientPixels(list);
    EXPECT_TRUE(shown == ClientPixels(list, true));
}

TEST_F(ControlsTest, RefreshThatFindsTheSameRowsLeavesTheListScrolledAsItWas)
{
    form->Show();
    // Listed against the sort by id: a refill focuses the row where the
    // snapshot has it, far from where the sort then puts it.
    for (int i = 100; i >= 1; --i)
        snapshot.processes.push_back({static_cast<uint32_t>(i * 4), "process" + std::to_string(i) + ".exe"});
    form->RefreshProcesses();
    form->lvMaster->Select(RowOf(8));
    snapshot.processes[0].exe = "renamed.exe";
    form->RefreshProcesses();
    app.ProcessMessages();
    HWND list = form->lvMaster->Handle();
    const int top = ListView_GetTopIndex(list);

    for (int refresh = 0; refresh < 2; ++refresh) {
        form->RefreshProcesses();
        EXPECT_EQ(ListView_GetTopIndex(list), top);
        EXPECT_FALSE(::GetUpdateRect(list, nullptr, FALSE));
        app.ProcessMessages();
    }
    EXPECT_EQ(form->lvMaster->SelectedIndex(), RowOf(8));
}

// Answers the text queries as Windows does for a simple-mode bar (it reports
// the parts, not the simple text), and records what is set.
LRESULT CALLBACK WindowsLikeStatusBar(HWND bar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR shown)
{
    switch (message) {
    case SB_GETTEXTLENGTHA:
        return 0;
    case SB_GETTEXTA:
        if (lParam)
            *reinterpret_cast<char*>(lParam) = '\0';
        return 0;
    case SB_SETTEXTA:
        *reinterpret_cast<std::string*>(shown) = reinterpret_cast<const char*>(lParam);
        break;
    }
    return ::DefSubclassProc(bar, message, wParam, lParam);
}

TEST_F(ControlsTest, HintGoesFromTheStatusBarAlsoWhereItsTextCannotBeReadBack)
{
    std::string shown = "untouched";
    HWND bar = form->TheStatusBar->Handle();
    ::SetWindowSubclass(bar, &WindowsLikeStatusBar, 9, reinterpret_cast<DWORD_PTR>(&shown));
    app.SetHint("Refresh the screen");
    EXPECT_EQ(shown, "Refresh the screen");
    app.SetHint("");
    EXPECT_EQ(shown, "");
    ::RemoveWindowSubclass(bar, &WindowsLikeStatusBar, 9);
}

// Looks like one of ours to anything that reads a window's user data.
class StrayControl : public win32::Control {
public:
    StrayControl() : Control(win32::ControlProps{}) {}
    bool HandleNotify(NMHDR&, LRESULT&) override { return ++heard, true; }
    bool HandleCommand(WORD) override { return ++heard, true; }
    int heard = 0;

protected:
    HWND CreateHandle(HWND) override { return nullptr; }
};

TEST_F(ControlsTest, CommandsAndNotificationsReachOnlyControlsTheProgramMade)
{
    StrayControl stray;
    win32::UniqueWindow stranger(::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                                   ::GetModuleHandleA(nullptr), nullptr));
    ASSERT_TRUE(stranger);
    ::SetWindowLongPtrA(stranger.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(static_cast<win32::Control*>(&stray)));
    NMHDR header{stranger.Get(), 1, static_cast<UINT>(NM_CLICK)};
    ::SendMessageA(form->Handle(), WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&header));
    ::PostMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), reinterpret_cast<LPARAM>(stranger.Get()));

    // A notification is sent by the control itself; a posted one carries a
    // pointer from who knows where, even when it names a control of ours.
    int clicks = 0;
    form->lvMaster->OnColumnClick = [&](win32::ListView&, int) { ++clicks; };
    NMLISTVIEW click{};
    click.hdr = {form->lvMaster->Handle(), 0, static_cast<UINT>(LVN_COLUMNCLICK)};
    click.iItem = -1;
    click.iSubItem = 1;
    ::PostMessageA(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
    userinput::Settle(app);
    EXPECT_EQ(stray.heard, 0);
    EXPECT_EQ(clicks, 0);
    ::SendMessageA(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(clicks, 1);
}

// Runs `send` on a thread of its own while this one goes on handling
// messages, as when another program sends: Windows hands another process's
// WM_NOTIFY on unmarshalled, which reaches the same path (Wine refuses it
// between processes). Whether the thread came back.
template <class Send>
bool FromAnotherThread(win32::Application& app, Send send)
{
    std::atomic<bool> done{false};
    std::thread sender([&] {
        send();
        done = true;
    });
    const bool finished = userinput::WaitFor(app, [&] { return done.load(); });
    sender.join();
    return finished;
}

bool Answers(HWND window, UINT message, LPARAM lParam)
{
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(window, message, 0, lParam, SMTO_NORMAL, 5000, &result) != 0;
}

TEST_F(ControlsTest, NotificationsSentFromAnotherThreadAreNeverReadThrough)
{
    form->tbMain->Float();
    ASSERT_NE(form->tbMain->FloatingParent(), nullptr);
    int clicks = 0;
    form->lvMaster->OnColumnClick = [&](win32::ListView&, int) { ++clicks; };
    // A column click naming a list of ours, as a record of its own would.
    const auto columnClick = [&] {
        NMLISTVIEW click{};
        click.hdr = {form->lvMaster->Handle(), 0, static_cast<UINT>(LVN_COLUMNCLICK)};
        click.iItem = -1;
        click.iSubItem = 1;
        return click;
    };
    const auto onHeap = std::make_unique<NMLISTVIEW>(columnClick());
    const HWND windows[] = {form->Handle(), form->dkTop->Handle(), form->tbMenu->Handle(),
                            form->tbMain->FloatingParent()->Handle()};
    testsupport::AccessViolations violations;
    for (HWND window : windows) {
        bool answered[4] = {};
        ASSERT_TRUE(FromAnotherThread(app, [&] {
            NMLISTVIEW onItsStack = columnClick();
            answered[0] = Answers(window, WM_NOTIFY, 1);
            answered[1] = Answers(window, WM_NOTIFY, reinterpret_cast<LPARAM>(&onItsStack));
            answered[2] = Answers(window, WM_NOTIFY, reinterpret_cast<LPARAM>(onHeap.get()));
            answered[3] = Answers(window, WM_NULL, 0);
        }));
        for (bool a : answered)
            EXPECT_TRUE(a) << window;
        EXPECT_EQ(clicks, 0) << window;
        EXPECT_EQ(violations.Raised(), 0) << window;
    }
    // This thread's own notification still reaches the list.
    NMLISTVIEW own = columnClick();
    ::SendMessageA(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&own));
    EXPECT_EQ(clicks, 1);
}

TEST_F(ControlsTest, OwnNotificationsRaisedWhileAnotherThreadsMessageIsHandledArrive)
{
    FillProcesses(5);
    form->RefreshProcesses();
    int changes = 0;
    form->lvMaster->OnChange = [&](win32::ListView&) { ++changes; };
    // The list raises its change while this thread handles the other's send.
    ASSERT_TRUE(FromAnotherThread(app, [&] {
        LVITEMA item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessageA(form->lvMaster->Handle(), LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&item));
    }));
    EXPECT_GT(changes, 0);
    EXPECT_EQ(form->lvMaster->SelectedIndex(), 2);
}

TEST(LocaleCompareTest, FailingSystemComparisonStillOrdersConsistently)
{
    const LCID bogus = 0xFFFFFFFF;
    EXPECT_LT(win32::LocaleCompare("alpha", "Beta", bogus), 0);
    EXPECT_GT(win32::LocaleCompare("Beta", "alpha", bogus), 0);
    EXPECT_EQ(win32::LocaleCompare("Same", "same", bogus), 0);
    EXPECT_LT(win32::LocaleCompare("alpha", "Beta"), 0);
    EXPECT_EQ(win32::LocaleCompare("Same", "same"), 0);
}

// Sorting by name goes through the keys, so every pair of them must order
// as the texts compare: case, punctuation the locale weighs apart, digits,
// characters above 127, prefixes and the empty text.
TEST(LocaleCompareTest, SortKeysOrderAsTheTextsCompare)
{
    const std::vector<std::string> texts = {"", "a", "A", "ab", "a-b", "a'b", "co-op", "coop", "Coop.exe",
                                            "svchost.exe", "SVCHOST.EXE", "svchost2.exe", "svchost10.exe",
                                            "x_y.dll", "x y.dll", "\xE9t\xE9.exe", "ete.exe", "zeta", "[bracket]"};
    const auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (const LCID locale : {static_cast<LCID>(LOCALE_USER_DEFAULT), static_cast<LCID>(0xFFFFFFFF)}) {
        for (const std::string& a : texts) {
            const std::string keyA = win32::LocaleSortKey(a, locale);
            for (const std::string& b : texts) {
                EXPECT_EQ(sign(core::CompareBytes(keyA, win32::LocaleSortKey(b, locale))),
                          sign(win32::LocaleCompare(a, b, locale)))
                    << "\"" << a << "\" against \"" << b << "\", locale " << locale;
            }
        }
    }
}

} // namespace
