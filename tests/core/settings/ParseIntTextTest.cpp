#include "core/settings/ParseIntText.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

using core::FormatInt;
using core::ParseInt64Text;
using core::ParseIntText;

namespace {

struct Accepted {
    const char* text;
    int32_t value;
};

TEST(ParseIntText, AcceptsEveryPrefixAndSign)
{
    const Accepted cases[] = {
        {"300", 300},       {"$12C", 300},   {"x12C", 300},   {"X12c", 300},
        {"0x12C", 300},     {"0X12c", 300},  {"  300", 300},  {"+300", 300},
        {"-300", -300},     {"-$12C", -300}, {"  -x12C", -300}, {"0", 0},
        {"-0", 0},          {"007", 7},      {"$0000000000FF", 255}, {"$abcdef", 0xABCDEF},
    };
    for (const Accepted& c : cases)
        EXPECT_EQ(ParseIntText(c.text), c.value) << c.text;
}

TEST(ParseIntText, DecimalLimitsAreTheSigned32BitRange)
{
    EXPECT_EQ(ParseIntText("2147483647"), INT32_MAX);
    EXPECT_EQ(ParseIntText("-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseIntText("000002147483647"), INT32_MAX);
    EXPECT_EQ(ParseIntText("2147483648"), std::nullopt);
    EXPECT_EQ(ParseIntText("-2147483649"), std::nullopt);
    EXPECT_EQ(ParseIntText("99999999999999999999999"), std::nullopt);
}

TEST(ParseIntText, HexIsA32BitPatternThatMinusNegates)
{
    EXPECT_EQ(ParseIntText("$7FFFFFFF"), INT32_MAX);
    EXPECT_EQ(ParseIntText("$80000000"), INT32_MIN);
    EXPECT_EQ(ParseIntText("$FFFFFFFF"), -1);
    EXPECT_EQ(ParseIntText("-$FFFFFFFF"), 1);
    EXPECT_EQ(ParseIntText("-$80000000"), INT32_MIN);
    EXPECT_EQ(ParseIntText("$100000000"), std::nullopt);
    EXPECT_EQ(ParseIntText("$FFFFFFFFFFFFFFFFF"), std::nullopt);
}

TEST(ParseIntText, EveryHexPrefixGivesTheBitPattern)
{
    EXPECT_EQ(ParseIntText("x80000000"), INT32_MIN);
    EXPECT_EQ(ParseIntText("0X80000001"), INT32_MIN + 1);
    EXPECT_EQ(ParseIntText("0xFFFFFFFE"), -2);
    EXPECT_EQ(ParseIntText("-$10"), -16);
    EXPECT_EQ(ParseIntText("-0x10"), -16);
    EXPECT_EQ(ParseIntText("x100000000"), std::nullopt);
}

// Stored texts can be of any length; a long one is still one number or none.
TEST(ParseIntText, LongTextsAreReadWholeWithoutOverflow)
{
    const std::string nines(64 * 1024, '9');
    EXPECT_EQ(ParseIntText(nines), std::nullopt);
    EXPECT_EQ(ParseIntText("$" + std::string(64 * 1024, 'F')), std::nullopt);
    EXPECT_EQ(ParseIntText("1" + std::string(64 * 1024, '0')), std::nullopt);
    EXPECT_EQ(ParseIntText(std::string(64 * 1024, '0') + "300"), 300);
    EXPECT_EQ(ParseIntText("$" + std::string(64 * 1024, '0') + "12C"), 300);
    EXPECT_EQ(ParseIntText(std::string(64 * 1024, ' ') + "-5"), -5);
    EXPECT_EQ(ParseIntText(std::string(64 * 1024, ' ')), std::nullopt);
}

TEST(ParseIntText, RejectsAnythingButOneWholeNumber)
{
    for (const char* text : {"", " ", "-", "+", "$", "0x", "-$", "300 ", "3e2", "\t5", "5\t",
                             "\t300", "+-5", "--5", "- 5", "$ 5", "$-5", "0x-5", "1,000", "12a", "$12G",
                             "0b1", "x0x5"})
        EXPECT_EQ(ParseIntText(text), std::nullopt) << '"' << text << '"';
}

TEST(ParseIntText, AnEmbeddedNulIsNotTheEndOfTheText)
{
    EXPECT_EQ(ParseIntText(std::string_view("5\0" "1", 3)), std::nullopt);
}

TEST(ParseInt64Text, SameSyntaxWith64BitLimits)
{
    EXPECT_EQ(ParseInt64Text("4294967295"), 4294967295LL);
    EXPECT_EQ(ParseInt64Text("  +2147483648"), 2147483648LL);
    EXPECT_EQ(ParseInt64Text("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(ParseInt64Text("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(ParseInt64Text("9223372036854775808"), std::nullopt);
    EXPECT_EQ(ParseInt64Text("$FFFFFFFF"), 4294967295LL);
    EXPECT_EQ(ParseInt64Text("$FFFFFFFFFFFFFFFF"), -1);
    EXPECT_EQ(ParseInt64Text("$10000000000000000"), std::nullopt);
    EXPECT_EQ(ParseInt64Text("Fixed"), std::nullopt);
    EXPECT_EQ(ParseInt64Text("12 "), std::nullopt);
}

TEST(FormatInt, PlainDecimal)
{
    EXPECT_EQ(FormatInt(0), "0");
    EXPECT_EQ(FormatInt(300), "300");
    EXPECT_EQ(FormatInt(-300), "-300");
    EXPECT_EQ(FormatInt(INT32_MAX), "2147483647");
    EXPECT_EQ(FormatInt(INT32_MIN), "-2147483648");
}

TEST(FormatInt, RoundTripsThroughParse)
{
    for (int32_t value : {INT32_MIN, -1000000, -1, 0, 9, 10, 65535, INT32_MAX})
        EXPECT_EQ(ParseIntText(FormatInt(value)), value);
}

} // namespace
