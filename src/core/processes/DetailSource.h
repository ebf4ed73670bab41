// Where the detail side's facts come from. Each rebuild of the detail side
// walks one snapshot of the selected process; the rebuilds that one burst of
// work sets off (one refill of the process list, or one input message) for
// the same process share what the first of them walked, and a later burst
// takes a snapshot of its own. Snapshots themselves are never reused, and
// image headers already read are not read again (ProbeCache).
#pragma once

#include "core/processes/ProbeCache.h"
#include "core/processes/ProcessDetails.h"
#include "core/processes/ToolhelpBinding.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace core {

class DetailSource {
public:
    // flags: the kinds the detail snapshot takes.
    DetailSource(ToolhelpBinding& toolhelp, uint32_t flags);

    // The process's details: within a burst, those that its first walk of
    // this process found; outside any burst, a walk of a snapshot of its own.
    std::shared_ptr<const ProcessDetails> Details(uint32_t processId);

    // Bursts nest (a refill inside an input message, a tick behind a modal
    // box): each one that begins ends the one before it, and the walks end
    // with the outermost.
    void BeginBurst();
    void EndBurst();

    class Burst {
    public:
        explicit Burst(DetailSource& source) : source_(source) { source_.BeginBurst(); }
        ~Burst() { source_.EndBurst(); }
        Burst(const Burst&) = delete;
        Burst& operator=(const Burst&) = delete;

    private:
        DetailSource& source_;
    };

    ProbeCache& Probes() { return probes_; }

private:
    std::shared_ptr<const ProcessDetails> Walk(uint32_t processId);

    ToolhelpBinding& toolhelp_;
    uint32_t flags_;
    ProbeCache probes_;
    int depth_ = 0;
    uint64_t burst_ = 0;  // counts the bursts begun
    // This burst's walks, one per process.
    std::vector<std::shared_ptr<const ProcessDetails>> walks_;
};

} // namespace core
