// The find window as a user meets it: opened with Ctrl+F from the main
// window, filtering every process's modules as a library's name is typed,
// showing the one chosen in the main window, keeping its keys to itself, and
// closing without ending the program.
#include "MainWindowFixture.h"
#include "UserInput.h"
#include "win32/OwnedWindowFront.h"
#include "core/processes/ProgramVariant.h"

#include <tlhelp32.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

namespace {

using userinput::Chord;
using userinput::Tap;

// Written independently of the program's own formatting.
std::string HexText(uint64_t value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%08llX", static_cast<unsigned long long>(value));
    return text;
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string FileName(const std::string& path)
{
    const auto cut = path.find_last_of('\\');
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

// The base of a library in a process, as the platform's Toolhelp reports it
// once the process has loaded it; 0 if it has not within ten seconds.
uint64_t LibraryBase(DWORD processId, const std::string& name)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        win32::UniqueKernelHandle snapshot(
            ::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, processId));
        if (snapshot && snapshot.Get() != INVALID_HANDLE_VALUE) {
            MODULEENTRY32 entry{};
            entry.dwSize = sizeof entry;
            for (BOOL more = ::Module32First(snapshot.Get(), &entry); more;
                 more = ::Module32Next(snapshot.Get(), &entry)) {
                if (Lower(entry.szModule) == name)
                    return reinterpret_cast<uintptr_t>(entry.modBaseAddr);
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return 0;
}

// A library this process holds while the object lives.
class LoadedLibrary {
public:
    explicit LoadedLibrary(const char* name) : module_(::LoadLibraryA(name)) {}
    ~LoadedLibrary()
    {
        if (module_)
            ::FreeLibrary(module_);
    }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;
    bool Loaded() const { return module_ != nullptr; }

private:
    HMODULE module_;
};

template <class Base>
class FindModuleFixture : public Base {
protected:
    void ShowMain()
    {
        userinput::MouseTo({::GetSystemMetrics(SM_CXSCREEN) - 5, ::GetSystemMetrics(SM_CYSCREEN) - 5});
        this->form->Show();
        userinput::Activate(this->app, this->form->Handle(), this->form->lvMaster->Handle());
    }
    void Settle() { userinput::Settle(this->app); }
    template <class State>
    bool WaitFor(State reached) { return userinput::WaitFor(this->app, reached); }

    // The find window, opened as a user opens it; none if it did not open.
    TfFindModule* OpenFind()
    {
        Chord({VK_CONTROL, 'F'});
        Settle();
        TfFindModule* find = this->form->FindModule();
        return find && ::IsWindowVisible(find->Handle()) ? find : nullptr;
    }

    static int SelectedModuleId(const win32::ListView& list)
    {
        const int row = list.SelectedIndex();
        return row < 0 ? -1 : static_cast<int>(list.Row(row).data);
    }
};

using FindModuleTest = FindModuleFixture<MainWindowTest>;

TEST_F(FindModuleTest, ViewMenuEndsWithFindModuleAfterItsOwnEntries)
{
    ShowMain();
    userinput::MenuWatcher watcher;
    Chord({VK_MENU, 'V'});
    Tap(VK_ESCAPE);
    Tap(VK_ESCAPE);
    Settle();
    ASSERT_EQ(watcher.Menus().size(), 1u);
    std::vector<std::string> texts;
    for (const userinput::SeenMenuItem& item : watcher.Menus()[0].items)
        texts.push_back(item.separator ? "-" : item.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"&Toolbar", "&Status Bar", "-", "Refresh\tF5", "&Auto refresh", "-",
                                               "Find &Module...\tCtrl+F"}));
}

TEST_F(FindModuleTest, TypedLibraryNameFindsTheChildAndEnterShowsItInTheMainWindow)
{
    // Loaded here as well, so that the name finds at least two rows.
    LoadedLibrary probe("reloc_probe.dll");
    LoadedLibrary twin("reloc_twin.dll");
    ASSERT_TRUE(twin.Loaded());
    testsupport::ChildProcess child(TEST_CHILD_NAME, 60000, {"reloc_probe.dll", "reloc_twin.dll"});
    const uint64_t base = LibraryBase(child.Id(), "reloc_twin.dll");
    ASSERT_NE(base, 0u) << "the child did not load its libraries";

    ShowMain();
    TfFindModule* opened = OpenFind();
    ASSERT_NE(opened, nullptr);
    TfFindModule& find = *opened;
    EXPECT_EQ(::GetFocus(), find.edModule->Handle());
    Chord({VK_SHIFT, 'T'});
    Tap('W');
    Tap('I');
    Tap('N');
    Settle();
    EXPECT_EQ(find.edModule->Text(), "Twin");

    HWND list = find.lvFound->Handle();
    const int rows = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    ASSERT_GE(rows, 2);
    int childRow = -1;
    for (int row = 0; row < rows; ++row) {
        const std::string name = Lower(FileName(CellText(list, row, 2)));
        EXPECT_NE(name.find("twin"), std::string::npos) << name;
        if (CellText(list, row, 1) == HexText(child.Id()) && name == "reloc_twin.dll")
            childRow = row;
    }
    ASSERT_GE(childRow, 0);
    EXPECT_EQ(CellText(list, childRow, 0), TEST_CHILD_NAME);
    EXPECT_EQ(CellText(list, childRow, 3), HexText(base));
    EXPECT_EQ(find.lvFound->SelectedIndex(), 0);
    Tap(VK_DOWN);
    Settle();
    EXPECT_EQ(find.lvFound->SelectedIndex(), 1);
    Tap(VK_UP);
    Settle();
    EXPECT_EQ(find.lvFound->SelectedIndex(), 0);

    for (int row = 0; row < childRow; ++row)
        Tap(VK_DOWN);
    Settle();
    ASSERT_EQ(find.lvFound->SelectedIndex(), childRow);
    ASSERT_EQ(::GetFocus(), find.edModule->Handle());
    Tap(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return ::GetActiveWindow() == form->Handle(); }));

    EXPECT_EQ(SelectedModuleId(*form->lvMaster), static_cast<int>(child.Id()));
    const int moduleRow = form->lvDetail->SelectedIndex();
    ASSERT_GE(moduleRow, 0);
    EXPECT_EQ(Lower(FileName(CellText(form->lvDetail->Handle(), moduleRow, 4))), "reloc_twin.dll");
    EXPECT_EQ(CellText(form->lvDetail->Handle(), moduleRow, 1), HexText(base));
    EXPECT_TRUE(::IsWindowVisible(find.Handle()));
    // Still in front of the main window once the system has restacked it,
    // however late: some systems do so a while after the activation.
    const DWORD restacked = ::GetTickCount() + 1000;
    WaitFor([&] { return ::GetTickCount() > restacked; });
    EXPECT_TRUE(WaitFor([&] { return win32::InFrontOfOwner(find.Handle(), form->Handle()); }));
}

