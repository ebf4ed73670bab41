// What this process holds of the system's countable resources: kernel
// handles, GDI objects, USER objects and private bytes. Each count comes
// from the most direct source this system answers, and says which, because
// a source that is only stubbed out (as GetGuiResources is under Wine)
// reads as a constant 0 that would hide any leak.
#pragma once

#include <cstdint>

namespace win32 {

struct ResourceCount {
    // Negative when no source could count.
    long value = -1;
    const char* source = "none";

    bool Known() const { return value >= 0; }
};

struct ResourceCounts {
    ResourceCount handles;
    ResourceCount gdiObjects;
    ResourceCount userObjects;
    uint64_t privateBytes = 0;
};

ResourceCounts CountResources();

// Each on its own, for callers that need one.
ResourceCount CountKernelHandles();
ResourceCount CountGdiObjects();
ResourceCount CountUserObjects();
uint64_t CountPrivateBytes();

} // namespace win32
