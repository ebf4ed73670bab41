// Owning wrappers for the Windows handles the program holds, so every handle,
// GDI object and image list is released on every path.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace win32 {

template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle Get() const { return handle_; }
    explicit operator bool() const { return Traits::IsValid(handle_); }

    Handle Release() { return std::exchange(handle_, Traits::Invalid()); }

    void Reset(Handle handle = Traits::Invalid())
    {
        if (Traits::IsValid(handle_))
            Traits::Close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Traits::Invalid();
};

template <class H, class Deleter>
struct NullInvalidTraits {
    using Handle = H;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { Deleter{}(h); }
};

struct GdiDeleter { void operator()(HGDIOBJ h) const { ::DeleteObject(h); } };
struct IconDeleter { void operator()(HICON h) const { ::DestroyIcon(h); } };
struct ImageListDeleter { void operator()(HIMAGELIST h) const { ::ImageList_Destroy(h); } };
struct RegKeyDeleter { void operator()(HKEY h) const { ::RegCloseKey(h); } };
struct KernelDeleter { void operator()(HANDLE h) const { ::CloseHandle(h); } };
struct WindowDeleter { void operator()(HWND h) const { ::DestroyWindow(h); } };
struct MenuDeleter { void operator()(HMENU h) const { ::DestroyMenu(h); } };
struct HookDeleter { void operator()(HHOOK h) const { ::UnhookWindowsHookEx(h); } };
struct MemoryDcDeleter { void operator()(HDC h) const { ::DeleteDC(h); } };

// A file handle, where failure is INVALID_HANDLE_VALUE, not null.
struct FileTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Close(Handle h) { ::CloseHandle(h); }
};

using UniqueFont = UniqueHandle<NullInvalidTraits<HFONT, GdiDeleter>>;
using UniqueBitmap = UniqueHandle<NullInvalidTraits<HBITMAP, GdiDeleter>>;
using UniqueIcon = UniqueHandle<NullInvalidTraits<HICON, IconDeleter>>;
using UniqueImageList = UniqueHandle<NullInvalidTraits<HIMAGELIST, ImageListDeleter>>;
using UniqueRegKey = UniqueHandle<NullInvalidTraits<HKEY, RegKeyDeleter>>;
using UniqueKernelHandle = UniqueHandle<NullInvalidTraits<HANDLE, KernelDeleter>>;
using UniqueWindow = UniqueHandle<NullInvalidTraits<HWND, WindowDeleter>>;
using UniqueMenu = UniqueHandle<NullInvalidTraits<HMENU, MenuDeleter>>;
using UniqueHook = UniqueHandle<NullInvalidTraits<HHOOK, HookDeleter>>;
using UniqueMemoryDc = UniqueHandle<NullInvalidTraits<HDC, MemoryDcDeleter>>;
using UniqueFile = UniqueHandle<FileTraits>;

// A device context borrowed from a window, given back on every path.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(::GetDC(window)) {}
    ~WindowDC() { if (dc_) ::ReleaseDC(window_, dc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a DC for one scope.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
    ~SelectedObject() { ::SelectObject(dc_, old_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

} // namespace win32
