#include "win32/Action.h"

#include "win32/Application.h"
#include "win32/AssignChanged.h"

#include <algorithm>

namespace win32 {

Action::Action(const ActionProps& props)
    : Component(props.name), caption_(props.caption), hint_(props.hint), imageIndex_(props.imageIndex),
      shortCut_(props.shortCut), autoCheck_(props.autoCheck), checked_(props.checked),
      enabled_(props.enabled)
{
}

void Action::SetCaption(const std::string& caption)
{
    if (AssignChanged(caption_, caption))
        NotifyChanged();
}

void Action::SetHint(const std::string& hint)
{
    if (AssignChanged(hint_, hint))
        NotifyChanged();
}

void Action::SetImageIndex(int index)
{
    if (AssignChanged(imageIndex_, index))
        NotifyChanged();
}

void Action::SetShortCut(core::ShortCut shortCut)
{
    if (AssignChanged(shortCut_, shortCut))
        NotifyChanged();
}

void Action::SetChecked(bool checked)
{
    if (AssignChanged(checked_, checked))
        NotifyChanged();
}

void Action::SetEnabled(bool enabled)
{
    if (AssignChanged(enabled_, enabled))
        NotifyChanged();
}

bool Action::Execute()
{
    if (!enabled_)
        return false;
    if (autoCheck_)
        SetChecked(!checked_);
    if (!OnExecute)
        return false;
    OnExecute(*this);
    return true;
}

ActionList::ActionList(const ActionListProps& props) : Component(props.name) {}

void ActionList::Add(Action& action)
{
    if (std::find(actions_.begin(), actions_.end(), &action) == actions_.end())
        actions_.push_back(&action);
    action.list_ = this;
}

Action* ActionList::FindByShortCut(core::ShortCut shortCut) const
{
    if (shortCut == 0)
        return nullptr;
    for (Action* action : actions_) {
        if (action->ShortCut() == shortCut)
            return action;
    }
    return nullptr;
}

void ActionList::HandleShortCuts(Application& app, HWND owner)
{
    app_ = &app;
    owner_ = owner;
    filter_ = app.ShortCuts.Connect(
        [this](core::ShortCut shortCut, HWND window) { return RunShortCut(shortCut, window); });
}

bool ActionList::RunShortCut(core::ShortCut shortCut, HWND window)
{
    if (!::IsWindowEnabled(owner_) || !BelongsToWindow(*app_, window, owner_))
        return false;
    Action* action = FindByShortCut(shortCut);
    // A disabled action leaves the key to the focused control.
    return action && action->Enabled() && (action->Execute(), true);
}

} // namespace win32
