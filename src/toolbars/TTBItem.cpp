#include "toolbars/TTBItem.h"
#include "win32/AssignChanged.h"

#include <algorithm>

namespace toolbars {

using win32::AssignChanged;

TTBCustomItem::TTBCustomItem(const ItemProps& props)
    : Component(props.name), caption_(props.caption), hint_(props.hint), imageIndex_(props.imageIndex),
      shortCut_(props.shortCut), checked_(props.checked), enabled_(props.enabled), visible_(props.visible)
{
}

TTBCustomItem::~TTBCustomItem()
{
    for (TTBCustomItem* child : items_)
        child->parent_ = nullptr;
    if (parent_)
        parent_->Remove(*this);
}

void TTBCustomItem::SetCaption(const std::string& caption)
{
    if (AssignChanged(caption_, caption))
        NotifyChanged();
}

void TTBCustomItem::SetHint(const std::string& hint)
{
    if (AssignChanged(hint_, hint))
        NotifyChanged();
}

void TTBCustomItem::SetImageIndex(int index)
{
    if (AssignChanged(imageIndex_, index))
        NotifyChanged();
}

void TTBCustomItem::SetChecked(bool checked)
{
    if (AssignChanged(checked_, checked))
        NotifyChanged();
}

void TTBCustomItem::SetEnabled(bool enabled)
{
    if (AssignChanged(enabled_, enabled))
        NotifyChanged();
}

void TTBCustomItem::SetVisible(bool visible)
{
    if (AssignChanged(visible_, visible))
        NotifyChanged(ItemChange::Structure);
}

void TTBCustomItem::Click()
{
    if (Enabled() && OnClick)
        OnClick(*this);
}

void TTBCustomItem::Add(TTBCustomItem& child)
{
    if (child.parent_ == this)
        return;
    if (child.parent_)
        child.parent_->Remove(child);
    child.parent_ = this;
    items_.push_back(&child);
    NotifyChanged(ItemChange::Structure);
}

void TTBCustomItem::Remove(TTBCustomItem& child)
{
    if (child.parent_ != this)
        return;
    child.parent_ = nullptr;
    std::erase(items_, &child);
    // The removed item is named so that whatever holds on to it can let go.
    Notify(child, ItemChange::Structure);
}

void TTBCustomItem::NotifyChanged(ItemChange change)
{
    Notify(*this, change);
}

void TTBCustomItem::Notify(TTBCustomItem& item, ItemChange change)
{
    TTBCustomItem* top = this;
    while (top->parent_)
        top = top->parent_;
    top->TreeChanged(item, change);
}

void TTBItem::SetAction(win32::Action* action)
{
    if (action == action_)
        return;
    action_ = action;
    actionChanged_.Disconnect();
    actionGone_.Disconnect();
    if (action_) {
        actionChanged_ = action_->Changed.Connect([this](win32::Action&) { NotifyChanged(); });
        actionGone_ = action_->Destroying.Connect([this](win32::Component&) {
            action_ = nullptr;
            actionChanged_.Disconnect();
            // The item now shows its own texts and glyph.
            NotifyChanged();
        });
    }
    NotifyChanged();
}

std::string TTBItem::Caption() const
{
    return action_ ? action_->Caption() : TTBCustomItem::Caption();
}

std::string TTBItem::Hint() const
{
    return action_ ? action_->Hint() : TTBCustomItem::Hint();
}

int TTBItem::ImageIndex() const
{
    return action_ ? action_->ImageIndex() : TTBCustomItem::ImageIndex();
}

core::ShortCut TTBItem::ShortCut() const
{
    return action_ ? action_->ShortCut() : TTBCustomItem::ShortCut();
}

bool TTBItem::Checked() const
{
    return action_ ? action_->Checked() : TTBCustomItem::Checked();
}

bool TTBItem::Enabled() const
{
    return action_ ? action_->Enabled() : TTBCustomItem::Enabled();
}

void TTBItem::Click()
{
    if (action_)
        action_->Execute();
    else
        TTBCustomItem::Click();
}

void TTBVisibilityToggleItem::SetControl(win32::Control* control)
{
    if (control == control_)
        return;
    control_ = control;
    controlGone_.Disconnect();
    if (control_)
        controlGone_ = control_->Destroying.Connect([this](win32::Component&) {
            control_ = nullptr;
            NotifyChanged();
        });
    NotifyChanged();
}

bool TTBVisibilityToggleItem::Checked() const
{
    return control_ && control_->Visible();
}

void TTBVisibilityToggleItem::Click()
{
    if (!Enabled())
        return;
    if (control_)
        control_->SetVisible(!control_->Visible());
    NotifyChanged();
    TTBCustomItem::Click();
}

void TTBVisibilityToggleItem::BeforeShow()
{
    NotifyChanged();
}

} // namespace toolbars
