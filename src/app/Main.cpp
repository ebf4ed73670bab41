#include "app/Main.h"

#include "app/ImageProbe.h"
#include "app/MainForm.h"
#include "app/SystemToolhelp.h"
#include "core/processes/ToolHelper.h"
#include "core/ui/TextFormat.h"
#include "resource.h"
#include "win32/FormBuilder.h"
#include "win32/LocaleCompare.h"
#include "win32/ResourceText.h"

#include <windows.h>

#include <algorithm>

TfMain::TfMain(win32::Application& app, core::ToolhelpBinding& toolhelp)
    : Form(MainFormDeclaration().props), toolhelp_(toolhelp),
      details_(toolhelp, core::kThisProgram.detailSnapshotFlags),
      inputBegins_(app.InputBegins.Connect([this] { details_.BeginBurst(); })),
      inputEnds_(app.InputEnds.Connect([this] { details_.EndBurst(); }))
{
    win32::FormBuilder<TfMain>(*this, app).Build(MainFormDeclaration());
}

namespace {

constexpr int kProcessGlyph = 0;
constexpr int kModuleGlyph = 1;
constexpr int kSortAscendingGlyph = 6;
constexpr int kSortDescendingGlyph = 7;
constexpr uint32_t kFixedUsage = 65535;
// The columns sorted as text: the process name, the module path.
constexpr int kNameColumn = 1;
constexpr int kPathColumn = 4;

int LocaleCompare(std::string_view a, std::string_view b)
{
    return win32::LocaleCompare(a, b);
}

// A text column in the locale's order, through the sort key each row makes
// once: a sort of thousands of rows compares each row many times.
const std::string& LocaleKeyOf(const win32::ListRow& row, int column)
{
    if (row.compareKeyColumn != column) {
        row.compareKey = win32::LocaleSortKey(row.Text(column));
        row.compareKeyColumn = column;
    }
    return row.compareKey;
}

int CompareKeys(std::string_view a, std::string_view b)
{
    return core::CompareBytes(a, b);
}

core::SortState& SortStateOf(const win32::ListView& list)
{
    return *static_cast<core::SortState*>(list.Tag);
}

// The row of a process, as listed under that id with that executable name
// (an id alone may by now be another process's); -1 if none is.
int ProcessRow(const win32::ListView& list, uint32_t processId, std::string_view name)
{
    for (int i = 0; i < list.Count(); ++i) {
        const win32::ListRow& row = list.Row(i);
        if (static_cast<uint32_t>(row.data) == processId)
            return row.Text(kNameColumn) == name ? i : -1;
    }
    return -1;
}

int ModuleRow(const win32::ListView& list, std::string_view path)
{
    for (int i = 0; i < list.Count(); ++i) {
        if (list.Row(i).Text(kPathColumn) == path)
            return i;
    }
    return -1;
}

void SelectAndShow(win32::ListView& list, int row)
{
    list.Select(row);
    list.ShowRow(row);
}

} // namespace

void TfMain::FormCreate()
{
    lvMaster->Tag = &masterSort_;
    UpdateColumnImages(*lvMaster);
    detailSort_.column = 1;
    lvDetail->Tag = &detailSort_;
    UpdateColumnImages(*lvDetail);
}

void TfMain::FormShow()
{
    LoadPreferences();
}

void TfMain::FormDestroy()
{
    SavePreferences();
}

void TfMain::RefreshProcesses()
{
    if (refreshing_) {
        refreshPending_ = true;
        return;
    }
    refreshing_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{refreshing_};
    do {
        refreshPending_ = false;
        FillProcessList(*lvMaster);
    } while (refreshPending_);
    // Stopping and starting again puts the next tick a full interval away
    // from the end of the last refresh.
    TheTimer->SetEnabled(false);
    if (aAutoRefresh->Checked())
        TheTimer->SetEnabled(true);
}

void TfMain::TheTimerTick(win32::Timer&)
{
    RefreshProcesses();
}

void TfMain::aaExit(win32::Action&)
{
    Close();
}

void TfMain::aaRefresh(win32::Action&)
{
    RefreshProcesses();
}

void TfMain::aaAutoRefresh(win32::Action&)
{
    TheTimer->SetEnabled(aAutoRefresh->Checked());
}

void TfMain::aaAbout(win32::Action&)
{
    const HINSTANCE instance = App().Instance();
    const std::string caption = win32::LoadResourceText(instance, IDS_ABOUT_CAPTION);
    const std::string text = win32::LoadResourceText(instance, IDS_ABOUT_TEXT);
    ::MessageBoxA(Handle(), text.c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION);
}

void TfMain::aaFindModule(win32::Action&)
{
    if (!findModule_) {
        findModule_ = std::make_unique<TfFindModule>(App(), *this, toolhelp_);
        findModule_->OnShowModule = [this](const core::LoadedModule& module) { return ShowLoadedModule(module); };
    }
    findModule_->Open();
}

bool TfMain::ShowLoadedModule(const core::LoadedModule& module)
{
    int row = ProcessRow(*lvMaster, module.processId, module.processName);
    if (row < 0) {
        RefreshProcesses();
        row = ProcessRow(*lvMaster, module.processId, module.processName);
    }
    if (row < 0)
        return false;
    // Selecting it again would change nothing, nor rebuild the module list.
    const bool alreadySelected = lvMaster->SelectedIndex() == row;
    SelectAndShow(*lvMaster, row);
    if (alreadySelected)
        ShowProcessDetails(module.processId);
    if (const int moduleRow = ModuleRow(*lvDetail, module.path); moduleRow >= 0)
        SelectAndShow(*lvDetail, moduleRow);
    ::SetForegroundWindow(Handle());
    ::SetFocus(lvDetail->Handle());
    return true;
}

