#include "app/catalogue/categoryrules.h"

#include <QCollator>
#include <QLocale>

namespace CategoryRules {

QList<int> ParseIdPath(const QString &path)
{
    QList<int> ids;
    const QStringList parts = path.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        bool ok = false;
        const int id = part.trimmed().toInt(&ok);
        if (!ok || id <= 0)
            return {};
        ids << id;
    }
    return ids;
}

bool NameLess(const QString &a, const QString &b)
{
    static const QCollator collator = [] {
        QCollator c{QLocale(QLocale::Czech, QLocale::CzechRepublic)};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        c.setNumericMode(false);
        return c;
    }();
    const int order = collator.compare(a, b);
    return order != 0 ? order < 0 : a < b;
}

bool DropAccepted(int draggedId, int draggedParentId, int targetId, bool nameTakenUnderTarget)
{
    return draggedId > 0 && targetId > 0 && targetId != draggedId && targetId != draggedParentId &&
           !nameTakenUnderTarget;
}

bool InsideSubtree(const QList<int> &targetAncestry, int draggedId)
{
    return targetAncestry.contains(draggedId);
}

} // namespace CategoryRules
