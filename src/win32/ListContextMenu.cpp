#include "win32/ListContextMenu.h"

#include "win32/UniqueHandle.h"

#include <string>

namespace win32 {

ListCommand ListCommandOfShortCut(core::ShortCut shortCut)
{
    for (const ListMenuEntry& entry : kListMenu) {
        if (shortCut != 0 && (shortCut == entry.shortCut || shortCut == entry.otherShortCut))
            return entry.command;
    }
    return ListCommand::None;
}

ListCommand TrackListMenu(HWND list, POINT screen, bool canCopy, bool canCopyAll)
{
    UniqueMenu menu(::CreatePopupMenu());
    if (!menu)
        return ListCommand::None;
    for (const ListMenuEntry& entry : kListMenu) {
        const bool enabled = entry.command == ListCommand::Copy ? canCopy : canCopyAll;
        const std::string text = std::string(entry.caption) + "\t" + core::ShortCutText(entry.shortCut);
        ::AppendMenuA(menu.Get(), MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED),
                      static_cast<UINT_PTR>(entry.command), text.c_str());
    }
    const UINT chosen = ::TrackPopupMenuEx(menu.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                           screen.x, screen.y, list, nullptr);
    return static_cast<ListCommand>(chosen);
}

} // namespace win32
