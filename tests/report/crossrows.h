#pragma once
// Rows with cross columns, as the layout tests build them.
#include "printedlines.h"

// "PrefixN" for N from 1 to count.
inline QStringList numberedValues(const QString &prefix, int count)
{
    QStringList out;
    for (int i = 1; i <= count; ++i)
        out << prefix + QString::number(i);
    return out;
}

// Rows "R1".. of a row header and cells "R1C1".. (or the cell's text) of
// columns of the given width, in a band at y of the flags.
inline TvlMemoView *crossRows(TestReport &t, int rows, int columns, int y, int cellWidth, TvlPage *on = nullptr,
                              quint16 flags = 48, const QString &cell = QStringLiteral("[Radek][Mesic]"))
{
    t.Rows("Radky", {"Radek"}, oneColumnRows(numberedValues(QStringLiteral("R"), rows)));
    t.Rows("Mesice", {"Mesic"}, oneColumnRows(numberedValues(QStringLiteral("C"), columns)));
    t.Band(btMasterData, y, 20, "Radky", flags, on);
    t.Band(btCrossHeader, 0, 1000, {}, 0, on)->SetBounds(20, 0, 60, 1000);
    t.Band(btCrossData, 0, 1000, "Mesice", 0, on)->SetBounds(80, 0, cellWidth, 1000);
    t.Memo(20, y, 60, 18, {"[Radek]"}, on);
    return t.Memo(80, y, cellWidth, 18, {cell}, on);
}
