// Commands as objects: an action holds what its menu entries and buttons show
// (caption, hint, glyph, shortcut, check state) and what they do; the items
// linked to it follow every change at once.
#pragma once

#include "core/ui/Shortcut.h"
#include "win32/Component.h"
#include "win32/KeyMessages.h"
#include "win32/Signal.h"

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

namespace win32 {

class ActionList;
class Application;

struct ActionProps {
    const char* name = "";
    const char* caption = "";
    // "short|long": the tooltip part, a bar, the status-bar part.
    const char* hint = "";
    int imageIndex = -1;
    core::ShortCut shortCut = 0;
    bool autoCheck = false;
    bool checked = false;
    bool enabled = true;
};

class Action : public Component {
public:
    explicit Action(const ActionProps& props);

    const std::string& Caption() const { return caption_; }
    const std::string& Hint() const { return hint_; }
    int ImageIndex() const { return imageIndex_; }
    core::ShortCut ShortCut() const { return shortCut_; }
    bool AutoCheck() const { return autoCheck_; }
    bool Checked() const { return checked_; }
    bool Enabled() const { return enabled_; }

    void SetCaption(const std::string& caption);
    void SetHint(const std::string& hint);
    void SetImageIndex(int index);
    void SetShortCut(core::ShortCut shortCut);
    void SetAutoCheck(bool autoCheck) { autoCheck_ = autoCheck; }
    // Changes what the linked items show; runs no handler.
    void SetChecked(bool checked);
    void SetEnabled(bool enabled);

    // What choosing a linked item does: an enabled AutoCheck action inverts
    // its check state first, so the handler sees the new state. False when
    // the action is disabled or has no handler.
    bool Execute();

    ActionList* List() const { return list_; }

    std::function<void(Action&)> OnExecute;
    // Raised after any of the properties above changed.
    Signal<void(Action&)> Changed;

private:
    friend class ActionList;
    void NotifyChanged() { Changed(*this); }

    std::string caption_;
    std::string hint_;
    int imageIndex_;
    core::ShortCut shortCut_;
    bool autoCheck_;
    bool checked_;
    bool enabled_;
    ActionList* list_ = nullptr;
};

struct ActionListProps {
    const char* name = "";
};

class ActionList : public Component {
public:
    explicit ActionList(const ActionListProps& props);

    void Add(Action& action);
    const std::vector<Action*>& Actions() const { return actions_; }

    HIMAGELIST Images() const { return images_; }
    void SetImages(HIMAGELIST images) { images_ = images; }

    // The first action with this shortcut, or none; 0 finds nothing.
    Action* FindByShortCut(core::ShortCut shortCut) const;

    // Lets the actions' shortcuts work whichever window of the owner form
    // has the focus, as long as the owner window is enabled.
    void HandleShortCuts(Application& app, HWND owner);

private:
    bool RunShortCut(core::ShortCut shortCut, HWND window);

    std::vector<Action*> actions_;
    HIMAGELIST images_ = nullptr;
    Application* app_ = nullptr;
    HWND owner_ = nullptr;
    Connection filter_;
};

} // namespace win32
