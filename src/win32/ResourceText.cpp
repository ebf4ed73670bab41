#include "win32/ResourceText.h"

namespace win32 {

std::string LoadResourceText(HINSTANCE instance, UINT id)
{
    // String table entries are at most 65535 characters; grow until it fits.
    std::string text(256, '\0');
    for (;;) {
        const int length = ::LoadStringA(instance, id, text.data(), static_cast<int>(text.size()));
        if (length < static_cast<int>(text.size()) - 1 || text.size() > 65536) {
            text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
            return text;
        }
        text.resize(text.size() * 2);
    }
}

} // namespace win32
