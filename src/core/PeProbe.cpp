#include "core/PeProbe.h"

#include <array>

namespace core {
namespace {

constexpr uint32_t kDosHeaderSize = 64;
constexpr uint32_t kDosSignature = 0x5A4D; // "MZ"
constexpr uint32_t kNewHeaderOffsetField = 60;
constexpr uint32_t kNtHeadersSize = 248;
constexpr uint32_t kNtSignature = 0x00004550; // "PE\0\0"
// Signature (4) + file header (20) + 28 bytes into the optional header.
constexpr uint32_t kImageBaseField = 52;

// Byte by byte, so neither the host's byte order nor alignment matters.
uint32_t LittleEndian(const uint8_t* bytes, int count)
{
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

} // namespace

uint32_t ReadPreferredImageBase(const MemoryReader& read, uint32_t base)
{
    std::array<uint8_t, kDosHeaderSize> dos{};
    if (!read(base, dos.data(), kDosHeaderSize))
        return 0;
    if (LittleEndian(dos.data(), 2) != kDosSignature)
        return 0;
    // Unsigned arithmetic: a hostile offset wraps instead of overflowing.
    uint32_t ntAddress = base + LittleEndian(dos.data() + kNewHeaderOffsetField, 4);

    std::array<uint8_t, kNtHeadersSize> nt{};
    if (!read(ntAddress, nt.data(), kNtHeadersSize))
        return 0;
    if (LittleEndian(nt.data(), 4) != kNtSignature)
        return 0;
    return LittleEndian(nt.data() + kImageBaseField, 4);
}

} // namespace core
