#include "core/settings/TRegIniFile.h"

#include "core/settings/ERegistryException.h"
#include "core/settings/ParseIntText.h"
#include "core/settings/RegistryValueText.h"

#include <limits>

namespace core {
namespace {

bool StartsFromRoot(const std::string& path)
{
    return !path.empty() && path.front() == '\\';
}

std::string WithoutRootMark(const std::string& path)
{
    return StartsFromRoot(path) ? path.substr(1) : path;
}

} // namespace

TRegIniFile::TRegIniFile(RegistryApi& api, const std::string& keyPath) : api_(api), keyPath_(keyPath)
{
    OpenPath(keyPath, true);
}

void TRegIniFile::SetRoot(RegKey root)
{
    if (root == root_)
        return;
    CloseKey();
    root_ = root;
}

bool TRegIniFile::OpenPath(const std::string& path, bool canCreate)
{
    const bool relative = !StartsFromRoot(path) && current_;
    const RegKey parent = relative ? current_.Get() : root_;
    const std::string subPath = WithoutRootMark(path);
    RegKey key = 0;
    const bool opened = canCreate && !subPath.empty() ? api_.CreateKey(parent, subPath, key)
                                                      : api_.OpenKey(parent, subPath, key);
    if (!opened || key == 0)
        return false;
    RegKeyHandle handle(api_, key);
    currentPath_ = relative ? currentPath_ + '\\' + subPath : subPath;
    current_ = std::move(handle);
    return true;
}

void TRegIniFile::CloseKey()
{
    current_.Reset();
    currentPath_.clear();
}

int32_t TRegIniFile::ReadIntValue(const std::string& section, const std::string& name, int32_t def)
{
    std::optional<std::string> text = ReadText(section, name);
    if (!text)
        return def;
    return ParseIntText(*text).value_or(def);
}

bool TRegIniFile::ReadBoolValue(const std::string& section, const std::string& name, bool def)
{
    return ReadIntValue(section, name, def ? 1 : 0) != 0;
}

std::string TRegIniFile::ReadStrValue(const std::string& section, const std::string& name,
                                      const std::string& def)
{
    return ReadText(section, name).value_or(def);
}

void TRegIniFile::WriteIntValue(const std::string& section, const std::string& name, int32_t value)
{
    WriteText(section, name, FormatInt(value));
}

void TRegIniFile::WriteBoolValue(const std::string& section, const std::string& name, bool value)
{
    WriteText(section, name, value ? "1" : "0");
}

void TRegIniFile::WriteStrValue(const std::string& section, const std::string& name,
                                const std::string& value)
{
    WriteText(section, name, value);
}

// Without a current key a relative section has no base at all: falling back
// to the bare root would read and write beside the store's own key.
std::pair<RegKey, std::string> TRegIniFile::SectionBase(const std::string& section) const
{
    if (StartsFromRoot(section))
        return {root_, section.substr(1)};
    return {current_.Get(), section};
}

RegKeyHandle TRegIniFile::OpenSection(const std::string& section)
{
    auto [base, path] = SectionBase(section);
    RegKey key = 0;
    if (base == 0 || !api_.OpenKey(base, path, key))
        return {};
    return RegKeyHandle(api_, key);
}

// Only makes sure the section exists; the write opens it anew.
bool TRegIniFile::EnsureSection(const std::string& section)
{
    auto [base, path] = SectionBase(section);
    RegKey key = 0;
    if (base == 0 || !api_.CreateKey(base, path, key))
        return false;
    RegKeyHandle created(api_, key);
    return true;
}

std::optional<std::string> TRegIniFile::ReadText(const std::string& section, const std::string& name)
{
    RegKeyHandle key = OpenSection(section);
    if (!key)
        return std::nullopt;
    return ReadValueText(api_, key.Get(), name);
}

void TRegIniFile::WriteText(const std::string& section, const std::string& name, const std::string& text)
{
    if (!EnsureSection(section))
        throw ERegistryException("Failed to create key " + section);
    RegKeyHandle key = OpenSection(section);
    if (!key)
        return;
    // The stored size counts the NUL and must fit the registry's 32-bit size.
    if (text.size() >= std::numeric_limits<uint32_t>::max())
        throw ERegistryException("Failed to set data for '" + name + "'");
    const auto* data = reinterpret_cast<const uint8_t*>(text.c_str());
    if (!api_.SetValue(key.Get(), name, kRegSz, data, static_cast<uint32_t>(text.size() + 1)))
        throw ERegistryException("Failed to set data for '" + name + "'");
}

} // namespace core
