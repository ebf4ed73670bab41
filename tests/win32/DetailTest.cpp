#include "processes/FakeToolhelp.h"
#include "MainWindowFixture.h"
#include "app/ImageProbe.h"
#include "core/ui/TextFormat.h"
#include "shared/FileImageBase.h"

#include <psapi.h>
#include <tlhelp32.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

// Written independently of the program's own formatting.
std::string HexText(uint64_t value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%08llX", static_cast<unsigned long long>(value));
    return text;
}

// What "Image addr" shows for an image loaded at `base`: its file's preferred
// base, only where the loader placed it elsewhere.
std::string ImageAddrText(uint64_t base, const std::string& path)
{
    const uint64_t preferred = testsupport::FileImageBase(path);
    EXPECT_NE(preferred, 0u) << path;
    return preferred == base ? "" : HexText(preferred);
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
    return text;
}

struct PlatformModule {
    uint64_t base;
    DWORD size;
    std::string path;
};

// The modules of a process as psapi lists them, once the given libraries are
// among them, or none after ten seconds.
std::vector<PlatformModule> PlatformModules(HANDLE process, DWORD filter, const std::vector<std::string>& awaited)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        HMODULE modules[1024];
        DWORD bytes = 0;
        std::vector<PlatformModule> listed;
        if (::EnumProcessModulesEx(process, modules, sizeof modules, &bytes, filter)) {
            for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 1024; ++i) {
                MODULEINFO info{};
                char path[MAX_PATH] = {};
                if (::GetModuleInformation(process, modules[i], &info, sizeof info) &&
                    ::GetModuleFileNameExA(process, modules[i], path, sizeof path))
                    listed.push_back({reinterpret_cast<uintptr_t>(info.lpBaseOfDll), info.SizeOfImage, path});
            }
        }
        std::size_t found = 0;
        for (const std::string& name : awaited) {
            for (const PlatformModule& module : listed)
                found += Lower(std::string(core::FileNamePart(module.path))) == name ? 1 : 0;
        }
        if (found == awaited.size())
            return listed;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return {};
}

class DetailTest : public MainWindowTest {
protected:
    // The module row whose path ends with the given file name, or -1.
    int ModuleRow(const std::string& fileName) const
    {
        for (int i = 0; i < form->lvDetail->Count(); ++i) {
            if (core::FileNamePart(CellText(form->lvDetail->Handle(), i, 4)) == fileName)
                return i;
        }
        return -1;
    }

    void SelectProcess(DWORD id)
    {
        form->RefreshProcesses();
        const int row = RowOf(id);
        ASSERT_GE(row, 0);
        form->lvMaster->Select(row);
    }
};

TEST_F(DetailTest, SummaryOfOwnProcessAndItsExecutablesBases)
{
    SelectProcess(::GetCurrentProcessId());

    char path[MAX_PATH] = {};
    ASSERT_NE(::GetModuleFileNameA(nullptr, path, sizeof path), 0u);
    char label[2048] = {};
    ::GetWindowTextA(form->lDetailInfo->Handle(), label, sizeof label);
    const std::string text = label;
    const std::string idLine = "\rProcess ID: " + core::HexId(::GetCurrentProcessId()) + "\r";
    EXPECT_EQ(text.rfind("Executable file name: ", 0), 0u) << text;
    EXPECT_NE(text.find(core::FileNamePart(path)), std::string::npos) << text;
    EXPECT_NE(text.find(idLine), std::string::npos) << text;
    EXPECT_NE(text.find("\rPriority class: "), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 22), "\r\rModules information:");
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_TRUE(form->lDetailInfo->Visible());
    EXPECT_TRUE(::GetWindowLongA(form->lDetailInfo->Handle(), GWL_STYLE) & WS_VISIBLE);

    const int self = ModuleRow("win32_tests.exe");
    ASSERT_GE(self, 0);
    HWND list = form->lvDetail->Handle();
    const uint64_t base = reinterpret_cast<uintptr_t>(::GetModuleHandleA(nullptr));
    EXPECT_EQ(CellText(list, self, 1), HexText(base));
    EXPECT_EQ(CellText(list, self, 2), ImageAddrText(base, path));
    EXPECT_EQ(form->lvDetail->Row(self).image, 1);
}

TEST_F(DetailTest, RelocatedLibraryShowsItsPreferredAddress)
{
    HMODULE first = ::LoadLibraryA("reloc_probe.dll");
    HMODULE twin = ::LoadLibraryA("reloc_twin.dll");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(twin, nullptr);
    const uint64_t base = reinterpret_cast<uintptr_t>(twin);
    ASSERT_NE(base, uint64_t{RELOC_BASE}) << "the loader did not have to relocate it";
    EXPECT_EQ(GetPreferredImageBase(::GetCurrentProcessId(), base), uint64_t{RELOC_BASE});

    SelectProcess(::GetCurrentProcessId());
    const int row = ModuleRow("reloc_twin.dll");
    ASSERT_GE(row, 0);
    EXPECT_EQ(CellText(form->lvDetail->Handle(), row, 1), HexText(base));
    EXPECT_EQ(CellText(form->lvDetail->Handle(), row, 2), RELOC_BASE_TEXT);
    ::FreeLibrary(twin);
    ::FreeLibrary(first);
}

