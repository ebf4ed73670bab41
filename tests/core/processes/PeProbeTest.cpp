#include "core/processes/PeProbe.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

using core::ImageHeaderForm;


namespace {

// A sparse address space: only written bytes are readable, and a read
// succeeds only when every requested byte is.
class FakeMemory {
public:
    void Write(uint64_t address, std::vector<uint8_t> bytes)
    {
        for (uint8_t byte : bytes)
            bytes_[address++] = byte;
    }
    void Write32(uint64_t address, uint32_t value)
    {
        Write(address, {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                        static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)});
    }
    void Write64(uint64_t address, uint64_t value)
    {
        Write32(address, static_cast<uint32_t>(value));
        Write32(address + 4, static_cast<uint32_t>(value >> 32));
    }
    void Fill(uint64_t address, uint32_t count) { Write(address, std::vector<uint8_t>(count, 0)); }

    core::MemoryReader Reader()
    {
        return [this](uint64_t address, void* buffer, uint32_t count) {
            requests.push_back({address, count});
            auto* out = static_cast<uint8_t*>(buffer);
            for (uint32_t i = 0; i < count; ++i) {
                auto it = bytes_.find(address + i);
                if (it == bytes_.end())
                    return false;
                out[i] = it->second;
            }
            return true;
        };
    }

    struct Request {
        uint64_t address;
        uint32_t count;
        bool operator==(const Request&) const = default;
    };
    std::vector<Request> requests;

private:
    std::map<uint64_t, uint8_t> bytes_;
};

// The 32-bit program's probe: ImageBase at offset 52, the magic untested.
uint64_t ReadPreferredImageBase(const core::MemoryReader& read, uint64_t base)
{
    return core::ReadPreferredImageBase(read, base, ImageHeaderForm::Pe32Only);
}

// The 64-bit program's probe: PE32 or PE32+ as the optional header says.
uint64_t ReadByMagic(const core::MemoryReader& read, uint64_t base)
{
    return core::ReadPreferredImageBase(read, base, ImageHeaderForm::ByMagic);
}

constexpr uint32_t kBase = 0x10000000;

// A readable image: "MZ", e_lfanew, and at base + e_lfanew "PE\0\0" with an
// image base at offset 52 and the rest of the 248 bytes readable.
void WriteImage(FakeMemory& memory, uint64_t base, uint32_t lfanew, uint32_t imageBase, uint32_t ntSize = 248)
{
    memory.Fill(base, 64);
    memory.Write(base, {'M', 'Z'});
    memory.Write32(base + 60, lfanew);
    uint64_t nt = base + lfanew;
    memory.Fill(nt, ntSize);
    memory.Write(nt, {'P', 'E', 0, 0});
    memory.Write32(nt + 52, imageBase);
}

TEST(PeProbe, ValidImageTakesExactly64ThenExactly248Bytes)
{
    FakeMemory memory;
    WriteImage(memory, kBase, 0xE8, 0x77E00000);
    EXPECT_EQ(ReadPreferredImageBase(memory.Reader(), kBase), 0x77E00000u);
    std::vector<FakeMemory::Request> expected = {{kBase, 64}, {kBase + 0xE8, 248}};
    EXPECT_EQ(memory.requests, expected);
}

TEST(PeProbe, DecodesLittleEndianWhateverTheHost)
{
    FakeMemory memory;
    WriteImage(memory, kBase, 0x80, 0);
    memory.Write(kBase + 0x80 + 52, {0x78, 0x56, 0x34, 0x12});
    EXPECT_EQ(ReadPreferredImageBase(memory.Reader(), kBase), 0x12345678u);
}

TEST(PeProbe, UnreadableMemoryGivesZero)
{
    FakeMemory empty;
    EXPECT_EQ(ReadPreferredImageBase(empty.Reader(), kBase), 0u);
    EXPECT_EQ(empty.requests.size(), 1u);

    // One byte short of the DOS header.
    FakeMemory shortHeader;
    shortHeader.Fill(kBase, 63);
    shortHeader.Write(kBase, {'M', 'Z'});
    EXPECT_EQ(ReadPreferredImageBase(shortHeader.Reader(), kBase), 0u);
}

TEST(PeProbe, WithoutMzSignatureGivesZeroAndStops)
{
    for (std::vector<uint8_t> signature : {std::vector<uint8_t>{'Z', 'M'}, {'M', 'z'}, {0, 0}}) {
        FakeMemory memory;
        WriteImage(memory, kBase, 0x80, 0x00400000);
        memory.Write(kBase, signature);
        EXPECT_EQ(ReadPreferredImageBase(memory.Reader(), kBase), 0u);
        EXPECT_EQ(memory.requests.size(), 1u);
    }
}

TEST(PeProbe, NeedsAllFourSignatureBytes)
{
    for (std::vector<uint8_t> signature : {std::vector<uint8_t>{'P', 'E', 'L', 0}, {'P', 'E', 0, 1},
                                           {'N', 'E', 0, 0}, {'p', 'e', 0, 0}}) {
        FakeMemory memory;
        WriteImage(memory, kBase, 0x80, 0x00400000);
        memory.Write(kBase + 0x80, signature);
        EXPECT_EQ(ReadPreferredImageBase(memory.Reader(), kBase), 0u);
    }
}

