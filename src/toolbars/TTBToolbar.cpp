#include "toolbars/TTBToolbar.h"

#include "core/settings/ToolbarLayout.h"
#include "win32/AppMessages.h"
#include "win32/Application.h"
#include "win32/KeyMessages.h"

#include <vector>

namespace toolbars {

TTBCustomToolbar::TTBCustomToolbar(const ToolbarProps& props)
    : TTBCustomDockableWindow(props.window),
      root_(ItemProps{}), menuBar_(props.menuBar), processShortCuts_(props.processShortCuts),
      fullSize_(props.fullSize), strip_(*this, props.menuBar, props.shrinkMode),
      keys_(*this, strip_, *this, props.menuBar)
{
    treeChanged_ = root_.TreeChanged.Connect(
        [this](TTBCustomItem& item, ItemChange change) { TreeChanged(item, change); });
}

TTBCustomToolbar::~TTBCustomToolbar()
{
    keys_.Stop();
    shortCuts_.Disconnect();
    treeChanged_.Disconnect();
    MenuTracker::OwnerGone(*this);
    // The button bar goes first, while everything it may call back into exists.
    strip_.Destroy();
}

void TTBCustomToolbar::AfterCreate()
{
    strip_.Create(Handle(), App(), Name());
    CaptionChanged();
    keys_.UpdateAccessKeys();
    if (menuBar_)
        keys_.Listen(App());
    if (processShortCuts_)
        shortCuts_ = App().ShortCuts.Connect(
            [this](core::ShortCut shortCut, HWND window) { return ProcessShortCut(shortCut, window); });
    RebuildButtons();
}

void TTBCustomToolbar::SetImages(HIMAGELIST images)
{
    if (images == strip_.Images())
        return;
    strip_.SetImages(images);
    RebuildButtons();
}

void TTBCustomToolbar::TreeChanged(TTBCustomItem& item, ItemChange change)
{
    if (change == ItemChange::Structure) {
        // The item may be on its way out: only its address is used here, and
        // nothing may keep it, also while the bar itself is going.
        std::erase(queuedClicks_, &item);
        if (MenuTracker* tracker = MenuTracker::Of(*this))
            tracker->Forget(item);
        strip_.Forget(item);
        RebuildButtons();
        return;
    }
    if (!TearingDown() && !strip_.UpdateLook(item))
        RebuildButtons();
}

void TTBCustomToolbar::EndUpdate()
{
    if (strip_.EndUpdate())
        RebuildButtons();
}

void TTBCustomToolbar::RebuildButtons()
{
    if (TearingDown() || !strip_.Rebuild(root_.Items()))
        return;
    RequestArrange();
    ::InvalidateRect(strip_.Handle(), nullptr, TRUE);
}

void TTBCustomToolbar::WindowDestroyed()
{
    // The chevron went with this window.
    strip_.Chevron().WindowGone();
    TTBCustomDockableWindow::WindowDestroyed();
}

bool TTBCustomToolbar::MouseDownOn(int index)
{
    keys_.Leave();
    TTBCustomItem* item = strip_.Item(index);
    if (!item || !item->IsSubmenu())
        return false;
    // Drop-downs open on the press, as menus do.
    if (item->Enabled())
        DropDown(*item, false);
    return true;
}

void TTBCustomToolbar::ButtonClicked(int index, bool byKeyboard)
{
    TTBCustomItem* item = strip_.Item(index);
    if (!item || !item->Enabled())
        return;
    if (item->IsSubmenu()) {
        DropDown(*item, byKeyboard);
    } else {
        keys_.Leave();
        Choose(*item);
    }
}

// The click runs once the message that brought it is finished: the action
// may close the window, and no control should find itself destroyed in the
// middle of its own message.
void TTBCustomToolbar::Choose(TTBCustomItem& item)
{
    queuedClicks_.push_back(&item);
    ::PostMessageA(Handle(), win32::kRunQueuedClicks, 0, 0);
}

void TTBCustomToolbar::RunQueuedClicks()
{
    while (!queuedClicks_.empty()) {
        TTBCustomItem* item = queuedClicks_.front();
        queuedClicks_.erase(queuedClicks_.begin());
        item->Click();
    }
}

// Only the items' own shortcuts: an item bound to an action leaves the
// action's shortcut to its action list, so every key runs once.
bool TTBCustomToolbar::ProcessShortCut(core::ShortCut shortCut, HWND window)
{
    if (!Handle() || !strip_.Handle() || MenuOpen() || !win32::BelongsToWindow(App(), window, Handle()) ||
        !::IsWindowEnabled(::GetAncestor(Handle(), GA_ROOTOWNER)))
        return false;
    // Depth first through the tree, drop-down entries included.
    std::vector<TTBCustomItem*> pending(root_.Items().rbegin(), root_.Items().rend());
    while (!pending.empty()) {
        TTBCustomItem* item = pending.back();
        pending.pop_back();
        if (!item->Visible())
            continue;
        if (item->ShortCut() == shortCut && item->OwnsShortCut() && item->Enabled() && !item->IsSubmenu()) {
            keys_.Leave();
            item->Click();
            return true;
        }
        pending.insert(pending.end(), item->Items().rbegin(), item->Items().rend());
    }
    return false;
}

// The button bar carries the caption too: it is what screen readers meet.
void TTBCustomToolbar::CaptionChanged()
{
    if (strip_.Handle())
        ::SetWindowTextA(strip_.Handle(), Caption().c_str());
}

void TTBCustomToolbar::FrameMouseMove()
{
    strip_.ShowHint(nullptr);
}

void TTBCustomToolbar::VisibleChanged()
{
    if (!Visible())
        keys_.Leave();
    TTBCustomDockableWindow::VisibleChanged();
}

LRESULT TTBCustomToolbar::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case win32::kRunQueuedClicks:
        RunQueuedClicks();
        return 0;
    case WM_COMMAND:
        if (const auto from = reinterpret_cast<HWND>(lParam); from && from == strip_.Handle()) {
            ButtonClicked(strip_.ButtonOfCommand(LOWORD(wParam)), false);
            return 0;
        } else if (from && from == strip_.Chevron().Handle()) {
            DropChevron();
            return 0;
        }
        break;
    case WM_NOTIFY:
        if (LRESULT result = 0; strip_.Notify(*reinterpret_cast<NMHDR*>(lParam), result))
            return result;
        break;
    case WM_MENUSELECT:
        if (MenuTracker* tracker = MenuTracker::Of(*this))
            tracker->MenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
        else
            strip_.ShowHint(nullptr);
        return 0;
    case WM_MEASUREITEM:
        if (auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam); measure->CtlType == ODT_MENU) {
            MenuTracker::MeasureGlyph(Images(), *measure);
            return TRUE;
        }
        break;
    case WM_DRAWITEM:
        if (auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam); draw->CtlType == ODT_MENU) {
            if (const MenuTracker* tracker = MenuTracker::Of(*this))
                tracker->DrawGlyph(*draw);
            return TRUE;
        }
        break;
    }
    return TTBCustomDockableWindow::WndProc(message, wParam, lParam);
}

// Each drop-down is one MenuTracker, which owns the time its menus are open.
// The bar may be destroyed meanwhile, so tracking is the last thing any of
// its frames does; the menu bar's keys hear from the tracker when the menus
// close.

void TTBCustomToolbar::DropDown(TTBCustomItem& item, bool byKeyboard)
{
    const int index = strip_.IndexOf(item);
    if (index < 0 || MenuOpen())
        return;
    MenuTracker tracker(strip_, *this, Handle());
    tracker.TrackEntries(index, byKeyboard, Placement() == BarPlacement::DockedVertical);
}

void TTBCustomToolbar::DropChevron()
{
    if (MenuOpen() || !ShowsChevron())
        return;
    const std::vector<TTBCustomItem*> hidden = HiddenItems();
    if (hidden.empty())
        return;
    MenuTracker tracker(strip_, *this, Handle());
    keys_.Leave();
    // Below a chevron in a row, beside one at the foot of an upright column.
    tracker.TrackChevron(strip_.Chevron(), hidden, strip_.LaidOutAs() == BarPlacement::DockedVertical);
}

// What the bar asks of its dock or floating window, and the floating width it
// keeps with the stored layout.

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
