#include "core/ui/SortCompare.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

using core::CompareModuleCells;
using core::CompareProcessRows;
using core::TextCompare;

namespace {

// Reverse byte order, so a test can tell the injected comparison was used
// rather than a plain string comparison.
int ReverseText(std::string_view a, std::string_view b)
{
    return b.compare(a);
}

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

int Pids(uint32_t a, uint32_t b, bool descending = false)
{
    return CompareProcessRows({0, descending}, a, "b", b, "a", ReverseText);
}

int Cells(int32_t column, std::string_view a, std::string_view b, bool descending = false)
{
    return CompareModuleCells({column, descending}, a, b, ReverseText);
}

std::string Hex8(uint32_t value)
{
    char text[9];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(value));
    return text;
}

TEST(CompareProcessRows, IdsCompareAsUnsignedNumbers)
{
    EXPECT_EQ(Pids(9, 10), -1);
    EXPECT_EQ(Pids(10, 9), 1);
    EXPECT_EQ(Pids(8, 8), 0);
    EXPECT_EQ(Pids(0, 0xFFFFFFFF), -1);
    EXPECT_EQ(Pids(0xFFFFFFFF, 0x7FFFFFFF), 1);
    EXPECT_EQ(Pids(0x80000000, 1), 1);
}

TEST(CompareProcessRows, DescendingFlipsTheSign)
{
    EXPECT_EQ(Pids(9, 10, true), 1);
    EXPECT_EQ(Pids(0xFFFFFFFF, 0, true), -1);
    EXPECT_EQ(Pids(4, 4, true), 0);
}

TEST(CompareProcessRows, NameColumnUsesTheInjectedComparison)
{
    std::vector<std::pair<std::string, std::string>> calls;
    TextCompare spy = [&](std::string_view a, std::string_view b) {
        calls.emplace_back(a, b);
        return 7;
    };
    EXPECT_GT(CompareProcessRows({1, false}, 2, "explorer.exe", 1, "ZEUS.EXE", spy), 0);
    EXPECT_LT(CompareProcessRows({1, true}, 2, "explorer.exe", 1, "ZEUS.EXE", spy), 0);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], std::make_pair(std::string("explorer.exe"), std::string("ZEUS.EXE")));

    // Reversing an extreme result must not overflow.
    TextCompare extreme = [](std::string_view, std::string_view) { return INT_MIN; };
    EXPECT_GT(CompareProcessRows({1, true}, 1, "a", 2, "b", extreme), 0);
}

TEST(CompareProcessRows, UnknownColumnsAreEqual)
{
    for (int32_t column : {-1, 2, 99})
        EXPECT_EQ(CompareProcessRows({column, false}, 1, "a", 2, "b", ReverseText), 0);
}

TEST(CompareModuleCells, UseCountAndSizeAreNumbers)
{
    for (int32_t column : {0, 3}) {
        EXPECT_EQ(Cells(column, "9", "10"), -1);
        EXPECT_EQ(Cells(column, "10", "9"), 1);
        EXPECT_EQ(Cells(column, "65535", "65535"), 0);
        EXPECT_EQ(Cells(column, "Fixed", "0"), 0);
        EXPECT_EQ(Cells(column, "Fixed", "1"), -1);
        EXPECT_EQ(Cells(column, "", "Fixed"), 0);
    }
}

TEST(CompareModuleCells, SizesAbove2To31KeepTheirOrder)
{
    EXPECT_EQ(Cells(3, "2147483648", "2147483647"), 1);
    EXPECT_EQ(Cells(3, "4294967295", "3000000000"), 1);
    EXPECT_EQ(Cells(3, "4294967295", "0"), 1);
    EXPECT_EQ(Cells(3, "4294967295", "4294967295"), 0);
}

TEST(CompareModuleCells, AddressesAreUnsignedHex)
{
    for (int32_t column : {1, 2}) {
        EXPECT_EQ(Cells(column, "80000000", "7FFFFFFF"), 1);
        EXPECT_EQ(Cells(column, "FFFFFFFF", "C0000000"), 1);
        EXPECT_EQ(Cells(column, "0000000A", "00000009"), 1);
        EXPECT_EQ(Cells(column, "00400000", "00400000"), 0);
        EXPECT_EQ(Cells(column, "", "00000000"), 0);
        EXPECT_EQ(Cells(column, "", "00000001"), -1);
        EXPECT_EQ(Cells(column, "garbage", "00000000"), 0);
        // 64-bit addresses order as numbers across 4 GiB, not as texts.
        EXPECT_EQ(Cells(column, "140000000", "FFFFFFFF"), 1);
        EXPECT_EQ(Cells(column, "100000000", "140000000"), -1);
        EXPECT_EQ(Cells(column, "7FFE12345000", "980000000"), 1);
        EXPECT_EQ(Cells(column, "FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFE"), 1);
        EXPECT_EQ(Cells(column, "10000000000000000", "00000000"), 0);
    }
}

