// Making memory faults show in a test that would otherwise pass over them:
// a read through a pointer that means nothing here, and a use of an object
// after it was freed.
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

// While it lives, what the program frees with delete is filled with 0xDD
// and held back, so a use after free finds that pattern (no pointer read
// from it names an address) rather than what the heap put there since.
class FreedMemoryKept {
public:
    FreedMemoryKept();
    // Frees what was held.
    ~FreedMemoryKept();
    FreedMemoryKept(const FreedMemoryKept&) = delete;
    FreedMemoryKept& operator=(const FreedMemoryKept&) = delete;
};

} // namespace testsupport
