#include "core/ui/TableText.h"

namespace core {

void TableText::AddLine(const std::vector<std::string_view>& cells)
{
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            text_ += '\t';
        for (char c : cells[i])
            text_ += c == '\t' || c == '\r' || c == '\n' ? ' ' : c;
    }
    text_ += "\r\n";
}

} // namespace core
