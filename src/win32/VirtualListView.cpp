#include "win32/VirtualListView.h"

#include "core/ui/DpiScale.h"
#include "win32/AnsiText.h"

namespace win32 {

VirtualListView::VirtualListView(const VirtualListViewProps& props)
    : Control(props.control), columns_(props.columns), text_(props.text)
{
}

HWND VirtualListView::CreateHandle(HWND parentWindow)
{
    const DWORD style = LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_SINGLESEL | WS_TABSTOP;
    HWND list = CreateNative(WC_LISTVIEWA, style, WS_EX_CLIENTEDGE, parentWindow, text_.c_str());
    if (list)
        ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    return list;
}

void VirtualListView::AfterCreate()
{
    InsertColumns(Handle(), columns_);
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
            const std::wstring text = WideFromAnsi(CellText(item.iItem, item.iSubItem));
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
