#pragma once
// Reads workbooks in the .xls format as other spreadsheet programs write
// them (the older and the later binary format in their compound file),
// through the reading library made for them: the sheet the workbook marks
// active, else the first.
//
// The library crashes, hangs or allocates without bound on some damaged
// files, so the import runs it in a program of its own (tarmil5-xlsread,
// see xlsreadprocess.h) and takes any such end as a damaged file.
#include "app/spreadsheet/sheetcells.h"

#include <QByteArray>

#include <chrono>

namespace XlsReader {
// How long the reading program may take before the file counts as damaged.
inline constexpr std::chrono::seconds ReadTimeLimit{20};

// True when the bytes start like a compound file.
bool looksLikeCompoundFile(const QByteArray &bytes);
// Throws SheetReadError with a Czech reason for anything it cannot read.
SheetCells readActiveSheet(const QByteArray &bytes, std::chrono::seconds timeLimit = ReadTimeLimit);
// The reading itself, in this process: what the reading program runs on the
// file named on its command line. Throws SheetReadError.
SheetCells readActiveSheetHere(const QString &path);
// "Sešit ve formátu xls nelze přečíst: <what>."
SheetReadError unreadable(const QString &what);
} // namespace XlsReader
