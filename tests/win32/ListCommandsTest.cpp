// What a user does with the two lists beyond the control's own keys: copies
// rows as a table for a spreadsheet, opens the list's menu, types a name to
// find a row.
#include "MainWindowFixture.h"
#include "UserInput.h"
#include "core/ui/TypeToFind.h"

#include <cstring>
#include <cwchar>
#include <string>
#include <thread>

namespace {

using userinput::Chord;
using userinput::Tap;

// The clipboard's Unicode text, narrowed: the tests' names are plain ASCII.
std::string ClipboardText()
{
    std::string text;
    if (!::OpenClipboard(nullptr))
        return "(clipboard not open)";
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* wide = static_cast<const wchar_t*>(::GlobalLock(data))) {
            for (const wchar_t* c = wide; *c; ++c)
                text += static_cast<char>(*c);
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

void PutOnClipboard(const wchar_t* text)
{
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    const std::size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(::GlobalLock(memory), text, bytes);
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_UNICODETEXT, memory);
    ::CloseClipboard();
}

class ListCommandsTest : public FakeMainWindowTest {
protected:
    ListCommandsTest()
    {
        snapshot.processes = {{30, "gamma.exe"}, {10, "alpha.exe"}, {20, "beta.exe"}};
        snapshot.modules = {{20, 1, "C:\\Apps\\beta.exe", 0x400000, 0x3000},
                            {20, 65535, "C:\\Windows\\System32\\kernel32.dll", 0x7C800000, 0xF4000}};
    }

    void Show(HWND focus)
    {
        userinput::MouseTo({::GetSystemMetrics(SM_CXSCREEN) - 5, ::GetSystemMetrics(SM_CYSCREEN) - 5});
        form->Show();
        userinput::Activate(app, form->Handle(), focus);
    }
    void Settle() { userinput::Settle(app); }