TEST(PeProbe, FailedSecondReadGivesZero)
{
    FakeMemory memory;
    WriteImage(memory, kBase, 0x80, 0x00400000);
    // The headers exist, but e_lfanew points where nothing is readable.
    memory.Write32(kBase + 60, 0x01000000);
    EXPECT_EQ(ReadPreferredImageBase(memory.Reader(), kBase), 0u);
    ASSERT_EQ(memory.requests.size(), 2u);
    EXPECT_EQ(memory.requests[1].address, kBase + 0x01000000);

    // Readable only up to the image base field's last byte but one.
    FakeMemory truncated;
    truncated.Fill(kBase, 64);
    truncated.Write(kBase, {'M', 'Z'});
    truncated.Write32(kBase + 60, 0x80);
    truncated.Fill(kBase + 0x80, 247);
    truncated.Write(kBase + 0x80, {'P', 'E', 0, 0});
    EXPECT_EQ(ReadPreferredImageBase(truncated.Reader(), kBase), 0u);
}

TEST(PeProbe, HeaderOffsetWrapsAroundTheAddressSpace)
{
    FakeMemory memory;
    memory.Fill(0x1000, 248);
    memory.Write(0x1000, {'P', 'E', 0, 0});
    memory.Write32(0x1000 + 52, 0x00500000);
    memory.Fill(0xFFFFF000, 64);
    memory.Write(0xFFFFF000, {'M', 'Z'});
    memory.Write32(0xFFFFF000 + 60, 0x2000);
    EXPECT_EQ(ReadPreferredImageBase(memory.Reader(), 0xFFFFF000), 0x00500000u);
    ASSERT_EQ(memory.requests.size(), 2u);
    EXPECT_EQ(memory.requests[1].address, 0x1000u);
}

TEST(PeProbe, A64BitImageStillYieldsTheFieldAtOffset52)
{
    FakeMemory memory;
    WriteImage(memory, kBase, 0x80, 0x40000000);
    memory.Write(kBase + 0x80 + 24, {0x0B, 0x02}); // the 64-bit optional header magic
    memory.Write32(kBase + 0x80 + 56, 0x00000001); // upper half of its 64-bit base
    EXPECT_EQ(ReadPreferredImageBase(memory.Reader(), kBase), 0x40000000u);
}

} // namespace

namespace {

// A PE32+ image: magic 0x20B and a 64-bit ImageBase at offset 48 of the
// 264 bytes of IMAGE_NT_HEADERS64.
void WriteImage64(FakeMemory& memory, uint64_t base, uint32_t lfanew, uint64_t imageBase)
{
    WriteImage(memory, base, lfanew, 0, 264);
    memory.Write(base + lfanew + 24, {0x0B, 0x02});
    memory.Write64(base + lfanew + 48, imageBase);
}

TEST(PeProbeByMagic, Pe32PlusGivesTheWhole64BitImageBase)
{
    FakeMemory memory;
    const uint64_t base = 0x7FF8'1234'0000;
    WriteImage64(memory, base, 0x100, 0x1'8000'0000);
    EXPECT_EQ(ReadByMagic(memory.Reader(), base), 0x1'8000'0000u);
    std::vector<FakeMemory::Request> expected = {{base, 64}, {base + 0x100, 264}};
    EXPECT_EQ(memory.requests, expected);
}

TEST(PeProbeByMagic, Pe32GivesThe32BitFieldAtOffset52)
{
    FakeMemory memory;
    WriteImage(memory, kBase, 0x80, 0x00400000, 264);
    memory.Write(kBase + 0x80 + 24, {0x0B, 0x01});
    memory.Write32(kBase + 0x80 + 48, 0xDEADBEEF); // not this program's field
    EXPECT_EQ(ReadByMagic(memory.Reader(), kBase), 0x00400000u);
}

TEST(PeProbeByMagic, AnyOtherMagicIsNoImage)
{
    for (std::vector<uint8_t> magic : {std::vector<uint8_t>{0, 0}, {0x07, 0x01}, {0x0B, 0x03}, {0x02, 0x0B}}) {
        FakeMemory memory;
        WriteImage(memory, kBase, 0x80, 0x00400000, 264);
        memory.Write(kBase + 0x80 + 24, magic);
        EXPECT_EQ(ReadByMagic(memory.Reader(), kBase), 0u);
        // The 32-bit program's probe does not look at the magic.
        EXPECT_EQ(ReadPreferredImageBase(memory.Reader(), kBase), 0x00400000u);
    }
}

TEST(PeProbeByMagic, HeadersRunningPastTheAddressSpaceAreNotRead)
{
    FakeMemory memory;
    const uint64_t base = 0xFFFF'FFFF'FFFF'F000;
    memory.Fill(base, 64);
    memory.Write(base, {'M', 'Z'});
    memory.Write32(base + 60, 0xF00); // 264 bytes from here would wrap to 0
    WriteImage64(memory, 0, 0, 0x1'4000'0000);
    EXPECT_EQ(ReadByMagic(memory.Reader(), base), 0u);
    EXPECT_EQ(memory.requests.size(), 1u);

    // Headers that end just short of the top are read.
    WriteImage64(memory, base, 0x1000 - 264 - 8, 0x1'4000'0000);
    memory.Write(base, {'M', 'Z'});
    EXPECT_EQ(ReadByMagic(memory.Reader(), base), 0x1'4000'0000u);
}

TEST(PeProbeByMagic, ShortPe32PlusHeadersGiveZero)
{
    FakeMemory memory;
    WriteImage64(memory, kBase, 0x80, 0x1'4000'0000);
    FakeMemory truncated;
    WriteImage(truncated, kBase, 0x80, 0, 263);
    truncated.Write(kBase + 0x80 + 24, {0x0B, 0x02});
    truncated.Write64(kBase + 0x80 + 48, 0x1'4000'0000);
    EXPECT_EQ(ReadByMagic(memory.Reader(), kBase), 0x1'4000'0000u);
    EXPECT_EQ(ReadByMagic(truncated.Reader(), kBase), 0u);
}

} // namespace
