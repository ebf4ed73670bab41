// Where a form's docks hold its dockable windows, and where those float, kept
// in the current user's registry: one subkey per window below the given key,
// named as the window.
#pragma once

#include "win32/Form.h"

#include <string>

namespace toolbars {

// Before the form first shows, so that its toolbars never visibly move.
void RestoreToolbarPositions(const win32::Form& form, const std::string& key);
void StoreToolbarPositions(const win32::Form& form, const std::string& key);

} // namespace toolbars
