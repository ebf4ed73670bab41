// Making memory faults show in a test that would otherwise pass over them:
// a read through a pointer that means nothing here.
#pragma once

#include <windows.h>

namespace testsupport {

// Counts the access violations raised in this process while it lives, also
// those the system swallows around a window procedure (Wine does, and
// 64-bit Windows may), which would otherwise leave no trace.
class AccessViolations {
public:
    AccessViolations();
    ~AccessViolations();
    AccessViolations(const AccessViolations&) = delete;
    AccessViolations& operator=(const AccessViolations&) = delete;

    int Raised() const;

private:
    void* handler_;
};

} // namespace testsupport
