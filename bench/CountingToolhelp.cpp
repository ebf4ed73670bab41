#include "CountingToolhelp.h"

#include "Timing.h"

#include "core/processes/ToolHelper.h"

#include <windows.h>

#include <cstring>
#include <utility>

namespace bench {

namespace {

// The kernel hands out plain function pointers without a context, so what
// they count lives here, for the one counting source of the run.
ToolhelpCosts costs;
core::ToolhelpBinding::CreateSnapshotFn realCreate = nullptr;
core::ToolhelpBinding::ProcessWalkFn realProcessFirst = nullptr;
core::ToolhelpBinding::ProcessWalkFn realProcessNext = nullptr;
core::ToolhelpBinding::ModuleWalkFn realModuleFirst = nullptr;
core::ToolhelpBinding::ModuleWalkFn realModuleNext = nullptr;
core::ToolhelpBinding::ReadMemoryFn realRead = nullptr;

class Timed {
public:
    explicit Timed(CallCost& cost) : cost_(cost), start_(NowMs()), cpu_(ThreadCpuMs()) {}
    ~Timed()
    {
        ++cost_.calls;
        cost_.ms += NowMs() - start_;
        cost_.cpuMs += ThreadCpuMs() - cpu_;
    }
    Timed(const Timed&) = delete;
    Timed& operator=(const Timed&) = delete;

private:
    CallCost& cost_;
    double start_;
    double cpu_;
};

core::SnapshotHandle VANTORA_WINAPI CountedCreate(uint32_t flags, uint32_t processId)
{
    Timed timed(flags == core::kSnapProcess ? costs.processSnapshots : costs.detailSnapshots);
    return realCreate(flags, processId);
}

int VANTORA_WINAPI CountedProcessFirst(core::SnapshotHandle s, core::ProcessEntry32* e)
{
    Timed timed(costs.processWalk);
    return realProcessFirst(s, e);
}

int VANTORA_WINAPI CountedProcessNext(core::SnapshotHandle s, core::ProcessEntry32* e)
{
    Timed timed(costs.processWalk);
    return realProcessNext(s, e);
}

int VANTORA_WINAPI CountedModuleFirst(core::SnapshotHandle s, core::ModuleEntry32* e)
{
    Timed timed(costs.moduleWalk);
    return realModuleFirst(s, e);
}

int VANTORA_WINAPI CountedModuleNext(core::SnapshotHandle s, core::ModuleEntry32* e)
{
    Timed timed(costs.moduleWalk);
    return realModuleNext(s, e);
}

int VANTORA_WINAPI CountedRead(uint32_t processId, const void* address, void* buffer, std::size_t count,
                               std::size_t* copied)
{
    Timed timed(costs.memoryReads);
    return realRead(processId, address, buffer, count, copied);
}

template <class Fn>
core::RawProc Wrap(Fn& real, Fn counted, core::RawProc found)
{
    real = reinterpret_cast<Fn>(found);
    return found ? reinterpret_cast<core::RawProc>(counted) : nullptr;
}

class CountingKernel : public core::KernelServices {
public:
    void* ModuleHandle(const char* name) override { return ::GetModuleHandleA(name); }

    core::RawProc ProcAddress(void* module, const char* name) override
    {
        const auto found = reinterpret_cast<core::RawProc>(::GetProcAddress(static_cast<HMODULE>(module), name));
        if (std::strcmp(name, "CreateToolhelp32Snapshot") == 0)
            return Wrap(realCreate, &CountedCreate, found);
        if (std::strcmp(name, "Process32First") == 0)
            return Wrap(realProcessFirst, &CountedProcessFirst, found);
        if (std::strcmp(name, "Process32Next") == 0)
            return Wrap(realProcessNext, &CountedProcessNext, found);
        if (std::strcmp(name, "Module32First") == 0)
            return Wrap(realModuleFirst, &CountedModuleFirst, found);
        if (std::strcmp(name, "Module32Next") == 0)
            return Wrap(realModuleNext, &CountedModuleNext, found);
        if (std::strcmp(name, "Toolhelp32ReadProcessMemory") == 0)
            return Wrap(realRead, &CountedRead, found);
        return found;
    }

    void CloseHandle(core::SnapshotHandle handle) override
    {
        Timed timed(costs.closes);
        ::CloseHandle(handle);
    }

    uint32_t LastError() override { return ::GetLastError(); }
};

CountingKernel kernel;
core::ToolhelpBinding binding(kernel);

} // namespace

double ThreadCpuMs()
{
    FILETIME created{}, exited{}, kernel{}, user{};
    ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
    };
    return ms(kernel) + ms(user);
}

CountingToolhelp::CountingToolhelp()
{
    costs = {};
}

CountingToolhelp::~CountingToolhelp() = default;

core::ToolhelpBinding& CountingToolhelp::Binding()
{
    return binding;
}

ToolhelpCosts CountingToolhelp::Take()
{
    return std::exchange(costs, ToolhelpCosts{});
}

} // namespace bench
