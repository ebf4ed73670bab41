// A Toolhelp source of made-up processes and modules, as many as a
// measurement asks for, with image headers for the probe to read.
#pragma once

#include "processes/FakeToolhelp.h"

#include <cstdint>
#include <map>
#include <vector>

namespace bench {

class SyntheticSource {
public:
    SyntheticSource();
    ~SyntheticSource();
    SyntheticSource(const SyntheticSource&) = delete;
    SyntheticSource& operator=(const SyntheticSource&) = delete;

    // n processes with distinct ids, listed in creation order rather than by
    // id, with names that repeat now and then as on a real system.
    void SetProcesses(int n);
    // n modules of a process at distinct bases; every third one was loaded
    // away from its preferred base, so both kinds of "Image addr" occur.
    void SetModules(uint32_t processId, int n);
    // n modules of its own in every process's module snapshot: system
    // libraries that every process loads, and libraries of its own.
    void SetModulesOfEveryProcess(int n);

    uint32_t ProcessIdAt(int index) const { return snapshot_.processes.at(static_cast<std::size_t>(index)).id; }
    core::ToolhelpBinding& Binding() { return binding_; }

private:
    fake::Snapshot snapshot_;
    std::map<uint32_t, std::vector<fake::Module>> modulesOf_;
    fake::Kernel kernel_;
    core::ToolhelpBinding binding_{kernel_};
};

} // namespace bench
