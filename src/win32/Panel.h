// A plain container that groups aligned controls; no bevel, no caption.
#pragma once

#include "win32/Control.h"

namespace win32 {

struct PanelProps {
    ControlProps control;
};

class Panel : public Control {
public:
    explicit Panel(const PanelProps& props) : Control(props.control) {}

protected:
    HWND CreateHandle(HWND parentWindow) override;
};

} // namespace win32
