#include "core/ui/TableText.h"

#include <gtest/gtest.h>

namespace {

TEST(TableText, CellsByTabsLinesByCrLfTheLastOneToo)
{
    core::TableText table;
    table.AddLine({"ProcessID", "Executable name"});
    table.AddLine({"00000004", "System"});
    EXPECT_EQ(table.Text(), "ProcessID\tExecutable name\r\n00000004\tSystem\r\n");
}

TEST(TableText, TabsAndLineBreaksInACellBecomeSpacesAndEmptyCellsKeepTheirPlace)
{
    core::TableText table;
    table.AddLine({"1", "", "", "a\tb\rc\nd", ""});
    EXPECT_EQ(table.Text(), "1\t\t\ta b c d\t\r\n");
}

} // namespace
