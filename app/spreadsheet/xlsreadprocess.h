#pragma once
// Runs the .xls reading program (tarmil5-xlsread) on a file and takes back
// what it read. A crash, a hang past the time limit, running out of its
// memory limit or any other end without a whole result means a damaged file:
// the program that imports goes on.
#include "app/spreadsheet/sheetcells.h"

#include <QString>

#include <chrono>

namespace XlsReadProcess {
inline constexpr const char *ProgramName = "tarmil5-xlsread";
// Address space the reading program may take (bytes), so that lengths a
// damaged file gives cannot make it swap the machine out.
inline constexpr quint64 MemoryLimit = quint64(4) << 30;

// Beside this program's executable first, then where the build made it;
// empty when it is in neither place.
QString program();
// Throws SheetReadError with a Czech reason.
SheetCells run(const QString &program, const QString &file, std::chrono::seconds timeLimit);
} // namespace XlsReadProcess
