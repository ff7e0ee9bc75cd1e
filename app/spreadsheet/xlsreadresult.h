#pragma once
// What the .xls reading program (tarmil5-xlsread) hands back on its standard
// output: the cells of the sheet it read with their types, or the reason it
// could not read it. The program ends its output with a mark, so output cut
// short by a crash is never taken for a smaller sheet.
#include "app/spreadsheet/sheetcells.h"

#include <QByteArray>

namespace XlsReadResult {
QByteArray encode(const SheetCells &cells);
QByteArray encodeFailure(const QString &reason);
// The cells, or throws SheetReadError with the reading program's reason; any
// output that is not whole and well formed is reported as a damaged file.
SheetCells decode(const QByteArray &output);
// The reading program ended without a whole result: the file is damaged.
SheetReadError readingFailed();
} // namespace XlsReadResult
