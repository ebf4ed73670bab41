// The main window: the process list on the left, the selected process's
// summary and modules on the right.
#pragma once

#include "app/FindModule.h"
#include "app/SystemToolhelp.h"
#include "core/processes/DetailSource.h"
#include "core/processes/ToolHelper.h"
#include "core/ui/SortCompare.h"
#include "toolbars/TTBDock.h"
#include "toolbars/TTBItem.h"
#include "toolbars/TTBToolbar.h"
#include "win32/Action.h"
#include "win32/Form.h"
#include "win32/ImageList.h"
#include "win32/Label.h"
#include "win32/ListView.h"
#include "win32/Panel.h"
#include "win32/Splitter.h"
#include "win32/StatusBar.h"
#include "win32/Timer.h"

#include <memory>

class TfMain : public win32::Form {
public:
    // The Toolhelp source is the system's unless a test or the benchmark
    // hands in one of its own.
    explicit TfMain(win32::Application& app, core::ToolhelpBinding& toolhelp = SystemToolhelp());

    // Components, filled from the form declaration.
    win32::Splitter* sMain = nullptr;
    win32::StatusBar* TheStatusBar = nullptr;
    toolbars::TTBDock* dkTop = nullptr;
    toolbars::TTBDock* dkBottom = nullptr;
    toolbars::TTBDock* dkLeft = nullptr;
    toolbars::TTBDock* dkRight = nullptr;
    win32::ListView* lvMaster = nullptr;
    win32::Panel* pDetail = nullptr;
    win32::Label* lDetailInfo = nullptr;
    win32::ListView* lvDetail = nullptr;
    win32::ImageList* ilMain = nullptr;
    win32::Timer* TheTimer = nullptr;

    // Commands: the menu bar, the main toolbar and the actions behind them.
    toolbars::TTBToolbar* tbMenu = nullptr;
    toolbars::TTBSubmenuItem* smFile = nullptr;
    toolbars::TTBItem* iExit = nullptr;
    toolbars::TTBSubmenuItem* smView = nullptr;
    toolbars::TTBVisibilityToggleItem* iToggleToolbar = nullptr;
    toolbars::TTBVisibilityToggleItem* iToggleStatusBar = nullptr;
    toolbars::TTBSeparatorItem* iViewSepRefresh = nullptr;
    toolbars::TTBItem* iRefresh = nullptr;
    toolbars::TTBItem* iAutoRefresh = nullptr;
    toolbars::TTBSeparatorItem* iViewSepFind = nullptr;
    toolbars::TTBItem* iFindModule = nullptr;
    toolbars::TTBSubmenuItem* smHelp = nullptr;
    toolbars::TTBItem* iAbout = nullptr;
    toolbars::TTBToolbar* tbMain = nullptr;
    toolbars::TTBItem* bRefresh = nullptr;
    toolbars::TTBItem* bAutoRefresh = nullptr;
    toolbars::TTBSeparatorItem* tbSep1 = nullptr;
    toolbars::TTBItem* bAbout = nullptr;
    toolbars::TTBSeparatorItem* tbSep2 = nullptr;
    toolbars::TTBItem* bExit = nullptr;
    win32::ActionList* alMain = nullptr;
    win32::Action* aExit = nullptr;
    win32::Action* aRefresh = nullptr;
    win32::Action* aAbout = nullptr;
    win32::Action* aAutoRefresh = nullptr;
    win32::Action* aFindModule = nullptr;

    // Lifecycle.
    void FormCreate();
    void FormShow();
    void FormDestroy();

    // Preferences in the current user's registry.
    void LoadPreferences();
    void SavePreferences();
    // Where they live; tests keep theirs apart.
    static constexpr const char* kSettingsKey = "Software\\Morvane\\Vantora";
    void SetSettingsKey(std::string key) { settingsKey_ = std::move(key); }

    // Process list.
    void FillProcessList(win32::ListView& list);
    int lvMasterCompare(win32::ListView& sender, const win32::ListRow& item1,
                        const win32::ListRow& item2);

    // Detail side: the selected process's summary and modules.
    void lvMasterChange(win32::ListView& sender);
    void ShowProcessDetails(uint32_t processId);
    void FillModuleList(win32::ListView& list, core::TToolHelper& snapshot);
    void FillModuleList(win32::ListView& list, const std::vector<core::ModuleDetails>& modules);
    int lvDetailCompare(win32::ListView& sender, const win32::ListRow& item1,
                        const win32::ListRow& item2);

    // Column sorting, shared by both lists.
    void ListViewColumnClick(win32::ListView& sender, int column);
    void UpdateColumnImages(win32::ListView& list);

    // Refresh cycle.
    void RefreshProcesses();
    void TheTimerTick(win32::Timer& sender);

    // Commands.
    void aaExit(win32::Action& sender);
    void aaRefresh(win32::Action& sender);
    void aaAutoRefresh(win32::Action& sender);
    void aaAbout(win32::Action& sender);
    void aaFindModule(win32::Action& sender);

    // The find window, made when first opened; none before.
    TfFindModule* FindModule() const { return findModule_.get(); }
    // Selects a found module's process and the module in this window, the
    // process list refreshed first when it does not list the process yet,
    // and activates the window. False when the process has gone.
    bool ShowLoadedModule(const core::LoadedModule& module);

private:
    core::ToolhelpBinding& toolhelp_;
    core::DetailSource details_;
    // Each key or mouse message is a burst of its own for the detail side.
    win32::Connection inputBegins_;
    win32::Connection inputEnds_;
    std::string settingsKey_ = kSettingsKey;
    core::SortState masterSort_;
    core::SortState detailSort_;
    // A refresh asked for while one runs (a tick behind a modal box) waits for it.
    bool refreshing_ = false;
    bool refreshPending_ = false;
    std::unique_ptr<TfFindModule> findModule_;
};
