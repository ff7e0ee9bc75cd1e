#pragma once
// The cells of one worksheet as the import reads them: values by 1-based row
// and column, and the last row that holds a cell.
#include "platform/variant.h"

#include <QHash>
#include <QString>

class SheetCells
{
public:
    void set(int row, int column, const Variant &value);
    // Unassigned for an empty cell.
    Variant value(int row, int column) const;
    int lastUsedRow() const { return m_lastRow; }
    // Rows named by the sheet's own dimension count too, even when empty.
    void extendTo(int row) { m_lastRow = qMax(m_lastRow, row); }
    bool isEmpty() const { return m_cells.isEmpty(); }
    // Calls f(row, column, value) for every cell that holds a value, in no order.
    template <typename F>
    void forEachCell(F f) const
    {
        for (auto it = m_cells.cbegin(); it != m_cells.cend(); ++it)
            f(int(it.key() >> 32), int(quint32(it.key())), it.value());
    }
    qsizetype cellCount() const { return m_cells.size(); }

private:
    static quint64 key(int row, int column) { return (quint64(quint32(row)) << 32) | quint32(column); }
    QHash<quint64, Variant> m_cells;
    int m_lastRow = 0;
};

// Reading failed: the reason in Czech, for the user.
struct SheetReadError
{
    QString reason;
};
