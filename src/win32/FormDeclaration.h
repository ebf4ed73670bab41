// The user interface as data: a form's components with their properties, the
// form fields they fill and the form's handlers their events call.
#pragma once

#include "win32/Form.h"
#include "win32/ListView.h"

#include <variant>
#include <vector>

namespace win32 {

template <class F>
struct ListViewDecl {
    ListViewProps props;
    ListView* F::*field = nullptr;
    const char* smallImages = nullptr;
    void (F::*onChange)(ListView&) = nullptr;
    void (F::*onColumnClick)(ListView&, int column) = nullptr;
    int (F::*onCompare)(ListView&, const ListRow&, const ListRow&) = nullptr;
};

template <class F>
using ComponentDecl = std::variant<ListViewDecl<F>>;

template <class F>
struct FormDecl {
    FormProps props;
    void (F::*onCreate)() = nullptr;
    void (F::*onShow)() = nullptr;
    void (F::*onDestroy)() = nullptr;
    std::vector<ComponentDecl<F>> components;
};

} // namespace win32
