// A timer whose ticks arrive through the message loop, on its own hidden window.
#pragma once

#include "win32/Control.h"

namespace win32 {

struct TimerProps {
    const char* name = "";
    UINT interval = 1000;
    bool enabled = true;
};

class Timer : public Control {
public:
    explicit Timer(const TimerProps& props);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    UINT Interval() const { return interval_; }
    void SetInterval(UINT interval);

    std::function<void(Timer&)> OnTimer;

protected:
    HWND CreateHandle(HWND parentWindow) override;
    void AfterCreate() override { Update(); }
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Update();

    UINT interval_;
    bool enabled_;
};

} // namespace win32
