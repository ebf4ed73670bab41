// A status bar showing one text across its whole width, in the system's
// status-bar font, with a size grip while it sits at the window's corner.
// With AutoHint the text is the application's current hint.
#pragma once

#include "win32/Control.h"
#include "win32/Signal.h"
#include "win32/UniqueHandle.h"

#include <string>

namespace win32 {

struct StatusBarProps {
    ControlProps control;
    // Shows the application's hint as its text.
    bool autoHint = false;
};

class StatusBar : public Control {
public:
    explicit StatusBar(const StatusBarProps& props);

    const std::string& SimpleText() const { return text_; }
    void SetSimpleText(const std::string& text);

protected:
    HWND CreateHandle(HWND parentWindow) override;
    void AfterCreate() override;
    void BoundsChanged() override;

private:
    void UpdateSizeGrip();

    bool autoHint_;
    Connection hintConnection_;
    UniqueFont font_;
    std::string text_;
};

} // namespace win32
