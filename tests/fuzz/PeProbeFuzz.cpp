// The PE probe over arbitrary memory, in both of its forms. The input is an
// image placed at a base address, with stretches of it that cannot be read; a
// failed read leaves forged headers in the buffer, as a partial copy might,
// which the probe must never take for the image's own. Whatever it answers
// must come from bytes the reader copied, and a well-formed readable image
// must be recognised.
#include "core/processes/PeProbe.h"

#include "FuzzCheck.h"
#include "FuzzInput.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

using core::ImageHeaderForm;
using fuzz::Require;

constexpr uint32_t kDosHeaderSize = 64;
constexpr uint32_t kNtHeaders32Size = 248; // IMAGE_NT_HEADERS32
constexpr uint32_t kNtHeaders64Size = 264; // IMAGE_NT_HEADERS64
constexpr uint32_t kMagicField = 24;
// No header read needs more; a larger one would trust a hostile size.
constexpr uint32_t kLargestSensibleRead = 4096;
// Where the 64-bit form's image may lie: low, just past 4 GiB, where 64-bit
// DLLs live, and at the very top, where headers can run off the end.
constexpr uint64_t kHighParts[] = {0, 1, 0x7FF8, 0xFFFFFFFF};

struct Stretch {
    uint64_t begin;
    uint64_t end; // begin + count; below begin when the stretch wraps
};

struct ReadCall {
    Stretch range;
    bool copied;
};

uint64_t LittleEndian(const uint8_t* bytes, int count)
{
    uint64_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

class Memory {
public:
    // The byte after the base says how many stretches fail (its low two
    // bits), which form of probe runs (bit 2) and, for the 64-bit form, the
    // base's upper half (bits 3 and 4); seeds of the 32-bit form keep them 0.
    explicit Memory(fuzz::FuzzInput& input) : base_(input.U32())
    {
        const uint8_t shape = input.Byte();
        form_ = (shape & 4) != 0 ? ImageHeaderForm::ByMagic : ImageHeaderForm::Pe32Only;
        if (form_ == ImageHeaderForm::ByMagic)
            base_ |= kHighParts[(shape >> 3) % 4] << 32;
        for (int i = 0; i < shape % 4; ++i) {
            const uint64_t begin = base_ + uint64_t{input.U16()};
            failing_.push_back({begin, begin + input.Byte() + 1});
        }
        image_ = input.Rest();
    }

    uint64_t Base() const { return base_; }
    ImageHeaderForm Form() const { return form_; }

    // A 32-bit program's addresses end at 4 GiB; nothing wraps back to the start.
    bool Readable(Stretch range) const
    {
        if (range.end < range.begin || range.begin < base_ || range.end - base_ > image_.size())
            return false;
        if (form_ == ImageHeaderForm::Pe32Only && range.end > (uint64_t{1} << 32))
            return false;
        return std::none_of(failing_.begin(), failing_.end(), [&](const Stretch& bad) {
            return bad.begin < range.end && range.begin < bad.end;
        });
    }

    // Only for readable stretches.
    uint64_t Word(uint64_t address, int count) const { return LittleEndian(&image_[address - base_], count); }

    bool Read(uint64_t address, void* buffer, uint32_t count)
    {
        Require(buffer != nullptr, "the probe reads into a buffer");
        Require(count > 0 && count <= kLargestSensibleRead, "the probe asks for a sensible number of bytes");
        const Stretch range{address, address + count};
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
    // Headers that would pass every check, PE32+ ones included, ending in a
    // preferred base of 0xF0F0F0F0(F0F0F0F0).
    void Forge(uint64_t address, uint8_t* buffer, uint32_t count) const
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
        if (address != base_ && count >= kMagicField + 2) {
            forged[kMagicField] = 0x0B;
            forged[kMagicField + 1] = 0x02;
        }
        std::memcpy(buffer, forged.data(), count);
    }

    uint64_t base_;
    ImageHeaderForm form_;
    std::vector<Stretch> failing_;
    std::vector<uint8_t> image_;
    std::vector<ReadCall> calls_;
};

// Where the NT headers lie, as each form computes it; false when the 64-bit
// form's headers would run past the end of the address space.
bool NtHeaders(const Memory& memory, uint64_t& nt)
{
    const uint64_t base = memory.Base();
    const uint64_t lfanew = memory.Word(base + 60, 4);
    if (memory.Form() == ImageHeaderForm::Pe32Only) {
        nt = static_cast<uint32_t>(base + lfanew);
        return true;
    }
    nt = base + lfanew;
    return nt >= base && nt + kNtHeaders64Size >= nt;
}

// The field the image's own headers name, its offset and width.
struct ImageBaseField {
    uint32_t offset;
    int width;
};

bool FieldOf(const Memory& memory, uint64_t nt, ImageBaseField& field)
{
    if (memory.Form() == ImageHeaderForm::Pe32Only) {
        field = {52, 4};
        return true;
    }
    switch (memory.Word(nt + kMagicField, 2)) {
    case 0x10B:
        field = {52, 4};
        return true;
    case 0x20B:
        field = {48, 8};
        return true;
    default:
        return false;
    }
}

// A nonzero answer is the image-base field of headers the reader really copied.
void CheckAnswerWasCopied(const Memory& memory, uint64_t answer)
{
    if (answer == 0)
        return;
    const uint64_t base = memory.Base();
    Require(memory.Copied(base, 2) && memory.Copied(base + 60, 4), "the DOS header used was copied");
    Require(memory.Word(base, 2) == 0x5A4D, "the image has the DOS signature");
    uint64_t nt = 0;
    Require(NtHeaders(memory, nt), "no answer from headers past the end of the address space");
    Require(memory.Copied(nt, 4), "the NT signature used was copied");
    Require(memory.Word(nt, 4) == 0x4550, "the image has the NT signature");
    if (memory.Form() == ImageHeaderForm::ByMagic)
        Require(memory.Copied(nt + kMagicField, 2), "the magic used was copied");
    ImageBaseField field{};
    Require(FieldOf(memory, nt, field), "an unknown magic gives no answer");
    Require(memory.Copied(nt + field.offset, static_cast<uint32_t>(field.width)), "the field used was copied");
    Require(memory.Word(nt + field.offset, field.width) == answer, "the answer is the image's own field");
}

// Readable, well-signed headers give their field, whatever else is broken.
void CheckReadableImageFound(const Memory& memory, uint64_t answer)
{
    const uint64_t base = memory.Base();
    if (!memory.Readable({base, base + kDosHeaderSize}) || memory.Word(base, 2) != 0x5A4D)
        return;
    uint64_t nt = 0;
    const uint32_t size = memory.Form() == ImageHeaderForm::Pe32Only ? kNtHeaders32Size : kNtHeaders64Size;
    if (!NtHeaders(memory, nt) || !memory.Readable({nt, nt + size}) || memory.Word(nt, 4) != 0x4550)
        return;
    ImageBaseField field{};
    const uint64_t expected = FieldOf(memory, nt, field) ? memory.Word(nt + field.offset, field.width) : 0;
    Require(answer == expected, "a readable image's base is found");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    fuzz::FuzzInput input(data, size);
    Memory memory(input);
    const core::MemoryReader reader = [&memory](uint64_t address, void* buffer, uint32_t count) {
        return memory.Read(address, buffer, count);
    };
    const uint64_t answer = core::ReadPreferredImageBase(reader, memory.Base(), memory.Form());
    CheckAnswerWasCopied(memory, answer);
    CheckReadableImageFound(memory, answer);
    return 0;
}
