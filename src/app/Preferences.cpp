// Window preferences: the window's size, the process list's width and the
// auto-refresh setting, kept in the current user's registry.
#include "app/Main.h"

#include "core/settings/TRegIniFile.h"
#include "toolbars/ToolbarPositions.h"
#include "win32/SystemRegistry.h"

#include <algorithm>

namespace {

constexpr const char* kSection = "Preferences";
constexpr int kDefaultMasterWidth = 200;
// Coordinates the system can really give a window.
constexpr int kCoordinateLimit = 32767;

// A stored size of zero, below zero or beyond any screen still gives a
// window the user can see and grab; the stored text itself is not touched.
core::Rect UsableBounds(int left, int top, int width, int height)
{
    width = std::clamp(width, ::GetSystemMetrics(SM_CXMINTRACK), ::GetSystemMetrics(SM_CXMAXTRACK));
    height = std::clamp(height, ::GetSystemMetrics(SM_CYMINTRACK), ::GetSystemMetrics(SM_CYMAXTRACK));
    left = std::clamp(left, -kCoordinateLimit, kCoordinateLimit - width);
    top = std::clamp(top, -kCoordinateLimit, kCoordinateLimit - height);
    return {left, top, left + width, top + height};
}

std::string ToolbarsKey(const std::string& settingsKey)
{
    return settingsKey + "\\Toolbars";
}

} // namespace

void TfMain::LoadPreferences()
{
    {
        core::TRegIniFile store(win32::TheSystemRegistry(), settingsKey_);
        const core::Rect now = WindowBounds();
        // All four are read before any is applied: a bad one changes nothing.
        const int width = store.ReadIntValue(kSection, "Width", now.width());
        const int height = store.ReadIntValue(kSection, "Height", now.height());
        const int top = store.ReadIntValue(kSection, "Top", now.top);
        const int left = store.ReadIntValue(kSection, "Left", now.left);
        SetWindowBounds(UsableBounds(left, top, width, height));
        // The default is a designed width, so it follows the display; a stored
        // width is the user's own and stays as it is.
        const int masterWidth = store.ReadIntValue(kSection, "MasterWidth", ScaleDesigned(kDefaultMasterWidth));
        lvMaster->SetWidth(std::clamp(masterWidth, 0, kCoordinateLimit));
        aAutoRefresh->SetChecked(store.ReadBoolValue(kSection, "AutoRefresh", false));
        toolbars::RestoreToolbarPositions(*this, ToolbarsKey(settingsKey_));
    }
    RefreshProcesses();
}

void TfMain::SavePreferences()
{
    core::TRegIniFile store(win32::TheSystemRegistry(), settingsKey_);
    // Not the icon's place: the next start would open a sliver.
    const core::Rect bounds = UnminimisedBounds();
    store.WriteIntValue(kSection, "Left", bounds.left);
    store.WriteIntValue(kSection, "Top", bounds.top);
    store.WriteIntValue(kSection, "Width", bounds.width());
    store.WriteIntValue(kSection, "Height", bounds.height());
    store.WriteIntValue(kSection, "MasterWidth", lvMaster->Width());
    store.WriteBoolValue(kSection, "AutoRefresh", aAutoRefresh->Checked());
    toolbars::StoreToolbarPositions(*this, ToolbarsKey(settingsKey_));
}
