// A real main window for a test, built from its declaration but not shown.
#pragma once

#include "processes/FakeToolhelp.h"
#include "TestSettings.h"
#include "TestSupport.h"
#include "app/Main.h"
#include "win32/Application.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() : app(::GetModuleHandleA(nullptr))
    {
        DeleteTestSettings();
        app.SetTitle("Vantora");
        form = std::make_unique<TfMain>(app);
        form->SetSettingsKey(kTestSettingsKey);
        app.SetMainWindow(form->Handle());
    }
    explicit MainWindowTest(core::ToolhelpBinding& toolhelp) : app(::GetModuleHandleA(nullptr))
    {
        DeleteTestSettings();
        app.SetTitle("Vantora");
        form = std::make_unique<TfMain>(app, toolhelp);
        form->SetSettingsKey(kTestSettingsKey);
        app.SetMainWindow(form->Handle());
    }
    ~MainWindowTest() override
    {
        form.reset();
        DeleteTestSettings();
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

    // Row indices of the process list in display order, as process ids.
    std::vector<uint32_t> ProcessOrder() const
    {
        std::vector<uint32_t> ids;
        for (int i = 0; i < form->lvMaster->Count(); ++i)
            ids.push_back(static_cast<uint32_t>(form->lvMaster->Row(i).data));
        return ids;
    }

    // What a column of a list shows, top to bottom.
    static std::vector<std::string> ColumnTexts(HWND list, int column)
    {
        std::vector<std::string> texts;
        const int rows = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < rows; ++i)
            texts.push_back(CellText(list, i, column));
        return texts;
    }

    win32::Application app;
    std::unique_ptr<TfMain> form;
};

// The main window on a scripted Toolhelp source instead of the system's.
class FakeSourceHolder {
protected:
    FakeSourceHolder() { fake::current = &snapshot; }
    ~FakeSourceHolder() { fake::current = nullptr; }

    fake::Snapshot snapshot;
    fake::Kernel kernel;
    core::ToolhelpBinding binding{kernel};
};

class FakeMainWindowTest : protected FakeSourceHolder, public MainWindowTest {
protected:
    FakeMainWindowTest() : MainWindowTest(binding) {}
};
