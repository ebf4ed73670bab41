// Declarations of the docking layer's components for a form of class F.
#pragma once

#include "toolbars/TTBDock.h"
#include "toolbars/TTBItem.h"
#include "toolbars/TTBToolbar.h"
#include "win32/Action.h"
#include "win32/FormBuilder.h"
#include "win32/ImageList.h"

#include <functional>
#include <memory>
#include <vector>

namespace toolbars {

// Any item declaration: a struct with a Build(builder, parent item).
template <class F>
class AnyItemDecl {
public:
    template <class D>
    AnyItemDecl(D decl)
        : build_([d = std::move(decl)](win32::FormBuilder<F>& b, TTBCustomItem& parent) { d.Build(b, parent); })
    {
    }
    void Build(win32::FormBuilder<F>& b, TTBCustomItem& parent) const { build_(b, parent); }

private:
    std::function<void(win32::FormBuilder<F>&, TTBCustomItem&)> build_;
};

// An entry bound to an action, or one with its own texts.
template <class F>
struct ItemDecl {
    ItemProps props;
    TTBItem* F::*field = nullptr;
    win32::Action* F::*action = nullptr;

    void Build(win32::FormBuilder<F>& b, TTBCustomItem& parent) const
    {
        TTBItem& item = b.Own(std::make_unique<TTBItem>(props), field);
        parent.Add(item);
        if (action)
            b.Fixup([&item, &b, action = action] { item.SetAction(&b.Get(action)); });
    }
};

template <class F>
struct SubmenuItemDecl {
    ItemProps props;
    TTBSubmenuItem* F::*field = nullptr;
    std::vector<AnyItemDecl<F>> items = {};

    void Build(win32::FormBuilder<F>& b, TTBCustomItem& parent) const
    {
        TTBSubmenuItem& submenu = b.Own(std::make_unique<TTBSubmenuItem>(props), field);
        parent.Add(submenu);
        for (const AnyItemDecl<F>& item : items)
            item.Build(b, submenu);
    }
};

template <class F>
struct SeparatorItemDecl {
    const char* name = "";
    TTBSeparatorItem* F::*field = nullptr;

    void Build(win32::FormBuilder<F>& b, TTBCustomItem& parent) const
    {
        parent.Add(b.Own(std::make_unique<TTBSeparatorItem>(ItemProps{.name = name}), field));
    }
};

// Shows and hides a control of the form.
template <class F>
struct VisibilityToggleItemDecl {
    ItemProps props;
    TTBVisibilityToggleItem* F::*field = nullptr;
    win32::ControlRef<F> control = {};

    void Build(win32::FormBuilder<F>& b, TTBCustomItem& parent) const
    {
        TTBVisibilityToggleItem& item = b.Own(std::make_unique<TTBVisibilityToggleItem>(props), field);
        parent.Add(item);
        if (control)
            b.Fixup([&item, &b, control = control] { item.SetControl(&b.Get(control)); });
    }
};

// A toolbar with its items, declared in its dock.
template <class F>
struct ToolbarDecl {
    ToolbarProps props;
    TTBToolbar* F::*field = nullptr;
    // The image list for its buttons and menus.
    win32::ImageList* F::*images = nullptr;
    std::vector<AnyItemDecl<F>> items = {};

    void Build(win32::FormBuilder<F>& b, TTBDock& dock) const
    {
        TTBToolbar& bar = b.Place(std::make_unique<TTBToolbar>(props), field, dock);
        // The buttons are made once, when the items know their actions.
        bar.BeginUpdate();
        for (const AnyItemDecl<F>& item : items)
            item.Build(b, bar.Items());
        b.Fixup([&bar, &b, images = images] {
            if (images)
                bar.SetImages(b.Get(images).Handle());
            bar.EndUpdate();
        });
    }
};

template <class F>
struct DockDecl {
    DockProps props;
    TTBDock* F::*field = nullptr;
    std::vector<ToolbarDecl<F>> toolbars = {};

    void Build(win32::FormBuilder<F>& b, win32::Control& parent) const
    {
        TTBDock& dock = b.Place(std::make_unique<TTBDock>(props), field, parent);
        for (const ToolbarDecl<F>& bar : toolbars)
            bar.Build(b, dock);
    }
};

} // namespace toolbars
