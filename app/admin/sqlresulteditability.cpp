#include "app/admin/sqlresulteditability.h"

#include "platform/db/connection.h"
#include "platform/db/dataset.h"

#include <set>

namespace {

// The attribute numbers of the table's primary key; empty when it has none.
std::set<int> primaryKeyColumns(Db::Connection &connection, Oid table, bool &failed)
{
    static const QString sql = QStringLiteral("SELECT unnest(conkey) FROM pg_constraint "
                                              "WHERE conrelid = $1 AND contype = 'p'");
    const Db::Result result = connection.exec(sql, {Db::Param::of(QString::number(table))});
    failed = !result.succeeded();
    std::set<int> key;
    for (int r = 0; !failed && r < result.rowCount(); ++r)
        key.insert(result.cellText(r, 0).toInt());
    return key;
}

} // namespace

QString SqlResultReadOnlyReason(const Db::Dataset &result, Db::Connection &connection)
{
    const auto prefix = QStringLiteral("Výsledek nelze upravovat: ");
    const Db::Snapshot *rows = result.snapshot().get();
    if (!result.Active() || !rows)
        return prefix + QStringLiteral("dotaz není otevřen.");
    std::set<Oid> tables;
    std::set<int> present;
    for (int c = 0; c < rows->columnCount(); ++c) {
        if (rows->column(c).table == 0)
            continue;
        tables.insert(rows->column(c).table);
        present.insert(rows->column(c).tableColumn);
    }
    if (tables.empty())
        return prefix + QStringLiteral("sloupce výsledku nepocházejí z tabulky.");
    if (tables.size() > 1)
        return prefix + QStringLiteral("výsledek spojuje více tabulek.");
    bool failed = false;
    const std::set<int> key = primaryKeyColumns(connection, *tables.begin(), failed);
    if (failed)
        return prefix + connection.lastErrorText();
    if (key.empty())
        return prefix + QStringLiteral("tabulka nemá primární klíč.");
    for (int column : key) {
        if (!present.count(column))
            return prefix + QStringLiteral("ve výsledku chybí primární klíč tabulky.");
    }
    return QString();
}
