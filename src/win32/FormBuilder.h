// A form declared as data and the builder that makes it real: a tree of
// components, walked depth first in declaration order, each control created
// under the control it is declared in, its form field filled, its events
// bound to the form's handlers. Components refer to one another through the
// form's fields, resolved once all exist; then the create handler runs.
#pragma once

#include "win32/Application.h"
#include "win32/Form.h"

#include <concepts>
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

// A field of the form that holds a control of any kind, for what needs a
// control but not its kind (a toggle's target).
template <class F>
class ControlRef {
public:
    ControlRef() = default;
    template <std::derived_from<Control> T>
    ControlRef(T* F::*field) : get_([field](const F& form) -> Control* { return form.*field; })
    {
    }
    explicit operator bool() const { return static_cast<bool>(get_); }
    Control* In(const F& form) const { return get_(form); }

private:
    std::function<Control*(const F&)> get_;
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

    // Runs once every component exists, before the create handler.
    void Fixup(std::function<void()> fixup) { fixups_.push_back(std::move(fixup)); }

    // The component a field of the form holds, asked for in a fixup: it may
    // be declared after the one that refers to it.
    template <class T>
    T& Get(T* F::*field) const { return Declared(form_.*field); }
    Control& Get(const ControlRef<F>& ref) const { return Declared(ref.In(form_)); }

private:
    template <class T>
    static T& Declared(T* component)
    {
        if (!component)
            throw std::logic_error("A component referred to is not declared");
        return *component;
    }

    F& form_;
    Application& app_;
    std::vector<std::function<void()>> fixups_;
};

} // namespace win32
