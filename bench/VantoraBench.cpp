// Measures the refresh paths of the real main window, each against its floor
// (a bare list view filled by the same walk, measured in the same run), and
// what ten thousand refreshes leave behind. Prints a table; given a path it
// also writes the table there as JSON. Run: scripts/bench.sh
//
//     vantora_bench [json-path] [--soak refreshes] [--quick] [--profile]
//
// --profile: only where a live refresh's time goes.
#include "FindModuleBench.h"
#include "FloorList.h"
#include "MachineText.h"
#include "ProbeCheck.h"
#include "RefreshProfile.h"
#include "SyntheticSource.h"
#include "Timing.h"

#include "app/Main.h"
#include "app/SystemToolhelp.h"
#include "resource.h"
#include "version.h"
#include "win32/Application.h"
#include "win32/ResourceCounts.h"
#include "win32/ResourceText.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

// Inside the program's own key, and removed again at the end.
constexpr const char* kBenchSettingsKey = "Software\\Morvane\\Vantora\\Benchmark";

struct Options {
    std::string jsonPath;
    int soakRefreshes = 10000;
    bool quick = false;
    bool profileOnly = false;
};

Options ReadOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--soak" && i + 1 < argc)
            options.soakRefreshes = std::atoi(argv[++i]);
        else if (arg == "--quick")
            options.quick = true;
        else if (arg == "--profile")
            options.profileOnly = true;
        else
            options.jsonPath = arg;
    }
    return options;
}

struct Result {
    std::string name;
    int n = 0;
    bench::Summary real;
    bench::Summary floor;

    double Ratio() const { return floor.median > 0 ? real.median / floor.median : 0; }
    bool Noisy() const { return real.iqrShare > bench::kNoisyShare || floor.iqrShare > bench::kNoisyShare; }
};

// Whatever a refresh left queued (painting, notifications) is drawn and
// delivered inside the measured step, as the message loop would right after.
void Settle(win32::Application& app, HWND window)
{
    ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    app.ProcessMessages();
}

double TimeOnce(const std::function<void()>& step)
{
    const double start = bench::NowMs();
    step();
    return bench::NowMs() - start;
}

// The two alternate run by run, so a slow spell of the machine hits both.
Result Compare(const std::string& name, int n, int runs, const std::function<void()>& real,
               const std::function<void()>& floor)
{
    constexpr int kWarmUps = 2;
    std::vector<double> realTimes;
    std::vector<double> floorTimes;
    for (int i = 0; i < kWarmUps + runs; ++i) {
        const double r = TimeOnce(real);
        const double f = TimeOnce(floor);
        if (i >= kWarmUps) {
            realTimes.push_back(r);
            floorTimes.push_back(f);
        }
    }
    Result result{name, n, bench::Summarize(realTimes), bench::Summarize(floorTimes)};
    std::printf("%-30s %6d %5d %11.3f %11.3f %7.2f %6.0f%% %6.0f%%%s\n", name.c_str(), n, runs, result.real.median,
                result.floor.median, result.Ratio(), result.real.iqrShare * 100, result.floor.iqrShare * 100,
                result.Noisy() ? "  noisy" : "");
    std::fflush(stdout);
    return result;
}

int Runs(int n, bool quick)
{
    const int runs = n <= 200 ? 41 : n <= 1000 ? 21 : 9;
    return quick ? (runs + 2) / 3 : runs;
}

