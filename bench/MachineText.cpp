#include "MachineText.h"

#include "core/processes/ProgramVariant.h"
#include "win32/UniqueHandle.h"

#include <windows.h>

namespace bench {

namespace {

std::string ProcessorName()
{
    win32::UniqueRegKey key;
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", 0,
                        KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return "unknown processor";
    key.Reset(opened);
    char name[256] = {};
    DWORD size = sizeof name - 1;
    DWORD type = 0;
    if (::RegQueryValueExA(key.Get(), "ProcessorNameString", nullptr, &type, reinterpret_cast<BYTE*>(name), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return "unknown processor";
    std::string text(name);
    const auto start = text.find_first_not_of(' ');
    return start == std::string::npos ? "unknown processor" : text.substr(start);
}

// Wine says so through an export of its own; Windows through its version.
std::string SystemName()
{
    HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    using WineVersionFn = const char*(CDECL*)();
    using HostVersionFn = void(CDECL*)(const char** system, const char** release);
    const auto wine = reinterpret_cast<WineVersionFn>(
        reinterpret_cast<void*>(::GetProcAddress(ntdll, "wine_get_version")));
    if (wine) {
        std::string text = std::string("Wine ") + wine();
        const auto host = reinterpret_cast<HostVersionFn>(
            reinterpret_cast<void*>(::GetProcAddress(ntdll, "wine_get_host_version")));
        if (host) {
            const char* system = nullptr;
            const char* release = nullptr;
            host(&system, &release);
            if (system && release)
                text += std::string(" on ") + system + " " + release;
        }
        return text;
    }
    struct VersionInfo {
        ULONG size, major, minor, build, platform;
        WCHAR servicePack[128];
    } version{sizeof(VersionInfo), 0, 0, 0, 0, {}};
    using GetVersionFn = LONG(WINAPI*)(VersionInfo*);
    const auto get = reinterpret_cast<GetVersionFn>(reinterpret_cast<void*>(::GetProcAddress(ntdll, "RtlGetVersion")));
    if (get && get(&version) == 0)
        return "Windows " + std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
               std::to_string(version.build);
    return "Windows";
}

} // namespace

std::string MachineText()
{
    SYSTEM_INFO system{};
    ::GetSystemInfo(&system);
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof memory;
    ::GlobalMemoryStatusEx(&memory);
    const auto gib = static_cast<unsigned long long>((memory.ullTotalPhys + (1ull << 29)) >> 30);
    return ProcessorName() + ", " + std::to_string(system.dwNumberOfProcessors) + " logical processors, " +
           std::to_string(gib) + " GiB; " + SystemName() + (core::kIs64BitProgram ? "; 64-bit build" : "; 32-bit build");
}

} // namespace bench