    // A line as the cells of a row show it, written out by the test.
    static std::string RowLine(HWND list, int row, int columns)
    {
        std::string line;
        for (int c = 0; c < columns; ++c)
            line += (c ? "\t" : "") + CellText(list, row, c);
        return line + "\r\n";
    }
};

TEST_F(ListCommandsTest, CtrlCCopiesTheSelectedRowAndCtrlShiftCTheWholeListInItsOrder)
{
    Show(form->lvMaster->Handle());
    form->RefreshProcesses();
    form->lvMaster->Select(RowOf(20));
    Settle();
    HWND processes = form->lvMaster->Handle();
    Chord({VK_CONTROL, 'C'});
    Settle();
    EXPECT_EQ(ClipboardText(), "ProcessID\tExecutable name\r\n00000014\tbeta.exe\r\n");

    // The module list, sorted by "Base addr" as it shows.
    HWND modules = form->lvDetail->Handle();
    ::SetFocus(modules);
    Chord({VK_CONTROL, VK_SHIFT, 'C'});
    Settle();
    EXPECT_EQ(ClipboardText(), "Use count\tBase addr\tImage addr\tSize\tModule file\r\n" + RowLine(modules, 0, 5) +
                                   RowLine(modules, 1, 5));
    EXPECT_EQ(RowLine(modules, 0, 5), "1\t00400000\t00000000\t12288\tC:\\Apps\\beta.exe\r\n");

    // Ctrl+Insert copies the selected row too.
    ::SetFocus(processes);
    form->lvMaster->Select(RowOf(30));
    Chord({VK_CONTROL, VK_INSERT});
    Settle();
    EXPECT_EQ(ClipboardText(), "ProcessID\tExecutable name\r\n" + RowLine(processes, RowOf(30), 2));
}

TEST_F(ListCommandsTest, WithNothingSelectedCopyLeavesTheClipboardAndItsMenuEntryIsDisabled)
{
    Show(form->lvMaster->Handle());
    form->RefreshProcesses();
    ASSERT_EQ(form->lvMaster->SelectedIndex(), -1);
    PutOnClipboard(L"left alone");
    Chord({VK_CONTROL, 'C'});
    userinput::MenuWatcher menus;
    Tap(VK_APPS);
    Tap(VK_ESCAPE);
    Chord({VK_SHIFT, VK_F10});
    Tap(VK_ESCAPE);
    Settle();
    EXPECT_EQ(ClipboardText(), "left alone");
    ASSERT_EQ(menus.Menus().size(), 2u);
    const userinput::SeenMenu& menu = menus.Menus()[0];
    ASSERT_EQ(menu.items.size(), 2u);
    EXPECT_EQ(menu.items[0].text, "&Copy\tCtrl+C");
    EXPECT_TRUE(menu.items[0].disabled);
    EXPECT_EQ(menu.items[1].text, "Copy &all\tShift+Ctrl+C");
    EXPECT_FALSE(menu.items[1].disabled);
}

TEST_F(ListCommandsTest, RightClickSelectsTheRowTheDetailFollowsAndTheMenuCopiesIt)
{
    Show(form->lvMaster->Handle());
    form->RefreshProcesses();
    HWND processes = form->lvMaster->Handle();
    RECT r{};
    ListView_GetItemRect(processes, RowOf(20), &r, LVIR_BOUNDS);
    POINT at{r.left + 20, (r.top + r.bottom) / 2};
    ::ClientToScreen(processes, &at);
    userinput::MenuWatcher menus;
    userinput::RightClick(at);
    Tap('C');
    Settle();
    ASSERT_EQ(menus.Menus().size(), 1u);
    EXPECT_EQ(form->lvMaster->SelectedIndex(), RowOf(20));
    EXPECT_EQ(form->lvDetail->Count(), 2);
    EXPECT_EQ(ClipboardText(), "ProcessID\tExecutable name\r\n00000014\tbeta.exe\r\n");
}

TEST_F(ListCommandsTest, AClipboardHeldByAnotherProgramGivesTheErrorBoxAndNothingElse)
{
    Show(form->lvMaster->Handle());
    form->RefreshProcesses();
    form->lvMaster->Select(RowOf(10));
    Settle();
    // Another thread holds the clipboard open, as another program would.
    HANDLE opened = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([&] {
        ::OpenClipboard(nullptr);
        ::SetEvent(opened);
        ::WaitForSingleObject(release, 10000);
        ::CloseClipboard();
    });
    ::WaitForSingleObject(opened, 10000);
    testsupport::ModalBoxWatcher boxes;
    Chord({VK_CONTROL, 'C'});
    Settle();
    ::SetEvent(release);
    holder.join();
    ::CloseHandle(opened);
    ::CloseHandle(release);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].caption, "Vantora");
    EXPECT_EQ(boxes.Boxes()[0].text, "Cannot open the clipboard.");
    EXPECT_TRUE(boxes.Boxes()[0].stopIcon);
    EXPECT_EQ(form->lvMaster->SelectedIndex(), RowOf(10));
}

// The live system's processes, named as a user knows them: typing finds a
// row by its executable name; after a pause a new word begins.
class TypeToFindTest : public MainWindowTest {};

TEST_F(TypeToFindTest, TypingANameSelectsItsProcessAndAPauseStartsANewWord)
{
    userinput::MouseTo({::GetSystemMetrics(SM_CXSCREEN) - 5, ::GetSystemMetrics(SM_CYSCREEN) - 5});
    form->Show();
    userinput::Activate(app, form->Handle(), form->lvMaster->Handle());
    form->RefreshProcesses();
    HWND processes = form->lvMaster->Handle();

    const DWORD start = ::GetTickCount();
    userinput::TypeAt("expl", start);
    userinput::Settle(app);
    ASSERT_GE(form->lvMaster->SelectedIndex(), 0);
    EXPECT_EQ(CellText(processes, form->lvMaster->SelectedIndex(), 1), "explorer.exe");
    EXPECT_GT(form->lvDetail->Count(), 0) << "the detail side follows";

    userinput::TypeAt("s", start + 2 * core::TypeToFind::kPauseMs);
    userinput::Settle(app);
    ASSERT_GE(form->lvMaster->SelectedIndex(), 0);
    EXPECT_EQ(CellText(processes, form->lvMaster->SelectedIndex(), 1), "services.exe");
}

} // namespace
