// A report-style list view whose rows the program fills in batches; it sorts
// itself through its compare handler once at the end of every batch.
#pragma once

#include "win32/Control.h"
#include "win32/ListContextMenu.h"
#include "win32/ListTypeToFind.h"
#include "win32/ListViewLook.h"
#include "win32/ReportColumns.h"

#include <commctrl.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace win32 {

struct ListViewProps {
    ControlProps control;
    std::vector<ColumnProps> columns;
    // The list's window text: the name screen readers and UI automation give it.
    const char* text = "";
    // Which text typing looks for.
    TypeToFindProps typeToFind = {};
    // The background of the rows the program marks; CLR_NONE: none is drawn.
    COLORREF markColor = CLR_NONE;
};

struct ListRow {
    explicit ListRow(std::string caption, std::vector<std::string> subItems = {}, intptr_t data = 0,
                     int image = -1)
        : caption(std::move(caption)), subItems(std::move(subItems)), data(data), image(image)
    {
    }

    std::string caption;
    std::vector<std::string> subItems;
    intptr_t data = 0;
    int image = -1;
    // Drawn on the list's mark colour while not selected.
    bool marked = false;

    // Column 0 is the caption, column n the sub-item n-1; missing cells are empty.
    const std::string& Text(int column) const;

    // Same cells, data, image and mark.
    bool SameAs(const ListRow& other) const;

    // What a compare handler made of one cell, kept for its next
    // comparison: a row does not change once it is added.
    mutable std::string compareKey;
    mutable int compareKeyColumn = -1;
};

class ListView : public Control {
public:
    static constexpr int kFillWidth = kFillColumnWidth;

    explicit ListView(const ListViewProps& props);

    void SetSmallImages(HIMAGELIST images);

    // Batches nest; sorting and column refitting wait for the outermost end.
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return updateCount_ > 0; }

    void Clear();
    int AddRow(ListRow row);
    int Count() const;
    // The rows in this order, and the one at a place in that order selected,
    // as Clear, AddRow and Select in one batch give them. Rows the list
    // already holds in that order, while nothing moved since it was filled,
    // are left in place, scrolled as they were: only the selection moves, as
    // the batch would move it.
    void Refill(std::vector<ListRow> rows, int selected);
    const ListRow& Row(int index) const;

    int SelectedIndex() const;
    // Selects and focuses a row; a negative index selects none.
    void Select(int index);
    // Scrolls the row into view.
    void ShowRow(int index);

    // The selected row, or every row in the list's order, each after a line
    // of the column captions, as the cells show them, to the clipboard.
    void CopySelectedRow();
    void CopyAllRows();

    void Sort();

    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    int ColumnWidth(int column) const;
    void SetColumnImage(int column, int image);

    std::function<void(ListView&)> OnChange;
    std::function<void(ListView&, int column)> OnColumnClick;
    std::function<int(ListView&, const ListRow&, const ListRow&)> OnCompare;
    // Asked as the list paints: with High Contrast on, marks are not drawn.
    std::function<bool()> HighContrastOn;

    bool HandleNotify(NMHDR& header, LRESULT& result) override;
    void ScaleBy(int numerator, int denominator) override;

protected:
    HWND CreateHandle(HWND parentWindow) override;
    void AfterCreate() override;
    bool NativeMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool KeyPressed(WPARAM key, LPARAM keyData);
    void RunCommand(ListCommand command);
    void ShowContextMenu(LPARAM screenPoint);
    POINT SelectedRowMenuPoint() const;
    LRESULT CustomDraw(NMLVCUSTOMDRAW& draw);
    std::string TableText(bool allRows) const;
    void InsertColumns();
    void RepaintWhatChanged(const ListViewLook& after);
    bool HoldsInPlace(const std::vector<ListRow>& rows) const;
    bool InStrictSortOrder() const;
    int PlaceOf(const ListRow& row) const;
    void ScrollBackTo(int top);
    void FixFillColumns();
    void RefitFillColumns();
    void FillTheGap();
    void LeaveRoomForScrollBar();
    int TotalColumnWidth() const;
    int MinimumFillWidth(int column) const;
    static int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM self);

    std::vector<ColumnProps> columns_;
    std::string text_;
    COLORREF markColor_;
    ListTypeToFind typing_;
    DWORD keyTime_ = 0;
    std::vector<std::unique_ptr<ListRow>> rows_;
    int updateCount_ = 0;
    // What the list showed when the batch began, if it had nothing to repaint.
    std::optional<ListViewLook> lookBefore_;
    // How the list lay after its last batch.
    ListViewLook lookAfterFill_;
};

// One batch update for the lifetime of a scope, ended on every path.
class ListUpdate {
public:
    explicit ListUpdate(ListView& list) : list_(list) { list_.BeginUpdate(); }
    ~ListUpdate() { list_.EndUpdate(); }
    ListUpdate(const ListUpdate&) = delete;
    ListUpdate& operator=(const ListUpdate&) = delete;

private:
    ListView& list_;
};

} // namespace win32
