#include "app/MainForm.h"

#include "core/processes/ProgramVariant.h"
#include "resource.h"
#include "toolbars/ToolbarDeclarations.h"
#include "win32/ControlDeclarations.h"

using core::Align;
using toolbars::DockPosition;
using toolbars::ItemDecl;
using toolbars::SeparatorItemDecl;
using toolbars::ShrinkMode;
using toolbars::SubmenuItemDecl;
using toolbars::VisibilityToggleItemDecl;
using win32::TextAlign;

namespace {

constexpr int kFill = win32::ListView::kFillWidth;
// A calm pale yellow: the colour users know for relocated modules.
constexpr COLORREF kRelocatedRowColor = RGB(255, 250, 205);

} // namespace

win32::FormDecl<TfMain> MainFormDeclaration()
{
    using F = TfMain;
    // Aligned siblings stack by their designed bounds, not by their order
    // here: on each edge the one whose bounds lie nearer that edge goes
    // nearer it (dkLeft at left 0 outside lvMaster at 9, the status bar at
    // the bottom below dkBottom); the order here only breaks ties.
    return {
        .props = {.name = "TfMain",
                  .caption = "Vantora, Copyright (c) 2026 Morvane",
                  .left = 580, .top = 254,
                  .clientWidth = 542, .clientHeight = 321,
                  .desktopCenter = true,
                  .fontName = "Tahoma", .fontHeight = -11,
                  .iconName = IDI_MAINICON_NAME},
        .onCreate = &F::FormCreate,
        .onShow = &F::FormShow,
        .onDestroy = &F::FormDestroy,
        .components = {
            win32::SplitterDecl<F>{
                .props = {.control = {.name = "sMain", .align = Align::Left, .bounds = {233, 26, 5, 267}},
                          .minSize = 30},
                .field = &F::sMain},
            win32::StatusBarDecl<F>{
                .props = {.control = {.name = "TheStatusBar", .align = Align::Bottom, .bounds = {0, 302, 542, 19}},
                          .autoHint = true},
                .field = &F::TheStatusBar},
            toolbars::DockDecl<F>{
                .props = {.control = {.name = "dkTop", .bounds = {0, 0, 542, 26}}, .position = DockPosition::Top},
                .field = &F::dkTop,
                .toolbars = {
                    {.props = {.window = {.control = {.name = "tbMenu", .bounds = {0, 0, 0, 0}, .tabOrder = 0},
                                          .caption = "Main Menu",
                                          .closeButton = false},
                               .menuBar = true,
                               .processShortCuts = true,
                               .shrinkMode = ShrinkMode::Wrap},
                     .field = &F::tbMenu,
                     .images = &F::ilMain,
                     .items = {
                         SubmenuItemDecl<F>{
                             .props = {.name = "smFile", .caption = "&File"},
                             .field = &F::smFile,
                             .items = {ItemDecl<F>{.props = {.name = "iExit"}, .field = &F::iExit,
                                                   .action = &F::aExit}}},
                         SubmenuItemDecl<F>{
                             .props = {.name = "smView", .caption = "&View"},
                             .field = &F::smView,
                             .items = {
                                 VisibilityToggleItemDecl<F>{
                                     .props = {.name = "iToggleToolbar", .caption = "&Toolbar",
                                               .hint = "Toggle Toolbar"},
                                     .field = &F::iToggleToolbar,
                                     .control = &F::tbMain},
                                 VisibilityToggleItemDecl<F>{
                                     .props = {.name = "iToggleStatusBar", .caption = "&Status Bar",
                                               .hint = "Toggle Status Bar"},
                                     .field = &F::iToggleStatusBar,
                                     .control = &F::TheStatusBar},
                                 SeparatorItemDecl<F>{.name = "iViewSepRefresh", .field = &F::iViewSepRefresh},
                                 ItemDecl<F>{.props = {.name = "iRefresh"}, .field = &F::iRefresh,
                                             .action = &F::aRefresh},
                                 ItemDecl<F>{.props = {.name = "iAutoRefresh"}, .field = &F::iAutoRefresh,
                                             .action = &F::aAutoRefresh},
                                 SeparatorItemDecl<F>{.name = "iViewSepFind", .field = &F::iViewSepFind},
                                 ItemDecl<F>{.props = {.name = "iFindModule"}, .field = &F::iFindModule,
                                             .action = &F::aFindModule}}},
                         SubmenuItemDecl<F>{
                             .props = {.name = "smHelp", .caption = "&Help"},
                             .field = &F::smHelp,
                             .items = {ItemDecl<F>{.props = {.name = "iAbout"}, .field = &F::iAbout,
                                                   .action = &F::aAbout}}}}},
                    {.props = {.window = {.control = {.name = "tbMain", .bounds = {105, 0, 0, 0}, .tabOrder = 1},
                                          .caption = "Toolbar",
                                          .dockPos = 24,
                                          .closeButtonWhenDocked = true}},
                     .field = &F::tbMain,
                     .images = &F::ilMain,
                     .items = {
                         ItemDecl<F>{.props = {.name = "bRefresh"}, .field = &F::bRefresh, .action = &F::aRefresh},
                         ItemDecl<F>{.props = {.name = "bAutoRefresh"}, .field = &F::bAutoRefresh,
                                     .action = &F::aAutoRefresh},
                         SeparatorItemDecl<F>{.name = "tbSep1", .field = &F::tbSep1},
                         ItemDecl<F>{.props = {.name = "bAbout"}, .field = &F::bAbout, .action = &F::aAbout},
                         SeparatorItemDecl<F>{.name = "tbSep2", .field = &F::tbSep2},
                         ItemDecl<F>{.props = {.name = "bExit"}, .field = &F::bExit, .action = &F::aExit}}}}},
            toolbars::DockDecl<F>{
                .props = {.control = {.name = "dkBottom", .bounds = {0, 293, 542, 9}},
                          .position = DockPosition::Bottom},
                .field = &F::dkBottom},
            toolbars::DockDecl<F>{
                .props = {.control = {.name = "dkLeft", .bounds = {0, 26, 9, 267}},
                          .position = DockPosition::Left, .fixAlign = true},
                .field = &F::dkLeft},
            toolbars::DockDecl<F>{
                .props = {.control = {.name = "dkRight", .bounds = {533, 26, 9, 267}},
                          .position = DockPosition::Right},
                .field = &F::dkRight},
            win32::ListViewDecl<F>{
                .props = {.control = {.name = "lvMaster", .align = Align::Left, .bounds = {9, 26, 224, 267},
                                      .tabOrder = 5},
                          .columns = {{"ProcessID", 75}, {"Executable name", kFill}},
                          .text = "Processes",
                          .typeToFind = {.column = 1}},
                .field = &F::lvMaster,
                .smallImages = &F::ilMain,
                .onChange = &F::lvMasterChange,
                .onColumnClick = &F::ListViewColumnClick,
                .onCompare = &F::lvMasterCompare},
            win32::PanelDecl<F>{
                .props = {.control = {.name = "pDetail", .align = Align::Client, .bounds = {238, 26, 295, 267},
                                      .tabOrder = 6}},
                .field = &F::pDetail,
                .controls = {
                    win32::LabelDecl<F>{
                        .props = {.control = {.name = "lDetailInfo", .align = Align::Top, .bounds = {0, 0, 295, 13}}},
                        .field = &F::lDetailInfo},
                    win32::ListViewDecl<F>{
                        .props = {.control = {.name = "lvDetail", .align = Align::Client, .bounds = {0, 13, 295, 254},
                                              .tabOrder = 0},
                                  .columns = {{"Use count", 75},
                                              {"Base addr", core::kThisProgram.addressColumnWidth, TextAlign::Right},
                                              {"Image addr", core::kThisProgram.addressColumnWidth, TextAlign::Right},
                                              {"Size", 60, TextAlign::Right},
                                              {"Module file", kFill}},
                                  .text = "Modules",
                                  .typeToFind = {.column = 4, .fileNamePart = true},
                                  .markColor = kRelocatedRowColor},
                        .field = &F::lvDetail,
                        .smallImages = &F::ilMain,
                        .onColumnClick = &F::ListViewColumnClick,
                        .onCompare = &F::lvDetailCompare}}},
            win32::ActionListDecl<F>{
                .props = {.name = "alMain"},
                .field = &F::alMain,
                .images = &F::ilMain,
                .actions = {
                    {.props = {.name = "aExit", .caption = "E&xit", .hint = "Exit|Exits the program",
                               .imageIndex = 2},
                     .field = &F::aExit,
                     .onExecute = &F::aaExit},
                    {.props = {.name = "aRefresh", .caption = "Refresh", .hint = "Refresh|Refresh the screen",
                               .imageIndex = 4, .shortCut = core::MakeShortCut(VK_F5)},
                     .field = &F::aRefresh,
                     .onExecute = &F::aaRefresh},
                    {.props = {.name = "aAbout", .caption = "About Vantora...",
                               .hint = "About Vantora...|Version info and copyrights",
                               .imageIndex = 3, .shortCut = core::MakeShortCut(VK_F1, core::kCtrl)},
                     .field = &F::aAbout,
                     .onExecute = &F::aaAbout},
                    {.props = {.name = "aAutoRefresh", .caption = "&Auto refresh",
                               .hint = "Auto refresh|Automatically refresh lists",
                               .imageIndex = 5, .autoCheck = true},
                     .field = &F::aAutoRefresh,
                     .onExecute = &F::aaAutoRefresh},
                    {.props = {.name = "aFindModule", .caption = "Find &Module...",
                               .hint = "Find module|Find the processes that have a module loaded",
                               .shortCut = core::MakeShortCut('F', core::kCtrl)},
                     .field = &F::aFindModule,
                     .onExecute = &F::aaFindModule}}},
            win32::ImageListDecl<F>{
                .props = {.name = "ilMain", .bitmapResource = IDB_ILMAIN_NAME,
                          .maskColor = RGB(255, 0, 255)},
                .field = &F::ilMain},
            win32::TimerDecl<F>{
                .props = {.name = "TheTimer", .interval = 5000, .enabled = false},
                .field = &F::TheTimer,
                .onTimer = &F::TheTimerTick},
        },
    };
}
