// The main window: the process list on the left, the selected process's
// summary and modules on the right.
#pragma once

#include "core/SortCompare.h"
#include "core/ToolHelper.h"
#include "toolbars/TTBDock.h"
#include "win32/Form.h"
#include "win32/ImageList.h"
#include "win32/Label.h"
#include "win32/ListView.h"
#include "win32/Panel.h"
#include "win32/Splitter.h"
#include "win32/StatusBar.h"
#include "win32/Timer.h"

class TfMain : public win32::Form {
public:
    explicit TfMain(win32::Application& app);

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

    // Lifecycle.
    void FormCreate();
    void FormShow();
    void FormDestroy();

    // Process list.
    void FillProcessList(win32::ListView& list);
    int lvMasterCompare(win32::ListView& sender, const win32::ListRow& item1,
                        const win32::ListRow& item2);

    // Detail side: the selected process's summary and modules.
    void lvMasterChange(win32::ListView& sender);
    void ShowProcessDetails(uint32_t processId);
    void FillModuleList(win32::ListView& list, core::TToolHelper& snapshot);
    int lvDetailCompare(win32::ListView& sender, const win32::ListRow& item1,
                        const win32::ListRow& item2);

    // Column sorting, shared by both lists.
    void ListViewColumnClick(win32::ListView& sender, int column);
    void UpdateColumnImages(win32::ListView& list);

    // Refresh cycle.
    void RefreshProcesses();
    void TheTimerTick(win32::Timer& sender);

private:
    core::SortState masterSort_;
    core::SortState detailSort_;
};
