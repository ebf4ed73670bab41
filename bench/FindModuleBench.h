// The find window at 1,000 processes of 10 modules each: its snapshot of
// every process's modules, and the filtering at each keystroke of a word
// typed one letter at a time, each against a floor measured in the same run,
// alternating with it.
#pragma once

#include "Timing.h"

#include "win32/Application.h"

#include <string>
#include <vector>

namespace bench {

struct FindModuleFigure {
    std::string name;
    int n = 0;
    Summary real;
    Summary floor;
};

// Prints a table row for each figure, and the keystroke target.
std::vector<FindModuleFigure> MeasureFindModule(win32::Application& app, bool quick);

} // namespace bench
