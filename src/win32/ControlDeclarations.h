// Declarations of the framework's components for a form of class F.
#pragma once

#include "win32/Action.h"
#include "win32/Edit.h"
#include "win32/FormBuilder.h"
#include "win32/ImageList.h"
#include "win32/Label.h"
#include "win32/ListView.h"
#include "win32/Panel.h"
#include "win32/Splitter.h"
#include "win32/StatusBar.h"
#include "win32/Timer.h"
#include "win32/VirtualListView.h"

#include <memory>
#include <vector>

namespace win32 {

template <class F>
struct ListViewDecl {
    ListViewProps props;
    ListView* F::*field = nullptr;
    ImageList* F::*smallImages = nullptr;
    void (F::*onChange)(ListView&) = nullptr;
    void (F::*onColumnClick)(ListView&, int column) = nullptr;
    int (F::*onCompare)(ListView&, const ListRow&, const ListRow&) = nullptr;

    void Build(FormBuilder<F>& b, Control& parent) const
    {
        ListView& list = b.Place(std::make_unique<ListView>(props), field, parent);
        list.OnChange = b.Bind(onChange);
        list.OnColumnClick = b.Bind(onColumnClick);
        list.OnCompare = b.Bind(onCompare);
        if (smallImages)
            b.Fixup([&list, &b, images = smallImages] { list.SetSmallImages(b.Get(images).Handle()); });
    }
};

template <class F>
struct PanelDecl {
    PanelProps props;
    Panel* F::*field = nullptr;
    std::vector<ComponentDecl<F>> controls = {};

    void Build(FormBuilder<F>& b, Control& parent) const
    {
        Panel& panel = b.Place(std::make_unique<Panel>(props), field, parent);
        for (const ComponentDecl<F>& control : controls)
            control.Build(b, panel);
    }
};

// A control that needs nothing but its properties.
template <class F, class T, class P>
struct PlainControlDecl {
    P props;
    T* F::*field = nullptr;

    void Build(FormBuilder<F>& b, Control& parent) const { b.Place(std::make_unique<T>(props), field, parent); }
};

template <class F>
using LabelDecl = PlainControlDecl<F, Label, LabelProps>;
template <class F>
using SplitterDecl = PlainControlDecl<F, Splitter, SplitterProps>;
template <class F>
using StatusBarDecl = PlainControlDecl<F, StatusBar, StatusBarProps>;

template <class F>
struct ImageListDecl {
    ImageListProps props;
    ImageList* F::*field = nullptr;

    void Build(FormBuilder<F>& b, Control&) const
    {
        b.Own(std::make_unique<ImageList>(props, b.App().Instance()), field);
    }
};

template <class F>
struct TimerDecl {
    TimerProps props;
    Timer* F::*field = nullptr;
    void (F::*onTimer)(Timer&) = nullptr;

    // Its window is a hidden one of its own, whatever it is declared in.
    void Build(FormBuilder<F>& b, Control&) const
    {
        Timer& timer = b.Own(std::make_unique<Timer>(props), field);
        timer.CreateWindowFor(nullptr, b.App());
        timer.OnTimer = b.Bind(onTimer);
    }
};

template <class F>
struct ActionDecl {
    ActionProps props;
    Action* F::*field = nullptr;
    void (F::*onExecute)(Action&) = nullptr;
};

// An action list with its actions; their shortcuts work anywhere in the form.
template <class F>
struct ActionListDecl {
    ActionListProps props;
    ActionList* F::*field = nullptr;
    // The image list the actions' glyphs index.
    ImageList* F::*images = nullptr;
    std::vector<ActionDecl<F>> actions = {};

    void Build(FormBuilder<F>& b, Control&) const
    {
        ActionList& list = b.Own(std::make_unique<ActionList>(props), field);
        for (const ActionDecl<F>& decl : actions) {
            Action& action = b.Own(std::make_unique<Action>(decl.props), decl.field);
            action.OnExecute = b.Bind(decl.onExecute);
            list.Add(action);
        }
        list.HandleShortCuts(b.App(), b.Form().Handle());
        if (images)
            b.Fixup([&list, &b, images = images] { list.SetImages(b.Get(images).Handle()); });
    }
};

template <class F>
struct EditDecl {
    EditProps props;
    Edit* F::*field = nullptr;
    void (F::*onChange)(Edit&) = nullptr;
    bool (F::*onKeyDown)(Edit&, WORD key) = nullptr;

    void Build(FormBuilder<F>& b, Control& parent) const
    {
        Edit& edit = b.Place(std::make_unique<Edit>(props), field, parent);
        edit.OnChange = b.Bind(onChange);
        edit.OnKeyDown = b.Bind(onKeyDown);
    }
};

template <class F>
struct VirtualListViewDecl {
    VirtualListViewProps props;
    VirtualListView* F::*field = nullptr;
    std::string (F::*onCellText)(VirtualListView&, int row, int column) = nullptr;
    void (F::*onDblClick)(VirtualListView&, int row) = nullptr;

    void Build(FormBuilder<F>& b, Control& parent) const
    {
        VirtualListView& list = b.Place(std::make_unique<VirtualListView>(props), field, parent);
        list.OnCellText = b.Bind(onCellText);
        list.OnDblClick = b.Bind(onDblClick);
    }
};

} // namespace win32
