#include "toolbars/ToolbarPositions.h"

#include "core/settings/ToolbarLayout.h"
#include "toolbars/TTBCustomDockableWindow.h"
#include "win32/SystemRegistry.h"

#include <vector>

namespace toolbars {

namespace {

// The form's docks and dockable windows, in component order.
std::vector<core::LayoutComponent> LayoutComponents(const win32::Form& form)
{
    std::vector<core::LayoutComponent> owner;
    for (const auto& component : form.Components()) {
        core::LayoutComponent entry;
        entry.dock = dynamic_cast<core::LayoutDock*>(component.get());
        if (auto* window = dynamic_cast<TTBCustomDockableWindow*>(component.get()))
            entry.window = &window->Layout();
        if (entry.dock || entry.window)
            owner.push_back(entry);
    }
    return owner;
}

} // namespace

void RestoreToolbarPositions(const win32::Form& form, const std::string& key)
{
    core::RestoreToolbarLayout(LayoutComponents(form), win32::TheSystemRegistry(), core::kHkeyCurrentUser, key);
}

void StoreToolbarPositions(const win32::Form& form, const std::string& key)
{
    core::StoreToolbarLayout(LayoutComponents(form), win32::TheSystemRegistry(), core::kHkeyCurrentUser, key);
}

} // namespace toolbars
