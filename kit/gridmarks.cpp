#include "kit/gridmarks.h"

#include <algorithm>

void TGridBookmarks::Select(const QByteArray &key, bool selected)
{
    if (selected == keys_.contains(key))
        return;
    if (selected) {
        keys_.insert(key);
        order_.push_back(key);
    } else {
        keys_.remove(key);
        order_.erase(std::find(order_.begin(), order_.end(), key));
    }
}

void TGridBookmarks::Clear()
{
    keys_.clear();
    order_.clear();
}

void TGridSelection::SetMultiSelect(bool value)
{
    if (value == multiSelect_)
        return;
    multiSelect_ = value;
    if (!value) {
        marks_.Clear();
        selecting_ = false;
    }
}

void TGridSelection::ClearSelections()
{
    if (!multiSelect_)
        return;
    if (ClearSelection)
        marks_.Clear();
    selecting_ = false;
}

int TGridSelection::MoveWithSelection(TGridRowCursor &cursor, int direction, bool shift)
{
    bool markArrival = false;
    if (multiSelect_ && cursor.CurrentPosition() >= 0) {
        if (shift) {
            if (!selecting_) {
                anchorPosition_ = cursor.CurrentPosition();
                marks_.Select(cursor.CurrentKey(), true);
                selecting_ = true;
                markArrival = true;
            } else {
                const int current = cursor.CurrentPosition();
                const int side = current < anchorPosition_ ? -1 : current > anchorPosition_ ? 1 : 0;
                // Moving towards the anchor leaves a marked row behind.
                markArrival = side != -direction;
                if (!markArrival)
                    marks_.Select(cursor.CurrentKey(), false);
            }
        } else {
            ClearSelections();
        }
    }
    const int moved = direction != 0 ? cursor.MoveBy(direction) : 0;
    if (markArrival)
        marks_.Select(cursor.CurrentKey(), true);
    return moved;
}

void TGridSelection::ClickRow(const QByteArray &key, bool ctrl)
{
    if (!multiSelect_)
        return;
    if (ctrl) {
        marks_.Toggle(key);
        return;
    }
    marks_.Clear();
    selecting_ = false;
    if (ClearSelection)
        marks_.Select(key, true);
}
