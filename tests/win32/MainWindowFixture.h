// A real main window for a test, built from its declaration but not shown.
#pragma once

#include "TestSupport.h"
#include "app/Main.h"
#include "win32/Application.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() : app(::GetModuleHandleA(nullptr))
    {
        app.SetTitle("Vantora");
        form = std::make_unique<TfMain>(app);
        app.SetMainWindow(form->Handle());
    }

    // Index of the process list row for a process id, or -1.
    int RowOf(DWORD processId) const
    {
        for (int i = 0; i < form->lvMaster->Count(); ++i) {
            if (form->lvMaster->Row(i).data == static_cast<intptr_t>(processId))
                return i;
        }
        return -1;
    }

    // What the control itself shows, not what the program keeps beside it.
    static std::string CellText(HWND list, int row, int column)
    {
        char buffer[512] = {};
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = buffer;
        item.cchTextMax = sizeof buffer;
        ::SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        return buffer;
    }

    win32::Application app;
    std::unique_ptr<TfMain> form;
};
