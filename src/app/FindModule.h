// The find window: which processes have a module loaded. A tool window of
// the main window, kept for its lifetime: each opening takes a fresh
// snapshot of every process's modules, and typing filters them by file name.
#pragma once

#include "core/processes/LoadedModules.h"
#include "core/processes/ModuleFinder.h"
#include "win32/Action.h"
#include "win32/Edit.h"
#include "win32/Form.h"
#include "win32/Label.h"
#include "win32/VirtualListView.h"

#include <functional>
#include <string>

class TfFindModule : public win32::Form {
public:
    TfFindModule(win32::Application& app, win32::Form& owner, core::ToolhelpBinding& toolhelp);

    // Components, filled from the form declaration.
    win32::Label* lModule = nullptr;
    win32::Edit* edModule = nullptr;
    win32::VirtualListView* lvFound = nullptr;
    // Its own keys: they go to this window, not to the main window's actions.
    win32::ActionList* alFind = nullptr;
    win32::Action* aFindRefresh = nullptr;
    win32::Action* aShowFound = nullptr;
    win32::Action* aCloseFind = nullptr;
    win32::Action* aSelectText = nullptr;

    // Shows the window in front with a fresh snapshot, the focus in the edit box.
    void Open();
    // Shows a found module in the main window; false when its process has gone.
    std::function<bool(const core::LoadedModule&)> OnShowModule;

    const core::ModuleFinder& Finder() const { return finder_; }

    // The snapshot, on the GUI thread with the wait cursor, and the filter.
    void TakeSnapshot();
    void ApplyFilter();
    void ShowFound(int row);

    // Handlers.
    void edModuleChange(win32::Edit& sender);
    bool edModuleKeyDown(win32::Edit& sender, WORD key);
    std::string lvFoundCellText(win32::VirtualListView& sender, int row, int column);
    void lvFoundDblClick(win32::VirtualListView& sender, int row);
    void aaFindRefresh(win32::Action& sender);
    void aaShowFound(win32::Action& sender);
    void aaCloseFind(win32::Action& sender);
    void aaSelectText(win32::Action& sender);

private:
    void PlaceOverOwner();

    win32::Form& owner_;
    core::ToolhelpBinding& toolhelp_;
    core::ModuleFinder finder_;
    bool placed_ = false;
};
