#include "win32/ReportColumns.h"

#include <commctrl.h>

namespace win32 {

namespace {

constexpr int kNominalWidth = 50;

} // namespace

int ColumnFormat(int index, TextAlign align)
{
    if (index == 0)
        return LVCFMT_LEFT;
    switch (align) {
    case TextAlign::Right: return LVCFMT_RIGHT;
    case TextAlign::Center: return LVCFMT_CENTER;
    default: return LVCFMT_LEFT;
    }
}

void InsertColumns(HWND list, const std::vector<ColumnProps>& columns)
{
    for (std::size_t i = 0; i < columns.size(); ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        column.fmt = ColumnFormat(static_cast<int>(i), columns[i].align);
        column.cx = columns[i].width == kFillColumnWidth ? kNominalWidth : columns[i].width;
        column.pszText = const_cast<char*>(columns[i].caption);
        column.iSubItem = static_cast<int>(i);
        ::SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}

} // namespace win32
