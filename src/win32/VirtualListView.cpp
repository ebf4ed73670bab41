#include "win32/VirtualListView.h"

#include "core/ui/DpiScale.h"

#include <climits>

namespace win32 {

namespace {

int ColumnFormat(std::size_t index, TextAlign align)
{
    // The first column is always left-aligned.
    if (index == 0)
        return LVCFMT_LEFT;
    switch (align) {
    case TextAlign::Right: return LVCFMT_RIGHT;
    case TextAlign::Center: return LVCFMT_CENTER;
    default: return LVCFMT_LEFT;
    }
}

// A cell as Windows converts ANSI text.
std::wstring WideText(const std::string& text)
{
    if (text.empty() || text.size() > INT_MAX)
        return {};
    std::wstring wide(text.size(), L'\0');
    const int made = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                           static_cast<int>(wide.size()));
    wide.resize(made > 0 ? static_cast<std::size_t>(made) : 0);
    return wide;
}

} // namespace

VirtualListView::VirtualListView(const VirtualListViewProps& props) : Control(props.control), columns_(props.columns)
{
}

HWND VirtualListView::CreateHandle(HWND parentWindow)
{
    const DWORD style = LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_SINGLESEL | WS_TABSTOP;
    HWND list = CreateNative(WC_LISTVIEWA, style, WS_EX_CLIENTEDGE, parentWindow);
    if (list)
        ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    return list;
}

void VirtualListView::AfterCreate()
{
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        column.fmt = ColumnFormat(i, columns_[i].align);
        column.cx = columns_[i].width;
        column.pszText = const_cast<char*>(columns_[i].caption);
        column.iSubItem = static_cast<int>(i);
        ::SendMessageA(Handle(), LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}

void VirtualListView::ScaleBy(int numerator, int denominator)
{
    Control::ScaleBy(numerator, denominator);
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        columns_[i].width = core::MulDivRound(columns_[i].width, numerator, denominator);
        ListView_SetColumnWidth(Handle(), static_cast<int>(i), columns_[i].width);
    }
}

void VirtualListView::SetRowCount(int count)
{
    ListView_SetItemCountEx(Handle(), count, 0);
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

int VirtualListView::RowCount() const
{
    return ListView_GetItemCount(Handle());
}

int VirtualListView::SelectedIndex() const
{
    return ListView_GetNextItem(Handle(), -1, LVNI_SELECTED);
}

void VirtualListView::Select(int index)
{
    // To the control, row -1 means every row; to callers it means none.
    if (index < 0) {
        ListView_SetItemState(Handle(), -1, 0, LVIS_SELECTED);
        return;
    }
    ListView_SetItemState(Handle(), index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(Handle(), index, FALSE);
}

std::string VirtualListView::CellText(int row, int column)
{
    if (!OnCellText || row < 0 || row >= RowCount() || column < 0 || column >= static_cast<int>(columns_.size()))
        return {};
    return OnCellText(*this, row, column);
}

bool VirtualListView::HandleNotify(NMHDR& header, LRESULT& result)
{
    if (IsDestroying())
        return false;
    switch (header.code) {
    case LVN_GETDISPINFOA: {
        LVITEMA& item = reinterpret_cast<NMLVDISPINFOA&>(header).item;
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
            const std::string text = CellText(item.iItem, item.iSubItem);
            ::lstrcpynA(item.pszText, text.c_str(), item.cchTextMax);
        }
        result = 0;
        return true;
    }
    case LVN_GETDISPINFOW: {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW&>(header).item;
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
            const std::wstring text = WideText(CellText(item.iItem, item.iSubItem));
            ::lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
        }
        result = 0;
        return true;
    }
    case LVN_ODFINDITEMA:
    case LVN_ODFINDITEMW:
        // Nothing to search by: the typed text is the edit box's business.
        result = -1;
        return true;
    case NM_DBLCLK: {
        const int row = reinterpret_cast<NMITEMACTIVATE&>(header).iItem;
        if (row >= 0 && OnDblClick)
            OnDblClick(*this, row);
        result = 0;
        return true;
    }
    }
    return false;
}

} // namespace win32
