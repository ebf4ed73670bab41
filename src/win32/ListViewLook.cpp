#include "win32/ListViewLook.h"

#include "win32/ListView.h"

#include <commctrl.h>

#include <algorithm>

namespace win32 {

ListViewLook LookOf(HWND list)
{
    ListViewLook look;
    look.count = ListView_GetItemCount(list);
    RECT client{};
    ::GetClientRect(list, &client);
    look.clientWidth = client.right;
    look.clientHeight = client.bottom;
    look.top = ListView_GetTopIndex(list);
    look.horizontal = ::GetScrollPos(list, SB_HORZ);
    const int columns = Header_GetItemCount(ListView_GetHeader(list));
    for (int i = 0; i < columns; ++i)
        look.widths.push_back(ListView_GetColumnWidth(list, i));
    // A partly shown row at the bottom is in view too.
    const int last = (std::min)(look.count, look.top + ListView_GetCountPerPage(list) + 1);
    for (int index = look.top; index < last; ++index) {
        LVITEMA item{};
        item.mask = LVIF_PARAM | LVIF_STATE;
        item.iItem = index;
        item.stateMask = static_cast<UINT>(-1);
        if (!::SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) || !item.lParam)
            continue;
        const auto& row = *reinterpret_cast<const ListRow*>(item.lParam);
        look.rowsInView.push_back({row.caption, row.subItems, row.image, row.marked, item.state});
    }
    return look;
}

bool SameLayout(const ListViewLook& a, const ListViewLook& b)
{
    return a.count == b.count && a.clientWidth == b.clientWidth && a.clientHeight == b.clientHeight &&
           a.top == b.top && a.horizontal == b.horizontal && a.widths == b.widths;
}

std::optional<std::vector<int>> ChangedRows(const ListViewLook& before, const ListViewLook& after)
{
    if (!SameLayout(before, after) || before.rowsInView.size() != after.rowsInView.size())
        return std::nullopt;
    std::vector<int> changed;
    for (std::size_t i = 0; i < after.rowsInView.size(); ++i) {
        if (!(before.rowsInView[i] == after.rowsInView[i]))
            changed.push_back(after.top + static_cast<int>(i));
    }
    return changed;
}

bool NothingToPaint(HWND list)
{
    return !::GetUpdateRect(list, nullptr, FALSE) && !::GetUpdateRect(ListView_GetHeader(list), nullptr, FALSE);
}

} // namespace win32
