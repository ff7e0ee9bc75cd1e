#pragma once
// Reads back the plain worksheet stream the direct export writes (BOF, RK,
// NUMBER, LABEL, EOF; other records are skipped), so an exported list can be
// edited and imported again.
#include "app/spreadsheet/sheetcells.h"

#include <QByteArray>

namespace BiffReader {
// True when the bytes start like such a stream.
bool looksLikeBiff(const QByteArray &bytes);
// Throws SheetReadError for a stream that is cut short or malformed.
SheetCells read(const QByteArray &bytes);
} // namespace BiffReader
