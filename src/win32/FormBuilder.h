// A form declared as data and the builder that makes it real: a tree of
// components, walked depth first in declaration order, each control created
// under the control it is declared in, its form field filled, its events
// bound to the form's handlers; references between components are resolved
// once all exist, and then the create handler runs.
#pragma once

#include "win32/Application.h"
#include "win32/Form.h"

#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

namespace win32 {

template <class F>
class FormBuilder;

// Any component declaration: a struct of properties with a
// Build(builder, parent), the parent being the control it is declared in.
template <class F>
class ComponentDecl {
public:
    template <class D>
    ComponentDecl(D decl)
        : build_([d = std::move(decl)](FormBuilder<F>& b, Control& parent) { d.Build(b, parent); })
    {
    }
    void Build(FormBuilder<F>& builder, Control& parent) const { build_(builder, parent); }

private:
    std::function<void(FormBuilder<F>&, Control&)> build_;
};

template <class F>
struct FormDecl {
    FormProps props;
    void (F::*onCreate)() = nullptr;
    void (F::*onShow)() = nullptr;
    void (F::*onDestroy)() = nullptr;
    std::vector<ComponentDecl<F>> components = {};
};

template <class F>
class FormBuilder {
public:
    FormBuilder(F& form, Application& app) : form_(form), app_(app) {}

    void Build(const FormDecl<F>& decl)
    {
        form_.CreateFormWindow(app_);
        form_.SetLoading(true);
        for (const auto& component : decl.components)
            component.Build(*this, form_);
        for (const auto& fixup : fixups_)
            fixup();
        form_.ApplyDesignedFont();
        form_.ApplyTabOrder();
        form_.SetLoading(false);
        form_.RealignAll();
        form_.OnShow = Bind(decl.onShow);
        form_.OnDestroy = Bind(decl.onDestroy);
        if (decl.onCreate)
            app_.Dispatch(Bind(decl.onCreate));
    }

    Application& App() const { return app_; }
    F& Form() const { return form_; }

    template <class R, class... A>
    std::function<R(A...)> Bind(R (F::*handler)(A...)) const
    {
        if (!handler)
            return nullptr;
        F* form = &form_;
        return [form, handler](A... args) -> R { return (form->*handler)(std::forward<A>(args)...); };
    }

    // A non-visual component: owned by the form, no window of its own here.
    template <class T, class Field>
    T& Own(std::unique_ptr<T> component, Field field)
    {
        T& ref = form_.Own(std::move(component));
        if (field)
            form_.*field = &ref;
        return ref;
    }

    // A control: owned by the form, created under its parent.
    template <class T, class Field>
    T& Place(std::unique_ptr<T> control, Field field, Control& parent)
    {
        T& ref = Own(std::move(control), field);
        ref.CreateWindowFor(&parent, app_);
        return ref;
    }

    template <class T>
    T& Find(const std::string& name) const
    {
        auto* found = dynamic_cast<T*>(form_.FindComponent(name));
        if (!found)
            throw std::logic_error("Component " + name + " not found");
        return *found;
    }

    // Runs once every component exists, before the create handler.
    void Fixup(std::function<void()> fixup) { fixups_.push_back(std::move(fixup)); }

private:
    F& form_;
    Application& app_;
    std::vector<std::function<void()>> fixups_;
};

} // namespace win32
