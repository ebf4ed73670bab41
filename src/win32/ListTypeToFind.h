// Typing in a list selects the first row whose text in one column starts
// with what was typed, instead of the list control's own search, which
// looks at column 0 alone.
#pragma once

#include "core/ui/TypeToFind.h"

#include <windows.h>

#include <string>

namespace win32 {

class ListView;

struct TypeToFindProps {
    // The column searched; -1 leaves typing to the list control.
    int column = -1;
    // Only the file-name part of the text counts (a module's path).
    bool fileNamePart = false;
};

class ListTypeToFind {
public:
    ListTypeToFind(ListView& list, const TypeToFindProps& props) : list_(list), props_(props) {}

    bool Active() const { return props_.column >= 0; }
    // A printable character typed at the given message time: selects,
    // focuses and shows the row found, or beeps and leaves the selection.
    void Type(char16_t typed, DWORD time);
    void Reset() { typing_.Reset(); }

private:
    bool RowStartsWith(int row, std::u16string_view prefix) const;

    ListView& list_;
    TypeToFindProps props_;
    core::TypeToFind typing_;
};

} // namespace win32
