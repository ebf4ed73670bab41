// The tooltips of a toolbar's buttons: an item's short hint with its
// shortcut, set on the bar's tooltip control and given whenever a tooltip
// asks for its text.
#pragma once

#include "toolbars/TTBItem.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace toolbars {

class ButtonTips {
public:
    static std::string TextFor(const TTBCustomItem& item);
    // Sets the text of the bar's tool `id`.
    static void Set(HWND bar, UINT_PTR id, const TTBCustomItem& item);
    // Answers a tooltip's request for its text, in either character set;
    // the text is kept here while the tooltip shows it.
    void Answer(NMHDR& request, const std::string& text);

private:
    std::string text_;
    std::wstring wideText_;
};

} // namespace toolbars
