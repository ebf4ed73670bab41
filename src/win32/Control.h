// The base of every visual component: a named window with alignment and
// designed bounds. Containers (form, panel) lay their aligned children out.
#pragma once

#include "core/ui/Alignment.h"
#include "win32/Component.h"

#include <windows.h>

#include <functional>
#include <vector>

namespace win32 {

class Application;

struct Bounds {
    int left = 0, top = 0, width = 0, height = 0;
};

struct ControlProps {
    const char* name = "";
    core::Align align = core::Align::None;
    Bounds bounds;
    int tabOrder = -1;
    bool visible = true;
};

class Control : public Component {
public:
    explicit Control(const ControlProps& props);
    virtual ~Control();
    HWND Handle() const { return handle_; }
    Control* Parent() const { return parent_; }
    Application& App() const { return *app_; }
    core::Align Align() const { return align_; }
    int TabOrder() const { return tabOrder_; }

    // Bounds in the parent's client coordinates.
    core::Rect BoundsRect() const { return bounds_; }
    int Width() const { return bounds_.width(); }
    int Height() const { return bounds_.height(); }
    void SetBounds(const core::Rect& bounds);
    void SetWidth(int width);
    void SetHeight(int height);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    std::function<void(Control&)> OnVisibleChanged;

    // The general-purpose tag: any pointer the owner wants to hang on the control.
    void* Tag = nullptr;

    // Creates the window as a child of the parent's window (or top-level).
    void CreateWindowFor(Control* parent, Application& app);
    // Moves the control, window and all, under another control; both
    // parents hear of the change in their children.
    void SetParentControl(Control& parent);

    // Aligned children, in creation order.
    const std::vector<Control*>& Children() const { return children_; }
    void Realign();
    // While a tree is being built its designed bounds decide the order of
    // aligned controls, so nothing in it is laid out before the end.
    void SetLoading(bool loading) { loading_ = loading; }
    void RealignAll();
    // Orders child windows (recursively) so Tab follows the tab order.
    void ApplyTabOrder();
    virtual core::Rect ClientArea() const;

    static Control* FromHandle(HWND handle);
    // The window went (with its parent, or at exit): the handle is forgotten
    // at once, so nothing ever reaches a dead or reused handle value.
    bool HasWindow() const { return handle_ != nullptr; }
    // This control or one that holds it is going: no layout, nothing new.
    bool TearingDown() const;

    // Messages a child sends to its parent come back to the child here.
    virtual bool HandleNotify(NMHDR& header, LRESULT& result);
    virtual bool HandleCommand(WORD code);

    // Scale designed positions and sizes by numerator/denominator.
    virtual void ScaleBy(int numerator, int denominator);

    virtual void ApplyFont(HFONT font);
    bool UsesParentFont() const { return parentFont_; }

protected:
    virtual HWND CreateHandle(HWND parentWindow) = 0;
    // Our own window classes route their messages here.
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    // A native control's messages, before its own procedure sees them (in
    // the wide form: its procedure is replaced as a Unicode one); true when
    // handled here, with the result to give.
    virtual bool NativeMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Children of our own classes hand notifications and commands on.
    LRESULT ContainerProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

    HWND CreateNative(const char* className, DWORD style, DWORD exStyle, HWND parentWindow,
                      const char* text = "");
    HWND CreateOwn(const char* className, DWORD style, DWORD exStyle, HWND parentWindow,
                   const char* text = "");
    static void RegisterOwnClass(HINSTANCE instance, const char* className, UINT classStyle,
                                 HCURSOR cursor, HBRUSH background);

    virtual void BoundsChanged() {}
    // After the window was shown or hidden and the parent re-aligned.
    virtual void VisibleChanged() {}
    // Runs once the window exists and is attached to this object.
    virtual void AfterCreate() {}
    // The window is being destroyed; the handle is still valid here and
    // forgotten right after.
    virtual void WindowDestroyed() {}
    // A child came or went (created, moved here or away, destroyed).
    virtual void ChildrenChanged() {}

    bool parentFont_ = true;

private:
    static LRESULT CALLBACK StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK NativeWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void RestoreNativeProc(HWND window);
    bool InterceptNative(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void Attach(HWND handle);
    void Forget();
    void AlignChildren();
    bool LayoutSuspended() const;
    void AddChild(Control* child);
    void RemoveChild(Control* child);

    HWND handle_ = nullptr;
    // A native control's own procedure, which ours stands in front of.
    WNDPROC nativeProc_ = nullptr;
    Control* parent_ = nullptr;
    Application* app_ = nullptr;
    core::Align align_;
    core::Rect bounds_;
    int tabOrder_;
    bool visible_;
    // Its place among the parent's children aligned to the same edge, fixed
    // by the first layout after loading, where the designed bounds decide.
    int alignRank_ = -1;
    bool realigning_ = false;
    bool realignAgain_ = false;
    bool loading_ = false;
    std::vector<Control*> children_;
};

} // namespace win32
