#include "app/Main.h"

#include "app/MainForm.h"
#include "app/SystemToolhelp.h"
#include "core/TextFormat.h"
#include "core/ToolHelper.h"
#include "win32/FormBuilder.h"

#include <windows.h>

TfMain::TfMain(win32::Application& app) : Form(MainFormDeclaration().props)
{
    win32::FormBuilder<TfMain>(*this, app).Build(MainFormDeclaration());
}

void TfMain::FormCreate()
{
    lvMaster->Tag = &masterSort_;
}

void TfMain::FormShow()
{
    RefreshProcesses();
}

void TfMain::FormDestroy()
{
}

void TfMain::RefreshProcesses()
{
    FillProcessList(*lvMaster);
}

void TfMain::TheTimerTick(win32::Timer&)
{
    RefreshProcesses();
}

void TfMain::FillProcessList(win32::ListView& list)
{
    const int selected = list.SelectedIndex();
    const auto selectedId = selected >= 0 ? static_cast<uint32_t>(list.Row(selected).data) : 0u;

    core::TToolHelper snapshot(SystemToolhelp(), core::kSnapProcess, 0);
    win32::ListUpdate batch(list);
    list.Clear();

    core::ProcessEntry32 entry{};
    entry.dwSize = sizeof entry;
    int remembered = -1;
    for (bool more = snapshot.ProcessFirst(entry); more; more = snapshot.ProcessNext(entry)) {
        const int index = list.AddRow({core::HexId(entry.th32ProcessID),
                                       {std::string(core::FileNamePart(core::FieldText(entry.szExeFile)))},
                                       static_cast<intptr_t>(entry.th32ProcessID),
                                       0});
        if (entry.th32ProcessID == selectedId)
            remembered = index;
    }
    if (remembered >= 0)
        list.Select(remembered);
}

namespace {

int LocaleCompare(std::string_view a, std::string_view b)
{
    return ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                            b.data(), static_cast<int>(b.size())) - CSTR_EQUAL;
}

} // namespace

int TfMain::lvMasterCompare(win32::ListView& sender, const win32::ListRow& item1,
                            const win32::ListRow& item2)
{
    const auto& state = *static_cast<const core::SortState*>(sender.Tag);
    return core::CompareProcessRows(state, static_cast<uint32_t>(item1.data), item1.Text(1),
                                    static_cast<uint32_t>(item2.data), item2.Text(1), LocaleCompare);
}
