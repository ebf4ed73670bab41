// Anything a form owns by name: controls and the non-visual parts alike.
#pragma once

#include "win32/Signal.h"

#include <string>

namespace win32 {

// Lifetime: the owner first tells every component that it is going
// (NotifyDestroying, in reverse creation order, while all of them still
// exist), then deletes them. A component that is going does no layout and
// starts nothing new.
class Component {
public:
    explicit Component(std::string name) : name_(std::move(name)) {}
    virtual ~Component() { NotifyDestroying(); }
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    const std::string& Name() const { return name_; }

    // Raised once, as the component starts to go, for whatever still refers to it.
    Signal<void(Component&)> Destroying;
    bool IsDestroying() const { return destroying_; }
    void NotifyDestroying()
    {
        if (destroying_)
            return;
        destroying_ = true;
        Destroying(*this);
    }

private:
    std::string name_;
    bool destroying_ = false;
};

} // namespace win32
