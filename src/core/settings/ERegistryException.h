// What the settings store raises when a value or key cannot be handled.
#pragma once

#include <stdexcept>

namespace core {

class ERegistryException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace core
