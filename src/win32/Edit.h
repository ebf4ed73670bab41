// A single-line edit box: its text, a change event for every edit, and the
// keys it is given before it sees them.
#pragma once

#include "win32/Control.h"
#include "win32/Signal.h"

#include <functional>
#include <string>

namespace win32 {

struct EditProps {
    ControlProps control;
    const char* text = "";
};

class Edit : public Control {
public:
    explicit Edit(const EditProps& props);

    std::string Text() const;
    // Raises OnChange, as typing does.
    void SetText(const std::string& text);
    void SelectAll();

    // After every change of the text, typed or set.
    std::function<void(Edit&)> OnChange;
    // A key pressed in the box, before the box sees it; true when handled,
    // and the box then never sees it.
    std::function<bool(Edit&, WORD key)> OnKeyDown;

    bool HandleCommand(WORD code) override;

protected:
    HWND CreateHandle(HWND parentWindow) override;
    void AfterCreate() override;

private:
    std::string initialText_;
    Connection keys_;
};

} // namespace win32
