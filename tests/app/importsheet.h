#pragma once
// Sheets for the item import's tests: rows of good cells, and a sheet in
// memory that each reload moves on to its next version.
#include "app/spreadsheet/importrules.h"
#include "app/spreadsheet/sheetcells.h"
#include "app/spreadsheet/spreadsheetsource.h"

#include <deque>

namespace {

inline ImportRowCells goodRow()
{
    return {Variant("M1"),        Variant("K1"), Variant("Kladivo"), Variant("ocel"), Variant(24.0), Variant(20.0),
            Variant("?\\Nářadí"), Variant("-"),  Variant(100.0),     Variant(150.5),  Variant(0.0),  Variant(3.0),
            Variant(1.0),         Variant("ks"), Variant(1.0),       Variant("A")};
}

// A sheet in memory; each Reload moves on to the next version of it.
class ScriptedSource : public SpreadsheetSource
{
public:
    explicit ScriptedSource(std::deque<SheetCells> versions)
        : m_versions(std::move(versions))
    {}
    bool Reload(QString &) override
    {
        m_current = m_versions.front();
        if (m_versions.size() > 1)
            m_versions.pop_front();
        ++reloads;
        return true;
    }
    int LastUsedRow() const override { return m_current.lastUsedRow(); }
    Variant Cell(int row, int column) const override { return m_current.value(row, column); }
    int reloads = 0;

private:
    std::deque<SheetCells> m_versions;
    SheetCells m_current;
};

inline SheetCells sheetOf(const QList<ImportRowCells> &rows)
{
    SheetCells cells;
    cells.set(1, 1, Variant("Označení"));
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < ImportColumnCount; ++c)
            if (!rows[r][size_t(c)].isUnassigned())
                cells.set(r + 2, c + 1, rows[r][size_t(c)]);
    return cells;
}

inline ImportRowCells itemRow(const QString &mark)
{
    ImportRowCells row = goodRow();
    row[0] = Variant(mark);
    row[1] = Variant(mark);
    row[2] = Variant(QStringLiteral("Položka ") + mark);
    row[6] = Variant("?");
    return row;
}

} // namespace
