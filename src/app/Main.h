// The main window: the process list on the left, the selected process's
// summary and modules on the right.
#pragma once

#include "core/SortCompare.h"
#include "win32/Form.h"
#include "win32/ListView.h"

class TfMain : public win32::Form {
public:
    explicit TfMain(win32::Application& app);

    // Components, filled from the form declaration.
    win32::ListView* lvMaster = nullptr;

    // Lifecycle.
    void FormCreate();
    void FormShow();
    void FormDestroy();

    // Process list.
    void FillProcessList(win32::ListView& list);
    int lvMasterCompare(win32::ListView& sender, const win32::ListRow& item1,
                        const win32::ListRow& item2);

    void RefreshProcesses();

private:
    core::SortState masterSort_;
    core::SortState detailSort_;
};
