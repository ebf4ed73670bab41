// A list view's batches: drawing held while rows are replaced, the fill
// column fitted to the rows and the width again at the end, and only what
// looks different painted; a refill with the rows the list holds leaves them.
#include "win32/ListView.h"

namespace win32 {

void ListView::BeginUpdate()
{
    if (updateCount_++ == 0) {
        lookBefore_.reset();
        if (::IsWindowVisible(Handle()) && NothingToPaint(Handle()))
            lookBefore_ = LookOf(Handle());
        ::SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
        FixFillColumns();
    }
}

void ListView::EndUpdate()
{
    if (updateCount_ == 0 || --updateCount_ > 0 || !HasWindow())
        return;
    Sort();
    // Drawing resumes first: only then does the list know the scroll bar
    // that the new rows bring, which the fill column must leave room for.
    ::SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
    RefitFillColumns();
    ListViewLook after = LookOf(Handle());
    RepaintWhatChanged(after);
    lookBefore_.reset();
    lookAfterFill_ = std::move(after);
}

void ListView::Refill(std::vector<ListRow> rows, int selected)
{
    if (HoldsInPlace(rows)) {
        if (selected < 0)
            return;
        // Selected anew, as after a refill: whoever follows the selection
        // hears of it as often as then.
        const int place = PlaceOf(*rows_[static_cast<std::size_t>(selected)]);
        const int top = ListView_GetTopIndex(Handle());
        if (place != SelectedIndex()) {
            Select(place);
            ScrollBackTo(top);
            return;
        }
        const bool clean = NothingToPaint(Handle());
        Select(-1);
        Select(place);
        ScrollBackTo(top);
        // It looks as it did.
        if (clean)
            ::ValidateRect(Handle(), nullptr);
        return;
    }
    ListUpdate batch(*this);
    Clear();
    for (ListRow& row : rows)
        AddRow(std::move(row));
    if (selected >= 0)
        Select(selected);
}

// The same rows in the order they were added, in the one order the sort
// gives them now, and the list as the last batch left it (not scrolled or
// resized since): a new batch would lay them out exactly as they are.
bool ListView::HoldsInPlace(const std::vector<ListRow>& rows) const
{
    if (Updating() || rows.size() != rows_.size() || !HasWindow())
        return false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].SameAs(*rows_[i]))
            return false;
    }
    return InStrictSortOrder() && SameLayout(LookOf(Handle()), lookAfterFill_);
}

// Some list views scroll a row they focus into view, as a refill does not
// (its rows are added and focused before the sort moves them): rows left in
// place stay where the refill showed them.
void ListView::ScrollBackTo(int top)
{
    const int now = ListView_GetTopIndex(Handle());
    RECT row{};
    if (now == top || !ListView_GetItemRect(Handle(), now, &row, LVIR_BOUNDS))
        return;
    ListView_Scroll(Handle(), 0, (top - now) * (row.bottom - row.top));
}

// Equal rows could come out of a sort in another order.
bool ListView::InStrictSortOrder() const
{
    if (!OnCompare)
        return false;
    auto& self = const_cast<ListView&>(*this);
    try {
        for (int i = 1; i < Count(); ++i) {
            if (OnCompare(self, Row(i - 1), Row(i)) >= 0)
                return false;
        }
    } catch (...) {
        // A compare that fails here would fail the sort's too: refill.
        return false;
    }
    return true;
}

int ListView::PlaceOf(const ListRow& row) const
{
    LVFINDINFOA find{};
    find.flags = LVFI_PARAM;
    find.lParam = reinterpret_cast<LPARAM>(&row);
    return ListView_FindItem(Handle(), -1, &find);
}

// A refresh mostly finds what the list showed: only the rows that look
// different are painted again, not the whole list that resuming the drawing
// asked for.
void ListView::RepaintWhatChanged(const ListViewLook& after)
{
    const auto changed = lookBefore_ ? ChangedRows(*lookBefore_, after) : std::nullopt;
    if (!changed) {
        ::InvalidateRect(Handle(), nullptr, TRUE);
        return;
    }
    ::ValidateRect(Handle(), nullptr);
    ::ValidateRect(ListView_GetHeader(Handle()), nullptr);
    for (const int index : *changed) {
        RECT row{};
        if (ListView_GetItemRect(Handle(), index, &row, LVIR_BOUNDS))
            ::InvalidateRect(Handle(), &row, TRUE);
    }
}

void ListView::FixFillColumns()
{
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        if (columns_[i].width == kFillWidth)
            ListView_SetColumnWidth(Handle(), static_cast<int>(i), ColumnWidth(static_cast<int>(i)));
    }
}

void ListView::RefitFillColumns()
{
    if (!HasWindow())
        return;
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        if (columns_[i].width == kFillWidth)
            ListView_SetColumnWidth(Handle(), static_cast<int>(i), LVSCW_AUTOSIZE_USEHEADER);
    }
    FillTheGap();
    LeaveRoomForScrollBar();
}

// Some list views size the last column for a vertical scroll bar they have
// not shown (and then do not), leaving a gap at the right: it is filled here.
void ListView::FillTheGap()
{
    if (columns_.empty() || columns_.back().width != kFillWidth)
        return;
    RECT client{};
    ::GetClientRect(Handle(), &client);
    const int total = TotalColumnWidth();
    const int last = static_cast<int>(columns_.size()) - 1;
    if (total < client.right)
        ListView_SetColumnWidth(Handle(), last, ColumnWidth(last) + client.right - total);
}

// While drawing is off the list may not have shown the vertical scroll bar
// its rows need yet, so the fill column would end under it and bring a
// needless horizontal one.
void ListView::LeaveRoomForScrollBar()
{
    const bool hasBar = (::GetWindowLongA(Handle(), GWL_STYLE) & WS_VSCROLL) != 0;
    const int perPage = ListView_GetCountPerPage(Handle());
    if (hasBar || Count() <= perPage || columns_.empty())
        return;
    RECT client{};
    ::GetClientRect(Handle(), &client);
    const int room = client.right - ::GetSystemMetrics(SM_CXVSCROLL);
    const int total = TotalColumnWidth();
    const int last = static_cast<int>(columns_.size()) - 1;
    if (columns_.back().width != kFillWidth || total <= room)
        return;
    const int shrunk = ColumnWidth(last) - (total - room);
    if (shrunk >= MinimumFillWidth(last))
        ListView_SetColumnWidth(Handle(), last, shrunk);
}

int ListView::TotalColumnWidth() const
{
    int total = 0;
    for (std::size_t i = 0; i < columns_.size(); ++i)
        total += ColumnWidth(static_cast<int>(i));
    return total;
}

// What the header text needs, as the list's own sizing allows for it.
int ListView::MinimumFillWidth(int column) const
{
    constexpr int kHeaderPadding = 12;
    const int text = ListView_GetStringWidth(Handle(), columns_[static_cast<std::size_t>(column)].caption);
    return text + kHeaderPadding;
}

} // namespace win32
