// The resource counts follow what the process really holds: each rises by
// what is created and falls back when it is released, whatever source the
// system offers for it.
#include "win32/ResourceCounts.h"
#include "win32/UniqueHandle.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

constexpr int kCreated = 25;

TEST(ResourceCountsTest, KernelHandlesFollowEventsOpenedAndClosed)
{
    const win32::ResourceCount before = win32::CountKernelHandles();
    ASSERT_TRUE(before.Known());
    std::vector<win32::UniqueKernelHandle> events;
    for (int i = 0; i < kCreated; ++i)
        events.emplace_back(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    EXPECT_EQ(win32::CountKernelHandles().value, before.value + kCreated) << before.source;
    events.clear();
    EXPECT_EQ(win32::CountKernelHandles().value, before.value) << before.source;
}

TEST(ResourceCountsTest, GdiObjectsFollowBrushesCreatedAndDeleted)
{
    const win32::ResourceCount before = win32::CountGdiObjects();
    ASSERT_TRUE(before.Known());
    std::vector<win32::UniqueHandle<win32::NullInvalidTraits<HBRUSH, win32::GdiDeleter>>> brushes;
    for (int i = 0; i < kCreated; ++i)
        brushes.emplace_back(::CreateSolidBrush(RGB(i, 2 * i, 3 * i)));
    EXPECT_EQ(win32::CountGdiObjects().value, before.value + kCreated) << before.source;
    brushes.clear();
    EXPECT_EQ(win32::CountGdiObjects().value, before.value) << before.source;
}

// Top-level, child and message-only windows alike, and a window's menu bar.
TEST(ResourceCountsTest, UserObjectsFollowWindowsAndMenus)
{
    // The system gives a thread helpers of its own (an input method window)
    // with its first top-level window; this one keeps them there throughout.
    win32::UniqueWindow keeper(::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                                 ::GetModuleHandleA(nullptr), nullptr));
    const win32::ResourceCount before = win32::CountUserObjects();
    ASSERT_TRUE(before.Known());
    {
        win32::UniqueWindow top(::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                                  ::GetModuleHandleA(nullptr), nullptr));
        ASSERT_TRUE(top);
        for (int i = 0; i < 3; ++i)
            ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, top.Get(), nullptr, nullptr, nullptr);
        win32::UniqueWindow hidden(::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                                     ::GetModuleHandleA(nullptr), nullptr));
        ASSERT_TRUE(hidden);
        EXPECT_EQ(win32::CountUserObjects().value, before.value + 5) << before.source;

        win32::UniqueWindow framed(::CreateWindowExA(0, "STATIC", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                                     nullptr, ::GetModuleHandleA(nullptr), nullptr));
        HMENU bar = ::CreateMenu();
        ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(::CreatePopupMenu()), "File");
        ASSERT_TRUE(::SetMenu(framed.Get(), bar));
        // The window, its bar and the bar's drop-down.
        EXPECT_EQ(win32::CountUserObjects().value, before.value + 5 + 3) << before.source;
    }
    EXPECT_EQ(win32::CountUserObjects().value, before.value) << before.source;
}

TEST(ResourceCountsTest, PrivateBytesFollowCommittedMemory)
{
    const uint64_t before = win32::CountPrivateBytes();
    ASSERT_GT(before, 0u);
    constexpr SIZE_T kSize = 8 << 20;
    void* memory = ::VirtualAlloc(nullptr, kSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    ASSERT_NE(memory, nullptr);
    // Some systems count a page only once it is used.
    std::memset(memory, 1, kSize);
    EXPECT_GE(win32::CountPrivateBytes(), before + kSize);
    ::VirtualFree(memory, 0, MEM_RELEASE);
    EXPECT_LT(win32::CountPrivateBytes(), before + kSize);
}

} // namespace
