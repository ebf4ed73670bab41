// A registry value read as the settings store's text.
#pragma once

#include "core/settings/RegistryApi.h"

#include <optional>
#include <string>

namespace core {

// Larger claims are not believed: settings are short texts, and a buffer of
// what a damaged hive reports could exhaust the process.
constexpr uint32_t kMaxValueTextBytes = 16u << 20;

// Nothing when the value does not exist. Text values are taken as stored, up
// to their first NUL or the end of the data; empty data is empty text
// whatever its type. Raises ERegistryException for data of another type and
// for data that cannot be read.
std::optional<std::string> ReadValueText(RegistryApi& api, RegKey key, const std::string& name);

} // namespace core
