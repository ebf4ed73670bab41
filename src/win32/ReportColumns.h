// The columns of a report-style list view, as declared and as the control
// takes them.
#pragma once

#include <windows.h>

#include <vector>

namespace win32 {

enum class TextAlign { Left, Right, Center };

// The width of a column that fills the rest of the list's width.
inline constexpr int kFillColumnWidth = -2;

struct ColumnProps {
    const char* caption = "";
    int width = 50;  // or kFillColumnWidth
    TextAlign align = TextAlign::Left;
};

// The control's format flags for a column; column 0 is always left-aligned.
int ColumnFormat(int index, TextAlign align);

// Inserts the columns; one that fills the rest starts at a nominal width
// and is fitted by its list.
void InsertColumns(HWND list, const std::vector<ColumnProps>& columns);

} // namespace win32
