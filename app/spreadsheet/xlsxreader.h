#pragma once
// Reads the sheet a workbook (.xlsx) marks active: the workbook's active tab
// and its relationship, the shared strings, the styles that make a number a
// date, and the cells with their kinds. Nothing else of the workbook is read.
// The import reads large sheets row by row through XlsxSheet; this reads
// every cell at once.
#include "app/spreadsheet/sheetcells.h"

#include <QByteArray>

namespace XlsxReader {
bool looksLikeZip(const QByteArray &bytes);
// Throws SheetReadError with a Czech reason for anything it cannot read.
SheetCells readActiveSheet(const QByteArray &bytes);
// "B12" -> row 12, column 2; false for anything else.
bool parseCellReference(QStringView reference, int &row, int &column);
} // namespace XlsxReader
