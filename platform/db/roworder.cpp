#include "platform/db/roworder.h"

#include <QCollator>
#include <QLocale>

#include <cstring>

namespace Db {

namespace {

int sign(double difference)
{
    return difference < 0 ? -1 : (difference > 0 ? 1 : 0);
}

int compareTexts(const char *a, int lengthA, const char *b, int lengthB)
{
    static const QCollator czech{QLocale(QLocale::Czech, QLocale::CzechRepublic)};
    const int order = czech.compare(QString::fromUtf8(a, lengthA), QString::fromUtf8(b, lengthB));
    if (order != 0)
        return order;
    const int bytes = std::memcmp(a, b, size_t(std::min(lengthA, lengthB)));
    return bytes != 0 ? bytes : lengthA - lengthB;
}

int compareCells(const Snapshot &a, int rowA, const Snapshot &b, int rowB, int c)
{
    const char *dataA, *dataB;
    int lengthA, lengthB;
    const bool hasA = a.cell(rowA, c, dataA, lengthA);
    const bool hasB = b.cell(rowB, c, dataB, lengthB);
    if (!hasA || !hasB)
        return hasA == hasB ? 0 : (hasA ? -1 : 1); // NULL is the largest
    switch (a.column(c).type) {
    case FieldType::Integer:
    case FieldType::LargeInt: {
        const qint64 x = a.integer(rowA, c), y = b.integer(rowB, c);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case FieldType::Currency: {
        const Currency x = a.currency(rowA, c), y = b.currency(rowB, c);
        return x < y ? -1 : (y < x ? 1 : 0);
    }
    case FieldType::Float:
    case FieldType::DateTime:
        return sign(a.floating(rowA, c) - b.floating(rowB, c));
    case FieldType::Boolean:
        return int(a.boolean(rowA, c)) - int(b.boolean(rowB, c));
    default:
        return compareTexts(dataA, lengthA, dataB, lengthB);
    }
}

} // namespace

int RowOrder::compare(const Snapshot &a, int rowA, const Snapshot &b, int rowB) const
{
    for (const Term &term : m_terms) {
        const int order = compareCells(a, rowA, b, rowB, term.column);
        if (order != 0)
            return term.descending ? -order : order;
    }
    return 0;
}

bool RowOrder::holds(const Snapshot &rows) const
{
    for (int row = 1; row < rows.rowCount(); ++row) {
        if (compare(rows, row - 1, rows, row) > 0)
            return false;
    }
    return true;
}

} // namespace Db
