// The key the tests' windows keep their settings in, emptied around each test.
#pragma once

#include <windows.h>

constexpr const char* kTestSettingsKey = "Software\\Morvane\\VantoraTests";

inline void DeleteTestSettings()
{
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kTestSettingsKey);
}
