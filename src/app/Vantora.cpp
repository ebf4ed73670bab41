// The program entry: no arguments, one window.
#include "app/Main.h"
#include "win32/Application.h"

#include <windows.h>
#include <commctrl.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES |
                                                       ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    win32::Application app(instance);
    app.SetTitle("Vantora");
    TfMain fMain(app);
    app.SetMainWindow(fMain.Handle());
    return app.Run(fMain);
}
