#include "app/SystemToolhelp.h"

#include <windows.h>

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
