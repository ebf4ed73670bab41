#include "app/MainForm.h"

#include "resource.h"
#include "toolbars/Declarations.h"
#include "win32/Declarations.h"

using core::Align;
using toolbars::DockPosition;
using win32::TextAlign;

namespace {

constexpr int kFill = win32::ListView::kFillWidth;

} // namespace

win32::FormDecl<TfMain> MainFormDeclaration()
{
    using F = TfMain;
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
                .props = {.control = {.name = "sMain", .parent = "TfMain", .align = Align::Left,
                                      .bounds = {233, 26, 5, 267}},
                          .minSize = 30},
                .field = &F::sMain},
            win32::StatusBarDecl<F>{
                .props = {.control = {.name = "TheStatusBar", .parent = "TfMain", .align = Align::Bottom,
                                      .bounds = {0, 302, 542, 19}}},
                .field = &F::TheStatusBar},
            toolbars::DockDecl<F>{
                .props = {.control = {.name = "dkTop", .parent = "TfMain", .bounds = {0, 0, 542, 26}},
                          .position = DockPosition::Top},
                .field = &F::dkTop},
            toolbars::DockDecl<F>{
                .props = {.control = {.name = "dkBottom", .parent = "TfMain", .bounds = {0, 293, 542, 9}},
                          .position = DockPosition::Bottom},
                .field = &F::dkBottom},
            toolbars::DockDecl<F>{
                .props = {.control = {.name = "dkLeft", .parent = "TfMain", .bounds = {0, 26, 9, 267}},
                          .position = DockPosition::Left, .fixAlign = true},
                .field = &F::dkLeft},
            toolbars::DockDecl<F>{
                .props = {.control = {.name = "dkRight", .parent = "TfMain", .bounds = {533, 26, 9, 267}},
                          .position = DockPosition::Right},
                .field = &F::dkRight},
            win32::ListViewDecl<F>{
                .props = {.control = {.name = "lvMaster", .parent = "TfMain", .align = Align::Left,
                                      .bounds = {9, 26, 224, 267}, .tabOrder = 5},
                          .columns = {{"ProcessID", 75}, {"Executable name", kFill}}},
                .field = &F::lvMaster,
                .smallImages = "ilMain",
                .onChange = &F::lvMasterChange,
                .onColumnClick = &F::ListViewColumnClick,
                .onCompare = &F::lvMasterCompare},
            win32::PanelDecl<F>{
                .props = {.control = {.name = "pDetail", .parent = "TfMain", .align = Align::Client,
                                      .bounds = {238, 26, 295, 267}, .tabOrder = 6}},
                .field = &F::pDetail},
            win32::LabelDecl<F>{
                .props = {.control = {.name = "lDetailInfo", .parent = "pDetail", .align = Align::Top,
                                      .bounds = {0, 0, 295, 13}}},
                .field = &F::lDetailInfo},
            win32::ListViewDecl<F>{
                .props = {.control = {.name = "lvDetail", .parent = "pDetail", .align = Align::Client,
                                      .bounds = {0, 13, 295, 254}, .tabOrder = 0},
                          .columns = {{"Use count", 75},
                                      {"Base addr", 70, TextAlign::Right},
                                      {"Image addr", 70, TextAlign::Right},
                                      {"Size", 60, TextAlign::Right},
                                      {"Module file", kFill}}},
                .field = &F::lvDetail,
                .smallImages = "ilMain",
                .onColumnClick = &F::ListViewColumnClick,
                .onCompare = &F::lvDetailCompare},
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