// Every module of a child, as the platform's own module list names it, with
// the same base, size and path; the relocated twin with its preferred base.
TEST_F(DetailTest, ModulesOfAChildMatchThePlatformsList)
{
    testsupport::ChildProcess child(TEST_CHILD_NAME, 60000, {"reloc_probe.dll", "reloc_twin.dll"});
    const auto platform = PlatformModules(child.Handle(), LIST_MODULES_ALL, {"reloc_probe.dll", "reloc_twin.dll"});
    ASSERT_GE(platform.size(), 3u) << "the child did not load its libraries";

    SelectProcess(child.Id());
    HWND list = form->lvDetail->Handle();
    EXPECT_EQ(form->lvDetail->Count(), static_cast<int>(platform.size()));
    for (const PlatformModule& module : platform) {
        const int row = ModuleRow(std::string(core::FileNamePart(module.path)));
        ASSERT_GE(row, 0) << module.path;
        EXPECT_EQ(Lower(CellText(list, row, 4)), Lower(module.path));
        EXPECT_EQ(CellText(list, row, 1), HexText(module.base)) << module.path;
        EXPECT_EQ(CellText(list, row, 3), std::to_string(module.size)) << module.path;
        const std::string name = Lower(std::string(core::FileNamePart(module.path)));
        if (name == "reloc_twin.dll") {
            EXPECT_EQ(CellText(list, row, 2), RELOC_BASE_TEXT);
        } else if (name == TEST_CHILD_NAME) {
            EXPECT_EQ(CellText(list, row, 2), ImageAddrText(module.base, module.path));
        }
    }
}

// How many threads the platform's own Toolhelp lists for a process.
int ToolhelpThreadCount(DWORD processId)
{
    win32::UniqueKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (!snapshot || snapshot.Get() == INVALID_HANDLE_VALUE)
        return -1;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = ::Thread32First(snapshot.Get(), &entry); more; more = ::Thread32Next(snapshot.Get(), &entry))
        count += entry.th32OwnerProcessID == processId;
    return count;
}

// The detail snapshot takes no threads: the count comes with the process's entry.
TEST_F(DetailTest, SummaryCountsTheThreadsTheSystemListsForTheProcess)
{
    testsupport::ChildProcess child;
    // Counted on both sides of the summary, until the child has settled.
    int threads = -1;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (int before = -2; before != threads && std::chrono::steady_clock::now() < deadline;) {
        before = ToolhelpThreadCount(child.Id());
        SelectProcess(child.Id());
        threads = ToolhelpThreadCount(child.Id());
    }
    ASSERT_GE(threads, 1);
    char label[2048] = {};
    ::GetWindowTextA(form->lDetailInfo->Handle(), label, sizeof label);
    EXPECT_NE(std::string(label).find("\rThreads: " + std::to_string(threads) + "\r"), std::string::npos) << label;
}

// The colour a list paints at a point of its client area.
COLORREF PaintedPixel(HWND list, POINT at)
{
    RECT client{};
    ::GetClientRect(list, &client);
    win32::WindowDC screen(list);
    win32::UniqueMemoryDc dc(::CreateCompatibleDC(screen.Get()));
    win32::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.Get(), client.right, client.bottom));
    win32::SelectedObject select(dc.Get(), bitmap.Get());
    ::SendMessageA(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT | PRF_ERASEBKGND);
    return ::GetPixel(dc.Get(), at.x, at.y);
}

// The background of a row, right of the short text of its first column.
COLORREF RowBackground(HWND list, int row)
{
    RECT r{};
    ListView_GetItemRect(list, row, &r, LVIR_BOUNDS);
    return PaintedPixel(list, {ListView_GetColumnWidth(list, 0) - 4, (r.top + r.bottom) / 2});
}

// A relocated module stands out by its background; one at its preferred base
// does not; with High Contrast on only the system's colours are drawn.
TEST_F(DetailTest, RelocatedRowIsDrawnOnItsOwnBackgroundExceptInHighContrast)
{
    testsupport::ChildProcess child(TEST_CHILD_NAME, 60000, {"reloc_probe.dll", "reloc_twin.dll"});
    ASSERT_GE(PlatformModules(child.Handle(), LIST_MODULES_ALL, {"reloc_probe.dll", "reloc_twin.dll"}).size(), 3u);
    // Room for every row.
    form->SetWindowBounds({0, 0, 1000, 900});
    SelectProcess(child.Id());
    HWND list = form->lvDetail->Handle();
    const int twin = ModuleRow("reloc_twin.dll");
    const int probe = ModuleRow("reloc_probe.dll");
    ASSERT_GE(twin, 0);
    ASSERT_GE(probe, 0);
    ASSERT_EQ(CellText(list, twin, 2), RELOC_BASE_TEXT);
    ASSERT_EQ(CellText(list, probe, 2), "");
    // Neither of the two is selected.
    const int other = ModuleRow(TEST_CHILD_NAME);
    ASSERT_GE(other, 0);
    form->lvDetail->Select(other);

    const COLORREF plain = RowBackground(list, probe);
    EXPECT_EQ(plain, ::GetSysColor(COLOR_WINDOW));
    EXPECT_NE(RowBackground(list, twin), plain);

    form->lvDetail->HighContrastOn = [] { return true; };
    EXPECT_EQ(RowBackground(list, twin), plain);
}

