#include "win32/ListView.h"

#include "core/ui/DpiScale.h"
#include "win32/HighContrast.h"

namespace win32 {

const std::string& ListRow::Text(int column) const
{
    static const std::string empty;
    if (column == 0)
        return caption;
    if (column > 0 && static_cast<std::size_t>(column) <= subItems.size())
        return subItems[static_cast<std::size_t>(column) - 1];
    return empty;
}

bool ListRow::SameAs(const ListRow& other) const
{
    return caption == other.caption && subItems == other.subItems && data == other.data && image == other.image &&
           marked == other.marked;
}

ListView::ListView(const ListViewProps& props)
    : Control(props.control), HighContrastOn(&SystemHighContrastOn), columns_(props.columns), text_(props.text),
      markColor_(props.markColor), typing_(*this, props.typeToFind)
{
}

HWND ListView::CreateHandle(HWND parentWindow)
{
    const DWORD style = LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | LVS_SHAREIMAGELISTS |
                        WS_TABSTOP;
    HWND list = CreateNative(WC_LISTVIEWA, style, WS_EX_CLIENTEDGE, parentWindow, text_.c_str());
    if (list)
        ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    return list;
}

void ListView::AfterCreate()
{
    InsertColumns();
}

void ListView::InsertColumns()
{
    win32::InsertColumns(Handle(), columns_);
    RefitFillColumns();
}

void ListView::SetSmallImages(HIMAGELIST images)
{
    ListView_SetImageList(Handle(), images, LVSIL_SMALL);
    // Not every list view hands its small images on to its header.
    Header_SetImageList(ListView_GetHeader(Handle()), images);
}

void ListView::ScaleBy(int numerator, int denominator)
{
    Control::ScaleBy(numerator, denominator);
    for (ColumnProps& c : columns_) {
        if (c.width != kFillWidth)
            c.width = core::MulDivRound(c.width, numerator, denominator);
    }
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        if (columns_[i].width != kFillWidth)
            ListView_SetColumnWidth(Handle(), static_cast<int>(i), columns_[i].width);
    }
    RefitFillColumns();
}

int ListView::ColumnWidth(int column) const
{
    return ListView_GetColumnWidth(Handle(), column);
}

void ListView::Clear()
{
    ListView_DeleteAllItems(Handle());
    rows_.clear();
}

int ListView::AddRow(ListRow row)
{
    rows_.push_back(std::make_unique<ListRow>(std::move(row)));
    ListRow& stored = *rows_.back();

    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = Count();
    item.pszText = const_cast<char*>(stored.caption.c_str());
    item.iImage = stored.image;
    item.lParam = reinterpret_cast<LPARAM>(&stored);
    const int index = static_cast<int>(
        ::SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (index < 0) {
        rows_.pop_back();
        return -1;
    }
    for (std::size_t i = 0; i < stored.subItems.size(); ++i) {
        LVITEMA sub{};
        sub.iSubItem = static_cast<int>(i + 1);
        sub.pszText = const_cast<char*>(stored.subItems[i].c_str());
        ::SendMessageA(Handle(), LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&sub));
    }
    return index;
}

int ListView::Count() const
{
    return ListView_GetItemCount(Handle());
}

const ListRow& ListView::Row(int index) const
{
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    if (!::SendMessageA(Handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) || !item.lParam)
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    return *reinterpret_cast<const ListRow*>(item.lParam);
}

int ListView::SelectedIndex() const
{
    return ListView_GetNextItem(Handle(), -1, LVNI_SELECTED);
}

void ListView::Select(int index)
{
    // To the control, row -1 means every row; to callers it means none.
    if (index < 0) {
        ListView_SetItemState(Handle(), -1, 0, LVIS_SELECTED);
        return;
    }
    ListView_SetItemState(Handle(), index, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
}

void ListView::ShowRow(int index)
{
    ListView_EnsureVisible(Handle(), index, FALSE);
}

int CALLBACK ListView::CompareRows(LPARAM first, LPARAM second, LPARAM self)
{
    auto* list = reinterpret_cast<ListView*>(self);
    // Called from inside the control: nothing may propagate through it.
    try {
        return list->OnCompare(*list, *reinterpret_cast<const ListRow*>(first),
                               *reinterpret_cast<const ListRow*>(second));
    } catch (...) {
        return 0;
    }
}

void ListView::Sort()
{
    if (OnCompare)
        ListView_SortItems(Handle(), &ListView::CompareRows, reinterpret_cast<LPARAM>(this));
}

void ListView::SetColumnImage(int column, int image)
{
    LVCOLUMNA lvc{};
    lvc.mask = LVCF_FMT | LVCF_IMAGE;
    lvc.fmt = ColumnFormat(column, columns_[static_cast<std::size_t>(column)].align) |
              (image >= 0 ? LVCFMT_IMAGE : 0);
    lvc.iImage = image;
    ::SendMessageA(Handle(), LVM_SETCOLUMNA, column, reinterpret_cast<LPARAM>(&lvc));

    HWND header = ListView_GetHeader(Handle());
    HDITEMA hd{};
    hd.mask = HDI_FORMAT;
    Header_GetItem(header, column, &hd);
    hd.mask = HDI_FORMAT | HDI_IMAGE;
    hd.fmt = image >= 0 ? (hd.fmt | HDF_IMAGE) : (hd.fmt & ~HDF_IMAGE);
    hd.iImage = image;
    ::SendMessageA(header, HDM_SETITEMA, column, reinterpret_cast<LPARAM>(&hd));
    RefitFillColumns();
}

bool ListView::HandleNotify(NMHDR& header, LRESULT& result)
{
    // A list on its way out has nothing left to report.
    if (IsDestroying())
        return false;
    switch (header.code) {
    case LVN_ITEMCHANGED:
        if (OnChange)
            OnChange(*this);
        result = 0;
        return true;
    case LVN_DELETEALLITEMS:
        // The rows go as one, without a notification each.
        result = TRUE;
        return true;
    case LVN_COLUMNCLICK:
        if (OnColumnClick)
            OnColumnClick(*this, reinterpret_cast<NMLISTVIEW&>(header).iSubItem);
        result = 0;
        return true;
    case NM_CUSTOMDRAW:
        if (markColor_ == CLR_NONE)
            return false;
        result = CustomDraw(reinterpret_cast<NMLVCUSTOMDRAW&>(header));
        return true;
    }
    return false;
}

// Marked rows on the mark colour with the window's text colour; a selected
// row keeps the system's selection colours, and High Contrast the system's
// colours everywhere.
LRESULT ListView::CustomDraw(NMLVCUSTOMDRAW& draw)
{
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT: return HighContrastOn && HighContrastOn() ? CDRF_DODEFAULT : CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
        const auto* row = reinterpret_cast<const ListRow*>(draw.nmcd.lItemlParam);
        const int index = static_cast<int>(draw.nmcd.dwItemSpec);
        if (row && row->marked && !(ListView_GetItemState(Handle(), index, LVIS_SELECTED) & LVIS_SELECTED)) {
            draw.clrTextBk = markColor_;
            draw.clrText = ::GetSysColor(COLOR_WINDOWTEXT);
        }
        return CDRF_DODEFAULT;
    }
    default: return CDRF_DODEFAULT;
    }
}

} // namespace win32
