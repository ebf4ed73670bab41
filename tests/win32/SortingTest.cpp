#include "MainWindowFixture.h"
#include "core/ui/SortCompare.h"

#include <algorithm>
#include <cctype>

namespace {

using testsupport::ClickHeader;
using testsupport::HeaderImage;

class SortingTest : public MainWindowTest {
protected:
    void ShowOwnModules()
    {
        form->RefreshProcesses();
        const int self = RowOf(::GetCurrentProcessId());
        ASSERT_GE(self, 0);
        form->lvMaster->Select(self);
        ASSERT_GT(form->lvDetail->Count(), 2);
    }

    // Every adjacent pair in the order the list's sort state asks for.
    static void ExpectSorted(const win32::ListView& list, const std::function<int(const win32::ListRow&,
                                                                                  const win32::ListRow&)>& compare)
    {
        for (int i = 1; i < list.Count(); ++i)
            EXPECT_LE(compare(list.Row(i - 1), list.Row(i)), 0) << "rows " << i - 1 << " and " << i;
    }

    static uint64_t Hex(const std::string& text) { return text.empty() ? 0 : std::stoull(text, nullptr, 16); }
};

TEST_F(SortingTest, StartsByIdAndByBaseAddressWithTheAscendingGlyph)
{
    HWND master = form->lvMaster->Handle();
    HWND detail = form->lvDetail->Handle();
    EXPECT_EQ(HeaderImage(master, 0), 6);
    EXPECT_EQ(HeaderImage(master, 1), -1);
    EXPECT_EQ(HeaderImage(detail, 0), -1);
    EXPECT_EQ(HeaderImage(detail, 1), 6);
    for (int c = 2; c < 5; ++c)
        EXPECT_EQ(HeaderImage(detail, c), -1);

    ShowOwnModules();
    ExpectSorted(*form->lvDetail, [](const auto& a, const auto& b) {
        return Hex(a.Text(1)) < Hex(b.Text(1)) ? -1 : Hex(a.Text(1)) > Hex(b.Text(1)) ? 1 : 0;
    });
}

TEST_F(SortingTest, HeaderClicksFlipTheDirectionAndMoveTheGlyph)
{
    form->RefreshProcesses();
    HWND master = form->lvMaster->Handle();
    ClickHeader(master, 0);
    EXPECT_EQ(HeaderImage(master, 0), 7);
    ExpectSorted(*form->lvMaster, [](const auto& a, const auto& b) {
        return static_cast<uint32_t>(a.data) > static_cast<uint32_t>(b.data) ? -1 : 1;
    });

    ClickHeader(master, 1);
    EXPECT_EQ(HeaderImage(master, 0), -1);
    EXPECT_EQ(HeaderImage(master, 1), 6);

    ClickHeader(master, 1);
    EXPECT_EQ(HeaderImage(master, 1), 7);
}

TEST_F(SortingTest, BothListsStaySortedAcrossRefills)
{
    ShowOwnModules();
    HWND detail = form->lvDetail->Handle();
    ClickHeader(detail, 3);  // size, ascending
    ClickHeader(detail, 3);  // size, descending
    ClickHeader(form->lvMaster->Handle(), 1);
    ClickHeader(form->lvMaster->Handle(), 1);  // name, descending

    testsupport::ChildProcess child;
    form->RefreshProcesses();
    const int self = RowOf(::GetCurrentProcessId());
    ASSERT_GE(self, 0);
    form->lvMaster->Select(self);

    ExpectSorted(*form->lvDetail, [](const auto& a, const auto& b) {
        return std::stoull(a.Text(3)) > std::stoull(b.Text(3)) ? -1 : std::stoull(a.Text(3)) == std::stoull(b.Text(3)) ? 0 : 1;
    });
    EXPECT_EQ(HeaderImage(detail, 3), 7);

    // The names shown, ordered here on their own, case-blind and descending
    // (they are plain ASCII executable names).
    const std::vector<std::string> shown = ColumnTexts(form->lvMaster->Handle(), 1);
    ASSERT_GT(shown.size(), 2u);
    auto folded = [](std::string text) {
        for (char& c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    };
    std::vector<std::string> expected = shown;
    std::sort(expected.begin(), expected.end(),
              [&](const std::string& a, const std::string& b) { return folded(a) > folded(b); });
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(HeaderImage(form->lvMaster->Handle(), 1), 7);
}

class ScriptedSortingTest : public FakeMainWindowTest {};

TEST_F(ScriptedSortingTest, NamesSortCaseBlindInBothDirections)
{
    snapshot.processes = {{8, "Beta.exe"}, {4, "alpha.exe"}, {16, "Gamma.exe"}, {12, "delta.exe"}};
    form->RefreshProcesses();
    HWND master = form->lvMaster->Handle();
    ClickHeader(master, 1);
    EXPECT_EQ(ColumnTexts(master, 1), (std::vector<std::string>{"alpha.exe", "Beta.exe", "delta.exe", "Gamma.exe"}));
    ClickHeader(master, 1);
    EXPECT_EQ(ColumnTexts(master, 1), (std::vector<std::string>{"Gamma.exe", "delta.exe", "Beta.exe", "alpha.exe"}));
    form->RefreshProcesses();
    EXPECT_EQ(ColumnTexts(master, 1), (std::vector<std::string>{"Gamma.exe", "delta.exe", "Beta.exe", "alpha.exe"}));
}

TEST_F(ScriptedSortingTest, FixedUseCountSortsAsZero)
{
    snapshot.processes = {{4, "one.exe"}};
    snapshot.modules = {{4, 5, "C:\\five.dll", 0x10000000},
                        {4, 65535, "C:\\fixed.dll", 0x20000000},
                        {4, 2, "C:\\two.dll", 0x30000000},
                        {4, 1, "C:\\one.dll", 0x40000000}};
    form->RefreshProcesses();
    form->lvMaster->Select(0);
    HWND detail = form->lvDetail->Handle();
    ClickHeader(detail, 0);
    EXPECT_EQ(ColumnTexts(detail, 0), (std::vector<std::string>{"Fixed", "1", "2", "5"}));
    ClickHeader(detail, 0);
    EXPECT_EQ(ColumnTexts(detail, 0), (std::vector<std::string>{"5", "2", "1", "Fixed"}));
    EXPECT_EQ(HeaderImage(detail, 0), 7);
    EXPECT_EQ(HeaderImage(detail, 1), -1);
}

TEST_F(ScriptedSortingTest, AddressesAboveTwoGigabytesSortAfterLowerOnes)
{
    snapshot.processes = {{4, "one.exe"}};
    snapshot.modules = {{4, 1, "C:\\high.dll", 0x80000000},
                        {4, 1, "C:\\low.dll", 0x00400000},
                        {4, 1, "C:\\top.dll", 0xFFFF0000}};
    form->RefreshProcesses();
    form->lvMaster->Select(0);
    EXPECT_EQ(ColumnTexts(form->lvDetail->Handle(), 1),
              (std::vector<std::string>{"00400000", "80000000", "FFFF0000"}));
}

} // namespace
