// Saving and restoring where the dockable windows are: which dock, row and
// position, where they float and whether they show. One section per window,
// named as the window.
#pragma once

#include "core/docking/LayoutDock.h"
#include "core/docking/LayoutWindow.h"
#include "core/settings/LayoutStore.h"
#include "core/settings/RegistryApi.h"

#include <cstdint>
#include <span>
#include <string>

namespace core {

// One per owner component, in component order; both null for other components.
struct LayoutComponent {
    LayoutDock* dock = nullptr;
    LayoutWindow* window = nullptr;
};

// Docks stay suspended while all windows are read, so each lays out once.
void ReadToolbarLayout(std::span<const LayoutComponent> owner, const LayoutReader& reader);
void WriteToolbarLayout(std::span<const LayoutComponent> owner, const LayoutWriter& writer);
// The first dock so named, comparing the ASCII letters a-z without case.
LayoutDock* FindDockByName(std::span<const LayoutComponent> owner, const std::string& name);

// A toolbar's extra value "FloatRightX": helpers the toolbar's hooks call.
int32_t ReadFloatingWidth(const LayoutReader& reader, const std::string& section); // default 0
void WriteFloatingWidth(const LayoutWriter& writer, const std::string& section, int32_t width);

// The same in the registry: one subkey per window below root\baseKey, which
// a restore creates when missing. A base key that cannot be had leaves every
// window as it is and makes a store fail rather than write elsewhere.
void RestoreToolbarLayout(std::span<const LayoutComponent> owner, RegistryApi& api, RegKey root,
                          const std::string& baseKey);
void StoreToolbarLayout(std::span<const LayoutComponent> owner, RegistryApi& api, RegKey root,
                        const std::string& baseKey);

} // namespace core
