#include "win32/ResourceCounts.h"

#include "core/processes/ProgramVariant.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace win32 {

namespace {

using NtStatus = LONG;
constexpr NtStatus kStatusSuccess = 0;
constexpr NtStatus kStatusInfoLengthMismatch = static_cast<NtStatus>(0xC0000004);
constexpr ULONG kSystemHandleInformation = 16;
constexpr ULONG kProcessBasicInformation = 0;

using QuerySystemInformationFn = NtStatus(WINAPI*)(ULONG infoClass, void* buffer, ULONG size, ULONG* needed);
using QueryInformationProcessFn = NtStatus(WINAPI*)(HANDLE process, ULONG infoClass, void* buffer, ULONG size,
                                                    ULONG* needed);

template <class Fn>
Fn NtEntry(const char* name)
{
    HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    return ntdll ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(ntdll, name))) : nullptr;
}

// One entry of the system-wide handle table: its size differs between the
// two programs by the object's address in the middle.
struct SystemHandleEntry {
    uint16_t ownerLow;
    uint16_t ownerHighOrTrace;
    uint8_t objectType;
    uint8_t attributes;
    uint16_t value;
    void* object;
    ULONG access;
};
static_assert(sizeof(SystemHandleEntry) == core::kThisProgram.systemHandleEntrySize);

// The system-wide handle table as SystemHandleInformation gives it: a count,
// then one entry per handle that begins with the owner's process id.
// Windows stores that id in 16 bits (with 16 more bits beside it), Wine in
// 32, so only the low 16 bits are compared.
ResourceCount HandlesFromSystemTable()
{
    const auto query = NtEntry<QuerySystemInformationFn>("NtQuerySystemInformation");
    if (!query)
        return {};
    constexpr std::size_t kEntrySize = sizeof(SystemHandleEntry);
    std::vector<unsigned char> buffer(256 * 1024);
    NtStatus status = kStatusInfoLengthMismatch;
    for (int attempt = 0; attempt < 8 && status == kStatusInfoLengthMismatch; ++attempt) {
        ULONG needed = 0;
        status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == kStatusInfoLengthMismatch)
            buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed + 64 * kEntrySize));
    }
    if (status != kStatusSuccess)
        return {};
    ULONG entries = 0;
    std::memcpy(&entries, buffer.data(), sizeof entries);
    const std::size_t first = sizeof(ULONG_PTR);
    const std::size_t fit = (buffer.size() - first) / kEntrySize;
    const uint16_t self = static_cast<uint16_t>(::GetCurrentProcessId());
    long own = 0;
    for (std::size_t i = 0; i < entries && i < fit; ++i) {
        uint16_t owner = 0;
        std::memcpy(&owner, buffer.data() + first + i * kEntrySize, sizeof owner);
        own += owner == self ? 1 : 0;
    }
    return {own, "system handle table"};
}

// A zero with ERROR_CALL_NOT_IMPLEMENTED is a stub, not a count.
bool GuiResources(DWORD which, long& count)
{
    ::SetLastError(ERROR_SUCCESS);
    const DWORD value = ::GetGuiResources(::GetCurrentProcess(), which);
    if (value == 0 && ::GetLastError() == ERROR_CALL_NOT_IMPLEMENTED)
        return false;
    count = static_cast<long>(value);
    return true;
}

// How much of [start, start + most) is committed, readable memory.
std::size_t ReadableBytes(const void* start, std::size_t most)
{
    const auto* at = static_cast<const unsigned char*>(start);
    std::size_t readable = 0;
    while (readable < most) {
        MEMORY_BASIC_INFORMATION region{};
        if (!::VirtualQuery(at + readable, &region, sizeof region) || region.State != MEM_COMMIT ||
            (region.Protect & (PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                               PAGE_EXECUTE_READWRITE)) == 0 ||
            (region.Protect & PAGE_GUARD) != 0)
            break;
        const auto* end = static_cast<const unsigned char*>(region.BaseAddress) + region.RegionSize;
        readable = static_cast<std::size_t>(end - at);
    }
    return std::min(readable, most);
}

