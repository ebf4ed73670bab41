#include "ProbeCheck.h"

#include "win32/ListView.h"

#include <algorithm>

namespace bench {

namespace {

constexpr int kImageAddrColumn = 2;

bool IsZero(const std::string& cell)
{
    return !cell.empty() && std::all_of(cell.begin(), cell.end(), [](char c) { return c == '0'; });
}

} // namespace

std::string ProbeProblem(const win32::ListView& modules, int relocatedWritten)
{
    int zeros = 0;
    int relocated = 0;
    for (int i = 0; i < modules.Count(); ++i) {
        const std::string& cell = modules.Row(i).Text(kImageAddrColumn);
        zeros += IsZero(cell) ? 1 : 0;
        relocated += cell.empty() ? 0 : 1;
    }
    if (zeros > 0 && zeros == modules.Count())
        return "every probe returned 0: no image header was read";
    if (zeros > 0)
        return std::to_string(zeros) + " of " + std::to_string(modules.Count()) + " probes returned 0";
    if (relocated != relocatedWritten)
        return std::to_string(relocated) + " modules show as relocated, the source wrote " +
               std::to_string(relocatedWritten);
    return {};
}

} // namespace bench
