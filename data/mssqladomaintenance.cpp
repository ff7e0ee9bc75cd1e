// The start-up maintenance as this server does it while other tills work:
// indexes rebuilt concurrently, tables vacuumed in place (the free space at
// their end given back, no row moved), and each step only where there is
// something to do, so that a start with nothing to do costs a look at the
// catalog. No step takes a lock a sale, a basket line or a list read waits
// on. A step the server refused, or did in part (it skips a table its user
// may not vacuum, with a warning), reports the server's text.
#include "data/mssqladoconnection.h"

namespace {

// B-trees of at least 1 MB holding more than twice the pages their rows need
// (one tuple: its line pointer, header and columns as wide as the statistics
// say, on pages filled to 90 %), and indexes a build left invalid; those a
// concurrent rebuild left behind (named "..._ccnew", "..._ccold") are only
// dropped.
const QString IndexesToRebuild = QStringLiteral(R"(
SELECT format('%I.%I', n.nspname, i.relname),
  NOT x.indisvalid AND i.relname ~ '_cc(new|old)[0-9]*$'
FROM pg_index x
JOIN pg_class i ON i.oid = x.indexrelid
JOIN pg_class t ON t.oid = x.indrelid
JOIN pg_namespace n ON n.oid = i.relnamespace
JOIN pg_am a ON a.oid = i.relam
WHERE n.nspname = 'public' AND t.relkind = 'r'
  AND (NOT x.indisvalid OR (a.amname = 'btree' AND i.relpages >= 128 AND i.reltuples >= 0
    AND i.relpages > 2 * (1 + ceil(i.reltuples * (
      SELECT 4 + 8 * ceil((8 + sum(coalesce(s.avg_width, nullif(ty.typlen, -1), 24))) / 8.0)
      FROM pg_attribute ia
      JOIN pg_type ty ON ty.oid = ia.atttypid
      LEFT JOIN pg_attribute ta ON ta.attrelid = x.indrelid AND ta.attnum = x.indkey[ia.attnum - 1]
      LEFT JOIN pg_stats s ON s.schemaname = n.nspname AND NOT s.inherited
        AND s.tablename = CASE WHEN ta.attnum IS NULL THEN i.relname ELSE t.relname END
        AND s.attname = CASE WHEN ta.attnum IS NULL THEN ia.attname ELSE ta.attname END
      WHERE ia.attrelid = x.indexrelid AND ia.attnum > 0) / (8152 * 0.9)))))
ORDER BY 1)");

// Tables with rows no one sees any more, by the server's own count.
const QString TablesToShrink = QStringLiteral("SELECT format('%I.%I', schemaname, relname) FROM pg_stat_user_tables "
                                              "WHERE schemaname = 'public' AND n_dead_tup > 0 ORDER BY 1");

} // namespace

bool TMSSQLADOConnection::onDatabase(const QString &database, const std::function<bool(Db::Connection &)> &work)
{
    if (m_connection.isOpen() && m_connection.database() == ServerDatabaseName(database))
        return work(m_connection);
    Db::Connection side;
    if (!openSide(side, database))
        return false;
    const bool ok = work(side);
    m_connection.setErrors(side.errors());
    return ok;
}

bool TMSSQLADOConnection::runOn(const QString &database, const QString &sql)
{
    return onDatabase(database, [&sql](Db::Connection &session) { return session.exec(sql).succeeded(); });
}

bool TMSSQLADOConnection::TruncateLog(const QString &database)
{
    // A checkpoint lets the server recycle the log written before it; only a
    // superuser (or a member of pg_checkpoint) may ask for one.
    return runOn(database, QStringLiteral("CHECKPOINT"));
}

bool TMSSQLADOConnection::ReindexDatabase()
{
    const Db::Result found = m_connection.exec(IndexesToRebuild);
    if (!found.succeeded())
        return false;
    // Every index is tried; the first refusal is the step's.
    QList<Db::ServerError> refused;
    for (int row = 0; row < found.rowCount(); ++row) {
        const QString index = found.cellText(row, 0);
        const QString sql = found.cellText(row, 1) == u"t" ? QStringLiteral("DROP INDEX CONCURRENTLY IF EXISTS ")
                                                           : QStringLiteral("REINDEX INDEX CONCURRENTLY ");
        if (!m_connection.exec(sql + index).succeeded() && refused.isEmpty())
            refused = m_connection.errors();
    }
    m_connection.setErrors(refused);
    return refused.isEmpty();
}

bool TMSSQLADOConnection::ShrinkDatabase(const QString &database)
{
    return onDatabase(database, [](Db::Connection &session) {
        const Db::Result found = session.exec(TablesToShrink);
        if (!found.succeeded())
            return false;
        QStringList tables;
        for (int row = 0; row < found.rowCount(); ++row)
            tables << found.cellText(row, 0);
        if (tables.isEmpty())
            return true;
        if (!session.exec(QStringLiteral("VACUUM (TRUNCATE) ") + tables.join(QStringLiteral(", "))).succeeded())
            return false;
        const QList<Db::ServerError> skipped = session.warnings();
        session.setErrors(skipped);
        return skipped.isEmpty();
    });
}
