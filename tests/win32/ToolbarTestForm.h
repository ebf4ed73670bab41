// A form of the tests' own with a menu bar, a toolbar, actions and an
// AutoHint status bar, so the toolbar layer is tried apart from the program.
#pragma once

#include "resource.h"
#include "toolbars/Declarations.h"
#include "win32/Declarations.h"

#include <string>
#include <vector>

class TfToolbarTest : public win32::Form {
public:
    explicit TfToolbarTest(win32::Application& app);

    toolbars::TTBDock* dkTop = nullptr;
    toolbars::TTBToolbar* tbMenu = nullptr;
    toolbars::TTBSubmenuItem* smFile = nullptr;
    toolbars::TTBItem* iExit = nullptr;
    toolbars::TTBSubmenuItem* smView = nullptr;
    toolbars::TTBVisibilityToggleItem* iToggleToolbar = nullptr;
    toolbars::TTBVisibilityToggleItem* iToggleStatusBar = nullptr;
    toolbars::TTBItem* iRefresh = nullptr;
    toolbars::TTBItem* iAutoRefresh = nullptr;
    toolbars::TTBSubmenuItem* smHelp = nullptr;
    toolbars::TTBItem* iAbout = nullptr;
    toolbars::TTBToolbar* tbMain = nullptr;
    toolbars::TTBItem* bRefresh = nullptr;
    toolbars::TTBItem* bAutoRefresh = nullptr;
    toolbars::TTBItem* bAbout = nullptr;
    toolbars::TTBItem* bExit = nullptr;
    win32::StatusBar* TheStatusBar = nullptr;
    win32::ListView* lvList = nullptr;
    win32::ImageList* ilMain = nullptr;
    win32::ActionList* alMain = nullptr;
    win32::Action* aExit = nullptr;
    win32::Action* aRefresh = nullptr;
    win32::Action* aAbout = nullptr;
    win32::Action* aAutoRefresh = nullptr;

    // Every execute handler run, by action name, with the check state it saw.
    struct Run {
        std::string action;
        bool checked;
    };
    std::vector<Run> runs;

    void ActionExecute(win32::Action& sender) { runs.push_back({sender.Name(), sender.Checked()}); }
};

