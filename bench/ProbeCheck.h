// Whether a run measured the probe's real path: after a module list was
// filled from the synthetic source, it must show a preferred address for
// exactly the modules the source wrote as relocated, and never the 0 of a
// header that was not read or not understood.
#pragma once

#include <string>

namespace win32 {
class ListView;
}

namespace bench {

// What is wrong with the module list, in words; empty when nothing is.
std::string ProbeProblem(const win32::ListView& modules, int relocatedWritten);

} // namespace bench
