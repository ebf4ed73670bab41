// How the toolbar layout reaches its store: plain callbacks and a context,
// so the loader and saver know nothing of the registry.
#pragma once

#include <cstdint>
#include <string>

namespace core {

// section is a dockable window's name, ident one of its value names.
using ReadIntFn = int32_t (*)(const std::string& section, const std::string& ident, int32_t def, void* context);
using ReadTextFn = std::string (*)(const std::string& section, const std::string& ident, const std::string& def,
                                   void* context);
using WriteIntFn = void (*)(const std::string& section, const std::string& ident, int32_t value, void* context);
using WriteTextFn = void (*)(const std::string& section, const std::string& ident, const std::string& value,
                             void* context);

struct LayoutReader {
    ReadIntFn readInt;
    ReadTextFn readText;
    void* context;
};

struct LayoutWriter {
    WriteIntFn writeInt;
    WriteTextFn writeText;
    void* context;
};

} // namespace core
