// Anything a form owns by name: controls and the non-visual parts alike.
#pragma once

#include <string>

namespace win32 {

class Component {
public:
    explicit Component(std::string name) : name_(std::move(name)) {}
    virtual ~Component() = default;
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    const std::string& Name() const { return name_; }

private:
    std::string name_;
};

} // namespace win32
