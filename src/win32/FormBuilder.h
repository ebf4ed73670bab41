// Builds a form from its declaration: components in declaration order, each
// under its named parent, its field filled and its events bound to handlers.
#pragma once

#include "win32/Application.h"
#include "win32/FormDeclaration.h"

#include <stdexcept>

namespace win32 {

template <class F>
class FormBuilder {
public:
    FormBuilder(F& form, Application& app) : form_(form), app_(app) {}

    // The create handler runs once every component exists.
    void Build(const FormDecl<F>& decl)
    {
        form_.CreateFormWindow(app_);
        for (const auto& component : decl.components)
            std::visit([this](const auto& d) { Create(d); }, component);
        form_.ApplyDesignedFont();
        form_.Realign();
        form_.OnShow = Bind(decl.onShow);
        form_.OnDestroy = Bind(decl.onDestroy);
        if (decl.onCreate)
            app_.Dispatch(Bind(decl.onCreate));
    }

private:
    template <class R, class... A>
    std::function<R(A...)> Bind(R (F::*handler)(A...))
    {
        if (!handler)
            return nullptr;
        F* form = &form_;
        return [form, handler](A... args) -> R { return (form->*handler)(std::forward<A>(args)...); };
    }

    Control& ParentNamed(const std::string& name)
    {
        auto* parent = dynamic_cast<Control*>(form_.FindComponent(name));
        if (!parent)
            throw std::logic_error("No parent named " + name);
        return *parent;
    }

    template <class T, class Field>
    T& Place(std::unique_ptr<T> control, Field field)
    {
        T& ref = form_.Own(std::move(control));
        ref.CreateWindowFor(&ParentNamed(ref.ParentName()), app_);
        if (field)
            form_.*field = &ref;
        return ref;
    }

    void Create(const ListViewDecl<F>& d)
    {
        ListView& list = Place(std::make_unique<ListView>(d.props), d.field);
        list.OnChange = Bind(d.onChange);
        list.OnColumnClick = Bind(d.onColumnClick);
        list.OnCompare = Bind(d.onCompare);
    }

    F& form_;
    Application& app_;
};

} // namespace win32
