// What a key of the current user's registry holds, read through the API
// (the command-line tool misreports some values), sorted by name.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace testsupport {

enum class RegistryEntries { Values, Subkeys };

inline std::vector<std::string> RegistryNames(const std::string& path, RegistryEntries entries)
{
    std::vector<std::string> names;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return names;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD length = sizeof name;
        const LONG result = entries == RegistryEntries::Subkeys
                                ? ::RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr)
                                : ::RegEnumValueA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    ::RegCloseKey(key);
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace testsupport
