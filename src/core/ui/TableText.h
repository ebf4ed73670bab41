// Rows of cells as text that pastes into a spreadsheet as a table: cells
// separated by a tab, every line ended by CR LF, the last one too. A tab, CR
// or LF inside a cell would break the table and becomes a space.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace core {

class TableText {
public:
    void AddLine(const std::vector<std::string_view>& cells);
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

} // namespace core