TEST_F(FindModuleTest, ClosingTheFindWindowLeavesTheProgramRunning)
{
    ShowMain();
    TfFindModule* find = OpenFind();
    ASSERT_NE(find, nullptr);
    // The names screen readers give the window and its list.
    char text[64] = {};
    ::GetWindowTextA(find->Handle(), text, sizeof text);
    EXPECT_STREQ(text, "Find Module");
    ::GetWindowTextA(find->lvFound->Handle(), text, sizeof text);
    EXPECT_STREQ(text, "Modules found");
    Tap(VK_ESCAPE);
    Settle();
    EXPECT_FALSE(::IsWindowVisible(find->Handle()));
    EXPECT_FALSE(userinput::QuitQueued());

    ASSERT_EQ(OpenFind(), find);
    // What the close box asks for.
    ::SendMessageA(find->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    Settle();
    EXPECT_FALSE(::IsWindowVisible(find->Handle()));
    EXPECT_TRUE(::IsWindow(find->Handle()));
    EXPECT_FALSE(userinput::QuitQueued());
    EXPECT_TRUE(::IsWindowVisible(form->Handle()));
}

class FakeFindModuleTest : public FindModuleFixture<FakeMainWindowTest> {
protected:
    FakeFindModuleTest()
    {
        snapshot.processes = {{10, "C:\\apps\\alpha.exe"}};
        snapshot.modules = {{10, 1, "C:\\apps\\alpha.exe"}, {10, 1, "C:\\lib\\one.dll"}};
    }

    int ModuleSnapshots() const
    {
        return static_cast<int>(std::count_if(snapshot.created.begin(), snapshot.created.end(), [](const auto& c) {
            return c.first == core::kThisProgram.moduleSnapshotFlags;
        }));
    }
};

TEST_F(FakeFindModuleTest, KeysInTheFindWindowActThereAndNotOnTheMainWindow)
{
    int refreshes = 0;
    form->aRefresh->OnExecute = [&refreshes](win32::Action&) { ++refreshes; };
    ShowMain();
    TfFindModule* opened = OpenFind();
    ASSERT_NE(opened, nullptr);
    TfFindModule& find = *opened;
    ASSERT_EQ(::GetFocus(), find.edModule->Handle());
    const int snapshots = ModuleSnapshots();

    Tap(VK_F5);
    Settle();
    EXPECT_EQ(refreshes, 0);
    EXPECT_EQ(ModuleSnapshots(), snapshots + 1);

    // Alt and F10 go to the find window's own (system) menu, whose entries
    // the watcher leaves out; the main menu bar opens nothing.
    userinput::MenuWatcher watcher;
    Tap(VK_MENU);
    Tap(VK_DOWN);
    Tap(VK_ESCAPE);
    Tap(VK_ESCAPE);
    Tap(VK_F10);
    Tap(VK_DOWN);
    Tap(VK_ESCAPE);
    Tap(VK_ESCAPE);
    Settle();
    EXPECT_TRUE(watcher.Menus().empty());
    EXPECT_FALSE(form->tbMenu->InMenuMode());
    EXPECT_TRUE(::IsWindowVisible(find.Handle()));

    Tap(VK_TAB);
    Settle();
    EXPECT_EQ(::GetFocus(), find.lvFound->Handle());
    Chord({VK_SHIFT, VK_TAB});
    Settle();
    EXPECT_EQ(::GetFocus(), find.edModule->Handle());
}

} // namespace
