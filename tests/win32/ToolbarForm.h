// A small form of the tests' own for the toolbar layer: a dock on each edge,
// a menu bar and a toolbar in the top one, a status bar and a list filling
// the rest. It holds nothing of the program's window, so the layer's tests
// stay as they are when that window changes. Showing it restores where its
// toolbars were, closing it stores that, below the tests' settings key.
#pragma once

#include "toolbars/TTBDock.h"
#include "toolbars/TTBItem.h"
#include "toolbars/TTBToolbar.h"
#include "win32/Action.h"
#include "win32/Application.h"
#include "win32/Form.h"
#include "win32/ImageList.h"
#include "win32/ListView.h"
#include "win32/StatusBar.h"

class TfToolbars : public win32::Form {
public:
    explicit TfToolbars(win32::Application& app);

    win32::StatusBar* TheStatusBar = nullptr;
    toolbars::TTBDock* dkTop = nullptr;
    toolbars::TTBDock* dkBottom = nullptr;
    toolbars::TTBDock* dkLeft = nullptr;
    toolbars::TTBDock* dkRight = nullptr;
    win32::ListView* lvBody = nullptr;
    win32::ImageList* ilMain = nullptr;

    // The menu bar: File (Exit), View (two toggles, a separator, Go and
    // Repeat), Help (Note).
    toolbars::TTBToolbar* tbMenu = nullptr;
    toolbars::TTBSubmenuItem* smFile = nullptr;
    toolbars::TTBItem* iExit = nullptr;
    toolbars::TTBSubmenuItem* smView = nullptr;
    toolbars::TTBVisibilityToggleItem* iToggleToolbar = nullptr;
    toolbars::TTBVisibilityToggleItem* iToggleStatusBar = nullptr;
    toolbars::TTBSeparatorItem* iViewSep = nullptr;
    toolbars::TTBItem* iGo = nullptr;
    toolbars::TTBItem* iRepeat = nullptr;
    toolbars::TTBSubmenuItem* smHelp = nullptr;
    toolbars::TTBItem* iNote = nullptr;
    // The toolbar: four buttons, two separators.
    toolbars::TTBToolbar* tbMain = nullptr;
    toolbars::TTBItem* bGo = nullptr;
    toolbars::TTBItem* bRepeat = nullptr;
    toolbars::TTBSeparatorItem* tbSep1 = nullptr;
    toolbars::TTBItem* bNote = nullptr;
    toolbars::TTBSeparatorItem* tbSep2 = nullptr;
    toolbars::TTBItem* bExit = nullptr;
    // Go has F5, Note Ctrl+F1 and a box, Repeat checks itself.
    win32::ActionList* alMain = nullptr;
    win32::Action* aExit = nullptr;
    win32::Action* aGo = nullptr;
    win32::Action* aNote = nullptr;
    win32::Action* aRepeat = nullptr;

    void FormShow();
    void FormDestroy();
    void aaExit(win32::Action& sender);
    void aaNote(win32::Action& sender);
};
