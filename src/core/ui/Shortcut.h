#pragma once

#include <cstdint>
#include <string>

namespace core {

// A virtual-key code in the low byte, modifier flags in the high bits.
using ShortCut = uint16_t;

constexpr ShortCut kShift = 0x2000;
constexpr ShortCut kCtrl = 0x4000;
constexpr ShortCut kAlt = 0x8000;

constexpr ShortCut MakeShortCut(uint8_t virtualKey, ShortCut modifiers = 0)
{
    return static_cast<ShortCut>(virtualKey | modifiers);
}

// The text shown beside a menu item or in a tooltip, e.g. "Ctrl+F1"; empty
// for no shortcut or a key without a name.
std::string ShortCutText(ShortCut shortcut);

} // namespace core
