#include "FloorList.h"

#include "app/ImageProbe.h"
#include "core/processes/ToolHelper.h"
#include "core/ui/TextFormat.h"

#include <commctrl.h>

namespace bench {

namespace {

constexpr uint32_t kFixedUsage = 65535;

} // namespace

FloorList::FloorList(const std::vector<std::string>& columns, HIMAGELIST images, int width, int height)
{
    RECT frame{0, 0, width, height};
    ::AdjustWindowRectEx(&frame, WS_POPUP | WS_BORDER, FALSE, 0);
    host_ = ::CreateWindowExA(0, "STATIC", "floor", WS_POPUP | WS_BORDER | WS_VISIBLE, 0, 0,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              ::GetModuleHandleA(nullptr), nullptr);
    const DWORD style = LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | LVS_SHAREIMAGELISTS | WS_TABSTOP |
                        WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE;
    list_ = ::CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", style, 0, 0, width, height, host_, nullptr,
                              ::GetModuleHandleA(nullptr), nullptr);
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    ListView_SetImageList(list_, images, LVSIL_SMALL);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.cx = i + 1 == columns.size() ? width / 2 : 70;
        column.pszText = const_cast<char*>(columns[i].c_str());
        column.iSubItem = static_cast<int>(i);
        ::SendMessageA(list_, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}

FloorList::~FloorList()
{
    ::DestroyWindow(host_);
}

int FloorList::Count() const
{
    return ListView_GetItemCount(list_);
}

void FloorList::Begin()
{
    ::SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list_);
}

void FloorList::Add(const std::string& caption, const std::vector<std::string>& subItems, int image, LPARAM data)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = Count();
    item.pszText = const_cast<char*>(caption.c_str());
    item.iImage = image;
    item.lParam = data;
    const int index = static_cast<int>(::SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    for (std::size_t i = 0; i < subItems.size(); ++i) {
        LVITEMA sub{};
        sub.iSubItem = static_cast<int>(i + 1);
        sub.pszText = const_cast<char*>(subItems[i].c_str());
        ::SendMessageA(list_, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&sub));
    }
}

void FloorList::End()
{
    ::SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list_, nullptr, TRUE);
}

void FloorList::FillProcesses(core::ToolhelpBinding& toolhelp)
{
    core::TToolHelper snapshot(toolhelp, core::kSnapProcess, 0);
    Begin();
    core::ProcessEntry32 entry{};
    entry.dwSize = sizeof entry;
    for (bool more = snapshot.ProcessFirst(entry); more; more = snapshot.ProcessNext(entry))
        Add(core::HexId(entry.th32ProcessID), {std::string(core::FileNamePart(core::FieldText(entry.szExeFile)))}, 0,
            static_cast<LPARAM>(entry.th32ProcessID));
    End();
}

void FloorList::FillModules(core::ToolhelpBinding& toolhelp, uint32_t processId, const std::string& fixedText)
{
    core::TToolHelper snapshot(toolhelp, core::kThisProgram.detailSnapshotFlags, processId);
    core::ProcessEntry32 entry{};
    entry.dwSize = sizeof entry;
    bool found = snapshot.ProcessFirst(entry);
    while (found && entry.th32ProcessID != processId)
        found = snapshot.ProcessNext(entry);
    Begin();
    core::ModuleEntry32 module{};
    module.dwSize = sizeof module;
    for (bool more = found && snapshot.ModuleFirst(module); more; more = snapshot.ModuleNext(module)) {
        const uint64_t base = reinterpret_cast<uintptr_t>(module.modBaseAddr);
        const uint64_t preferred = GetPreferredImageBase(toolhelp, module.th32ProcessID, base);
        Add(module.ProccntUsage == kFixedUsage ? fixedText : std::to_string(module.ProccntUsage),
            {core::HexAddress(base), preferred == base ? std::string() : core::HexAddress(preferred),
             std::to_string(module.modBaseSize), std::string(core::FieldText(module.szExePath))},
            1, 0);
    }
    End();
}

} // namespace bench
