// What a list offers on a right click, the menu key or Shift+F10, declared
// once: the menu's entries and the keys that run them without the menu.
#pragma once

#include "core/ui/Shortcut.h"

#include <windows.h>

namespace win32 {

enum class ListCommand { None, Copy, CopyAll };

struct ListMenuEntry {
    const char* caption;
    core::ShortCut shortCut;
    // A second key for the same command, not shown in the menu.
    core::ShortCut otherShortCut;
    ListCommand command;
};

inline constexpr ListMenuEntry kListMenu[] = {
    {"&Copy", core::MakeShortCut('C', core::kCtrl), core::MakeShortCut(VK_INSERT, core::kCtrl), ListCommand::Copy},
    {"Copy &all", core::MakeShortCut('C', core::kCtrl | core::kShift), 0, ListCommand::CopyAll},
};

// The command a key runs in a list; None for any other key.
ListCommand ListCommandOfShortCut(core::ShortCut shortCut);

// Shows the menu at a point on the screen, owned by the list, and returns
// the command chosen; a command that cannot run now is shown disabled.
ListCommand TrackListMenu(HWND list, POINT screen, bool canCopy, bool canCopyAll);

} // namespace win32
