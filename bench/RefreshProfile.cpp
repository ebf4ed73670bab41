#include "RefreshProfile.h"

#include "Timing.h"

#include "app/Main.h"
#include "core/processes/ToolHelper.h"
#include "core/ui/TextFormat.h"
#include "win32/UniqueHandle.h"

#include <windows.h>

#include <cstdio>

namespace bench {

namespace {

// Counted by a hook: the paints come through the message loop.
int paintsSeen = 0;

LRESULT CALLBACK CountPaints(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam == PM_REMOVE && reinterpret_cast<MSG*>(lParam)->message == WM_PAINT)
        ++paintsSeen;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

int RowOfName(const win32::ListView& list, const std::string& name)
{
    for (int i = 0; i < list.Count(); ++i) {
        if (list.Row(i).Text(1) == name)
            return i;
    }
    return -1;
}

int RowOfId(const win32::ListView& list, uint32_t id)
{
    for (int i = 0; i < list.Count(); ++i) {
        if (list.Row(i).data == static_cast<intptr_t>(id))
            return i;
    }
    return -1;
}

} // namespace

RefreshProfile ProfileLiveRefresh(win32::Application& app, const char* settingsKey, int refreshes)
{
    CountingToolhelp toolhelp;
    TfMain form(app, toolhelp.Binding());
    form.SetSettingsKey(settingsKey);
    form.Show();
    form.SetWindowBounds({40, 40, 40 + 900, 40 + 700});
    app.ProcessMessages();
    form.aAutoRefresh->SetChecked(true);
    form.RefreshProcesses();

    RefreshProfile profile;
    profile.process = "explorer.exe";
    int row = RowOfName(*form.lvMaster, profile.process);
    if (row < 0) {
        profile.process = "this benchmark";
        row = RowOfId(*form.lvMaster, ::GetCurrentProcessId());
    }
    form.lvMaster->Select(row);
    app.ProcessMessages();
    profile.modules = form.lvDetail->Count();

    const auto change = form.lvMaster->OnChange;
    form.lvMaster->OnChange = [&](win32::ListView& list) {
        ++profile.changes;
        profile.rebuilds += list.SelectedIndex() >= 0;
        change(list);
    };
    win32::UniqueHook hook(::SetWindowsHookExA(WH_GETMESSAGE, &CountPaints, nullptr, ::GetCurrentThreadId()));
    toolhelp.Take();
    paintsSeen = 0;
    for (int i = 0; i < refreshes; ++i) {
        const double cpu = ThreadCpuMs();
        const double start = NowMs();
        form.RefreshProcesses();
        const double refreshed = NowMs();
        const double refreshedCpu = ThreadCpuMs();
        app.ProcessMessages();
        profile.refreshMs += refreshed - start;
        profile.paintMs += NowMs() - refreshed;
        profile.refreshCpuMs += refreshedCpu - cpu;
        profile.paintCpuMs += ThreadCpuMs() - refreshedCpu;
    }
    profile.paints = paintsSeen;
    profile.refreshes = refreshes;
    profile.toolhelp = toolhelp.Take();

    const int rebuilds = profile.rebuilds;
    const int changes = profile.changes;
    for (int i = 0; i < refreshes; ++i) {
        // Away from the row and back, as a user steps through the list.
        const WPARAM key = i % 2 == 0 ? (row + 1 < form.lvMaster->Count() ? VK_DOWN : VK_UP)
                                      : (row + 1 < form.lvMaster->Count() ? VK_UP : VK_DOWN);
        ::PostMessageA(form.lvMaster->Handle(), WM_KEYDOWN, key, 0);
        app.ProcessMessages();
    }
    profile.keys = refreshes;
    profile.keyToolhelp = toolhelp.Take();
    profile.keyRebuilds = profile.rebuilds - rebuilds;
    profile.rebuilds = rebuilds;
    profile.changes = changes;
    form.lvMaster->OnChange = change;
    return profile;
}

void PrintProfile(const RefreshProfile& p)
{
    const double n = p.refreshes > 0 ? p.refreshes : 1;
    std::printf("\none live refresh, %s selected (%d modules), mean of %d:\n", p.process.c_str(), p.modules,
                p.refreshes);
    std::printf("  %-26s %7s       %9s    %9s\n", "", "", "wall ms", "own CPU ms");
    auto line = [n](const char* what, const CallCost& c) {
        std::printf("  %-26s %7.2f calls %9.3f    %9.3f\n", what, c.calls / n, c.ms / n, c.cpuMs / n);
    };
    line("process snapshots", p.toolhelp.processSnapshots);
    line("detail snapshots", p.toolhelp.detailSnapshots);
    line("process walk steps", p.toolhelp.processWalk);
    line("module walk steps", p.toolhelp.moduleWalk);
    line("memory reads", p.toolhelp.memoryReads);
    line("snapshots closed", p.toolhelp.closes);
    std::printf("  %-26s %7.2f\n", "change notifications", p.changes / n);
    std::printf("  %-26s %7.2f\n", "detail rebuilds", p.rebuilds / n);
    std::printf("  %-26s %7.2f calls %9.3f    %9.3f\n", "paints afterwards", p.paints / n, p.paintMs / n,
                p.paintCpuMs / n);
    std::printf("  %-26s %17.3f    %9.3f\n", "refresh operation", p.refreshMs / n, p.refreshCpuMs / n);
    const double keys = p.keys > 0 ? p.keys : 1;
    std::printf("one key press moving the selection, mean of %d:\n", p.keys);
    std::printf("  %-26s %7.2f\n", "detail rebuilds", p.keyRebuilds / keys);
    std::printf("  %-26s %7.2f calls %9.3f    %9.3f\n", "detail snapshots", p.keyToolhelp.detailSnapshots.calls / keys,
                p.keyToolhelp.detailSnapshots.ms / keys, p.keyToolhelp.detailSnapshots.cpuMs / keys);
    std::printf("  %-26s %7.2f calls %9.3f    %9.3f\n", "memory reads", p.keyToolhelp.memoryReads.calls / keys,
                p.keyToolhelp.memoryReads.ms / keys, p.keyToolhelp.memoryReads.cpuMs / keys);
    std::fflush(stdout);
}

std::string ProfileJson(const RefreshProfile& p)
{
    const double n = p.refreshes > 0 ? p.refreshes : 1;
    auto number = [](double value) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.3f", value);
        return std::string(buffer);
    };
    const double keys = p.keys > 0 ? p.keys : 1;
    auto cost = [&](const char* name, const CallCost& c, double count) {
        return std::string("\"") + name + "\": {\"calls\": " + number(c.calls / count) +
               ", \"ms\": " + number(c.ms / count) + ", \"cpu_ms\": " + number(c.cpuMs / count) + "}";
    };
    return "{\"process\": \"" + p.process + "\", \"modules\": " + std::to_string(p.modules) +
           ", \"refreshes\": " + std::to_string(p.refreshes) + ", \"per_refresh\": {" +
           cost("process_snapshots", p.toolhelp.processSnapshots, n) + ", " +
           cost("detail_snapshots", p.toolhelp.detailSnapshots, n) + ", " +
           cost("process_walk", p.toolhelp.processWalk, n) + ", " + cost("module_walk", p.toolhelp.moduleWalk, n) + ", " +
           cost("memory_reads", p.toolhelp.memoryReads, n) + ", " + cost("closes", p.toolhelp.closes, n) +
           ", \"change_notifications\": " + number(p.changes / n) + ", \"rebuilds\": " + number(p.rebuilds / n) +
           ", \"paints\": " + number(p.paints / n) + ", \"paint_ms\": " + number(p.paintMs / n) +
           ", \"paint_cpu_ms\": " + number(p.paintCpuMs / n) + ", \"refresh_ms\": " + number(p.refreshMs / n) +
           ", \"refresh_cpu_ms\": " + number(p.refreshCpuMs / n) + "}, \"per_key\": {\"rebuilds\": " +
           number(p.keyRebuilds / keys) + ", " +
           cost("detail_snapshots", p.keyToolhelp.detailSnapshots, keys) + ", " +
           cost("memory_reads", p.keyToolhelp.memoryReads, keys) + "}}";
}

} // namespace bench
