// Decodes a fuzz input into the values a target needs. An exhausted input
// reads as zeros, so every input, however short, is a complete case.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace fuzz {

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Empty() const { return offset_ == size_; }
    std::size_t Remaining() const { return size_ - offset_; }

    uint8_t Byte()
    {
        return Empty() ? uint8_t{0} : data_[offset_++];
    }

    // Little-endian, whatever the host's order.
    uint32_t U32()
    {
        uint32_t value = 0;
        for (int shift = 0; shift < 32; shift += 8)
            value |= static_cast<uint32_t>(Byte()) << shift;
        return value;
    }

    uint16_t U16()
    {
        uint16_t low = Byte();
        return static_cast<uint16_t>(low | (Byte() << 8));
    }

    bool Flag() { return (Byte() & 1) != 0; }

    // A choice among count alternatives; count must not be 0.
    std::size_t Pick(std::size_t count) { return Byte() % count; }

    // Up to count bytes, fewer when the input ends first.
    std::vector<uint8_t> Bytes(std::size_t count)
    {
        count = count < Remaining() ? count : Remaining();
        std::vector<uint8_t> bytes(data_ + offset_, data_ + offset_ + count);
        offset_ += count;
        return bytes;
    }

    // A length byte (at most maxLength) and that many characters, NULs included.
    std::string Text(std::size_t maxLength)
    {
        std::vector<uint8_t> bytes = Bytes(Byte() % (maxLength + 1));
        return std::string(bytes.begin(), bytes.end());
    }

    std::vector<uint8_t> Rest() { return Bytes(Remaining()); }

private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t offset_ = 0;
};

} // namespace fuzz
