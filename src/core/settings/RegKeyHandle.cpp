#include "core/settings/RegKeyHandle.h"

#include <utility>

namespace core {

RegKeyHandle::RegKeyHandle(RegistryApi& api, RegKey key) : api_(&api), key_(key) {}

RegKeyHandle::~RegKeyHandle()
{
    Reset();
}

RegKeyHandle::RegKeyHandle(RegKeyHandle&& other) noexcept
    : api_(other.api_), key_(std::exchange(other.key_, 0))
{
}

RegKeyHandle& RegKeyHandle::operator=(RegKeyHandle&& other) noexcept
{
    if (this != &other) {
        Reset();
        api_ = other.api_;
        key_ = std::exchange(other.key_, 0);
    }
    return *this;
}

void RegKeyHandle::Reset()
{
    RegKey key = std::exchange(key_, 0);
    if (key != 0 && !IsPredefinedKey(key))
        api_->CloseKey(key);
}

} // namespace core
