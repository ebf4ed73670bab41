// The toolbar's side of its drop-down menus: each drop-down is one
// MenuTracker, and the menu bar's keys hear when the menus close.
#include "toolbars/TTBToolbar.h"

#include <vector>

namespace toolbars {

void TTBCustomToolbar::DropDown(TTBCustomItem& item, bool byKeyboard)
{
    const int index = strip_.IndexOf(item);
    if (index < 0 || tracker_)
        return;
    MenuTracker::Outcome outcome;
    {
        MenuTracker tracker(strip_, *this, Handle(), tracker_);
        try {
            outcome = tracker.TrackEntries(index, byKeyboard, Placement() == BarPlacement::DockedVertical);
        } catch (...) {
            keys_.MenuOpened(false);  // no menu is open any more
            throw;
        }
        if (outcome.ownerGone)
            return;
    }
    keys_.MenuClosed(outcome.entry, outcome.escaped);
}

void TTBCustomToolbar::DropChevron()
{
    if (tracker_ || !ShowsChevron())
        return;
    const std::vector<TTBCustomItem*> hidden = HiddenItems();
    if (hidden.empty())
        return;
    MenuTracker tracker(strip_, *this, Handle(), tracker_);
    keys_.Leave();
    // Below a chevron in a row, beside one at the foot of an upright column.
    tracker.TrackChevron(strip_.Chevron(), hidden, strip_.LaidOutAs() == BarPlacement::DockedVertical);
}

} // namespace toolbars
