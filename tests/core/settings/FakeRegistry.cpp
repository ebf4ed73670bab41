#include "settings/FakeRegistry.h"

#include "core/settings/RegKeyHandle.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace fake {

struct Registry::Key {
    std::string name;
    Key* parent = nullptr;
    std::vector<std::unique_ptr<Key>> subkeys;
    std::vector<std::pair<std::string, RegValue>> values;
};

namespace {

using Key = Registry::Key;

std::string Lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool SameName(const std::string& a, const std::string& b)
{
    return Lower(a) == Lower(b);
}

// Nothing for a path with an empty component, which the registry rejects.
std::optional<std::vector<std::string>> SplitPath(const std::string& path)
{
    std::vector<std::string> parts;
    if (path.empty())
        return parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = path.find('\\', start);
        std::string part = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (part.empty())
            return std::nullopt;
        parts.push_back(part);
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

Key* FindSubkey(const Key& key, const std::string& name)
{
    for (const auto& sub : key.subkeys)
        if (SameName(sub->name, name))
            return sub.get();
    return nullptr;
}

Key* AddSubkey(Key& key, const std::string& name)
{
    key.subkeys.push_back(std::make_unique<Key>());
    key.subkeys.back()->name = name;
    key.subkeys.back()->parent = &key;
    return key.subkeys.back().get();
}

Key* FindPath(Key* key, const std::string& path)
{
    std::optional<std::vector<std::string>> parts = SplitPath(path);
    if (!parts)
        return nullptr;
    for (const std::string& part : *parts) {
        if (!key)
            return nullptr;
        key = FindSubkey(*key, part);
    }
    return key;
}

Key* MakePath(Key* key, const std::string& path)
{
    std::optional<std::vector<std::string>> parts = SplitPath(path);
    for (const std::string& part : parts.value()) {
        Key* sub = FindSubkey(*key, part);
        key = sub ? sub : AddSubkey(*key, part);
    }
    return key;
}

std::string FullPath(const Key& key)
{
    if (!key.parent)
        return {};
    std::string above = FullPath(*key.parent);
    return above.empty() ? key.name : above + '\\' + key.name;
}

std::pair<std::string, RegValue>* FindValue(Key& key, const std::string& name)
{
    for (auto& entry : key.values)
        if (SameName(entry.first, name))
            return &entry;
    return nullptr;
}

bool Listed(const std::set<std::string>& set, const std::string& name)
{
    return set.count(Lower(name)) != 0;
}

void CollectKeys(const Key& key, std::vector<std::string>& out)
{
    for (const auto& sub : key.subkeys) {
        out.push_back(FullPath(*sub));
        CollectKeys(*sub, out);
    }
}

} // namespace

std::vector<uint8_t> TextBytes(const std::string& text)
{
    std::vector<uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

Registry::Registry() = default;
Registry::~Registry() = default;

Key* Registry::Root(core::RegKey root) const
{
    if (!core::IsPredefinedKey(root))
        return nullptr;
    auto& slot = roots_[root];
    if (!slot)
        slot = std::make_unique<Key>();
    return slot.get();
}

Key* Registry::Resolve(core::RegKey handle)
{
    if (core::IsPredefinedKey(handle))
        return Root(handle);
    auto found = handles_.find(handle);
    if (found == handles_.end()) {
        ++misuses_;
        return nullptr;
    }
    return found->second;
}

core::RegKey Registry::GiveHandle(Key* key, core::RegKey parent)
{
    // Like the real registry, an empty path below a root gives the root back.
    if (core::IsPredefinedKey(parent) && key == Root(parent))
        return parent;
    core::RegKey handle = nextHandle_;
    nextHandle_ += 4;
    handles_[handle] = key;
    ++handlesGiven_;
    return handle;
}

bool Registry::CreatingRefused(const Key& key) const
{
    std::string path = Lower(FullPath(key));
    for (const std::string& refused : refusedCreate_)
        if (path == refused || path.rfind(refused + '\\', 0) == 0)
            return true;
    return false;
}

void Registry::PlantKey(const std::string& path, core::RegKey root)
{
    MakePath(Root(root), path);
}

void Registry::PlantValue(const std::string& keyPath, const std::string& name, RegValue value,
                          core::RegKey root)
{
    Key* key = MakePath(Root(root), keyPath);
    if (auto* entry = FindValue(*key, name))
        entry->second = std::move(value);
    else
        key->values.emplace_back(name, std::move(value));
}

void Registry::PlantText(const std::string& keyPath, const std::string& name, const std::string& text,
                         uint32_t type)
{
    PlantValue(keyPath, name, RegValue{type, TextBytes(text)});
}

bool Registry::HasKey(const std::string& path, core::RegKey root) const
{
    return FindPath(Root(root), path) != nullptr;
}

std::optional<RegValue> Registry::Value(const std::string& keyPath, const std::string& name,
                                        core::RegKey root) const
{
    Key* key = FindPath(Root(root), keyPath);
    if (!key)
        return std::nullopt;
    auto* entry = FindValue(*key, name);
    if (!entry)
        return std::nullopt;
    return entry->second;
}

std::optional<std::string> Registry::Text(const std::string& keyPath, const std::string& name) const
{
    std::optional<RegValue> value = Value(keyPath, name);
    if (!value || value->type != core::kRegSz || value->data.empty() || value->data.back() != 0)
        return std::nullopt;
    std::string text(value->data.begin(), value->data.end() - 1);
    if (text.find('\0') != std::string::npos)
        return std::nullopt;
    return text;
}

std::vector<std::string> Registry::ValueNames(const std::string& keyPath) const
{
    std::vector<std::string> names;
    if (Key* key = FindPath(Root(core::kHkeyCurrentUser), keyPath))
        for (const auto& entry : key->values)
            names.push_back(entry.first);
    return names;
}

std::vector<std::string> Registry::SubkeyNames(const std::string& keyPath) const
{
    std::vector<std::string> names;
    if (Key* key = FindPath(Root(core::kHkeyCurrentUser), keyPath))
        for (const auto& sub : key->subkeys)
            names.push_back(sub->name);
    return names;
}

std::vector<std::string> Registry::AllKeys(core::RegKey root) const
{
    std::vector<std::string> paths;
    CollectKeys(*Root(root), paths);
    return paths;
}

void Registry::RefuseOpen(const std::string& path) { refusedOpen_.insert(Lower(path)); }
void Registry::RefuseCreateUnder(const std::string& path) { refusedCreate_.insert(Lower(path)); }
void Registry::FailWrite(const std::string& name) { failedWrites_.insert(Lower(name)); }
void Registry::FailDataRead(const std::string& name) { failedReads_.insert(Lower(name)); }
void Registry::ReportSize(const std::string& name, uint32_t size) { reportedSizes_[Lower(name)] = size; }

bool Registry::CreateKey(core::RegKey parent, const std::string& path, core::RegKey& key)
{
    Key* base = Resolve(parent);
    std::optional<std::vector<std::string>> parts = SplitPath(path);
    if (!base || !parts)
        return false;
    for (const std::string& part : *parts) {
        Key* sub = FindSubkey(*base, part);
        if (!sub) {
            Key probe;
            probe.name = part;
            probe.parent = base;
            if (CreatingRefused(probe))
                return false;
            sub = AddSubkey(*base, part);
        }
        base = sub;
    }
    key = GiveHandle(base, parent);
    return true;
}

bool Registry::OpenKey(core::RegKey parent, const std::string& path, core::RegKey& key)
{
    Key* base = Resolve(parent);
    Key* target = base ? FindPath(base, path) : nullptr;
    if (!target || refusedOpen_.count(Lower(FullPath(*target))) != 0)
        return false;
    key = GiveHandle(target, parent);
    return true;
}

bool Registry::QueryValueSize(core::RegKey key, const std::string& name, uint32_t& type, uint32_t& size)
{
    Key* target = Resolve(key);
    auto* entry = target ? FindValue(*target, name) : nullptr;
    if (!entry)
        return false;
    type = entry->second.type;
    auto reported = reportedSizes_.find(Lower(name));
    size = reported != reportedSizes_.end() ? reported->second
                                            : static_cast<uint32_t>(entry->second.data.size());
    return true;
}

bool Registry::QueryValueData(core::RegKey key, const std::string& name, uint32_t& type, uint8_t* buffer,
                              uint32_t& size)
{
    Key* target = Resolve(key);
    auto* entry = target ? FindValue(*target, name) : nullptr;
    if (!entry || Listed(failedReads_, name))
        return false;
    const std::vector<uint8_t>& data = entry->second.data;
    if (data.size() > size)
        return false;
    if (!data.empty())
        std::memcpy(buffer, data.data(), data.size());
    type = entry->second.type;
    size = static_cast<uint32_t>(data.size());
    return true;
}

bool Registry::SetValue(core::RegKey key, const std::string& name, uint32_t type, const uint8_t* data,
                        uint32_t size)
{
    Key* target = Resolve(key);
    if (!target || Listed(failedWrites_, name))
        return false;
    RegValue value{type, std::vector<uint8_t>(data, data + size)};
    if (auto* entry = FindValue(*target, name))
        entry->second = std::move(value);
    else
        target->values.emplace_back(name, std::move(value));
    return true;
}

void Registry::CloseKey(core::RegKey key)
{
    if (core::IsPredefinedKey(key) || handles_.erase(key) == 0)
        ++misuses_;
}

} // namespace fake
