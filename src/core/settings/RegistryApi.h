// The few registry operations the settings store needs, so the store runs on
// the real registry and, in tests, on an in-memory one.
#pragma once

#include <cstdint>
#include <string>

namespace core {

using RegKey = std::uintptr_t;                 // opaque key handle; 0 = none
constexpr RegKey kHkeyCurrentUser = 0x80000001;
constexpr uint32_t kRegSz = 1, kRegExpandSz = 2, kRegBinary = 3, kRegDword = 4;

class RegistryApi {
public:
    virtual ~RegistryApi() = default;
    // Creates (non-volatile) or opens parent\path; true and the new key on success.
    virtual bool CreateKey(RegKey parent, const std::string& path, RegKey& key) = 0;
    // Opens parent\path; an empty path opens parent itself anew.
    virtual bool OpenKey(RegKey parent, const std::string& path, RegKey& key) = 0;
    // Whether the value exists, with its type and data size.
    virtual bool QueryValueSize(RegKey key, const std::string& name, uint32_t& type, uint32_t& size) = 0;
    // Reads at most `size` bytes into buffer; size becomes the bytes written. False on any failure,
    // including data larger than the buffer.
    virtual bool QueryValueData(RegKey key, const std::string& name, uint32_t& type, uint8_t* buffer, uint32_t& size) = 0;
    virtual bool SetValue(RegKey key, const std::string& name, uint32_t type, const uint8_t* data, uint32_t size) = 0;
    virtual void CloseKey(RegKey key) = 0;
};

} // namespace core
