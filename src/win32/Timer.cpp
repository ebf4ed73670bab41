#include "win32/Timer.h"

#include "win32/Application.h"

namespace win32 {

namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr const char* kTimerClass = "VantoraTimer";

ControlProps TimerControlProps(const TimerProps& p)
{
    ControlProps c;
    c.name = p.name;
    c.visible = false;
    return c;
}

} // namespace

Timer::Timer(const TimerProps& props)
    : Control(TimerControlProps(props)), interval_(props.interval), enabled_(props.enabled)
{
}

HWND Timer::CreateHandle(HWND)
{
    RegisterOwnClass(App().Instance(), kTimerClass, 0, nullptr, nullptr);
    return ::CreateWindowExA(0, kTimerClass, Name().c_str(), 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             App().Instance(), static_cast<Control*>(this));
}

void Timer::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    Update();
}

void Timer::SetInterval(UINT interval)
{
    interval_ = interval;
    Update();
}

// Killing and setting again restarts the countdown from the full interval.
void Timer::Update()
{
    if (!Handle())
        return;
    ::KillTimer(Handle(), kTimerId);
    if (enabled_ && interval_ > 0)
        ::SetTimer(Handle(), kTimerId, interval_, nullptr);
}

LRESULT Timer::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && wParam == kTimerId) {
        if (OnTimer && !IsDestroying())
            OnTimer(*this);
        return 0;
    }
    return DefaultProc(message, wParam, lParam);
}

} // namespace win32
