#include "toolbars/DockableWindowLayout.h"

#include "toolbars/TTBCustomDockableWindow.h"
#include "toolbars/TTBDock.h"

namespace toolbars {

namespace {

// The layout only ever holds the form's own docks.
TTBDock* AsDock(core::LayoutDock* dock)
{
    return dynamic_cast<TTBDock*>(dock);
}

} // namespace

std::string DockableWindowLayout::LayoutName() const
{
    return window_.Name();
}

bool DockableWindowLayout::Visible() const
{
    return window_.Visible();
}

void DockableWindowLayout::SetVisible(bool visible)
{
    window_.SetVisible(visible);
}

bool DockableWindowLayout::Floating() const
{
    return window_.Floating();
}

core::LayoutDock* DockableWindowLayout::CurrentDock() const
{
    return window_.CurrentDock();
}

int32_t DockableWindowLayout::DockRow() const
{
    return window_.DockRow();
}

void DockableWindowLayout::SetDockRow(int32_t row)
{
    window_.SetDockRow(row);
}

int32_t DockableWindowLayout::DockPos() const
{
    return window_.DockPos();
}

void DockableWindowLayout::SetDockPos(int32_t pos)
{
    window_.SetDockPos(pos);
}

core::Point DockableWindowLayout::FloatingPosition() const
{
    return window_.FloatingPosition();
}

void DockableWindowLayout::SetFloatingPosition(core::Point position)
{
    window_.SetFloatingPosition(position);
}

core::LayoutDock* DockableWindowLayout::LastDock() const
{
    return window_.LastDock();
}

void DockableWindowLayout::SetLastDock(core::LayoutDock* dock)
{
    window_.SetLastDock(AsDock(dock));
}

bool DockableWindowLayout::UseLastDock() const
{
    return window_.UseLastDock();
}

void DockableWindowLayout::DockInto(core::LayoutDock& dock)
{
    if (TTBDock* target = AsDock(&dock))
        window_.DockInto(*target);
}

void DockableWindowLayout::Float()
{
    window_.Float();
}

void DockableWindowLayout::MoveOnScreen()
{
    window_.MoveOnScreen();
}

void DockableWindowLayout::Arrange()
{
    window_.Arrange();
}

void DockableWindowLayout::ReadLayoutExtras(const core::LayoutReader& reader)
{
    window_.ReadLayoutExtras(reader);
}

void DockableWindowLayout::WriteLayoutExtras(const core::LayoutWriter& writer) const
{
    window_.WriteLayoutExtras(writer);
}

} // namespace toolbars
