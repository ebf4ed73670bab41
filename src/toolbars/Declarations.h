// Declarations of the docking layer's components for a form of class F.
#pragma once

#include "toolbars/TTBDock.h"
#include "win32/FormBuilder.h"

namespace toolbars {

template <class F>
struct DockDecl {
    DockProps props;
    TTBDock* F::*field = nullptr;

    void Build(win32::FormBuilder<F>& b) const { b.Place(std::make_unique<TTBDock>(props), field); }
};

} // namespace toolbars