TEST(CompareModuleCells, PathColumnUsesTheInjectedComparison)
{
    EXPECT_LT(Cells(4, "C:\\Z.DLL", "C:\\A.DLL"), 0);
    EXPECT_GT(Cells(4, "C:\\Z.DLL", "C:\\A.DLL", true), 0);
    EXPECT_EQ(Cells(4, "same", "same"), 0);
    EXPECT_EQ(Cells(5, "a", "b"), 0);
}

TEST(CompareModuleCells, DescendingFlipsEveryColumn)
{
    EXPECT_EQ(Cells(0, "9", "10", true), 1);
    EXPECT_EQ(Cells(1, "80000000", "7FFFFFFF", true), -1);
    EXPECT_EQ(Cells(2, "", "00000000", true), 0);
    EXPECT_EQ(Cells(3, "4294967295", "1", true), -1);
}

// A sort needs a strict weak order: check antisymmetry and transitivity over
// every triple of values that straddle the signed 32-bit boundary.
void ExpectConsistentOrder(const std::vector<std::string>& cells, int32_t column)
{
    for (bool descending : {false, true}) {
        for (const std::string& a : cells) {
            for (const std::string& b : cells) {
                int ab = Cells(column, a, b, descending);
                ASSERT_EQ(Sign(ab), -Sign(Cells(column, b, a, descending))) << a << " " << b;
                for (const std::string& c : cells) {
                    if (ab < 0 && Cells(column, b, c, descending) < 0) {
                        ASSERT_LT(Cells(column, a, c, descending), 0) << a << " " << b << " " << c;
                    }
                }
            }
        }
    }
}

TEST(CompareModuleCells, OrderIsTransitiveAcrossTheWholeRange)
{
    const uint32_t values[] = {0, 1, 0x60000000, 0x7FFFFFFF, 0x80000000, 0xC0000000, 0xFFFFFFFE,
                               0xFFFFFFFF};
    std::vector<std::string> addresses = {""};
    std::vector<std::string> numbers = {"Fixed"};
    for (uint32_t value : values) {
        addresses.push_back(Hex8(value));
        numbers.push_back(std::to_string(value));
    }
    ExpectConsistentOrder(addresses, 1);
    ExpectConsistentOrder(addresses, 2);
    ExpectConsistentOrder(numbers, 0);
    ExpectConsistentOrder(numbers, 3);

    // And the order is the numeric one.
    for (std::size_t i = 1; i + 1 < addresses.size(); ++i) {
        EXPECT_EQ(Cells(1, addresses[i], addresses[i + 1]), -1);
        EXPECT_EQ(Cells(3, numbers[i], numbers[i + 1]), -1);
    }
}

TEST(CompareProcessRows, OrderIsNumericAcrossTheWholeRange)
{
    // Sorted ids: every pair must compare by its position, both directions.
    const uint32_t ids[] = {0, 4, 0x60000000, 0x7FFFFFFF, 0x80000000, 0xC0000000, 0xFFFFFFFF};
    for (std::size_t i = 0; i < std::size(ids); ++i) {
        for (std::size_t j = 0; j < std::size(ids); ++j) {
            int expected = (i > j) - (i < j);
            EXPECT_EQ(Pids(ids[i], ids[j]), expected) << i << " " << j;
            EXPECT_EQ(Pids(ids[i], ids[j], true), -expected) << i << " " << j;
        }
    }
}

TEST(CompareIgnoringAsciiCase, IsAStrictOrderWithCaseFolded)
{
    using core::CompareIgnoringAsciiCase;
    EXPECT_EQ(CompareIgnoringAsciiCase("Kernel32.DLL", "kernel32.dll"), 0);
    EXPECT_EQ(CompareIgnoringAsciiCase("alpha", "Beta"), -1);
    EXPECT_EQ(CompareIgnoringAsciiCase("Beta", "alpha"), 1);
    EXPECT_EQ(CompareIgnoringAsciiCase("ab", "abc"), -1);
    EXPECT_EQ(CompareIgnoringAsciiCase("", ""), 0);
    // Bytes above 127 compare as unsigned, not folded.
    EXPECT_EQ(CompareIgnoringAsciiCase("\xE9", "z"), 1);
}

TEST(CompareBytes, IsPlainUnsignedByteOrder)
{
    using core::CompareBytes;
    EXPECT_EQ(CompareBytes("abc", "abc"), 0);
    EXPECT_EQ(CompareBytes("ab", "abc"), -1);
    EXPECT_EQ(CompareBytes("abd", "abc"), 1);
    // No case folding: the keys have already done it.
    EXPECT_EQ(CompareBytes("B", "a"), -1);
    EXPECT_EQ(CompareBytes(std::string_view("\x80", 1), std::string_view("\x7F", 1)), 1);
    EXPECT_EQ(CompareBytes(std::string_view("a\0b", 3), std::string_view("a\0a", 3)), 1);
    EXPECT_EQ(CompareBytes("", ""), 0);
}

} // namespace
