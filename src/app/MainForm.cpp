#include "app/MainForm.h"

using core::Align;
using win32::TextAlign;

win32::FormDecl<TfMain> MainFormDeclaration()
{
    return {
        .props = {.name = "TfMain",
                  .caption = "Vantora, Copyright (c) 2026 Morvane",
                  .left = 580, .top = 254,
                  .clientWidth = 542, .clientHeight = 321,
                  .desktopCenter = true,
                  .fontName = "Tahoma", .fontHeight = -11,
                  .iconName = "MAINICON"},
        .onCreate = &TfMain::FormCreate,
        .onShow = &TfMain::FormShow,
        .onDestroy = &TfMain::FormDestroy,
        .components = {
            win32::ListViewDecl<TfMain>{
                .props = {.control = {.name = "lvMaster", .parent = "TfMain", .align = Align::Left,
                                      .bounds = {9, 26, 224, 267}, .tabOrder = 5},
                          .columns = {{"ProcessID", 75}, {"Executable name", win32::ListView::kFillWidth}}},
                .field = &TfMain::lvMaster,
                .onCompare = &TfMain::lvMasterCompare},
        },
    };
}
