#include "win32/SentNotification.h"

#include <commctrl.h>

#include <cstdint>

namespace win32 {

namespace {

// The largest record any handler of ours reads behind the header.
union AnyNotification {
    NMHDR header;
    NMLISTVIEW list;
    NMTBHOTITEM hotItem;
    NMTOOLBARA toolbar;
    NMTTDISPINFOA tipA;
    NMTTDISPINFOW tipW;
    NMLVCUSTOMDRAW customDraw;
    NMLVDISPINFOA cellA;
    NMLVDISPINFOW cellW;
    NMITEMACTIVATE activate;
};

// The thread's own information block. GCC takes the 32-bit build's read
// through the fs segment for one at a small address, and warns.
const NT_TIB* ThreadInformation()
{
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
#endif
    return reinterpret_cast<const NT_TIB*>(::NtCurrentTeb());
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
}

// Between the current stack pointer (here, as near it as portable code
// gets) and the stack's base.
bool InLiveStack(std::uintptr_t address, std::size_t size)
{
    const volatile char here = 0;
    const auto top = reinterpret_cast<std::uintptr_t>(&here);
    const auto base = reinterpret_cast<std::uintptr_t>(ThreadInformation()->StackBase);
    return address > top && address < base && size <= base - address;
}

} // namespace

bool NotificationReadable(LPARAM record)
{
    // A notification raised by our own controls while our thread handles a
    // message sent from elsewhere reports that outer send here as well.
    if (::InSendMessageEx(nullptr) == ISMEX_NOSEND)
        return true;
    return InLiveStack(static_cast<std::uintptr_t>(record), sizeof(AnyNotification));
}

} // namespace win32
