#include "core/processes/PeProbe.h"

#include <array>
#include <limits>

namespace core {
namespace {

constexpr uint32_t kDosHeaderSize = 64;
constexpr uint32_t kDosSignature = 0x5A4D; // "MZ"
constexpr uint32_t kNewHeaderOffsetField = 60;
constexpr uint32_t kNtSignature = 0x00004550; // "PE\0\0"
// Signature (4) + file header (20), then the optional header.
constexpr uint32_t kMagicField = 24;
constexpr uint32_t kPe32Magic = 0x10B;
constexpr uint32_t kPe32PlusMagic = 0x20B;
constexpr uint32_t kNtHeaders32Size = 248;
constexpr uint32_t kNtHeaders64Size = 264;
constexpr uint32_t kImageBase32Field = 52; // 28 bytes into the PE32 optional header
constexpr uint32_t kImageBase64Field = 48; // 24 bytes into the PE32+ one

// Byte by byte, so neither the host's byte order nor alignment matters.
uint64_t LittleEndian(const uint8_t* bytes, int count)
{
    uint64_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

// What a 32-bit program can see: the 32-bit field, wherever the headers lie
// in its 4 GiB, the magic untested.
uint64_t ReadPe32Only(const MemoryReader& read, uint32_t base, uint32_t lfanew)
{
    // Unsigned 32-bit arithmetic: a hostile offset wraps instead of overflowing.
    const uint32_t ntAddress = base + lfanew;
    std::array<uint8_t, kNtHeaders32Size> nt{};
    if (!read(ntAddress, nt.data(), kNtHeaders32Size) || LittleEndian(nt.data(), 4) != kNtSignature)
        return 0;
    return LittleEndian(nt.data() + kImageBase32Field, 4);
}

uint64_t ReadByMagic(const MemoryReader& read, uint64_t base, uint32_t lfanew)
{
    // Headers that would run past the end of the address space are no image.
    if (base > std::numeric_limits<uint64_t>::max() - lfanew - kNtHeaders64Size)
        return 0;
    // Room for either form: a real image's section table follows its
    // optional header, so a PE32 image has these bytes too.
    std::array<uint8_t, kNtHeaders64Size> nt{};
    if (!read(base + lfanew, nt.data(), kNtHeaders64Size) || LittleEndian(nt.data(), 4) != kNtSignature)
        return 0;
    switch (LittleEndian(nt.data() + kMagicField, 2)) {
    case kPe32Magic:
        return LittleEndian(nt.data() + kImageBase32Field, 4);
    case kPe32PlusMagic:
        return LittleEndian(nt.data() + kImageBase64Field, 8);
    default:
        return 0;
    }
}

} // namespace

uint64_t ReadPreferredImageBase(const MemoryReader& read, uint64_t base, ImageHeaderForm form)
{
    std::array<uint8_t, kDosHeaderSize> dos{};
    if (!read(base, dos.data(), kDosHeaderSize))
        return 0;
    if (LittleEndian(dos.data(), 2) != kDosSignature)
        return 0;
    const auto lfanew = static_cast<uint32_t>(LittleEndian(dos.data() + kNewHeaderOffsetField, 4));
    if (form == ImageHeaderForm::Pe32Only)
        return ReadPe32Only(read, static_cast<uint32_t>(base), lfanew);
    return ReadByMagic(read, base, lfanew);
}

} // namespace core
