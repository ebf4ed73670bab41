// The preferred load address an executable file's header gives, read from
// the file on disk: independent of the program, whose probe reads the image
// loaded in memory. The loader may place the image elsewhere (address space
// layout randomisation), so a test compares with this, not with the address
// the linker was asked for.
#pragma once

#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace testsupport {

// 0 when the file cannot be read or is no PE32 or PE32+ image.
inline uint64_t FileImageBase(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::vector<unsigned char> bytes(4096);
    file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    const auto read = [&](std::size_t at, std::size_t size) -> uint64_t {
        if (at > bytes.size() || size > bytes.size() - at)
            return 0;
        uint64_t value = 0;
        std::memcpy(&value, bytes.data() + at, size);  // little-endian, as the file
        return value;
    };
    if (read(0, 2) != 0x5A4D)
        return 0;
    const auto nt = static_cast<std::size_t>(read(0x3C, 4));
    if (read(nt, 4) != 0x4550)
        return 0;
    // The optional header follows the 4-byte signature and 20-byte file header.
    const std::size_t optional = nt + 24;
    switch (read(optional, 2)) {
    case 0x10B: return read(optional + 28, 4);
    case 0x20B: return read(optional + 24, 8);
    default: return 0;
    }
}

} // namespace testsupport
