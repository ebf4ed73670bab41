#include "win32/SystemRegistry.h"

#include <windows.h>

namespace win32 {

namespace {

HKEY ToHkey(core::RegKey key)
{
    return reinterpret_cast<HKEY>(key);
}

} // namespace

bool SystemRegistry::CreateKey(core::RegKey parent, const std::string& path, core::RegKey& key)
{
    HKEY created = nullptr;
    if (::RegCreateKeyExA(ToHkey(parent), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                          nullptr, &created, nullptr) != ERROR_SUCCESS)
        return false;
    key = reinterpret_cast<core::RegKey>(created);
    return true;
}

bool SystemRegistry::OpenKey(core::RegKey parent, const std::string& path, core::RegKey& key)
{
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(ToHkey(parent), path.c_str(), 0, KEY_ALL_ACCESS, &opened) != ERROR_SUCCESS)
        return false;
    key = reinterpret_cast<core::RegKey>(opened);
    return true;
}

bool SystemRegistry::QueryValueSize(core::RegKey key, const std::string& name, uint32_t& type, uint32_t& size)
{
    DWORD t = 0, n = 0;
    if (::RegQueryValueExA(ToHkey(key), name.c_str(), nullptr, &t, nullptr, &n) != ERROR_SUCCESS)
        return false;
    type = t;
    size = n;
    return true;
}

bool SystemRegistry::QueryValueData(core::RegKey key, const std::string& name, uint32_t& type, uint8_t* buffer,
                                    uint32_t& size)
{
    DWORD t = 0, n = size;
    // More data than the buffer holds fails here (ERROR_MORE_DATA): nothing
    // is read beyond what the registry wrote.
    if (::RegQueryValueExA(ToHkey(key), name.c_str(), nullptr, &t, buffer, &n) != ERROR_SUCCESS || n > size)
        return false;
    type = t;
    size = n;
    return true;
}

bool SystemRegistry::SetValue(core::RegKey key, const std::string& name, uint32_t type, const uint8_t* data,
                              uint32_t size)
{
    return ::RegSetValueExA(ToHkey(key), name.c_str(), 0, type, data, size) == ERROR_SUCCESS;
}

void SystemRegistry::CloseKey(core::RegKey key)
{
    ::RegCloseKey(ToHkey(key));
}

SystemRegistry& TheSystemRegistry()
{
    // Stateless: one instance serves every store.
    static SystemRegistry registry;
    return registry;
}

} // namespace win32
