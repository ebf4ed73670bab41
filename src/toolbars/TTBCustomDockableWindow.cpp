#include "toolbars/TTBCustomDockableWindow.h"

#include "toolbars/TTBDock.h"

namespace toolbars {

void TTBCustomDockableWindow::SetDockRow(int row)
{
    dockRow_ = row;
    RequestArrange();
}

void TTBCustomDockableWindow::SetDockPos(int pos)
{
    dockPos_ = pos;
    RequestArrange();
}

void TTBCustomDockableWindow::RequestArrange()
{
    if (currentDock_)
        currentDock_->ArrangeToolbars();
}

void TTBCustomDockableWindow::PlaceInDock(const core::Rect& bounds, bool)
{
    SetBounds(bounds);
}

} // namespace toolbars
