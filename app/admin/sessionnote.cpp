#include "app/admin/sessionnote.h"

#include <QStringList>

namespace {

QString quoted(const QStringList &names)
{
    QStringList texts;
    for (const QString &name : names)
        texts << QLatin1Char('"') + name + QLatin1Char('"');
    return texts.join(QStringLiteral(", "));
}

} // namespace

QString AllSessionsNote(const TDMSessionViewers &viewers)
{
    QStringList others = viewers.superusers;
    QStringList parts;
    if (viewers.ownerSeesAll && !viewers.owner.isEmpty()) {
        others.removeAll(viewers.owner);
        parts << QStringLiteral("vlastník databáze \"%1\"").arg(viewers.owner);
    }
    if (!others.isEmpty())
        parts << (others.size() == 1 ? QStringLiteral("správce serveru ") : QStringLiteral("správci serveru ")) +
                     quoted(others);
    if (parts.isEmpty())
        parts << QStringLiteral("správci serveru");
    return QStringLiteral("Všechny uživatele vidí pouze %1...").arg(parts.join(QStringLiteral(" a ")));
}
