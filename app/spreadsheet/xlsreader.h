#pragma once
// Reads workbooks in the .xls format as other spreadsheet programs write
// them (the older and the later binary format in their compound file),
// through the reading library made for them: the sheet the workbook marks
// active, else the first.
#include "app/spreadsheet/sheetcells.h"

#include <QByteArray>

namespace XlsReader {
// True when the bytes start like a compound file.
bool looksLikeCompoundFile(const QByteArray &bytes);
// Throws SheetReadError with a Czech reason for anything it cannot read.
SheetCells readActiveSheet(const QByteArray &bytes);
} // namespace XlsReader
