#pragma once
// The predefined display formats of report objects, as the engine's data: the
// names of the format kinds, the names the format dialog offers per kind, and
// the pictures the formatting of values uses for the predefined formats.
#include <QString>
#include <QStringList>

// Index of the user's own format within every kind (its text is FormatText).
constexpr int vlCustomFormatIndex = 4;
constexpr int vlFormatKindCount = 5;

// "Text", "Číslo", "Datum", "Čas", "Boolen", by kind code.
const QStringList &vlFormatKindNames();
// What the format dialog lists for a kind, by format index; empty entries
// (the text kind has only "[Žádný]") are left out. Empty for unknown kinds.
QStringList vlFormatNames(int kind);
// The picture of a predefined format: number "1234,5"..., date "mm.dd.yy"...,
// time "hh:nn:ss"..., Boolean "0;1"...; empty for the text kind, the custom
// index and anything unknown.
QString vlFormatPicture(int kind, int index);

// The format word's fields, set one at a time as the format dialog edits them.
qint32 vlSetFormatKind(qint32 format, int kind);
qint32 vlSetFormatIndex(qint32 format, int index);
qint32 vlSetFormatDecimals(qint32 format, int decimals);
qint32 vlSetFormatSeparator(qint32 format, QChar separator);
qint32 vlMakeFormat(int kind, int index, int decimals, QChar separator);
