#include "app/main/flagrules.h"

namespace {

bool isZero(const TFlagRow &row, const QString &column)
{
    return row.Number(column) == 0.0;
}

bool isEmpty(const TFlagRow &row, const QString &column)
{
    return row.Text(column).isEmpty();
}

// The row's quantity is below its stock level (both known).
bool shortOfStock(const TFlagRow &row)
{
    const QString quantity = QStringLiteral("MNOZSTVI"), stock = QStringLiteral("ZASOBA");
    return !row.IsNull(quantity) && !row.IsNull(stock) && row.Number(quantity) < row.Number(stock);
}

} // namespace

bool ItemCellFlagged(const TFlagSettings &s, const QString &column, const TFlagRow &row)
{
    if (row.IsNull(column))
        return false;
    const QString c = column.toUpper();
    if (c == QLatin1String("POLOZKA"))
        return s.Polozka && isEmpty(row, column);
    if (c == QLatin1String("KOD"))
        return s.Kod && isEmpty(row, column);
    if (c == QLatin1String("SPECIFIKACE"))
        return s.Specifikace && isEmpty(row, column);
    if (c == QLatin1String("ZARUKA"))
        return s.Zaruka && isZero(row, column);
    if (c == QLatin1String("NAKUP"))
        return s.Nakup && isZero(row, column);
    if (c == QLatin1String("PRODEJ"))
        return s.Prodej && isZero(row, column);
    if (c == QLatin1String("MINIMUM"))
        return s.Minimum && isZero(row, column);
    if (c == QLatin1String("MNOZSTVI"))
        return (s.Mnozstvi && isZero(row, column)) || (s.NedostatecnaZasoba && shortOfStock(row));
    if (c == QLatin1String("ZASOBA"))
        return (s.Zasoba && isZero(row, column)) || (s.NedostatecnaZasoba && shortOfStock(row));
    return false;
}

QColor DocumentRowColor(int operation, bool valid)
{
    if (operation >= 4 && operation <= 6)
        return QColor(0xFF, 0, 0); // $0000FF
    if (!valid)
        return QColor(0x80, 0x80, 0x80);
    return QColor();
}
