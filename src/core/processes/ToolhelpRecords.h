// The Toolhelp entry records in their narrow-character form, laid out as the
// kernel writes them, so the walk logic can be built and tested off Windows.
#pragma once

#include "core/processes/ProgramVariant.h"

#include <cstddef>
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

// The kernel's layouts, as fixed numbers; the Windows build checks them
// against the platform's own headers as well.
static_assert(sizeof(ProcessEntry32) == kThisProgram.processEntrySize);
static_assert(offsetof(ProcessEntry32, th32ProcessID) == 8);
static_assert(offsetof(ProcessEntry32, cntThreads) == (kIs64BitProgram ? 28 : 20));
static_assert(offsetof(ProcessEntry32, th32ParentProcessID) == (kIs64BitProgram ? 32 : 24));
static_assert(offsetof(ProcessEntry32, pcPriClassBase) == (kIs64BitProgram ? 36 : 28));
static_assert(offsetof(ProcessEntry32, szExeFile) == (kIs64BitProgram ? 44 : 36));
static_assert(sizeof(ModuleEntry32) == kThisProgram.moduleEntrySize);
static_assert(offsetof(ModuleEntry32, th32ProcessID) == 8);
static_assert(offsetof(ModuleEntry32, ProccntUsage) == 16);
static_assert(offsetof(ModuleEntry32, modBaseAddr) == (kIs64BitProgram ? 24 : 20));
static_assert(offsetof(ModuleEntry32, modBaseSize) == (kIs64BitProgram ? 32 : 24));
static_assert(offsetof(ModuleEntry32, szExePath) == (kIs64BitProgram ? 304 : 288));

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
