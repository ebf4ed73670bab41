// The Toolhelp entry records in their narrow-character form, laid out as the
// kernel writes them, so the walk logic can be built and tested off Windows.
#pragma once

#include <cstdint>
#include <string_view>

#if defined(_WIN32)
#define VANTORA_WINAPI __stdcall
#else
#define VANTORA_WINAPI
#endif

namespace core {

using SnapshotHandle = void*;

// All bits set: the kernel's "no snapshot" value.
inline SnapshotHandle InvalidSnapshot()
{
    return reinterpret_cast<SnapshotHandle>(static_cast<intptr_t>(-1));
}

constexpr std::size_t kMaxPathChars = 260;

struct ProcessEntry32 {
    uint32_t dwSize;
    uint32_t cntUsage;
    uint32_t th32ProcessID;
    uintptr_t th32DefaultHeapID;
    uint32_t th32ModuleID;
    uint32_t cntThreads;
    uint32_t th32ParentProcessID;
    int32_t pcPriClassBase;
    uint32_t dwFlags;
    char szExeFile[kMaxPathChars];
};

struct ModuleEntry32 {
    uint32_t dwSize;
    uint32_t th32ModuleID;
    uint32_t th32ProcessID;
    uint32_t GlblcntUsage;
    uint32_t ProccntUsage;
    uint8_t* modBaseAddr;
    uint32_t modBaseSize;
    void* hModule;
    char szModule[256];
    char szExePath[kMaxPathChars];
};

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(ProcessEntry32) == 296);
static_assert(sizeof(ModuleEntry32) == 548);
#endif

// A fixed-size name field read up to its first zero, never past its end.
template <std::size_t N>
std::string_view FieldText(const char (&field)[N])
{
    std::size_t length = 0;
    while (length < N && field[length] != '\0')
        ++length;
    return std::string_view(field, length);
}

} // namespace core
