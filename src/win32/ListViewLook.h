// What a list view's window shows: the rows in view with their states, the
// number of rows, where it is scrolled, how wide its columns and its client
// area are. A batch repaints only the rows whose look it changed.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace win32 {

struct ListRow;

struct ListViewLook {
    struct Row {
        std::string caption;
        std::vector<std::string> subItems;
        int image = -1;
        bool marked = false;
        UINT state = 0;
        bool operator==(const Row&) const = default;
    };

    int count = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    int top = 0;
    int horizontal = 0;
    std::vector<int> widths;
    std::vector<Row> rowsInView;
    bool operator==(const ListViewLook&) const = default;
};

// The look of a report list whose items carry their ListRow as lParam.
ListViewLook LookOf(HWND list);

// The same rows laid out the same way: as many, scrolled alike, with the
// same column widths in the same client area.
bool SameLayout(const ListViewLook& a, const ListViewLook& b);

// The rows in view that look different now, by index; nothing when the list
// as a whole looks different (other rows, scrolled, other column widths).
std::optional<std::vector<int>> ChangedRows(const ListViewLook& before, const ListViewLook& after);

// Neither the list nor its header waits for a paint.
bool NothingToPaint(HWND list);

} // namespace win32
