// What a user does with a list beyond the control's own keys: copying rows
// (keys and context menu) and typing to find a row.
#include "win32/ListView.h"

#include "core/ui/TableText.h"
#include "win32/Clipboard.h"
#include "win32/KeyMessages.h"

#include <windowsx.h>

namespace win32 {

namespace {

bool Held(int key)
{
    return ::GetKeyState(key) < 0;
}

bool IsPrintable(WPARAM character)
{
    return character >= 0x20 && character != 0x7F;
}

// The keys the list control moves by: a search typed before them is over.
bool IsNavigationKey(WPARAM key)
{
    switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT: return true;
    default: return false;
    }
}

bool OpensContextMenu(UINT message, WPARAM key)
{
    // The menu key, and Shift+F10 (a system key), as Windows has them.
    const bool shiftOnly = Held(VK_SHIFT) && !Held(VK_CONTROL) && !Held(VK_MENU);
    return (message == WM_KEYDOWN && key == VK_APPS) || (message == WM_SYSKEYDOWN && key == VK_F10 && shiftOnly);
}

} // namespace

bool ListView::NativeMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    result = 0;
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        // The character a key press makes is posted after it, stamped with
        // the time it is translated on some systems, not the time of the key.
        keyTime_ = static_cast<DWORD>(::GetMessageTime());
        if (OpensContextMenu(message, wParam)) {
            ShowContextMenu(-1);
            return true;
        }
        return message == WM_KEYDOWN && KeyPressed(wParam, lParam);
    case WM_KEYUP:
        // Some systems make a context-menu message of the menu key's release
        // as well: the press has opened the menu already.
        return wParam == VK_APPS;
    case WM_CHAR:
        if (!typing_.Active() || !IsPrintable(wParam))
            return false;
        typing_.Type(static_cast<char16_t>(wParam), keyTime_);
        return true;
    case WM_CONTEXTMENU:
        // From the header (a right click on a column) nothing opens.
        if (reinterpret_cast<HWND>(wParam) == Handle())
            ShowContextMenu(lParam);
        return true;
    }
    return false;
}

bool ListView::KeyPressed(WPARAM key, LPARAM keyData)
{
    if (IsNavigationKey(key))
        typing_.Reset();
    const MSG msg{Handle(), WM_KEYDOWN, key, keyData, 0, {}};
    const ListCommand command = ListCommandOfShortCut(ShortCutFromKeyMessage(msg));
    if (command == ListCommand::None)
        return false;
    RunCommand(command);
    return true;
}

void ListView::RunCommand(ListCommand command)
{
    switch (command) {
    case ListCommand::Copy: CopySelectedRow(); break;
    case ListCommand::CopyAll: CopyAllRows(); break;
    case ListCommand::None: break;
    }
}

// At the pointer, or for the keyboard (-1) below the selected row.
void ListView::ShowContextMenu(LPARAM screenPoint)
{
    POINT at{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
    if (screenPoint == -1)
        at = SelectedRowMenuPoint();
    RunCommand(TrackListMenu(Handle(), at, SelectedIndex() >= 0, Count() > 0));
}

POINT ListView::SelectedRowMenuPoint() const
{
    POINT at{0, 0};
    if (const int row = SelectedIndex(); row >= 0) {
        ListView_EnsureVisible(Handle(), row, FALSE);
        RECT r{};
        if (ListView_GetItemRect(Handle(), row, &r, LVIR_LABEL))
            at = {r.left, r.bottom};
    }
    ::ClientToScreen(Handle(), &at);
    return at;
}

void ListView::CopySelectedRow()
{
    if (SelectedIndex() >= 0)
        PutTextOnClipboard(Handle(), TableText(false));
}

void ListView::CopyAllRows()
{
    if (Count() > 0)
        PutTextOnClipboard(Handle(), TableText(true));
}

std::string ListView::TableText(bool allRows) const
{
    core::TableText table;
    std::vector<std::string_view> cells;
    for (const ColumnProps& column : columns_)
        cells.push_back(column.caption);
    table.AddLine(cells);
    auto addRow = [&](int index) {
        const ListRow& row = Row(index);
        cells.clear();
        for (int c = 0; c < ColumnCount(); ++c)
            cells.push_back(row.Text(c));
        table.AddLine(cells);
    };
    if (!allRows) {
        addRow(SelectedIndex());
        return table.Text();
    }
    for (int i = 0; i < Count(); ++i)
        addRow(i);
    return table.Text();
}

} // namespace win32
