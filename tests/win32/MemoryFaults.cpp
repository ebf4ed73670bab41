#include "MemoryFaults.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

std::atomic<int> violations{0};

LONG CALLBACK CountViolation(EXCEPTION_POINTERS* exception)
{
    if (exception->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION)
        ++violations;
    return EXCEPTION_CONTINUE_SEARCH;
}

// Every block of operator new carries its size in front, so that delete
// knows how much to fill; held blocks are chained through the same header,
// which leaves the block itself all pattern. Two words keep the alignment
// that malloc gives.
struct Header {
    std::size_t size;
    Header* next;
};
static_assert(sizeof(Header) == 2 * sizeof(void*));

std::atomic<bool> keeping{false};
std::atomic_flag heldLock = ATOMIC_FLAG_INIT;
Header* held = nullptr;

Header* TakeHeld()
{
    while (heldLock.test_and_set(std::memory_order_acquire)) {
    }
    Header* all = held;
    held = nullptr;
    heldLock.clear(std::memory_order_release);
    return all;
}

void Hold(Header* header)
{
    while (heldLock.test_and_set(std::memory_order_acquire)) {
    }
    header->next = held;
    held = header;
    heldLock.clear(std::memory_order_release);
}

} // namespace

void* operator new(std::size_t size)
{
    auto* header = static_cast<Header*>(std::malloc(sizeof(Header) + size));
    if (!header)
        throw std::bad_alloc();
    header->size = size;
    return header + 1;
}

void operator delete(void* block) noexcept
{
    if (!block)
        return;
    Header* header = static_cast<Header*>(block) - 1;
    if (!keeping) {
        std::free(header);
        return;
    }
    std::memset(block, 0xDD, header->size);
    Hold(header);
}

void operator delete(void* block, std::size_t) noexcept
{
    operator delete(block);
}

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

FreedMemoryKept::FreedMemoryKept()
{
    keeping = true;
}

FreedMemoryKept::~FreedMemoryKept()
{
    keeping = false;
    for (Header* header = TakeHeld(); header;) {
        Header* next = header->next;
        std::free(header);
        header = next;
    }
}

} // namespace testsupport
