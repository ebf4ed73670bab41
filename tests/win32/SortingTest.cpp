#include "MainWindowFixture.h"
#include "core/SortCompare.h"

namespace {

using testsupport::ClickHeader;
using testsupport::HeaderImage;

class SortingTest : public MainWindowTest {
protected:
    void ShowOwnModules()
    {
        form->RefreshProcesses();
        form->lvMaster->Select(RowOf(::GetCurrentProcessId()));
        ASSERT_GT(form->lvDetail->Count(), 2);
    }

    // Every adjacent pair in the order the list's sort state asks for.
    static void ExpectSorted(const win32::ListView& list, const std::function<int(const win32::ListRow&,
                                                                                  const win32::ListRow&)>& compare)
    {
        for (int i = 1; i < list.Count(); ++i)
            EXPECT_LE(compare(list.Row(i - 1), list.Row(i)), 0) << "rows " << i - 1 << " and " << i;
    }

    static uint32_t Hex(const std::string& text) { return text.empty() ? 0 : std::stoul(text, nullptr, 16); }
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
    ExpectSorted(*form->lvMaster, [](const auto& a, const auto& b) {
        return ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.Text(1).c_str(), -1,
                                b.Text(1).c_str(), -1) - CSTR_EQUAL;
    });

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
    form->lvMaster->Select(RowOf(::GetCurrentProcessId()));

    ExpectSorted(*form->lvDetail, [](const auto& a, const auto& b) {
        return std::stoull(a.Text(3)) > std::stoull(b.Text(3)) ? -1 : std::stoull(a.Text(3)) == std::stoull(b.Text(3)) ? 0 : 1;
    });
    ExpectSorted(*form->lvMaster, [](const auto& a, const auto& b) {
        return -(::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.Text(1).c_str(), -1,
                                  b.Text(1).c_str(), -1) - CSTR_EQUAL);
    });
    EXPECT_EQ(HeaderImage(detail, 3), 7);
}

TEST_F(SortingTest, FixedUseCountSortsAsZero)
{
    ShowOwnModules();
    ClickHeader(form->lvDetail->Handle(), 0);
    const auto& list = *form->lvDetail;
    // "Fixed" counts as 0: no row with a positive count may come before it.
    bool sawPositive = false;
    for (int i = 0; i < list.Count(); ++i) {
        const std::string& use = list.Row(i).Text(0);
        if (use == "Fixed") {
            EXPECT_FALSE(sawPositive) << "row " << i;
        } else if (std::stoul(use) > 0) {
            sawPositive = true;
        }
    }
    EXPECT_EQ(HeaderImage(form->lvDetail->Handle(), 0), 6);
    EXPECT_EQ(HeaderImage(form->lvDetail->Handle(), 1), -1);
}

} // namespace