int RowOf(const win32::ListView& list, uint32_t id)
{
    for (int i = 0; i < list.Count(); ++i) {
        if (list.Row(i).data == static_cast<intptr_t>(id))
            return i;
    }
    return -1;
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

// Bare lists of the same columns, images and client sizes as the form's.
struct Floors {
    explicit Floors(TfMain& form)
        : processes({"ProcessID", "Executable name"}, form.ilMain->Handle(), Width(*form.lvMaster),
                    Height(*form.lvMaster)),
          modules({"Use count", "Base addr", "Image addr", "Size", "Module file"}, form.ilMain->Handle(),
                  Width(*form.lvDetail), Height(*form.lvDetail))
    {
    }

    static int Width(const win32::ListView& list) { return ClientSize(list.Handle()).cx; }
    static int Height(const win32::ListView& list) { return ClientSize(list.Handle()).cy; }

    bench::FloorList processes;
    bench::FloorList modules;
};

void ShowForm(win32::Application& app, TfMain& form)
{
    form.SetSettingsKey(kBenchSettingsKey);
    form.Show();
    form.SetWindowBounds({40, 40, 40 + 900, 40 + 700});
    app.ProcessMessages();
}

std::vector<Result> MeasureSynthetic(win32::Application& app, const Options& options)
{
    bench::SyntheticSource source;
    TfMain form(app, source.Binding());
    ShowForm(app, form);
    Floors floors(form);
    bench::FloorList& processFloor = floors.processes;
    bench::FloorList& moduleFloor = floors.modules;
    const std::string fixed = win32::LoadResourceText(app.Instance(), IDS_FIXED);

    std::vector<Result> results;
    for (int byName = 0; byName < 2; ++byName) {
        if (byName)
            form.ListViewColumnClick(*form.lvMaster, 1);
        for (int n : {100, 1000, 10000}) {
            source.SetProcesses(n);
            source.SetModules(0, 0);
            form.RefreshProcesses();
            // A process in the middle of the list stays selected throughout.
            form.lvMaster->Select(RowOf(*form.lvMaster, source.ProcessIdAt(n / 2)));
            auto real = [&] {
                source.Touch();
                form.RefreshProcesses();
                Settle(app, form.Handle());
            };
            auto floor = [&] {
                source.Touch();
                processFloor.FillProcesses(source.Binding());
                Settle(app, processFloor.Handle());
            };
            results.push_back(Compare(byName ? "process list by name" : "process list", n, Runs(n, options.quick),
                                      real, floor));
            Require(form.lvMaster->Count() == n && processFloor.Count() == n, "every process is listed");
            Require(form.lvMaster->SelectedIndex() >= 0, "the selected process stays selected");
        }
    }
    form.ListViewColumnClick(*form.lvMaster, 0);

    source.SetProcesses(50);
    const uint32_t shown = source.ProcessIdAt(25);
    for (int n : {50, 200, 1000}) {
        source.SetModules(shown, n);
        auto real = [&] {
            source.Touch();
            form.ShowProcessDetails(shown);
            Settle(app, form.Handle());
        };
        auto floor = [&] {
            source.Touch();
            moduleFloor.FillModules(source.Binding(), shown, fixed);
            Settle(app, moduleFloor.Handle());
        };
        results.push_back(Compare("module list", n, Runs(n, options.quick), real, floor));
        Require(form.lvDetail->Count() == n && moduleFloor.Count() == n, "every module is listed");
        const std::string probes = bench::ProbeProblem(*form.lvDetail, source.RelocatedModules());
        Require(probes.empty(), ("the probe reads the image headers: " + probes).c_str());
    }
    return results;
}

struct Soak {
    int refreshes = 0;
    win32::ResourceCounts before;
    win32::ResourceCounts after;
};

// The live system, with this process selected (its modules shown) and auto
// refresh on, as the program runs for hours.
Result MeasureLive(win32::Application& app, const Options& options, Soak& soak)
{
    TfMain form(app);
    ShowForm(app, form);
    form.aAutoRefresh->SetChecked(true);
    form.RefreshProcesses();
    const auto self = static_cast<uint32_t>(::GetCurrentProcessId());
    form.lvMaster->Select(RowOf(*form.lvMaster, self));
    Require(form.lvMaster->SelectedIndex() >= 0 && form.lvDetail->Count() > 0, "this process and its modules show");

    Floors floors(form);
    bench::FloorList& processFloor = floors.processes;
    bench::FloorList& moduleFloor = floors.modules;
    const std::string fixed = win32::LoadResourceText(app.Instance(), IDS_FIXED);
    auto real = [&] {
        form.RefreshProcesses();
        Settle(app, form.Handle());
    };
    auto floor = [&] {
        processFloor.FillProcesses(SystemToolhelp());
        moduleFloor.FillModules(SystemToolhelp(), self, fixed);
        Settle(app, processFloor.Handle());
        Settle(app, moduleFloor.Handle());
    };
    Result live = Compare("live refresh, own process shown", form.lvMaster->Count(), options.quick ? 15 : 41, real,
                          floor);

    soak.refreshes = options.soakRefreshes;
    real();
    soak.before = win32::CountResources();
    for (int i = 1; i <= soak.refreshes; ++i) {
        real();
        if (i % 1000 == 0) {
            std::printf("  soak: %d refreshes\n", i);
            std::fflush(stdout);
        }
    }
    app.ProcessMessages();
    soak.after = win32::CountResources();
    Require(form.lvMaster->SelectedIndex() >= 0, "this process stays selected through the soak");
    return live;
}

std::string JsonText(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        if (static_cast<unsigned char>(c) < 0x20)
            continue;
        out += c;
    }
    return out + "\"";
}

std::string JsonPair(long long before, long long after)
{
    return "[" + std::to_string(before) + ", " + std::to_string(after) + "]";
}

std::string JsonNumber(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.3f", value);
    return buffer;
}

