#include "core/settings/RegistryValueText.h"

#include "core/settings/ERegistryException.h"

#include <algorithm>
#include <vector>

namespace core {
namespace {

ERegistryException FailedToGetData(const std::string& name)
{
    return ERegistryException("Failed to get data for '" + name + "'");
}

ERegistryException InvalidDataType(const std::string& name)
{
    return ERegistryException("Invalid data type for '" + name + "'");
}

bool IsTextType(uint32_t type)
{
    return type == kRegSz || type == kRegExpandSz;
}

std::string TextUpToNul(const std::vector<uint8_t>& data, uint32_t size)
{
    const char* begin = reinterpret_cast<const char*>(data.data());
    const char* end = begin + std::min<std::size_t>(size, data.size());
    return std::string(begin, std::find(begin, end, '\0'));
}

} // namespace

std::optional<std::string> ReadValueText(RegistryApi& api, RegKey key, const std::string& name)
{
    uint32_t type = 0;
    uint32_t size = 0;
    if (!api.QueryValueSize(key, name, type, size))
        return std::nullopt;
    if (size == 0)
        return std::string();
    if (size > kMaxValueTextBytes)
        throw FailedToGetData(name);
    std::vector<uint8_t> data(size);
    if (!api.QueryValueData(key, name, type, data.data(), size))
        throw FailedToGetData(name);
    if (!IsTextType(type))
        throw InvalidDataType(name);
    return TextUpToNul(data, size);
}

} // namespace core
