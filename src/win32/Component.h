// Anything a form owns by name: controls and the non-visual parts alike.
#pragma once

#include "win32/Signal.h"

#include <string>

namespace win32 {

class Component {
public:
    explicit Component(std::string name) : name_(std::move(name)) {}
    virtual ~Component() { Destroying(*this); }
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    const std::string& Name() const { return name_; }

    // Raised as the component goes, for whatever still refers to it.
    Signal<void(Component&)> Destroying;

private:
    std::string name_;
};

} // namespace win32