// How many modules the platform's own Toolhelp lists for a process, asked
// for both module kinds.
int ToolhelpModuleCount(DWORD processId)
{
    win32::UniqueKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, processId));
    if (!snapshot || snapshot.Get() == INVALID_HANDLE_VALUE)
        return 0;
    MODULEENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = ::Module32First(snapshot.Get(), &entry); more; more = ::Module32Next(snapshot.Get(), &entry))
        ++count;
    return count;
}

// A 32-bit child under WOW64, seen from the 64-bit program: its summary, and
// its 32-bit modules with their own bases and preferred bases. Needs the
// 32-bit build's child, named by VANTORA_WOW64_CHILD_DIR (a Windows path).
TEST_F(DetailTest, Wow64ChildShowsIts32BitModules)
{
    const char* dir = std::getenv("VANTORA_WOW64_CHILD_DIR");
    if (sizeof(void*) != 8 || !dir)
        GTEST_SKIP() << "only for the 64-bit build, with VANTORA_WOW64_CHILD_DIR set";
    const std::string folder = std::string(dir) + "\\";
    testsupport::ChildProcess child((folder + TEST_CHILD_NAME).c_str(), 60000,
                                    {folder + "reloc_probe.dll", folder + "reloc_twin.dll"});
    ASSERT_NE(child.Id(), 0u);
    const auto platform = PlatformModules(child.Handle(), LIST_MODULES_32BIT, {"reloc_probe.dll", "reloc_twin.dll"});
    ASSERT_GE(platform.size(), 3u) << "the child did not load its libraries";

    if (ToolhelpModuleCount(child.Id()) == 0)
        GTEST_SKIP() << "this system's Toolhelp takes no module snapshot of a WOW64 process (Wine 8 does not)";

    SelectProcess(child.Id());
    char summary[2048] = {};
    ::GetWindowTextA(form->lDetailInfo->Handle(), summary, sizeof summary);
    EXPECT_NE(std::string(summary).find("test_child.exe"), std::string::npos) << summary;

    HWND list = form->lvDetail->Handle();
    for (const PlatformModule& module : platform) {
        ASSERT_LT(module.base, uint64_t{1} << 32) << module.path;
        const int row = ModuleRow(std::string(core::FileNamePart(module.path)));
        ASSERT_GE(row, 0) << module.path;
        EXPECT_EQ(CellText(list, row, 1), HexText(module.base)) << module.path;
        const std::string name = Lower(std::string(core::FileNamePart(module.path)));
        if (name == "reloc_twin.dll" || name == "reloc_probe.dll") {
            EXPECT_EQ(CellText(list, row, 2), "00400000");
        } else if (name == TEST_CHILD_NAME) {
            EXPECT_EQ(CellText(list, row, 2), ImageAddrText(module.base, module.path));
        }
    }
}

class ModuleRowRetentionTest : public DetailTest {
protected:
    void SetUp() override { fake::current = &snapshot; }
    void TearDown() override { fake::current = nullptr; }

    void Rebuild(std::vector<fake::Module> modules)
    {
        snapshot.modules = std::move(modules);
        core::TToolHelper helper(binding, core::kSnapAll, 1);
        form->FillModuleList(*form->lvDetail, helper);
    }

    fake::Snapshot snapshot;
    fake::Kernel kernel;
    core::ToolhelpBinding binding{kernel};
};

TEST_F(ModuleRowRetentionTest, KeepsTheRowNumberClampedToTheNewRows)
{
    Rebuild({{1, 1, "a.dll"}, {1, 65535, "b.dll"}, {1, 3, "c.dll"}});
    EXPECT_EQ(form->lvDetail->SelectedIndex(), 0);
    EXPECT_EQ(CellText(form->lvDetail->Handle(), 1, 0), "Fixed");
    EXPECT_EQ(CellText(form->lvDetail->Handle(), 1, 2), "00000000");

    form->lvDetail->Select(2);
    Rebuild({{1, 7, "d.dll"}, {1, 8, "e.dll"}, {1, 9, "f.dll"}, {1, 10, "g.dll"}});
    EXPECT_EQ(form->lvDetail->SelectedIndex(), 2);

    Rebuild({{1, 5, "only.dll"}});
    EXPECT_EQ(form->lvDetail->SelectedIndex(), 0);

    Rebuild({});
    EXPECT_EQ(form->lvDetail->Count(), 0);
    EXPECT_EQ(form->lvDetail->SelectedIndex(), -1);
}

} // namespace
