// The entries of toolbars and their drop-down menus. Items form a tree under
// each toolbar's root item; the toolbar shows the top level as buttons and
// every item with children as a drop-down menu. An item bound to an action
// takes caption, hint, glyph, shortcut, check and enabled state from it.
#pragma once

#include "core/ui/Shortcut.h"
#include "win32/Action.h"
#include "win32/Component.h"
#include "win32/Control.h"
#include "win32/Signal.h"

#include <functional>
#include <string>
#include <vector>

namespace toolbars {

struct ItemProps {
    const char* name = "";
    const char* caption = "";
    const char* hint = "";
    int imageIndex = -1;
    core::ShortCut shortCut = 0;
    bool checked = false;
    bool enabled = true;
    bool visible = true;
};

enum class ItemChange { Look, Structure };

class TTBCustomItem : public win32::Component {
public:
    explicit TTBCustomItem(const ItemProps& props);
    ~TTBCustomItem() override;

    virtual std::string Caption() const { return caption_; }
    virtual std::string Hint() const { return hint_; }
    virtual int ImageIndex() const { return imageIndex_; }
    virtual core::ShortCut ShortCut() const { return shortCut_; }
    virtual bool Checked() const { return checked_; }
    virtual bool Enabled() const { return enabled_; }
    bool Visible() const { return visible_; }

    void SetCaption(const std::string& caption);
    void SetHint(const std::string& hint);
    void SetImageIndex(int index);
    void SetChecked(bool checked);
    void SetEnabled(bool enabled);
    void SetVisible(bool visible);

    virtual bool IsSeparator() const { return false; }
    // Whether its shortcut is its own to run (not an action list's).
    virtual bool OwnsShortCut() const { return true; }
    // Whether choosing it drops down its children instead of running it.
    virtual bool IsSubmenu() const { return false; }

    // What choosing the item does.
    virtual void Click();
    // Brings its state up to date just before a menu shows it.
    virtual void BeforeShow() {}

    void Add(TTBCustomItem& child);
    void Remove(TTBCustomItem& child);
    const std::vector<TTBCustomItem*>& Items() const { return items_; }
    TTBCustomItem* ParentItem() const { return parent_; }

    std::function<void(TTBCustomItem&)> OnClick;

    // Raised on the topmost item for a change anywhere in its tree.
    win32::Signal<void(TTBCustomItem&, ItemChange)> TreeChanged;

protected:
    void NotifyChanged(ItemChange change = ItemChange::Look);

private:
    void Notify(TTBCustomItem& item, ItemChange change);

    std::string caption_;
    std::string hint_;
    int imageIndex_;
    core::ShortCut shortCut_;
    bool checked_;
    bool enabled_;
    bool visible_;
    TTBCustomItem* parent_ = nullptr;
    std::vector<TTBCustomItem*> items_;
};

// A plain entry, usually bound to an action.
class TTBItem : public TTBCustomItem {
public:
    using TTBCustomItem::TTBCustomItem;

    win32::Action* Action() const { return action_; }
    void SetAction(win32::Action* action);

    std::string Caption() const override;
    std::string Hint() const override;
    int ImageIndex() const override;
    core::ShortCut ShortCut() const override;
    bool Checked() const override;
    bool Enabled() const override;
    bool OwnsShortCut() const override { return !action_ || !action_->List(); }

    void Click() override;

private:
    win32::Action* action_ = nullptr;
    win32::Connection actionChanged_;
    win32::Connection actionGone_;
};

// An entry that drops down its children.
class TTBSubmenuItem : public TTBCustomItem {
public:
    using TTBCustomItem::TTBCustomItem;
    bool IsSubmenu() const override { return true; }
};

class TTBSeparatorItem : public TTBCustomItem {
public:
    using TTBCustomItem::TTBCustomItem;
    bool IsSeparator() const override { return true; }
};

// Shows and hides a control; checked while the control is visible.
class TTBVisibilityToggleItem : public TTBCustomItem {
public:
    using TTBCustomItem::TTBCustomItem;

    win32::Control* Control() const { return control_; }
    void SetControl(win32::Control* control);

    bool Checked() const override;
    void Click() override;
    void BeforeShow() override;

private:
    win32::Control* control_ = nullptr;
    win32::Connection controlGone_;
};

} // namespace toolbars
