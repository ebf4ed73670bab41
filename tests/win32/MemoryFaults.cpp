#include "MemoryFaults.h"

#include <atomic>

namespace {

std::atomic<int> violations{0};

LONG CALLBACK CountViolation(EXCEPTION_POINTERS* exception)
{
    if (exception->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION)
        ++violations;
    return EXCEPTION_CONTINUE_SEARCH;
}

} // namespace

namespace testsupport {

AccessViolations::AccessViolations() : handler_(::AddVectoredExceptionHandler(1, &CountViolation))
{
    violations = 0;
}

AccessViolations::~AccessViolations()
{
    ::RemoveVectoredExceptionHandler(handler_);
}

int AccessViolations::Raised() const
{
    return violations;
}

} // namespace testsupport