void WriteJson(const std::string& path, const std::string& machine, const std::vector<Result>& results,
               const Soak& soak, const bench::RefreshProfile& profile)
{
    // Which of the two programs was measured.
    std::string json = "{\n  \"machine\": " + JsonText(machine) + ",\n  \"program\": " +
                       JsonText(VANTORA_PROGRAM_FILE) + ",\n  \"results\": [\n";
    for (std::size_t i = 0; i < results.size(); ++i) {
        const Result& r = results[i];
        json += "    {\"name\": " + JsonText(r.name) + ", \"n\": " + std::to_string(r.n) +
                ", \"runs\": " + std::to_string(r.real.runs) + ", \"median_ms\": " + JsonNumber(r.real.median) +
                ", \"floor_median_ms\": " + JsonNumber(r.floor.median) + ", \"ratio\": " + JsonNumber(r.Ratio()) +
                ", \"iqr_share\": " + JsonNumber(r.real.iqrShare) +
                ", \"floor_iqr_share\": " + JsonNumber(r.floor.iqrShare) +
                ", \"noisy\": " + (r.Noisy() ? "true" : "false") + "}" + (i + 1 < results.size() ? "," : "") + "\n";
    }
    const win32::ResourceCounts& b = soak.before;
    const win32::ResourceCounts& a = soak.after;
    json += "  ],\n  \"soak\": {\"refreshes\": " + std::to_string(soak.refreshes) +
            ", \"handles\": " + JsonPair(b.handles.value, a.handles.value) +
            ", \"gdi_objects\": " + JsonPair(b.gdiObjects.value, a.gdiObjects.value) +
            ", \"user_objects\": " + JsonPair(b.userObjects.value, a.userObjects.value) +
            ", \"private_bytes\": " + JsonPair(static_cast<long long>(b.privateBytes),
                                               static_cast<long long>(a.privateBytes)) +
            ",\n           \"sources\": {\"handles\": " + JsonText(a.handles.source) +
            ", \"gdi_objects\": " + JsonText(a.gdiObjects.source) +
            ", \"user_objects\": " + JsonText(a.userObjects.source) + "}},\n  \"refresh_profile\": " +
            bench::ProfileJson(profile) + "\n}\n";
    FILE* file = std::fopen(path.c_str(), "wb");
    Require(file != nullptr, "the JSON file can be written");
    std::fputs(json.c_str(), file);
    std::fclose(file);
}

const Result* Find(const std::vector<Result>& results, const std::string& name, int n)
{
    for (const Result& r : results) {
        if (r.name == name && r.n == n)
            return &r;
    }
    return nullptr;
}

// A refill of the process list, the selected process's detail rebuild
// included, against the bare walk into a bare list.
constexpr double kRefillTarget = 1.25;

void PrintTargets(const std::vector<Result>& results, const Soak& soak)
{
    std::printf("\ntargets:\n");
    for (const char* name : {"process list", "process list by name"}) {
        for (int n : {1000, 10000}) {
            const Result* r = Find(results, name, n);
            std::printf("  %-22s n=%-6d %.2f x its floor (at most %.2f): %s\n", name, n, r->Ratio(),
                        kRefillTarget, r->Ratio() <= kRefillTarget ? "met" : "MISSED");
        }
        const double scale = Find(results, name, 10000)->real.median / Find(results, name, 1000)->real.median;
        std::printf("  %-22s 10000 cost %.2f x 1000 (at most 13): %s\n", name, scale, scale <= 13 ? "met" : "MISSED");
    }
    auto growth = [](const char* what, const win32::ResourceCount& b, const win32::ResourceCount& a) {
        std::printf("  %-13s %6ld -> %6ld  (%+ld, from %s): %s\n", what, b.value, a.value, a.value - b.value,
                    a.source, !a.Known() ? "unknown" : a.value <= b.value ? "met" : "MISSED");
    };
    std::printf("  after %d refreshes, own process shown:\n", soak.refreshes);
    growth("handles", soak.before.handles, soak.after.handles);
    growth("GDI objects", soak.before.gdiObjects, soak.after.gdiObjects);
    growth("USER objects", soak.before.userObjects, soak.after.userObjects);
    const double before = static_cast<double>(soak.before.privateBytes);
    const double grown = before > 0 ? (static_cast<double>(soak.after.privateBytes) - before) / before : 0;
    std::printf("  %-13s %6.0f -> %6.0f KiB (%+.2f%%, under 1%%): %s\n", "private bytes", before / 1024,
                static_cast<double>(soak.after.privateBytes) / 1024, grown * 100, grown < 0.01 ? "met" : "MISSED");
}

} // namespace

int main(int argc, char** argv)
{
    const Options options = ReadOptions(argc, argv);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    win32::Application app(::GetModuleHandleA(nullptr));
    app.SetTitle("Vantora");

    const std::string machine = bench::MachineText();
    std::printf("machine: %s\n", machine.c_str());
    std::printf("medians in ms; noise is the spread of the middle half of the runs\n\n");
    std::printf("%-30s %6s %5s %11s %11s %7s %7s %7s\n", "", "n", "runs", "median", "floor", "ratio", "noise",
                "floor");

    const bench::RefreshProfile profile = bench::ProfileLiveRefresh(app, kBenchSettingsKey, options.quick ? 20 : 60);
    bench::PrintProfile(profile);
    if (options.profileOnly) {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kBenchSettingsKey);
        return 0;
    }
    std::vector<Result> results = MeasureSynthetic(app, options);
    for (const bench::FindModuleFigure& f : bench::MeasureFindModule(app, options.quick))
        results.push_back({f.name, f.n, f.real, f.floor});
    Soak soak;
    results.push_back(MeasureLive(app, options, soak));
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kBenchSettingsKey);

    PrintTargets(results, soak);
    if (!options.jsonPath.empty())
        WriteJson(options.jsonPath, machine, results, soak, profile);
    return 0;
}
