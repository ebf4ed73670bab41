#include "ToolbarForm.h"

#include "TestSettings.h"
#include "resource.h"
#include "toolbars/ToolbarDeclarations.h"
#include "toolbars/ToolbarPositions.h"
#include "win32/ControlDeclarations.h"

#include <string>

namespace {

using core::Align;
using toolbars::DockPosition;
using toolbars::ItemDecl;
using toolbars::SeparatorItemDecl;
using toolbars::SubmenuItemDecl;
using toolbars::VisibilityToggleItemDecl;

std::string ToolbarsKey()
{
    return std::string(kTestSettingsKey) + "\\Toolbars";
}

win32::FormDecl<TfToolbars> Declaration()
{
    using F = TfToolbars;
    // As in any form, aligned siblings stack by their designed bounds.
    return {
        .props = {.name = "TfToolbars",
                  .caption = "Toolbars",
                  .left = 580, .top = 254,
                  .clientWidth = 542, .clientHeight = 321,
                  .desktopCenter = true},
        .onShow = &F::FormShow,
        .onDestroy = &F::FormDestroy,
        .components = {
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
                               .shrinkMode = toolbars::ShrinkMode::Wrap},
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
                                     .props = {.name = "iToggleToolbar", .caption = "&Toolbar"},
                                     .field = &F::iToggleToolbar,
                                     .control = &F::tbMain},
                                 VisibilityToggleItemDecl<F>{
                                     .props = {.name = "iToggleStatusBar", .caption = "&Status Bar"},
                                     .field = &F::iToggleStatusBar,
                                     .control = &F::TheStatusBar},
                                 SeparatorItemDecl<F>{.name = "iViewSep", .field = &F::iViewSep},
                                 ItemDecl<F>{.props = {.name = "iGo"}, .field = &F::iGo, .action = &F::aGo},
                                 ItemDecl<F>{.props = {.name = "iRepeat"}, .field = &F::iRepeat,
                                             .action = &F::aRepeat}}},
                         SubmenuItemDecl<F>{
                             .props = {.name = "smHelp", .caption = "&Help"},
                             .field = &F::smHelp,
                             .items = {ItemDecl<F>{.props = {.name = "iNote"}, .field = &F::iNote,
                                                   .action = &F::aNote}}}}},
                    {.props = {.window = {.control = {.name = "tbMain", .bounds = {105, 0, 0, 0}, .tabOrder = 1},
                                          .caption = "Toolbar",
                                          .dockPos = 24,
                                          .closeButtonWhenDocked = true}},
                     .field = &F::tbMain,
                     .images = &F::ilMain,
                     .items = {
                         ItemDecl<F>{.props = {.name = "bGo"}, .field = &F::bGo, .action = &F::aGo},
                         ItemDecl<F>{.props = {.name = "bRepeat"}, .field = &F::bRepeat, .action = &F::aRepeat},
                         SeparatorItemDecl<F>{.name = "tbSep1", .field = &F::tbSep1},
                         ItemDecl<F>{.props = {.name = "bNote"}, .field = &F::bNote, .action = &F::aNote},
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
                .props = {.control = {.name = "lvBody", .align = Align::Client, .bounds = {9, 26, 524, 267}},
                          .columns = {{"Body", win32::ListView::kFillWidth}}},
                .field = &F::lvBody},
            win32::ActionListDecl<F>{
                .props = {.name = "alMain"},
                .field = &F::alMain,
                .images = &F::ilMain,
                .actions = {
                    {.props = {.name = "aExit", .caption = "E&xit", .hint = "Exit|Closes the form", .imageIndex = 3},
                     .field = &F::aExit,
                     .onExecute = &F::aaExit},
                    {.props = {.name = "aGo", .caption = "&Go", .hint = "Go|Goes one step", .imageIndex = 0,
                               .shortCut = core::MakeShortCut(VK_F5)},
                     .field = &F::aGo},
                    {.props = {.name = "aNote", .caption = "&Note...", .hint = "Note|Shows a note",
                               .imageIndex = 2, .shortCut = core::MakeShortCut(VK_F1, core::kCtrl)},
                     .field = &F::aNote,
                     .onExecute = &F::aaNote},
                    {.props = {.name = "aRepeat", .caption = "&Repeat", .hint = "Repeat|Repeats every step",
                               .imageIndex = 1, .autoCheck = true},
                     .field = &F::aRepeat}}},
            // Any strip of 16-pixel glyphs serves; the program's is at hand.
            win32::ImageListDecl<F>{
                .props = {.name = "ilMain", .bitmapResource = IDB_ILMAIN_NAME},
                .field = &F::ilMain},
        },
    };
}

} // namespace

TfToolbars::TfToolbars(win32::Application& app) : Form(Declaration().props)
{
    win32::FormBuilder<TfToolbars>(*this, app).Build(Declaration());
}

void TfToolbars::FormShow()
{
    toolbars::RestoreToolbarPositions(*this, ToolbarsKey());
}

void TfToolbars::FormDestroy()
{
    toolbars::StoreToolbarPositions(*this, ToolbarsKey());
}

void TfToolbars::aaExit(win32::Action&)
{
    Close();
}

void TfToolbars::aaNote(win32::Action&)
{
    ::MessageBoxA(Handle(), "A note", "Note", MB_OK | MB_ICONINFORMATION);
}
