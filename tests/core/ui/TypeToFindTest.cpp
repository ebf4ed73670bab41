#include "core/ui/TypeToFind.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using core::FindRow;
using core::TypeToFind;

namespace {

// A case-blind prefix test over plain ASCII names, standing in for the
// system's comparison.
struct Names {
    std::vector<std::u16string> rows;

    bool StartsWith(int row, std::u16string_view prefix) const
    {
        const std::u16string& name = rows[static_cast<std::size_t>(row)];
        if (name.size() < prefix.size())
            return false;
        for (std::size_t i = 0; i < prefix.size(); ++i) {
            auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
            if (lower(name[i]) != lower(prefix[i]))
                return false;
        }
        return true;
    }

    int Find(const TypeToFind::Search& search, int current) const
    {
        return FindRow(static_cast<int>(rows.size()), current, search,
                       [this](int row, std::u16string_view prefix) { return StartsWith(row, prefix); });
    }
};

const Names kProcesses{{u"smss.exe", u"csrss.exe", u"Services.exe", u"svchost.exe", u"explorer.exe",
                        u"sihost.exe"}};

TEST(TypeToFind, CharactersWithinThePauseMakeOneWord)
{
    TypeToFind typing;
    typing.Type(u'e', 5000);
    typing.Type(u'x', 5300);
    typing.Type(u'p', 5600);
    const TypeToFind::Search search = typing.Type(u'L', 6600);
    EXPECT_EQ(search.prefix, u"expL");
    EXPECT_FALSE(search.fromNext);
    EXPECT_EQ(kProcesses.Find(search, 0), 4);
}

TEST(TypeToFind, ALongerPauseStartsOverFromTheTop)
{
    TypeToFind typing;
    typing.Type(u'x', 100);
    const TypeToFind::Search search = typing.Type(u'S', 1101);
    EXPECT_EQ(search.prefix, u"S");
    EXPECT_FALSE(search.fromNext);
    // The first row that starts with it, not the next one after the current.
    EXPECT_EQ(kProcesses.Find(search, 3), 0);
}

TEST(TypeToFind, ThePauseIsMeasuredAcrossTheTickCountsWrap)
{
    TypeToFind typing;
    typing.Type(u's', 0xFFFFFF00u);
    EXPECT_EQ(typing.Type(u'v', 0x00000100u).prefix, u"sv");
}

TEST(TypeToFind, TheSameLetterAgainStepsToTheNextRowAndWraps)
{
    TypeToFind typing;
    const TypeToFind::Search first = typing.Type(u's', 10);
    EXPECT_EQ(kProcesses.Find(first, -1), 0);
    const TypeToFind::Search second = typing.Type(u's', 20);
    EXPECT_EQ(second.prefix, u"s");
    EXPECT_TRUE(second.fromNext);
    EXPECT_EQ(kProcesses.Find(second, 0), 2);
    EXPECT_EQ(kProcesses.Find(typing.Type(u's', 30), 2), 3);
    EXPECT_EQ(kProcesses.Find(typing.Type(u's', 40), 3), 5);
    EXPECT_EQ(kProcesses.Find(typing.Type(u's', 50), 5), 0);
}

TEST(TypeToFind, AResetOrNoMatchingRow)
{
    TypeToFind typing;
    typing.Type(u'e', 10);
    typing.Reset();
    EXPECT_EQ(typing.Type(u'x', 20).prefix, u"x");
    EXPECT_EQ(kProcesses.Find(typing.Type(u'q', 30), 4), -1);
    EXPECT_EQ(Names{}.Find({u"s", false}, -1), -1);
}

} // namespace
