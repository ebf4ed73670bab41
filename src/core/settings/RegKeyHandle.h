// Owns one registry key handle and closes it exactly once.
#pragma once

#include "core/settings/RegistryApi.h"

namespace core {

// The predefined roots belong to the system, not to whoever was handed one:
// opening a root with an empty path gives back the root itself.
constexpr bool IsPredefinedKey(RegKey key)
{
    return key >= 0x80000000u;
}

class RegKeyHandle {
public:
    RegKeyHandle() = default;
    RegKeyHandle(RegistryApi& api, RegKey key);
    ~RegKeyHandle();

    RegKeyHandle(RegKeyHandle&& other) noexcept;
    RegKeyHandle& operator=(RegKeyHandle&& other) noexcept;
    RegKeyHandle(const RegKeyHandle&) = delete;
    RegKeyHandle& operator=(const RegKeyHandle&) = delete;

    RegKey Get() const { return key_; }
    explicit operator bool() const { return key_ != 0; }
    void Reset();

private:
    RegistryApi* api_ = nullptr;
    RegKey key_ = 0;
};

} // namespace core
