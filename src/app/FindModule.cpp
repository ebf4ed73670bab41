#include "app/FindModule.h"

#include "app/FindModuleForm.h"
#include "core/processes/ProgramVariant.h"
#include "core/ui/TextFormat.h"
#include "win32/FormBuilder.h"
#include "win32/NameFold.h"
#include "win32/WaitCursor.h"

#include <windows.h>

#include <algorithm>

namespace {

enum Column { kProcessColumn, kProcessIdColumn, kPathColumn, kBaseColumn };

// Where the window first shows, from the main window's top-left corner.
constexpr int kOffsetFromOwner = 48;

} // namespace

TfFindModule::TfFindModule(win32::Application& app, win32::Form& owner, core::ToolhelpBinding& toolhelp)
    : Form(FindModuleFormDeclaration().props, owner.Handle()), owner_(owner), toolhelp_(toolhelp),
      finder_(win32::FoldName)
{
    win32::FormBuilder<TfFindModule>(*this, app).Build(FindModuleFormDeclaration());
}

void TfFindModule::Open()
{
    if (!placed_) {
        PlaceOverOwner();
        placed_ = true;
    }
    Show();
    ::SetActiveWindow(Handle());
    TakeSnapshot();
    edModule->SelectAll();
    ::SetFocus(edModule->Handle());
}

void TfFindModule::PlaceOverOwner()
{
    const core::Rect owner = owner_.WindowBounds();
    const core::Rect own = WindowBounds();
    const int offset = ScaleDesigned(kOffsetFromOwner);
    SetWindowBounds({owner.left + offset, owner.top + offset, owner.left + offset + own.width(),
                     owner.top + offset + own.height()});
}

void TfFindModule::TakeSnapshot()
{
    win32::WaitCursor wait;
    finder_.SetModules(core::ReadLoadedModules(toolhelp_, core::kThisProgram.moduleSnapshotFlags));
    ApplyFilter();
}

void TfFindModule::ApplyFilter()
{
    finder_.Filter(edModule->Text());
    lvFound->SetRowCount(finder_.FoundCount());
    lvFound->Select(finder_.FoundCount() > 0 ? 0 : -1);
}

void TfFindModule::ShowFound(int row)
{
    if (row < 0 || row >= finder_.FoundCount())
        return;
    // A copy: showing it refreshes the main window, whatever that may run.
    const core::LoadedModule module = finder_.Found(row);
    if (!OnShowModule || !OnShowModule(module))
        ::MessageBeep(0);
}

void TfFindModule::edModuleChange(win32::Edit&)
{
    ApplyFilter();
}

// Up and Down in the box move through the rows, as in the list itself.
bool TfFindModule::edModuleKeyDown(win32::Edit&, WORD key)
{
    if (key != VK_UP && key != VK_DOWN)
        return false;
    const int count = lvFound->RowCount();
    if (count > 0) {
        const int current = lvFound->SelectedIndex();
        lvFound->Select(key == VK_UP ? std::max(current - 1, 0) : std::min(current + 1, count - 1));
    }
    return true;
}

std::string TfFindModule::lvFoundCellText(win32::VirtualListView&, int row, int column)
{
    if (row < 0 || row >= finder_.FoundCount())
        return {};
    const core::LoadedModule& module = finder_.Found(row);
    switch (column) {
    case kProcessColumn: return module.processName;
    case kProcessIdColumn: return core::HexId(module.processId);
    case kPathColumn: return module.path;
    case kBaseColumn: return core::HexAddress(module.base);
    default: return {};
    }
}

void TfFindModule::lvFoundDblClick(win32::VirtualListView&, int row)
{
    ShowFound(row);
}

void TfFindModule::aaFindRefresh(win32::Action&)
{
    TakeSnapshot();
}

void TfFindModule::aaShowFound(win32::Action&)
{
    ShowFound(lvFound->SelectedIndex());
}

void TfFindModule::aaCloseFind(win32::Action&)
{
    Close();
}

void TfFindModule::aaSelectText(win32::Action&)
{
    ::SetFocus(edModule->Handle());
    edModule->SelectAll();
}