inline win32::FormDecl<TfToolbarTest> ToolbarTestFormDeclaration()
{
    using F = TfToolbarTest;
    using core::Align;
    using namespace toolbars;
    return {
        .props = {.name = "TfToolbarTest", .caption = "Toolbar test", .left = 40, .top = 40,
                  .clientWidth = 420, .clientHeight = 240},
        .components = {
            win32::StatusBarDecl<F>{
                .props = {.control = {.name = "TheStatusBar", .parent = "TfToolbarTest", .align = Align::Bottom,
                                      .bounds = {0, 221, 420, 19}},
                          .autoHint = true},
                .field = &F::TheStatusBar},
            DockDecl<F>{
                .props = {.control = {.name = "dkTop", .parent = "TfToolbarTest", .bounds = {0, 0, 420, 26}}},
                .field = &F::dkTop},
            ToolbarDecl<F>{
                .props = {.window = {.control = {.name = "tbMenu", .parent = "dkTop", .bounds = {}, .tabOrder = 0},
                                     .caption = "Main Menu", .closeButton = false},
                          .menuBar = true,
                          .processShortCuts = true, .shrinkMode = ShrinkMode::Wrap},
                .field = &F::tbMenu,
                .images = "ilMain",
                .items = {
                    SubmenuItemDecl<F>{.props = {.name = "smFile", .caption = "&File"}, .field = &F::smFile,
                                       .items = {ItemDecl<F>{.props = {.name = "iExit"}, .field = &F::iExit,
                                                             .action = "aExit"}}},
                    SubmenuItemDecl<F>{
                        .props = {.name = "smView", .caption = "&View"}, .field = &F::smView,
                        .items = {
                            VisibilityToggleItemDecl<F>{
                                .props = {.name = "iToggleToolbar", .caption = "&Toolbar", .hint = "Toggle Toolbar"},
                                .field = &F::iToggleToolbar, .control = "tbMain"},
                            VisibilityToggleItemDecl<F>{
                                .props = {.name = "iToggleStatusBar", .caption = "&Status Bar",
                                          .hint = "Toggle Status Bar"},
                                .field = &F::iToggleStatusBar, .control = "TheStatusBar"},
                            SeparatorItemDecl<F>{.name = "iViewSepRefresh"},
                            ItemDecl<F>{.props = {.name = "iRefresh"}, .field = &F::iRefresh, .action = "aRefresh"},
                            ItemDecl<F>{.props = {.name = "iAutoRefresh"}, .field = &F::iAutoRefresh,
                                        .action = "aAutoRefresh"}}},
                    SubmenuItemDecl<F>{.props = {.name = "smHelp", .caption = "&Help"}, .field = &F::smHelp,
                                       .items = {ItemDecl<F>{.props = {.name = "iAbout"}, .field = &F::iAbout,
                                                             .action = "aAbout"}}}}},
            ToolbarDecl<F>{
                .props = {.window = {.control = {.name = "tbMain", .parent = "dkTop", .bounds = {}, .tabOrder = 1},
                                     .caption = "Toolbar", .dockPos = 24, .closeButtonWhenDocked = true}},
                .field = &F::tbMain,
                .images = "ilMain",
                .items = {ItemDecl<F>{.props = {.name = "bRefresh"}, .field = &F::bRefresh, .action = "aRefresh"},
                          ItemDecl<F>{.props = {.name = "bAutoRefresh"}, .field = &F::bAutoRefresh,
                                      .action = "aAutoRefresh"},
                          SeparatorItemDecl<F>{.name = "tbSep1"},
                          ItemDecl<F>{.props = {.name = "bAbout"}, .field = &F::bAbout, .action = "aAbout"},
                          SeparatorItemDecl<F>{.name = "tbSep2"},
                          ItemDecl<F>{.props = {.name = "bExit"}, .field = &F::bExit, .action = "aExit"}}},
            win32::ListViewDecl<F>{
                .props = {.control = {.name = "lvList", .parent = "TfToolbarTest", .align = Align::Client,
                                      .bounds = {0, 26, 420, 195}, .tabOrder = 2},
                          .columns = {{"Name", 120}, {"Value", win32::ListView::kFillWidth}}},
                .field = &F::lvList},
            win32::ImageListDecl<F>{
                .props = {.name = "ilMain", .bitmapResource = IDB_ILMAIN_NAME, .maskColor = RGB(255, 0, 255)},
                .field = &F::ilMain},
            win32::ActionListDecl<F>{
                .props = {.name = "alMain", .images = "ilMain"},
                .field = &F::alMain,
                .actions = {
                    {.props = {.name = "aExit", .caption = "E&xit", .hint = "Exit|Exits the program",
                               .imageIndex = 2},
                     .field = &F::aExit, .onExecute = &F::ActionExecute},
                    {.props = {.name = "aRefresh", .caption = "Refresh", .hint = "Refresh|Refresh the screen",
                               .imageIndex = 4, .shortCut = core::MakeShortCut(VK_F5)},
                     .field = &F::aRefresh, .onExecute = &F::ActionExecute},
                    {.props = {.name = "aAbout", .caption = "About...", .hint = "About...|Version info",
                               .imageIndex = 3, .shortCut = core::MakeShortCut(VK_F1, core::kCtrl)},
                     .field = &F::aAbout, .onExecute = &F::ActionExecute},
                    {.props = {.name = "aAutoRefresh", .caption = "&Auto refresh",
                               .hint = "Auto refresh|Automatically refresh lists", .imageIndex = 5,
                               .autoCheck = true},
                     .field = &F::aAutoRefresh, .onExecute = &F::ActionExecute}}},
        },
    };
}

inline TfToolbarTest::TfToolbarTest(win32::Application& app) : Form(ToolbarTestFormDeclaration().props)
{
    win32::FormBuilder<TfToolbarTest>(*this, app).Build(ToolbarTestFormDeclaration());
}
