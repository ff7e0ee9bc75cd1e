#pragma once
// The papers the engine knows by code: the operating system's paper codes with
// their names and sizes. The virtual printer offers exactly these; papers of
// real printers are matched against them by size.
#include <QList>
#include <QPageSize>
#include <QSize>
#include <QString>

struct TvlPaper
{
    int code;
    const char *name; // as printed in paper lists, not translated
    int width;        // tenths of a millimetre, portrait sheet
    int height;
};

namespace vlPapers {

constexpr int CustomPaper = 256; // user-defined size, taken from the page
constexpr int A4 = 9;

// All 67 papers in the order of the paper lists.
const QList<TvlPaper> &table();
// The paper of a code; nullptr when the code is not in the table.
const TvlPaper *find(int code);
// The table's code for a printer's paper: the table row of the same size,
// preferring the one whose code the paper itself carries; 0 when no row has
// that size.
int codeOf(const QPageSize &paper);
// A sheet of the given portrait size in tenths of a millimetre.
QPageSize pageSize(int width, int height, const QString &name = {});
// The paper's portrait size in tenths of a millimetre.
QSize tenthsOfMm(const QPageSize &paper);

} // namespace vlPapers
