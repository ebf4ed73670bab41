#include "win32/Clipboard.h"

#include "win32/AnsiText.h"
#include "win32/UniqueHandle.h"

#include <cstring>
#include <stdexcept>

namespace win32 {

namespace {

// Open for one scope, closed on every path.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) : open_(::OpenClipboard(owner) != FALSE) {}
    ~OpenedClipboard()
    {
        if (open_)
            ::CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool IsOpen() const { return open_; }

private:
    bool open_;
};

// Global memory until the clipboard takes it over.
struct GlobalDeleter {
    void operator()(HGLOBAL memory) const { ::GlobalFree(memory); }
};
using UniqueGlobal = UniqueHandle<NullInvalidTraits<HGLOBAL, GlobalDeleter>>;

UniqueGlobal UnicodeBlock(const std::wstring& text)
{
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory)
        throw std::runtime_error("Out of memory for the clipboard");
    void* at = ::GlobalLock(memory.Get());
    if (!at)
        throw std::runtime_error("Out of memory for the clipboard");
    std::memcpy(at, text.c_str(), bytes);
    ::GlobalUnlock(memory.Get());
    return memory;
}

} // namespace

void PutTextOnClipboard(HWND owner, const std::string& text)
{
    UniqueGlobal memory = UnicodeBlock(WideFromAnsi(text));
    OpenedClipboard clipboard(owner);
    if (!clipboard.IsOpen())
        throw std::runtime_error("Cannot open the clipboard");
    if (!::EmptyClipboard() || !::SetClipboardData(CF_UNICODETEXT, memory.Get()))
        throw std::runtime_error("Cannot put the text on the clipboard");
    // The clipboard owns it now.
    memory.Release();
}

} // namespace win32
