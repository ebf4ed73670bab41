// What the toolbar layout needs of a dock.
#pragma once

#include <string>

namespace core {

class LayoutDock {
public:
    virtual ~LayoutDock() = default;
    virtual std::string LayoutName() const = 0;
    virtual bool AllowDrag() const = 0;
    // Counted: while suspended, requests to re-arrange are only recorded.
    virtual void SuspendArrange() = 0;
    // Re-arranges once when the count returns to 0 and a request was recorded.
    virtual void ResumeArrange() = 0;
};

} // namespace core