// The GDI handle table that the process environment block points to. Where
// GetGuiResources is a stub (Wine) it is laid out as on 64-bit Windows: 24
// bytes an entry, the object's type in the word at offset 14, which is
// cleared when the object goes (the rest of a freed entry stays filled).
ResourceCount GdiObjectsFromPebTable()
{
    const auto query = NtEntry<QueryInformationProcessFn>("NtQueryInformationProcess");
    if (!query)
        return {};
    struct BasicInformation {
        LONG exitStatus;
        unsigned char* peb;
        ULONG_PTR affinity;
        LONG basePriority;
        ULONG_PTR processId;
        ULONG_PTR parentId;
    } info{};
    if (query(::GetCurrentProcess(), kProcessBasicInformation, &info, sizeof info, nullptr) != kStatusSuccess ||
        !info.peb)
        return {};
    // GdiSharedHandleTable in the PEB of a process of this program's width.
    constexpr std::size_t kTableField = core::kThisProgram.gdiHandleTableField;
    const unsigned char* table = nullptr;
    std::memcpy(&table, info.peb + kTableField, sizeof table);
    if (!table)
        return {};
    constexpr std::size_t kEntrySize = 24;
    constexpr std::size_t kTypeWord = 14;
    const std::size_t entries = std::min<std::size_t>(ReadableBytes(table, 0x10000 * kEntrySize) / kEntrySize, 0x10000);
    if (entries == 0)
        return {};
    long used = 0;
    for (std::size_t i = 0; i < entries; ++i) {
        uint16_t type = 0;
        std::memcpy(&type, table + i * kEntrySize + kTypeWord, sizeof type);
        used += type != 0 ? 1 : 0;
    }
    return {used, "GDI handle table"};
}

struct WindowTally {
    DWORD process = ::GetCurrentProcessId();
    long windows = 0;
    long menus = 0;
};

void CountMenu(HMENU menu, WindowTally& tally)
{
    if (!menu || !::IsMenu(menu))
        return;
    ++tally.menus;
    const int items = ::GetMenuItemCount(menu);
    for (int i = 0; i < items; ++i)
        CountMenu(::GetSubMenu(menu, i), tally);
}

BOOL CALLBACK CountChild(HWND, LPARAM context)
{
    ++reinterpret_cast<WindowTally*>(context)->windows;
    return TRUE;
}

// A top-level window of ours, every window below it and its menu bar.
void CountWindowTree(HWND window, WindowTally& tally)
{
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != tally.process)
        return;
    ++tally.windows;
    if ((::GetWindowLongA(window, GWL_STYLE) & WS_CHILD) == 0)
        CountMenu(::GetMenu(window), tally);
    ::EnumChildWindows(window, &CountChild, reinterpret_cast<LPARAM>(&tally));
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM context)
{
    CountWindowTree(window, *reinterpret_cast<WindowTally*>(context));
    return TRUE;
}

// Every window of this process, message-only ones included, and the menus
// they carry. Not all that GetGuiResources counts (cursors, hooks), but
// everything of the kind that a refresh creates.
ResourceCount UserObjectsFromWindows()
{
    WindowTally tally;
    ::EnumWindows(&CountTopLevel, reinterpret_cast<LPARAM>(&tally));
    for (HWND window = ::FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); window;
         window = ::FindWindowExA(HWND_MESSAGE, window, nullptr, nullptr))
        CountWindowTree(window, tally);
    return {tally.windows + tally.menus, "windows and menus of this process"};
}

} // namespace

ResourceCount CountKernelHandles()
{
    // A running process always holds handles, so 0 is a stub (Wine). The
    // table is the fallback only: it carries just 16 bits of each owner's id,
    // and on Windows ids reach beyond that.
    DWORD count = 0;
    if (::GetProcessHandleCount(::GetCurrentProcess(), &count) && count > 0)
        return {static_cast<long>(count), "GetProcessHandleCount"};
    return HandlesFromSystemTable();
}

ResourceCount CountGdiObjects()
{
    long count = 0;
    if (GuiResources(GR_GDIOBJECTS, count))
        return {count, "GetGuiResources"};
    return GdiObjectsFromPebTable();
}

ResourceCount CountUserObjects()
{
    long count = 0;
    if (GuiResources(GR_USEROBJECTS, count))
        return {count, "GetGuiResources"};
    return UserObjectsFromWindows();
}

uint64_t CountPrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                                sizeof memory))
        return 0;
    return memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
}

ResourceCounts CountResources()
{
    ResourceCounts counts;
    counts.handles = CountKernelHandles();
    counts.gdiObjects = CountGdiObjects();
    counts.userObjects = CountUserObjects();
    counts.privateBytes = CountPrivateBytes();
    return counts;
}

} // namespace win32
