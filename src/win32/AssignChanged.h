#pragma once

#include <utility>

namespace win32 {

// Stores a property's new value; true when it differed, so the caller tells
// its listeners only about real changes.
template <class T, class U>
bool AssignChanged(T& field, U&& value)
{
    if (field == value)
        return false;
    field = std::forward<U>(value);
    return true;
}

} // namespace win32