void TfMain::FillProcessList(win32::ListView& list)
{
    // The detail rebuilds this refill sets off share one walk of the process.
    core::DetailSource::Burst burst(details_);
    const int selected = list.SelectedIndex();
    const auto selectedId = selected >= 0 ? static_cast<uint32_t>(list.Row(selected).data) : 0u;

    core::TToolHelper snapshot(toolhelp_, core::kSnapProcess, 0);
    core::ProbeCache& probes = details_.Probes();
    probes.BeginListing();
    std::vector<win32::ListRow> rows;
    core::ProcessEntry32 entry{};
    entry.dwSize = sizeof entry;
    int remembered = -1;
    for (bool more = snapshot.ProcessFirst(entry); more; more = snapshot.ProcessNext(entry)) {
        if (entry.th32ProcessID == selectedId)
            remembered = static_cast<int>(rows.size());
        rows.push_back(win32::ListRow{core::HexId(entry.th32ProcessID),
                                      {std::string(core::FileNamePart(core::FieldText(entry.szExeFile)))},
                                      static_cast<intptr_t>(entry.th32ProcessID),
                                      kProcessGlyph});
        probes.Listed(entry);
    }
    probes.EndListing();
    list.Refill(std::move(rows), remembered);
}

int TfMain::lvMasterCompare(win32::ListView& sender, const win32::ListRow& item1,
                            const win32::ListRow& item2)
{
    const core::SortState& state = SortStateOf(sender);
    const auto pid1 = static_cast<uint32_t>(item1.data);
    const auto pid2 = static_cast<uint32_t>(item2.data);
    if (state.column != kNameColumn)
        return core::CompareProcessRows(state, pid1, item1.Text(1), pid2, item2.Text(1), LocaleCompare);
    return core::CompareProcessRows(state, pid1, LocaleKeyOf(item1, kNameColumn), pid2,
                                    LocaleKeyOf(item2, kNameColumn), CompareKeys);
}

void TfMain::lvMasterChange(win32::ListView& sender)
{
    const int selected = sender.SelectedIndex();
    if (selected >= 0)
        ShowProcessDetails(static_cast<uint32_t>(sender.Row(selected).data));
}

void TfMain::ShowProcessDetails(uint32_t processId)
{
    const auto details = details_.Details(processId);
    if (!details->found) {
        // Exited, or may not be inspected: nothing to show, and the old
        // caption stays behind the hidden label.
        lvDetail->Clear();
        lDetailInfo->SetVisible(false);
        return;
    }
    const core::ProcessEntry32& entry = details->entry;
    const std::string format = win32::LoadResourceText(App().Instance(), IDS_SUMMARY_FORMAT);
    lDetailInfo->SetCaption(core::FormatText(format, {core::FieldText(entry.szExeFile), entry.th32ProcessID,
                                                      entry.th32ParentProcessID, entry.pcPriClassBase,
                                                      entry.cntThreads}));
    FillModuleList(*lvDetail, details->modules);
    lDetailInfo->SetVisible(true);
}

void TfMain::FillModuleList(win32::ListView& list, core::TToolHelper& snapshot)
{
    FillModuleList(list, core::WalkModules(snapshot, [this](const core::ModuleEntry32& module) {
                       return GetPreferredImageBase(toolhelp_, module.th32ProcessID,
                                                    reinterpret_cast<uintptr_t>(module.modBaseAddr));
                   }));
}

void TfMain::FillModuleList(win32::ListView& list, const std::vector<core::ModuleDetails>& modules)
{
    const std::string fixed = win32::LoadResourceText(App().Instance(), IDS_FIXED);
    std::vector<win32::ListRow> rows;
    rows.reserve(modules.size());
    for (const core::ModuleDetails& module : modules) {
        const uint64_t base = module.base;
        const uint64_t preferred = module.preferred;
        win32::ListRow row{module.usage == kFixedUsage ? fixed : std::to_string(module.usage),
                           {core::HexAddress(base),
                            preferred == base ? std::string() : core::HexAddress(preferred),
                            std::to_string(module.size),
                            module.path},
                           0,
                           kModuleGlyph};
        // Relocated; an unreadable header (0) says nothing about that.
        row.marked = preferred != 0 && preferred != base;
        rows.push_back(std::move(row));
    }
    // The same row number stays current, not the same module: the number
    // counts in the snapshot's order, before the sort.
    const int count = static_cast<int>(rows.size());
    const int remembered = (std::min)((std::max)(list.SelectedIndex(), 0), count - 1);
    list.Refill(std::move(rows), remembered);
}

int TfMain::lvDetailCompare(win32::ListView& sender, const win32::ListRow& item1,
                            const win32::ListRow& item2)
{
    const core::SortState& state = SortStateOf(sender);
    if (state.column != kPathColumn)
        return core::CompareModuleCells(state, item1.Text(state.column), item2.Text(state.column),
                                        LocaleCompare);
    return core::CompareModuleCells(state, LocaleKeyOf(item1, kPathColumn), LocaleKeyOf(item2, kPathColumn),
                                    CompareKeys);
}

void TfMain::ListViewColumnClick(win32::ListView& sender, int column)
{
    core::SortState& state = SortStateOf(sender);
    if (column == state.column) {
        state.descending = !state.descending;
    } else {
        state.column = column;
        state.descending = false;
    }
    UpdateColumnImages(sender);
    sender.Sort();
}

void TfMain::UpdateColumnImages(win32::ListView& list)
{
    const core::SortState& state = SortStateOf(list);
    for (int i = 0; i < list.ColumnCount(); ++i) {
        const int glyph = state.descending ? kSortDescendingGlyph : kSortAscendingGlyph;
        list.SetColumnImage(i, i == state.column ? glyph : -1);
    }
}
