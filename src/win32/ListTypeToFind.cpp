#include "win32/ListTypeToFind.h"

#include "core/ui/TextFormat.h"
#include "win32/AnsiText.h"
#include "win32/ListView.h"

#include <string_view>

namespace win32 {

bool ListTypeToFind::RowStartsWith(int row, std::u16string_view prefix) const
{
    std::string_view text = list_.Row(row).Text(props_.column);
    if (props_.fileNamePart)
        text = core::FileNamePart(text);
    const std::wstring name = WideFromAnsi(text);
    if (name.size() < prefix.size())
        return false;
    // Case-blind as the system compares file names.
    return ::CompareStringOrdinal(name.data(), static_cast<int>(prefix.size()),
                                  reinterpret_cast<const wchar_t*>(prefix.data()), static_cast<int>(prefix.size()),
                                  TRUE) == CSTR_EQUAL;
}

void ListTypeToFind::Type(char16_t typed, DWORD time)
{
    const core::TypeToFind::Search search = typing_.Type(typed, time);
    const int row = core::FindRow(list_.Count(), list_.SelectedIndex(), search,
                                  [this](int r, std::u16string_view prefix) { return RowStartsWith(r, prefix); });
    if (row < 0) {
        ::MessageBeep(0);
        return;
    }
    list_.Select(row);
    list_.ShowRow(row);
}

} // namespace win32
