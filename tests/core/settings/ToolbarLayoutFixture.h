// What the stored toolbar layout's tests share: the main window's docks and
// toolbars as fakes that log what is done to them, and a store of values.
#pragma once

#include "core/settings/ERegistryException.h"
#include "core/settings/ToolbarLayout.h"

#include "docking/FakeLayout.h"
#include "settings/FakeRegistry.h"

#include <gtest/gtest.h>

#include <climits>
#include <algorithm>
#include <functional>
#include <initializer_list>

using core::LayoutComponent;
using core::Point;
using Strings = std::vector<std::string>;

// Per file: each test file initialises its own copies, in this order.
namespace {

const std::string kBase = "Software\\Morvane\\Vantora\\Toolbars";

} // namespace

inline std::string Raised(const std::function<void()>& call)
{
    try {
        call();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "(nothing raised)";
}

// The main window's components: four docks, something else, two toolbars in dkTop.
class LayoutTest : public ::testing::Test {
protected:
    LayoutTest()
    {
        tbMain.pos = 24;
        owner = {{&dkTop, nullptr}, {&dkBottom, nullptr}, {&dkLeft, nullptr}, {&dkRight, nullptr},
                 {},                {nullptr, &tbMenu},  {nullptr, &tbMain}};
    }

    // What was done to one window, in order.
    Strings CallsOf(const fake::Window& window) const
    {
        Strings calls;
        for (const std::string& entry : log)
            if (entry.rfind(window.name + " ", 0) == 0)
                calls.push_back(entry.substr(window.name.size() + 1));
        return calls;
    }
    Strings DockCalls() const
    {
        Strings calls;
        for (const std::string& entry : log)
            if (entry.rfind("suspend ", 0) == 0 || entry.rfind("resume ", 0) == 0)
                calls.push_back(entry);
        return calls;
    }
    void Entry(const std::string& section, const std::string& dockedTo, const std::string& visible = "1")
    {
        store.Set(section, "Rev", "2000");
        store.Set(section, "Visible", visible);
        store.Set(section, "DockedTo", dockedTo);
    }
    void Read() { core::ReadToolbarLayout(owner, store.Reader()); }
    void Write() { core::WriteToolbarLayout(owner, store.Writer()); }

    fake::Log log;
    fake::Dock dkTop{log, "dkTop"}, dkBottom{log, "dkBottom"}, dkLeft{log, "dkLeft"}, dkRight{log, "dkRight"};
    fake::Toolbar tbMenu{log, "tbMenu", &dkTop}, tbMain{log, "tbMain", &dkTop};
    std::vector<LayoutComponent> owner;
    fake::Store store;
};

namespace {

const Strings kAllDocksSuspendedAndResumed = {
    "suspend dkTop",  "suspend dkBottom", "suspend dkLeft", "suspend dkRight",
    "resume dkRight", "resume dkLeft",    "resume dkBottom", "resume dkTop"};

} // namespace
