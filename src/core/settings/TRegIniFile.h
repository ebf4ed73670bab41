// The settings store: one key opened under a registry root, named sections as
// its subkeys, and every value kept as REG_SZ text with a caller-given default.
#pragma once

#include "core/settings/RegKeyHandle.h"
#include "core/settings/RegistryApi.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace core {

class TRegIniFile {
public:
    // Starts at HKEY_CURRENT_USER and opens keyPath, creating it when missing;
    // a key that cannot be had leaves the store without a current key.
    TRegIniFile(RegistryApi& api, const std::string& keyPath);
    TRegIniFile(const TRegIniFile&) = delete;
    TRegIniFile& operator=(const TRegIniFile&) = delete;

    // A different root drops the current key; nothing is opened.
    void SetRoot(RegKey root);
    // Relative to the current key if there is one, else to the root; a leading
    // backslash means from the root. Creates only when allowed and the path is
    // not empty. On success the opened key replaces the current one.
    bool OpenPath(const std::string& path, bool canCreate);
    void CloseKey();

    // Sections are subkey paths of the current key; a leading backslash makes
    // one a path from the root. Reads give the default for a missing section or
    // value and for text that is no number; writes create the section.
    int32_t ReadIntValue(const std::string& section, const std::string& name, int32_t def);
    bool ReadBoolValue(const std::string& section, const std::string& name, bool def);
    std::string ReadStrValue(const std::string& section, const std::string& name, const std::string& def);
    void WriteIntValue(const std::string& section, const std::string& name, int32_t value);
    void WriteBoolValue(const std::string& section, const std::string& name, bool value);
    void WriteStrValue(const std::string& section, const std::string& name, const std::string& value);

    RegKey CurrentKey() const { return current_.Get(); }
    const std::string& CurrentPath() const { return currentPath_; }
    RegKey RootKey() const { return root_; }
    // The path the store was created on.
    const std::string& KeyPath() const { return keyPath_; }

private:
    // The key a section is relative to (0 when it cannot be reached) and its path below it.
    std::pair<RegKey, std::string> SectionBase(const std::string& section) const;
    RegKeyHandle OpenSection(const std::string& section);
    bool EnsureSection(const std::string& section);
    std::optional<std::string> ReadText(const std::string& section, const std::string& name);
    void WriteText(const std::string& section, const std::string& name, const std::string& text);

    RegistryApi& api_;
    RegKey root_ = kHkeyCurrentUser;
    RegKeyHandle current_;
    std::string currentPath_;
    std::string keyPath_;
};

} // namespace core
