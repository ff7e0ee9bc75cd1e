#include "kit/gridmarks.h"

#include <algorithm>

void TGridBookmarks::Select(const QByteArray &key, bool selected)
{
    if (selected == m_keys.contains(key))
        return;
    m_clickMark = false;
    if (selected) {
        m_keys.insert(key);
        m_order.push_back(key);
    } else {
        m_keys.remove(key);
        m_order.erase(std::find(m_order.begin(), m_order.end(), key));
    }
}

void TGridBookmarks::Clear()
{
    m_keys.clear();
    m_order.clear();
    m_clickMark = false;
}

void TGridBookmarks::MarkClicked(const QByteArray &key)
{
    Clear();
    Select(key, true);
    m_clickMark = true;
}

void TGridSelection::SetMultiSelect(bool value)
{
    if (value == m_multiSelect)
        return;
    m_multiSelect = value;
    if (!value) {
        m_marks.Clear();
        m_selecting = false;
    }
}

void TGridSelection::ClearSelections()
{
    if (!m_multiSelect)
        return;
    if (ClearSelection)
        m_marks.Clear();
    m_selecting = false;
}

int TGridSelection::MoveWithSelection(TGridRowCursor &cursor, int direction, bool shift)
{
    bool markArrival = false;
    if (m_multiSelect && cursor.CurrentPosition() >= 0) {
        if (shift) {
            if (!m_selecting) {
                m_anchorPosition = cursor.CurrentPosition();
                m_marks.Select(cursor.CurrentKey(), true);
                m_selecting = true;
                markArrival = true;
            } else {
                const int current = cursor.CurrentPosition();
                const int side = current < m_anchorPosition ? -1 : current > m_anchorPosition ? 1 : 0;
                // Moving towards the anchor leaves a marked row behind.
                markArrival = side != -direction;
                if (!markArrival)
                    m_marks.Select(cursor.CurrentKey(), false);
            }
        } else {
            ClearSelections();
        }
    }
    const int moved = direction != 0 ? cursor.MoveBy(direction) : 0;
    if (markArrival)
        m_marks.Select(cursor.CurrentKey(), true);
    return moved;
}

void TGridSelection::ClickRow(const QByteArray &key, bool ctrl)
{
    if (!m_multiSelect)
        return;
    if (ctrl) {
        m_marks.Toggle(key);
        return;
    }
    m_marks.Clear();
    m_selecting = false;
    if (ClearSelection)
        m_marks.MarkClicked(key);
}

bool TGridSelection::currentRowMoved(const QByteArray &key)
{
    if (!m_marks.OnlyClickMark() || m_marks.Contains(key))
        return false;
    m_marks.Clear();
    return true;
}
