// A report-style list view that keeps no rows: it knows how many there are
// and asks for a cell's text only when it draws that cell, so ten thousand
// rows cost no more to show than twenty.
#pragma once

#include "win32/Control.h"
#include "win32/ReportColumns.h"

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

namespace win32 {

struct VirtualListViewProps {
    ControlProps control;
    std::vector<ColumnProps> columns;
    // The list's window text: the name screen readers and UI automation give it.
    const char* text = "";
};

class VirtualListView : public Control {
public:
    explicit VirtualListView(const VirtualListViewProps& props);

    // The rows are numbered 0 to count - 1; all of them are drawn afresh.
    void SetRowCount(int count);
    int RowCount() const;

    int SelectedIndex() const;
    // Selects, focuses and scrolls a row into view; a negative index selects none.
    void Select(int index);

    // The text of a cell, asked for as the list draws it.
    std::function<std::string(VirtualListView&, int row, int column)> OnCellText;
    // A double click on a row.
    std::function<void(VirtualListView&, int row)> OnDblClick;

    bool HandleNotify(NMHDR& header, LRESULT& result) override;
    void ScaleBy(int numerator, int denominator) override;

protected:
    HWND CreateHandle(HWND parentWindow) override;
    void AfterCreate() override;

private:
    std::string CellText(int row, int column);

    std::vector<ColumnProps> columns_;
    std::string text_;
};

} // namespace win32
