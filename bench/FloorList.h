// The floor a refresh is measured against: a bare report list view with the
// main window's list styles, filled by the same walk with the same rows,
// with nothing else: no sorting, no selection, no rows kept beside it.
#pragma once

#include "core/processes/ToolhelpBinding.h"

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace bench {

class FloorList {
public:
    // A visible list of the given client size in a window of its own.
    FloorList(const std::vector<std::string>& columns, HIMAGELIST images, int width, int height);
    ~FloorList();
    FloorList(const FloorList&) = delete;
    FloorList& operator=(const FloorList&) = delete;

    HWND Handle() const { return list_; }
    int Count() const;

    // One process snapshot into the rows, as the process list shows them.
    void FillProcesses(core::ToolhelpBinding& toolhelp);
    // One full snapshot of a process into the rows, as the module list
    // shows them, each module's header probed.
    void FillModules(core::ToolhelpBinding& toolhelp, uint32_t processId, const std::string& fixedText);

private:
    void Begin();
    void Add(const std::string& caption, const std::vector<std::string>& subItems, int image, LPARAM data);
    void End();

    HWND host_ = nullptr;
    HWND list_ = nullptr;
};

} // namespace bench
