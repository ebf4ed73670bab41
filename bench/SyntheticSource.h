// A Toolhelp source of made-up processes and modules, as many as a
// measurement asks for, with image headers for the probe to read.
#pragma once

#include "core/processes/ProgramVariant.h"
#include "processes/FakeToolhelp.h"

#include <cstdint>
#include <map>
#include <vector>

namespace bench {

// The optional header an image carries: PE32 in a 32-bit address space,
// PE32+ in a 64-bit one.
enum class ImageHeaders { Pe32, Pe32Plus };
inline constexpr ImageHeaders kHeadersOfThisProgram = core::kIs64BitProgram ? ImageHeaders::Pe32Plus
                                                                            : ImageHeaders::Pe32;

class SyntheticSource {
public:
    // The modules are where the measured program finds its own: above 4 GiB
    // in the 64-bit one, below it in the 32-bit one.
    explicit SyntheticSource(ImageHeaders headers = kHeadersOfThisProgram);
    ~SyntheticSource();
    SyntheticSource(const SyntheticSource&) = delete;
    SyntheticSource& operator=(const SyntheticSource&) = delete;

    // n processes with distinct ids, listed in creation order rather than by
    // id, with names that repeat now and then as on a real system.
    void SetProcesses(int n);
    // n modules of a process at distinct bases; every third base was loaded
    // away from its preferred one, so both kinds of "Image addr" occur.
    void SetModules(uint32_t processId, int n);
    // n modules of its own in every process's module snapshot: system
    // libraries that every process loads, and libraries of its own.
    void SetModulesOfEveryProcess(int n);
    // One listed thing changes, as on a live system between two refreshes:
    // the last process's name and the last module's path are spelt anew, so
    // every refill has rows to replace, not only the ones it holds.
    void Touch();
    // How many of the modules set last were written as relocated.
    int RelocatedModules() const { return relocated_; }

    uint32_t ProcessIdAt(int index) const { return snapshot_.processes.at(static_cast<std::size_t>(index)).id; }
    core::ToolhelpBinding& Binding() { return binding_; }

private:
    fake::Snapshot snapshot_;
    std::map<uint32_t, std::vector<fake::Module>> modulesOf_;
    fake::Kernel kernel_;
    core::ToolhelpBinding binding_{kernel_};
    int relocated_ = 0;
    unsigned touches_ = 0;
};

} // namespace bench
