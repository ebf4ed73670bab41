#include "core/processes/ToolhelpRecords.h"
#include "core/ui/ErrorText.h"
#include "core/ui/TextFormat.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <type_traits>

namespace {

TEST(TextFormatTest, HexIdsHaveAtLeastEightUpperCaseDigits)
{
    EXPECT_EQ(core::HexId(255), "000000FF");
    EXPECT_EQ(core::HexId(4), "00000004");
    EXPECT_EQ(core::HexId(0xDEADBEEF), "DEADBEEF");
    EXPECT_EQ(core::FormatText("%.2x|%x|%.8X", {0x1ABu, 0u, 10u}), "1AB|0|0000000A");
}

TEST(TextFormatTest, AddressesShowEightDigitsOrAsManyAsTheyNeed)
{
    EXPECT_EQ(core::HexAddress(0x400000), "00400000");
    EXPECT_EQ(core::HexAddress(0xFFFFFFFF), "FFFFFFFF");
    EXPECT_EQ(core::HexAddress(0x140000000), "140000000");
    EXPECT_EQ(core::HexAddress(0x7FFE12345000), "7FFE12345000");
    EXPECT_EQ(core::HexAddress(0xFFFFFFFFFFFFFFFF), "FFFFFFFFFFFFFFFF");
}

TEST(TextFormatTest, FormatsTheProcessSummary)
{
    const char* format = "Executable file name: %s\rProcess ID: %.8x\rParent process ID: %.8x\r"
                         "Priority class: %d\rThreads: %d\r\rModules information:";
    EXPECT_EQ(core::FormatText(format, {"C:\\a b\\x.exe", 0x1F4u, 8u, -2, 3u}),
              "Executable file name: C:\\a b\\x.exe\rProcess ID: 000001F4\r"
              "Parent process ID: 00000008\rPriority class: -2\rThreads: 3\r\rModules information:");
}

TEST(TextFormatTest, SignedAndUnsignedDecimals)
{
    EXPECT_EQ(core::FormatText("%d %u %d%%", {-2147483647 - 1, 0xFFFFFFFFu, 7}),
              "-2147483648 4294967295 7%");
}

// An address or a size would print its lower half only: it is refused when
// the program is built.
static_assert(std::is_constructible_v<core::FormatArg, uint32_t>);
static_assert(std::is_constructible_v<core::FormatArg, int32_t>);
static_assert(!std::is_constructible_v<core::FormatArg, uint64_t>);
static_assert(!std::is_constructible_v<core::FormatArg, int64_t>);

TEST(TextFormatTest, MismatchedDirectivesThrowInsteadOfReadingPastTheArguments)
{
    EXPECT_THROW(core::FormatText("%s %s", {"one"}), std::invalid_argument);
    EXPECT_THROW(core::FormatText("%d", {"text"}), std::invalid_argument);
    EXPECT_THROW(core::FormatText("%s", {5}), std::invalid_argument);
    EXPECT_THROW(core::FormatText("trailing %", {5}), std::invalid_argument);
}

TEST(TextFormatTest, FileNamePartFollowsTheLastBackslashOrColon)
{
    EXPECT_EQ(core::FileNamePart("C:\\Windows\\system32\\svchost.exe"), "svchost.exe");
    EXPECT_EQ(core::FileNamePart("C:notepad.exe"), "notepad.exe");
    EXPECT_EQ(core::FileNamePart("explorer.exe"), "explorer.exe");
    EXPECT_EQ(core::FileNamePart("dir\\"), "");
    EXPECT_EQ(core::FileNamePart("a:b\\c:d.exe"), "d.exe");
}

TEST(TextFormatTest, FieldTextStopsAtTheFirstZeroAndNeverPastTheField)
{
    char field[260];
    std::fill(std::begin(field), std::end(field), 'x');
    EXPECT_EQ(core::FieldText(field).size(), 260u);
    field[3] = '\0';
    EXPECT_EQ(core::FieldText(field), "xxx");
}

TEST(FormatTextTest, PrecisionHasABound)
{
    EXPECT_EQ(core::FormatText("%.255x", {1}).size(), 255u);
    EXPECT_THROW(core::FormatText("%.256x", {1}), std::invalid_argument);
    // Digits that would wrap a 64-bit counter must not come back as a small precision.
    EXPECT_THROW(core::FormatText("%.18446744073709551624x", {1}), std::invalid_argument);
}

TEST(ErrorTextTest, FullStopOnlyAfterCharactersAboveDot)
{
    EXPECT_EQ(core::ErrorBoxText("Invalid data type for 'Width'"), "Invalid data type for 'Width'");
    EXPECT_EQ(core::ErrorBoxText("Stop!"), "Stop!");
    EXPECT_EQ(core::ErrorBoxText("Failed to create key x"), "Failed to create key x.");
    EXPECT_EQ(core::ErrorBoxText("Already ends."), "Already ends.");
    EXPECT_EQ(core::ErrorBoxText("Port 8/"), "Port 8/.");
    EXPECT_EQ(core::ErrorBoxText("caf\xE9"), "caf\xE9.");
    EXPECT_EQ(core::ErrorBoxText(""), "");
}

} // namespace
