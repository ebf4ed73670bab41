// The PE probe over arbitrary memory. The input is an image placed at a base
// address, with stretches of it that cannot be read; a failed read leaves
// forged headers in the buffer, as a partial copy might, which the probe must
// never take for the image's own. Whatever it answers must come from bytes
// the reader copied, and a well-formed readable image must be recognised.
#include "core/PeProbe.h"

#include "FuzzCheck.h"
#include "FuzzInput.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

using fuzz::Require;

constexpr uint32_t kDosHeaderSize = 64;
constexpr uint32_t kNtHeadersSize = 248; // IMAGE_NT_HEADERS32
constexpr uint32_t kImageBaseField = 52;
// No header read needs more; a larger one would trust a hostile size.
constexpr uint32_t kLargestSensibleRead = 4096;

struct Stretch {
    uint64_t begin;
    uint64_t end;
};

struct ReadCall {
    Stretch range;
    bool copied;
};

uint32_t LittleEndian(const uint8_t* bytes, int count)
{
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

class Memory {
public:
    explicit Memory(fuzz::FuzzInput& input) : base_(input.U32())
    {
        const std::size_t failures = input.Pick(4);
        for (std::size_t i = 0; i < failures; ++i) {
            const uint64_t begin = base_ + uint64_t{input.U16()};
            failing_.push_back({begin, begin + input.Byte() + 1});
        }
        image_ = input.Rest();
    }

    uint32_t Base() const { return base_; }

    // Addresses past 4 GiB do not exist, so nothing wraps back to the start.
    bool Readable(Stretch range) const
    {
        constexpr uint64_t kAddressSpaceEnd = uint64_t{1} << 32;
        if (range.begin < base_ || range.end > base_ + image_.size() || range.end > kAddressSpaceEnd)
            return false;
        return std::none_of(failing_.begin(), failing_.end(), [&](const Stretch& bad) {
            return bad.begin < range.end && range.begin < bad.end;
        });
    }

    // Only for readable stretches.
    uint32_t Word(uint64_t address, int count) const { return LittleEndian(&image_[address - base_], count); }

    bool Read(uint32_t address, void* buffer, uint32_t count)
    {
        Require(buffer != nullptr, "the probe reads into a buffer");
        Require(count > 0 && count <= kLargestSensibleRead, "the probe asks for a sensible number of bytes");
        const Stretch range{address, uint64_t{address} + count};
        const bool copied = Readable(range);
        if (copied)
            std::memcpy(buffer, &image_[address - base_], count);
        else
            Forge(address, static_cast<uint8_t*>(buffer), count);
        calls_.push_back({range, copied});
        return copied;
    }

    bool Copied(uint64_t address, uint32_t count) const
    {
        return std::any_of(calls_.begin(), calls_.end(), [&](const ReadCall& call) {
            return call.copied && call.range.begin <= address && address + count <= call.range.end;
        });
    }

private:
    // Headers that would pass every check, ending in a preferred base of 0xF0F0F0F0.
    void Forge(uint32_t address, uint8_t* buffer, uint32_t count) const
    {
        std::vector<uint8_t> forged(count, 0xF0);
        const uint8_t dos[] = {'M', 'Z'};
        const uint8_t nt[] = {'P', 'E', 0, 0};
        if (address == base_)
            std::copy(dos, dos + std::min<uint32_t>(count, 2), forged.begin());
        else
            std::copy(nt, nt + std::min<uint32_t>(count, 4), forged.begin());
        if (address == base_ && count >= kDosHeaderSize) {
            // The NT headers right after the DOS header.
            const uint8_t offset[] = {kDosHeaderSize, 0, 0, 0};
            std::copy(offset, offset + 4, forged.begin() + 60);
        }
        std::memcpy(buffer, forged.data(), count);
    }

    uint32_t base_;
    std::vector<Stretch> failing_;
    std::vector<uint8_t> image_;
    std::vector<ReadCall> calls_;
};

// A nonzero answer is the image-base field of headers the reader really copied.
void CheckAnswerWasCopied(const Memory& memory, uint32_t answer)
{
    if (answer == 0)
        return;
    const uint32_t base = memory.Base();
    Require(memory.Copied(base, 2) && memory.Copied(uint64_t{base} + 60, 4), "the DOS header used was copied");
    Require(memory.Word(base, 2) == 0x5A4D, "the image has the DOS signature");
    const uint32_t nt = base + memory.Word(uint64_t{base} + 60, 4);
    Require(memory.Copied(nt, 4) && memory.Copied(uint64_t{nt} + kImageBaseField, 4), "the NT headers used were copied");
    Require(memory.Word(nt, 4) == 0x4550, "the image has the NT signature");
    Require(memory.Word(uint64_t{nt} + kImageBaseField, 4) == answer, "the answer is the image's own field");
}

// Readable, well-signed headers give their field, whatever else is broken.
void CheckReadableImageFound(const Memory& memory, uint32_t answer)
{
    const uint32_t base = memory.Base();
    if (!memory.Readable({base, uint64_t{base} + kDosHeaderSize}) || memory.Word(base, 2) != 0x5A4D)
        return;
    const uint32_t nt = base + memory.Word(uint64_t{base} + 60, 4);
    if (!memory.Readable({nt, uint64_t{nt} + kNtHeadersSize}) || memory.Word(nt, 4) != 0x4550)
        return;
    Require(answer == memory.Word(uint64_t{nt} + kImageBaseField, 4), "a readable image's base is found");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    fuzz::FuzzInput input(data, size);
    Memory memory(input);
    const core::MemoryReader reader = [&memory](uint32_t address, void* buffer, uint32_t count) {
        return memory.Read(address, buffer, count);
    };
    const uint32_t answer = core::ReadPreferredImageBase(reader, memory.Base());
    CheckAnswerWasCopied(memory, answer);
    CheckReadableImageFound(memory, answer);
    return 0;
}
