// The store's registry operations on the real registry of this system: the
// narrow functions, every key with full access.
#pragma once

#include "core/settings/RegistryApi.h"

namespace win32 {

class SystemRegistry final : public core::RegistryApi {
public:
    bool CreateKey(core::RegKey parent, const std::string& path, core::RegKey& key) override;
    bool OpenKey(core::RegKey parent, const std::string& path, core::RegKey& key) override;
    bool QueryValueSize(core::RegKey key, const std::string& name, uint32_t& type, uint32_t& size) override;
    bool QueryValueData(core::RegKey key, const std::string& name, uint32_t& type, uint8_t* buffer,
                        uint32_t& size) override;
    bool SetValue(core::RegKey key, const std::string& name, uint32_t type, const uint8_t* data,
                  uint32_t size) override;
    void CloseKey(core::RegKey key) override;
};

// The registry of this system, for the program's settings.
SystemRegistry& TheSystemRegistry();

} // namespace win32
