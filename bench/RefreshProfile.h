// Where an automatic refresh's time goes on the live system with a busy
// process selected: snapshots, walks, memory reads, detail rebuilds and
// paints, each counted and timed per refresh.
#pragma once

#include "CountingToolhelp.h"

#include "win32/Application.h"

#include <string>

namespace bench {

struct RefreshProfile {
    std::string process;  // the selected process's executable name
    int modules = 0;
    int refreshes = 0;
    // Sums over all refreshes.
    ToolhelpCosts toolhelp;
    int changes = 0;   // the process list's change notifications
    int rebuilds = 0;  // those that found a row selected
    int paints = 0;    // WM_PAINT of the main window's controls
    double refreshMs = 0;     // inside the refresh operation
    double paintMs = 0;       // handling what it left queued
    double refreshCpuMs = 0;  // this thread's own CPU time in each
    double paintCpuMs = 0;
    // Moving the selection by a key instead, to the next row and back.
    int keys = 0;
    ToolhelpCosts keyToolhelp;
    int keyRebuilds = 0;
};

// Selects explorer.exe (this process when there is none) in a main window
// on the system's Toolhelp and measures a number of refreshes, then as many
// key presses that move the selection.
RefreshProfile ProfileLiveRefresh(win32::Application& app, const char* settingsKey, int refreshes);
void PrintProfile(const RefreshProfile& profile);
std::string ProfileJson(const RefreshProfile& profile);

} // namespace bench
