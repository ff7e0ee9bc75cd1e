#include "app/spreadsheet/sheetcells.h"

void SheetCells::set(int row, int column, const Variant &value)
{
    m_cells.insert(key(row, column), value);
    extendTo(row);
}

Variant SheetCells::value(int row, int column) const
{
    return m_cells.value(key(row, column));
}
