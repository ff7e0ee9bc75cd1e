#pragma once
// The marked rows of a grid and the rules that keep them consistent while the
// user moves with Shift, clicks with Ctrl or ends a selection. Rows are kept
// by their key texts, so the marks survive a re-query of the list.
#include <QByteArray>
#include <QSet>
#include <vector>

// What the selection rules need of the grid's dataset cursor.
class TGridRowCursor
{
public:
    virtual ~TGridRowCursor() = default;
    // 0-based position of the current row, -1 when there is none.
    virtual int CurrentPosition() const = 0;
    virtual QByteArray CurrentKey() const = 0;
    // Returns the distance actually moved.
    virtual int MoveBy(int distance) = 0;
};

// The list of marked rows, in the order they were marked.
class TGridBookmarks
{
public:
    int Count() const { return int(m_order.size()); }
    bool IsEmpty() const { return m_order.empty(); }
    bool Contains(const QByteArray &key) const { return m_keys.contains(key); }
    void Select(const QByteArray &key, bool selected);
    void Toggle(const QByteArray &key) { Select(key, !Contains(key)); }
    void Clear();
    const std::vector<QByteArray> &Items() const { return m_order; }
    // The one row a plain click marked, alone: it shows the row the click
    // made current, but chooses no rows for the list's actions. Any other
    // change of the marks makes them a choice.
    void MarkClicked(const QByteArray &key);
    bool OnlyClickMark() const { return m_clickMark; }

private:
    QSet<QByteArray> m_keys;
    std::vector<QByteArray> m_order;
    bool m_clickMark = false;
};

class TGridSelection
{
public:
    TGridBookmarks &Marks() { return m_marks; }
    const TGridBookmarks &Marks() const { return m_marks; }

    bool MultiSelect() const { return m_multiSelect; }
    // Switching multiselect off forgets the marks.
    void SetMultiSelect(bool value);
    bool ClearSelection = true;
    bool Selecting() const { return m_selecting; }

    // The keys that end a selection: the marks go when ClearSelection is on,
    // and Shift-selecting ends either way.
    void ClearSelections();
    // Up (-1) or Down (+1). With Shift the first move marks the row it leaves
    // and remembers it as the anchor; later moves away from the anchor mark
    // the row arrived at, moves back towards it unmark the row being left.
    // Without Shift the selection ends. Returns the distance moved.
    int MoveWithSelection(TGridRowCursor &cursor, int direction, bool shift);
    // A left press on a data row (already made current): Ctrl toggles its
    // mark; otherwise the marks go and, with ClearSelection, the row is marked.
    void ClickRow(const QByteArray &key, bool ctrl);
    // The current row moved (a search, a locate, the keys): a plain click's
    // mark on another row goes, so only the current row shows highlighted.
    // Marks the user chose stay. True when a mark went.
    bool currentRowMoved(const QByteArray &key);

private:
    TGridBookmarks m_marks;
    bool m_multiSelect = false;
    bool m_selecting = false;
    int m_anchorPosition = -1;
};
