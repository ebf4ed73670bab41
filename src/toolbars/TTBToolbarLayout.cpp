// What the toolbar asks of its dock or floating window: the buttons' sizes
// at a placement, and the floating width it keeps with the stored layout.
#include "toolbars/TTBToolbar.h"

#include "core/settings/ToolbarLayout.h"

namespace toolbars {

int TTBCustomToolbar::ContentLength(BarPlacement placement) const
{
    return strip_.Length(placement);
}

int TTBCustomToolbar::ContentMinimumLength(BarPlacement placement) const
{
    return strip_.MinimumLength(placement);
}

int TTBCustomToolbar::ContentThickness(BarPlacement placement, int length) const
{
    return strip_.Thickness(placement, length);
}

void TTBCustomToolbar::LayoutContent(const core::Rect& content, BarPlacement placement)
{
    strip_.Place(content, placement);
}

void TTBCustomToolbar::SetFloatingWidth(int32_t width)
{
    if (width == floatingWidth_)
        return;
    floatingWidth_ = width;
    if (Floating())
        RequestArrange();
}

void TTBCustomToolbar::ReadLayoutExtras(const core::LayoutReader& reader)
{
    SetFloatingWidth(core::ReadFloatingWidth(reader, Name()));
}

void TTBCustomToolbar::WriteLayoutExtras(const core::LayoutWriter& writer) const
{
    core::WriteFloatingWidth(writer, Name(), floatingWidth_);
}

} // namespace toolbars
