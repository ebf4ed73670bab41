#include "FindModuleBench.h"

#include "SyntheticSource.h"

#include "app/Main.h"
#include "core/processes/LoadedModules.h"
#include "core/processes/ModuleFinder.h"
#include "core/processes/ProgramVariant.h"
#include "core/processes/ToolHelper.h"
#include "core/ui/TextFormat.h"
#include "win32/NameFold.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace bench {

namespace {

constexpr int kProcesses = 1000;
constexpr int kModulesEach = 10;
constexpr int kRows = kProcesses * kModulesEach;
constexpr const char* kTypedWord = "kernel32";
// What filtering may add to a keystroke: one frame at 60 Hz.
constexpr double kKeystrokeTargetMs = 16;

struct Row {
    uint32_t processId;
    std::string processName;
    std::string path;
    uint64_t base;
};

// The floor: a bare list view that keeps no rows, of the find window's list
// styles, columns and client size, answering for the cells of the rows it
// is given, and nothing else.
class FindFloor {
public:
    FindFloor(const win32::VirtualListView& like, int width, int height)
    {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        if (!::GetClassInfoExA(::GetModuleHandleA(nullptr), kClass, &wc)) {
            wc.lpfnWndProc = &FindFloor::HostProc;
            wc.hInstance = ::GetModuleHandleA(nullptr);
            wc.lpszClassName = kClass;
            ::RegisterClassExA(&wc);
        }
        RECT frame{0, 0, width, height};
        ::AdjustWindowRectEx(&frame, WS_POPUP | WS_BORDER, FALSE, 0);
        host_ = ::CreateWindowExA(0, kClass, "floor", WS_POPUP | WS_BORDER | WS_VISIBLE, 0, 0,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
        ::SetWindowLongPtrA(host_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        const DWORD style = LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_SINGLESEL | WS_TABSTOP | WS_CHILD |
                            WS_CLIPSIBLINGS | WS_VISIBLE;
        list_ = ::CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", style, 0, 0, width, height, host_, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
        ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
        HWND header = ListView_GetHeader(like.Handle());
        for (int i = 0; i < Header_GetItemCount(header); ++i) {
            char caption[64] = {};
            LVCOLUMNA column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
            column.pszText = caption;
            column.cchTextMax = sizeof caption;
            ListView_GetColumn(like.Handle(), i, &column);
            column.iSubItem = i;
            ::SendMessageA(list_, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
        }
    }
    ~FindFloor() { ::DestroyWindow(host_); }
    FindFloor(const FindFloor&) = delete;
    FindFloor& operator=(const FindFloor&) = delete;

    HWND Handle() const { return list_; }

    // The rows shown, as indices into all rows; the first one selected.
    void Show(const std::vector<Row>& rows, const std::vector<int>& shown)
    {
        rows_ = &rows;
        shown_ = &shown;
        ListView_SetItemCountEx(list_, static_cast<int>(shown.size()), 0);
        ::InvalidateRect(list_, nullptr, TRUE);
        if (!shown.empty())
            ListView_SetItemState(list_, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(list_, 0, FALSE);
        ::RedrawWindow(host_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }

private:
    static constexpr const char* kClass = "VantoraBenchFindFloor";

    static LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<FindFloor*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_NOTIFY && self && reinterpret_cast<NMHDR*>(lParam)->code == LVN_GETDISPINFOA) {
            self->Cell(reinterpret_cast<NMLVDISPINFOA*>(lParam)->item);
            return 0;
        }
        return ::DefWindowProcA(window, message, wParam, lParam);
    }

    void Cell(LVITEMA& item) const
    {
        if (!(item.mask & LVIF_TEXT) || !shown_ || item.iItem < 0 ||
            item.iItem >= static_cast<int>(shown_->size()))
            return;
        const Row& row = (*rows_)[static_cast<std::size_t>((*shown_)[static_cast<std::size_t>(item.iItem)])];
        std::string text;
        switch (item.iSubItem) {
        case 0: text = row.processName; break;
        case 1: text = core::HexId(row.processId); break;
        case 2: text = row.path; break;
        default: text = core::HexAddress(row.base); break;
        }
        ::lstrcpynA(item.pszText, text.c_str(), item.cchTextMax);
    }

    HWND host_ = nullptr;
    HWND list_ = nullptr;
    const std::vector<Row>* rows_ = nullptr;
    const std::vector<int>* shown_ = nullptr;
};

// The same walk as the find window's, written plainly: one process
// snapshot, then one module snapshot of each process.
std::vector<Row> WalkAllModules(core::ToolhelpBinding& toolhelp)
{
    std::vector<std::pair<uint32_t, std::string>> processes;
    {
        core::TToolHelper snapshot(toolhelp, core::kSnapProcess, 0);
        core::ProcessEntry32 entry{};
        entry.dwSize = sizeof entry;
        for (bool more = snapshot.ProcessFirst(entry); more; more = snapshot.ProcessNext(entry))
            processes.emplace_back(entry.th32ProcessID, core::FileNamePart(core::FieldText(entry.szExeFile)));
    }
    std::vector<Row> rows;
    for (const auto& [id, name] : processes) {
        core::TToolHelper snapshot(toolhelp, core::kThisProgram.moduleSnapshotFlags, id);
        core::ModuleEntry32 module{};
        module.dwSize = sizeof module;
        for (bool more = snapshot.ModuleFirst(module); more; more = snapshot.ModuleNext(module))
            rows.push_back({id, name, std::string(core::FieldText(module.szExePath)),
                            reinterpret_cast<uintptr_t>(module.modBaseAddr)});
    }
    return rows;
}

// The rows whose file name contains the text, ASCII case ignored: worked
// out before the floor runs, which only shows them.
std::vector<int> Matching(const std::vector<Row>& rows, std::string text)
{
    auto lower = [](std::string s) {
        for (char& c : s)
            c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        return s;
    };
    text = lower(text);
    std::vector<int> found;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (lower(std::string(core::FileNamePart(rows[i].path))).find(text) != std::string::npos)
            found.push_back(static_cast<int>(i));
    }
    return found;
}

void Require(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "benchmark broken: %s\n", what);
        std::exit(1);
    }
}

SIZE ClientSize(HWND window)
{
    RECT r{};
    ::GetClientRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

FindModuleFigure Report(const std::string& name, std::vector<double> real, std::vector<double> floor)
{
    FindModuleFigure figure{name, kRows, Summarize(std::move(real)), Summarize(std::move(floor))};
    const double ratio = figure.floor.median > 0 ? figure.real.median / figure.floor.median : 0;
    const bool noisy = figure.real.iqrShare > kNoisyShare || figure.floor.iqrShare > kNoisyShare;
    std::printf("%-30s %6d %5d %11.3f %11.3f %7.2f %6.0f%% %6.0f%%%s\n", name.c_str(), figure.n, figure.real.runs,
                figure.real.median, figure.floor.median, ratio, figure.real.iqrShare * 100,
                figure.floor.iqrShare * 100, noisy ? "  noisy" : "");
    std::fflush(stdout);
    return figure;
}

// One key press in the edit box, through the program's own loop, and the
// painting it causes.
void Type(win32::Application& app, TfFindModule& find, char letter)
{
    const auto key = static_cast<WPARAM>(letter >= 'a' && letter <= 'z' ? letter - 'a' + 'A' : letter);
    const UINT scan = ::MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
    ::PostMessageA(find.edModule->Handle(), WM_KEYDOWN, key, static_cast<LPARAM>(1 | (scan << 16)));
    app.ProcessMessages();
    ::RedrawWindow(find.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    app.ProcessMessages();
}

} // namespace

std::vector<FindModuleFigure> MeasureFindModule(win32::Application& app, bool quick)
{
    SyntheticSource source;
    source.SetProcesses(kProcesses);
    source.SetModulesOfEveryProcess(kModulesEach);
    TfMain form(app, source.Binding());
    form.SetSettingsKey("Software\\Morvane\\Vantora\\Benchmark");
    form.Show();
    form.SetWindowBounds({40, 40, 40 + 900, 40 + 700});
    form.aFindModule->Execute();
    TfFindModule& find = *form.FindModule();
    find.SetWindowBounds({100, 100, 100 + 700, 100 + 500});
    app.ProcessMessages();
    Require(find.lvFound->RowCount() == kRows, "the find window lists every module");

    const SIZE size = ClientSize(find.lvFound->Handle());
    FindFloor floor(*find.lvFound, size.cx, size.cy);
    std::vector<Row> floorRows;
    std::vector<int> all;
    for (int i = 0; i < kRows; ++i)
        all.push_back(i);

    constexpr int kWarmUps = 2;
    const int runs = quick ? 7 : 21;
    std::vector<FindModuleFigure> figures;
    std::vector<double> real, floorTimes;
    for (int i = 0; i < kWarmUps + runs; ++i) {
        double start = NowMs();
        find.aFindRefresh->Execute();
        ::RedrawWindow(find.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        app.ProcessMessages();
        const double r = NowMs() - start;
        start = NowMs();
        floorRows = WalkAllModules(source.Binding());
        floor.Show(floorRows, all);
        app.ProcessMessages();
        const double f = NowMs() - start;
        if (i >= kWarmUps) {
            real.push_back(r);
            floorTimes.push_back(f);
        }
    }
    Require(find.lvFound->RowCount() == kRows && floorRows.size() == kRows, "both list every module");
    figures.push_back(Report("find window snapshot", std::move(real), std::move(floorTimes)));

    const std::string word = kTypedWord;
    std::vector<std::vector<int>> shownAt;
    for (std::size_t length = 1; length <= word.size(); ++length)
        shownAt.push_back(Matching(floorRows, word.substr(0, length)));
    real.clear();
    floorTimes.clear();
    for (int i = 0; i < kWarmUps + runs; ++i) {
        find.edModule->SetText("");
        app.ProcessMessages();
        for (std::size_t letter = 0; letter < word.size(); ++letter) {
            double start = NowMs();
            Type(app, find, word[letter]);
            const double r = NowMs() - start;
            start = NowMs();
            floor.Show(floorRows, shownAt[letter]);
            app.ProcessMessages();
            const double f = NowMs() - start;
            Require(find.lvFound->RowCount() == static_cast<int>(shownAt[letter].size()),
                    "each keystroke finds what the word typed so far finds");
            if (i >= kWarmUps) {
                real.push_back(r);
                floorTimes.push_back(f);
            }
        }
    }
    Require(find.edModule->Text() == word, "the word was typed into the edit box");
    FindModuleFigure keystroke = Report("find window keystroke", std::move(real), std::move(floorTimes));
    // Painting the list costs what it costs on this display (the floor
    // paints too); the filtering itself is timed alone as well, on the same
    // rows, with the same fold.
    core::ModuleFinder finder(win32::FoldName);
    finder.SetModules(core::ReadLoadedModules(source.Binding(), core::kThisProgram.moduleSnapshotFlags));
    std::vector<double> filtering;
    for (int i = 0; i < kWarmUps + runs; ++i) {
        for (std::size_t length = 1; length <= word.size(); ++length) {
            const double start = NowMs();
            finder.Filter(word.substr(0, length));
            if (i >= kWarmUps)
                filtering.push_back(NowMs() - start);
            Require(finder.FoundCount() == static_cast<int>(shownAt[length - 1].size()), "the filter finds alike");
        }
    }
    const Summary filter = Summarize(std::move(filtering));
    std::printf("  find window: a keystroke over %d modules took %.2f ms (its floor %.2f ms), of which the\n"
                "  filtering %.3f ms (at most %.0f): %s\n",
                kRows, keystroke.real.median, keystroke.floor.median, filter.median, kKeystrokeTargetMs,
                filter.median <= kKeystrokeTargetMs ? "met" : "MISSED");
    std::fflush(stdout);
    figures.push_back(std::move(keystroke));
    return figures;
}

} // namespace bench
