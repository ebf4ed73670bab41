// The tests' own toolbar form for a test, built from its declaration but not
// shown.
#pragma once

#include "TestSettings.h"
#include "ToolbarForm.h"
#include "win32/Application.h"

#include <gtest/gtest.h>

#include <memory>

class ToolbarFormTest : public ::testing::Test {
protected:
    ToolbarFormTest() : app(::GetModuleHandleA(nullptr))
    {
        DeleteTestSettings();
        app.SetTitle("Toolbars");
        form = std::make_unique<TfToolbars>(app);
        app.SetMainWindow(form->Handle());
    }
    ~ToolbarFormTest() override
    {
        form.reset();
        DeleteTestSettings();
    }

    win32::Application app;
    std::unique_ptr<TfToolbars> form;
};
