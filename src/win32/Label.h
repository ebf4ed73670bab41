// A static text whose height follows its text: one line when empty, a line
// more for each line break, never word-wrapped; "&" marks an access key.
#pragma once

#include "win32/Control.h"

#include <string>

namespace win32 {

struct LabelProps {
    ControlProps control;
    const char* caption = "";
};

class Label : public Control {
public:
    explicit Label(const LabelProps& props);

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    void ApplyFont(HFONT font) override;

protected:
    HWND CreateHandle(HWND parentWindow) override;

private:
    void FitHeight();

    std::string caption_;
    HFONT font_ = nullptr;
};

} // namespace win32
