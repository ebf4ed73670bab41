// Measures the refresh paths of the real main window and checks that they
// leave no handles, GDI or USER objects behind. Run: scripts/bench.sh
#include "app/Main.h"
#include "win32/Application.h"

#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

struct Resources {
    DWORD handles = 0;
    DWORD gdi = 0;
    DWORD user = 0;
    SIZE_T workingSet = 0;
    SIZE_T privateBytes = 0;
};

Resources Measure()
{
    Resources r;
    HANDLE self = ::GetCurrentProcess();
    ::GetProcessHandleCount(self, &r.handles);
    r.gdi = ::GetGuiResources(self, GR_GDIOBJECTS);
    r.user = ::GetGuiResources(self, GR_USEROBJECTS);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (::GetProcessMemoryInfo(self, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
        r.workingSet = memory.WorkingSetSize;
        r.privateBytes = memory.PagefileUsage;
    }
    return r;
}

double Now()
{
    LARGE_INTEGER frequency{}, counter{};
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void Time(const char* what, int runs, const std::function<void()>& step)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = Now();
        step();
        times.push_back(Now() - start);
    }
    std::sort(times.begin(), times.end());
    double sum = 0;
    for (double t : times)
        sum += t;
    std::printf("%-34s runs %4d  median %8.3f ms  min %8.3f ms  mean %8.3f ms\n", what, runs,
                times[times.size() / 2], times.front(), sum / runs);
}

int RowOf(const win32::ListView& list, DWORD id)
{
    for (int i = 0; i < list.Count(); ++i) {
        if (list.Row(i).data == static_cast<intptr_t>(id))
            return i;
    }
    return -1;
}

} // namespace

int main()
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    win32::Application app(::GetModuleHandleA(nullptr));
    app.SetTitle("Vantora");

    double start = Now();
    TfMain form(app);
    std::printf("%-34s %8.3f ms\n", "build the main window", Now() - start);

    form.RefreshProcesses();
    const int self = RowOf(*form.lvMaster, ::GetCurrentProcessId());
    std::printf("processes listed: %d\n", form.lvMaster->Count());

    Time("refresh the process list", 100, [&] { form.RefreshProcesses(); });
    Time("show own process (summary+modules)", 100,
         [&] { form.ShowProcessDetails(::GetCurrentProcessId()); });
    std::printf("modules listed: %d\n", form.lvDetail->Count());
    form.lvMaster->Select(self);
    Time("refresh with a process selected", 100, [&] { form.RefreshProcesses(); });
    Time("sort modules by file name", 100, [&] { form.ListViewColumnClick(*form.lvDetail, 4); });

    const Resources before = Measure();
    for (int i = 0; i < 300; ++i)
        form.RefreshProcesses();
    const Resources after = Measure();
    // A count the system does not give (0 both times, as under Wine) says
    // nothing about a leak, so it is not printed as a growth of zero.
    auto growth = [](const char* what, DWORD a, DWORD b) {
        if (a == 0 && b == 0)
            std::printf("  %s: unavailable on this system\n", what);
        else
            std::printf("  %s: %+ld\n", what, static_cast<long>(b) - static_cast<long>(a));
    };
    std::printf("after 300 more refreshes:\n");
    growth("handles", before.handles, after.handles);
    growth("GDI objects", before.gdi, after.gdi);
    growth("USER objects", before.user, after.user);
    std::printf("working set %lu KiB, committed %lu KiB\n",
                static_cast<unsigned long>(after.workingSet / 1024),
                static_cast<unsigned long>(after.privateBytes / 1024));
    return 0;
}
