#include "app/FindModuleForm.h"

#include "core/processes/ProgramVariant.h"
#include "win32/ControlDeclarations.h"

using core::Align;
using win32::TextAlign;

win32::FormDecl<TfFindModule> FindModuleFormDeclaration()
{
    using F = TfFindModule;
    return {
        .props = {.name = "TfFindModule",
                  .caption = "Find Module",
                  .clientWidth = 520, .clientHeight = 300,
                  .fontName = "Tahoma", .fontHeight = -11,
                  .toolWindow = true},
        .components = {
            // Names the edit box for screen readers.
            win32::LabelDecl<F>{
                .props = {.control = {.name = "lModule", .align = Align::Top, .bounds = {0, 0, 520, 13}},
                          .caption = "Module file name:"},
                .field = &F::lModule},
            win32::EditDecl<F>{
                .props = {.control = {.name = "edModule", .align = Align::Top, .bounds = {0, 13, 520, 21},
                                      .tabOrder = 0}},
                .field = &F::edModule,
                .onChange = &F::edModuleChange,
                .onKeyDown = &F::edModuleKeyDown},
            win32::VirtualListViewDecl<F>{
                .props = {.control = {.name = "lvFound", .align = Align::Client, .bounds = {0, 34, 520, 266},
                                      .tabOrder = 1},
                          .columns = {{"Process", 110},
                                      {"ProcessID", 75},
                                      {"Module file", 240},
                                      {"Base addr", core::kThisProgram.addressColumnWidth, TextAlign::Right}},
                          .text = "Modules found"},
                .field = &F::lvFound,
                .onCellText = &F::lvFoundCellText,
                .onDblClick = &F::lvFoundDblClick},
            win32::ActionListDecl<F>{
                .props = {.name = "alFind"},
                .field = &F::alFind,
                .actions = {
                    {.props = {.name = "aFindRefresh", .caption = "Refresh",
                               .shortCut = core::MakeShortCut(VK_F5)},
                     .field = &F::aFindRefresh,
                     .onExecute = &F::aaFindRefresh},
                    {.props = {.name = "aShowFound", .caption = "Show in the main window",
                               .shortCut = core::MakeShortCut(VK_RETURN)},
                     .field = &F::aShowFound,
                     .onExecute = &F::aaShowFound},
                    {.props = {.name = "aCloseFind", .caption = "Close",
                               .shortCut = core::MakeShortCut(VK_ESCAPE)},
                     .field = &F::aCloseFind,
                     .onExecute = &F::aaCloseFind},
                    {.props = {.name = "aSelectText", .caption = "Find",
                               .shortCut = core::MakeShortCut('F', core::kCtrl)},
                     .field = &F::aSelectText,
                     .onExecute = &F::aaSelectText}}},
        },
    };
}
