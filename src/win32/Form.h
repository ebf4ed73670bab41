// A top-level window built from its declaration: it owns its components,
// lays them out, scales them to the display and raises its lifecycle events.
#pragma once

#include "win32/Control.h"
#include "win32/UniqueHandle.h"

#include <memory>
#include <vector>

namespace win32 {

struct FormProps {
    const char* name = "";
    const char* caption = "";
    int left = 0, top = 0;
    int clientWidth = 0, clientHeight = 0;
    bool desktopCenter = false;
    const char* fontName = "Tahoma";
    int fontHeight = -11;
    const char* iconName = nullptr;
    // A tool window owned by another form (sizeable, a close box): closing
    // only hides it, and its window's end does not end the program.
    bool toolWindow = false;
};

class Form : public Control {
public:
    // `owner`: the window of the form that owns a tool window.
    explicit Form(const FormProps& props, HWND owner = nullptr);
    ~Form() override;

    // Takes ownership; components are destroyed in reverse order of adding.
    template <class T>
    T& Own(std::unique_ptr<T> component)
    {
        T& ref = *component;
        components_.push_back(std::move(component));
        return ref;
    }
    const std::vector<std::unique_ptr<Component>>& Components() const { return components_; }

    // Creates the top-level window, hidden, at its designed client size.
    void CreateFormWindow(Application& app);
    // Gives the window font to every control that uses its parent's font and
    // rescales the designed layout when the display's text metrics differ.
    void ApplyDesignedFont();
    // A designed size as the display shows it: scaled as ApplyDesignedFont
    // scaled the controls.
    int ScaleDesigned(int value) const;

    void Show();
    void Close();

    // Outer bounds in screen coordinates, frame included.
    core::Rect WindowBounds() const;
    // The same, but for a minimised window the bounds it is restored to.
    core::Rect UnminimisedBounds() const;
    void SetWindowBounds(const core::Rect& bounds);
    int ClientWidth() const;
    int ClientHeight() const;
    HFONT Font() const { return font_.Get(); }

    std::function<void()> OnCreate;
    std::function<void()> OnShow;
    // Runs when the window closes, and when the session ends before that.
    std::function<void()> OnDestroy;
    // Keyboard input for the form before the focused control sees it.
    std::function<bool(MSG&)> OnPreTranslate;

    // Whether the form's own tool windows may show now: not while another
    // program is active, nor while the form is minimised or hidden.
    bool ShowsToolWindows() const;
    // Raised when that may have changed, and when the form was enabled or
    // disabled: its tool windows follow it.
    Signal<void()> ToolWindowsChanged;

    // Whether the form's caption shows it active: its tool windows' captions
    // look the same, as they never take the activation themselves.
    bool CaptionActive() const { return captionActive_; }
    Signal<void()> CaptionActivationChanged;

protected:
    HWND CreateHandle(HWND parentWindow) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The height of "0" in the window font at the designed resolution.
    static constexpr int kDesignedTextHeight = 13;

    void PlaceOnFirstShow();
    void RunDestroyHandler();
    void DestroyDetachedWindows();
    void SaveFocus();
    void RestoreFocus();
    void ScaleControls(int numerator, int denominator);

    FormProps props_;
    HWND owner_;
    std::vector<std::unique_ptr<Component>> components_;
    UniqueFont font_;
    int textHeight_ = kDesignedTextHeight;
    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
    bool shown_ = false;
    bool closing_ = false;
    HWND focus_ = nullptr;
    bool appActive_ = false;
    bool captionActive_ = false;
    Connection frontAtIdle_;
};

} // namespace win32
