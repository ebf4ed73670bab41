// The system's Toolhelp with every call counted and timed, so a measurement
// can say where a refresh's time goes: snapshots by kind, walks, memory reads.
#pragma once

#include "core/processes/ToolhelpBinding.h"

namespace bench {

struct CallCost {
    int calls = 0;
    double ms = 0;     // wall time, the server's work included
    double cpuMs = 0;  // this thread's own CPU time
};

// This thread's CPU time so far, in the system's ticks.
double ThreadCpuMs();

struct ToolhelpCosts {
    CallCost processSnapshots;  // the process list's
    CallCost detailSnapshots;   // every other kind
    CallCost processWalk;
    CallCost moduleWalk;
    CallCost memoryReads;
    CallCost closes;
};

class CountingToolhelp {
public:
    CountingToolhelp();
    ~CountingToolhelp();
    CountingToolhelp(const CountingToolhelp&) = delete;
    CountingToolhelp& operator=(const CountingToolhelp&) = delete;

    core::ToolhelpBinding& Binding();
    // What was counted since the last call.
    ToolhelpCosts Take();
};

} // namespace bench
