#include "app/SystemToolhelp.h"

#include <windows.h>
#include <tlhelp32.h>

#include <cstddef>

// The portable records must be the platform's narrow ones, field for field.
#define VANTORA_SAME_FIELD(ours, theirs, field) \
    static_assert(offsetof(ours, field) == offsetof(theirs, field), #field)
static_assert(sizeof(core::ProcessEntry32) == sizeof(PROCESSENTRY32));
VANTORA_SAME_FIELD(core::ProcessEntry32, PROCESSENTRY32, th32ProcessID);
VANTORA_SAME_FIELD(core::ProcessEntry32, PROCESSENTRY32, cntThreads);
VANTORA_SAME_FIELD(core::ProcessEntry32, PROCESSENTRY32, th32ParentProcessID);
VANTORA_SAME_FIELD(core::ProcessEntry32, PROCESSENTRY32, pcPriClassBase);
VANTORA_SAME_FIELD(core::ProcessEntry32, PROCESSENTRY32, szExeFile);
static_assert(sizeof(core::ModuleEntry32) == sizeof(MODULEENTRY32));
VANTORA_SAME_FIELD(core::ModuleEntry32, MODULEENTRY32, th32ProcessID);
VANTORA_SAME_FIELD(core::ModuleEntry32, MODULEENTRY32, ProccntUsage);
VANTORA_SAME_FIELD(core::ModuleEntry32, MODULEENTRY32, modBaseAddr);
VANTORA_SAME_FIELD(core::ModuleEntry32, MODULEENTRY32, modBaseSize);
VANTORA_SAME_FIELD(core::ModuleEntry32, MODULEENTRY32, szExePath);
#undef VANTORA_SAME_FIELD

namespace {

class Win32Kernel : public core::KernelServices {
public:
    void* ModuleHandle(const char* name) override { return ::GetModuleHandleA(name); }

    core::RawProc ProcAddress(void* module, const char* name) override
    {
        return reinterpret_cast<core::RawProc>(::GetProcAddress(static_cast<HMODULE>(module), name));
    }

    void CloseHandle(core::SnapshotHandle handle) override { ::CloseHandle(handle); }
    uint32_t LastError() override { return ::GetLastError(); }
};

} // namespace

core::ToolhelpBinding& SystemToolhelp()
{
    // The binding is process-wide state by nature: resolved once, kept for the run.
    static Win32Kernel kernel;
    static core::ToolhelpBinding binding(kernel);
    return binding;
}
