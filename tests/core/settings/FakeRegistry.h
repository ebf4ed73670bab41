// An in-memory registry for the settings store's tests: a key tree per
// predefined root, values as type plus raw bytes, knobs for the failures the
// real registry can produce, and a count of the handles it gave out.
#pragma once

#include "core/settings/RegistryApi.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace fake {

struct RegValue {
    uint32_t type = core::kRegSz;
    std::vector<uint8_t> data;
    bool operator==(const RegValue&) const = default;
};

// The bytes of a text value as the store writes it: the text and its NUL.
std::vector<uint8_t> TextBytes(const std::string& text);

// Paths are backslash-separated below a root and, like key and value names,
// compared without regard to ASCII letter case; names keep the case they were
// created with. Planting and inspection never touch the handle counts.
class Registry : public core::RegistryApi {
public:
    Registry();
    ~Registry() override;

    void PlantKey(const std::string& path, core::RegKey root = core::kHkeyCurrentUser);
    void PlantValue(const std::string& keyPath, const std::string& name, RegValue value,
                    core::RegKey root = core::kHkeyCurrentUser);
    // A REG_SZ (or the given type) holding the text and its NUL.
    void PlantText(const std::string& keyPath, const std::string& name, const std::string& text,
                   uint32_t type = core::kRegSz);

    bool HasKey(const std::string& path, core::RegKey root = core::kHkeyCurrentUser) const;
    std::optional<RegValue> Value(const std::string& keyPath, const std::string& name,
                                  core::RegKey root = core::kHkeyCurrentUser) const;
    // The text of a REG_SZ value that ends in exactly one NUL, else nothing.
    std::optional<std::string> Text(const std::string& keyPath, const std::string& name) const;
    // In the order they came into being.
    std::vector<std::string> ValueNames(const std::string& keyPath) const;
    std::vector<std::string> SubkeyNames(const std::string& keyPath) const;
    // Every key below the root, as full paths, depth first.
    std::vector<std::string> AllKeys(core::RegKey root = core::kHkeyCurrentUser) const;

    // OpenKey of exactly this key fails, as for a key its ACL denies; CreateKey still opens it.
    void RefuseOpen(const std::string& path);
    // No new key can come into being at or below this path, as under a volatile parent.
    void RefuseCreateUnder(const std::string& path);
    // SetValue of a value of this name fails in any key.
    void FailWrite(const std::string& name);
    // QueryValueData of a value of this name fails, though its size query succeeds.
    void FailDataRead(const std::string& name);
    // The size query for a value of this name reports this size, whatever the data holds.
    void ReportSize(const std::string& name, uint32_t size);

    // Handles given out and not yet closed.
    std::size_t OpenHandles() const { return handles_.size(); }
    std::size_t HandlesGiven() const { return handlesGiven_; }
    // Closes of predefined roots, unknown or already closed handles, and uses
    // of handles that are not open: the store must cause none of these.
    std::size_t Misuses() const { return misuses_; }

    bool CreateKey(core::RegKey parent, const std::string& path, core::RegKey& key) override;
    bool OpenKey(core::RegKey parent, const std::string& path, core::RegKey& key) override;
    bool QueryValueSize(core::RegKey key, const std::string& name, uint32_t& type, uint32_t& size) override;
    bool QueryValueData(core::RegKey key, const std::string& name, uint32_t& type, uint8_t* buffer,
                        uint32_t& size) override;
    bool SetValue(core::RegKey key, const std::string& name, uint32_t type, const uint8_t* data,
                  uint32_t size) override;
    void CloseKey(core::RegKey key) override;

    struct Key;

private:
    Key* Root(core::RegKey root) const;
    Key* Resolve(core::RegKey handle);
    core::RegKey GiveHandle(Key* key, core::RegKey parent);
    bool CreatingRefused(const Key& key) const;

    mutable std::map<core::RegKey, std::unique_ptr<Key>> roots_;
    std::map<core::RegKey, Key*> handles_;
    core::RegKey nextHandle_ = 0x1000;
    std::size_t handlesGiven_ = 0;
    std::size_t misuses_ = 0;
    std::set<std::string> refusedOpen_;
    std::set<std::string> refusedCreate_;
    std::set<std::string> failedWrites_;
    std::set<std::string> failedReads_;
    std::map<std::string, uint32_t> reportedSizes_;
};

} // namespace fake
