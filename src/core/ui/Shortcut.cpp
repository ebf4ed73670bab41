#include "core/ui/Shortcut.h"

#include <string_view>

namespace core {
namespace {

struct KeyName {
    uint8_t key;
    std::string_view name;
};

constexpr KeyName kNamedKeys[] = {
    {0x08, "BkSp"}, {0x09, "Tab"},  {0x0D, "Enter"}, {0x1B, "Esc"},  {0x20, "Space"},
    {0x21, "PgUp"}, {0x22, "PgDn"}, {0x23, "End"},   {0x24, "Home"}, {0x25, "Left"},
    {0x26, "Up"},   {0x27, "Right"}, {0x28, "Down"}, {0x2D, "Ins"},  {0x2E, "Del"},
};

constexpr uint8_t kF1 = 0x70;
constexpr uint8_t kF24 = 0x87;

std::string KeyText(uint8_t key)
{
    if (key >= kF1 && key <= kF24)
        return "F" + std::to_string(key - kF1 + 1);
    // Letter and digit keys share their codes with the characters.
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::string(1, static_cast<char>(key));
    for (const KeyName& named : kNamedKeys) {
        if (named.key == key)
            return std::string(named.name);
    }
    return {};
}

} // namespace

std::string ShortCutText(ShortCut shortcut)
{
    std::string key = KeyText(static_cast<uint8_t>(shortcut & 0xFF));
    if (key.empty())
        return {};
    std::string text;
    if (shortcut & kShift)
        text += "Shift+";
    if (shortcut & kCtrl)
        text += "Ctrl+";
    if (shortcut & kAlt)
        text += "Alt+";
    return text + key;
}

} // namespace core
