// The start-up maintenance as this server does it while other tills work:
// indexes rebuilt concurrently, tables vacuumed in place (the free space at
// their end given back, no row moved), and each step only where there is
// something to do, so that a start with nothing to do costs a look at the
// catalog. No step takes a lock a sale, a basket line or a list read waits
// on, and no step waits on another till's work for more than about a
// second: one till at a time maintains, and what would wait is left for a
// later start, with the reason. A step the server refused, or did in part
// (it skips a table its user may not vacuum, with a warning), reports the
// server's text.
#include "data/mssqladoconnection.h"

#include <QDeadlineTimer>
#include <QThread>

namespace {

// B-trees of at least 1 MB holding more than twice the pages a fresh build
// would give their rows, and indexes a build left invalid; those a
// concurrent rebuild left behind (named "..._ccnew", "..._ccold") are only
// dropped. An index another session holds more than a reader's or a
// writer's lock on is being built or rebuilt right now and is left alone.
//
// What a fresh build needs: one tuple per row (its line pointer, header and
// columns as wide as the statistics say) on leaf pages filled to 90 %; where
// the index keeps equal keys once with a list of their rows (not unique, no
// included columns, every key column's type compared byte for byte), one
// such tuple per distinct key and six bytes per row, as the distinct counts
// of the statistics give them. The rows are counted as they are now, not
// as at the last vacuum, and the size is the file's own, so that a start
// after heavy changes sees them.
const QString IndexesToRebuild = QStringLiteral(R"(
WITH ix AS (
  SELECT n.nspname, i.oid, i.relname, t.relname AS tname, x.indisvalid, x.indclass, x.indcollation, x.indkey,
    x.indrelid, x.indnkeyatts, a.amname = 'btree' AS btree, pg_relation_size(i.oid) / 8192 AS pages,
    (CASE WHEN st.n_live_tup + st.n_tup_del > 0 THEN st.n_live_tup ELSE greatest(t.reltuples, 0) END)
      * CASE WHEN x.indpred IS NULL OR t.reltuples <= 0 OR i.reltuples < 0 THEN 1
             ELSE least(1, i.reltuples / t.reltuples) END AS rows,
    NOT x.indisunique AND x.indnatts = x.indnkeyatts
      AND NOT coalesce('deduplicate_items=off' = ANY (i.reloptions), false) AS dedup,
    EXISTS (SELECT 1 FROM pg_locks l WHERE l.locktype = 'relation' AND l.relation = i.oid
            AND l.database = (SELECT oid FROM pg_database WHERE datname = current_database())
            AND l.pid <> pg_backend_pid() AND l.mode NOT IN ('AccessShareLock', 'RowShareLock', 'RowExclusiveLock'))
      AS busy
  FROM pg_index x
  JOIN pg_class i ON i.oid = x.indexrelid
  JOIN pg_class t ON t.oid = x.indrelid
  JOIN pg_namespace n ON n.oid = i.relnamespace
  JOIN pg_am a ON a.oid = i.relam
  LEFT JOIN pg_stat_user_tables st ON st.relid = t.oid
  WHERE n.nspname = 'public' AND t.relkind = 'r'
), col AS (
  SELECT ix.oid, ia.attnum <= ix.indnkeyatts AS iskey,
    coalesce(s.avg_width, nullif(ty.typlen, -1), 24) AS width,
    CASE WHEN s.n_distinct > 0 THEN s.n_distinct WHEN s.n_distinct < 0 THEN -s.n_distinct * ix.rows END AS keys,
    EXISTS (SELECT 1 FROM pg_opclass oc JOIN pg_amproc p ON p.amprocfamily = oc.opcfamily
            AND p.amprocnum = 4 AND p.amproclefttype = oc.opcintype WHERE oc.oid = ix.indclass[ia.attnum - 1])
      AND coalesce((SELECT c.collisdeterministic FROM pg_collation c
                    WHERE c.oid = ix.indcollation[ia.attnum - 1]), true) AS bytewise
  FROM ix
  JOIN pg_attribute ia ON ia.attrelid = ix.oid AND ia.attnum > 0
  JOIN pg_type ty ON ty.oid = ia.atttypid
  LEFT JOIN pg_attribute ta ON ta.attrelid = ix.indrelid AND ta.attnum = ix.indkey[ia.attnum - 1]
  LEFT JOIN pg_stats s ON s.schemaname = ix.nspname AND NOT s.inherited
    AND s.tablename = CASE WHEN ta.attnum IS NULL THEN ix.relname ELSE ix.tname END
    AND s.attname = CASE WHEN ta.attnum IS NULL THEN ia.attname ELSE ta.attname END
), need AS (
  SELECT ix.oid, ix.rows,
    ix.dedup AND bool_and(c.bytewise AND c.keys IS NOT NULL) FILTER (WHERE c.iskey) AS dedup,
    4 + 8 * ceil((8 + sum(c.width)) / 8.0) AS tuple,
    least(ix.rows, exp(sum(ln(greatest(c.keys, 1))) FILTER (WHERE c.iskey))) AS keys
  FROM ix JOIN col c ON c.oid = ix.oid
  GROUP BY ix.oid, ix.rows, ix.dedup
)
SELECT format('%I.%I', ix.nspname, ix.relname), NOT ix.indisvalid AND ix.relname ~ '_cc(new|old)[0-9]*$'
FROM ix JOIN need ON need.oid = ix.oid
WHERE NOT ix.busy AND (NOT ix.indisvalid
  OR (ix.btree AND ix.pages >= 128 AND ix.pages > 2 * (1 + ceil(
    CASE WHEN need.dedup THEN least(need.rows * need.tuple,
                                    greatest(need.keys, need.rows / 200) * need.tuple + need.rows * 6)
         ELSE need.rows * need.tuple END / (8152 * 0.9)))))
ORDER BY 1)");

// Tables with rows no one sees any more, by the server's own count, and
// whether another session holds a lock on them: giving back the free pages
// at a table's end waits (up to seconds) until no one does.
const QString TablesToShrink = QStringLiteral(R"(
SELECT format('%I.%I', s.schemaname, s.relname),
  EXISTS (SELECT 1 FROM pg_locks l WHERE l.locktype = 'relation' AND l.relation = s.relid
          AND l.database = (SELECT oid FROM pg_database WHERE datname = current_database())
          AND l.pid <> pg_backend_pid())
FROM pg_stat_user_tables s WHERE s.schemaname = 'public' AND s.n_dead_tup > 0 ORDER BY 1)");

// The transactions open in other tills' sessions of this database, by the
// lock each holds on its own id: pg_locks shows it to every user, where
// pg_stat_activity hides other users' times. The server's own workers (no
// user) are left out: a rebuild does not wait for them.
const QString OpenTransactions = QStringLiteral(
    "SELECT coalesce(array_agg(l.virtualxid), '{}') FROM pg_locks l JOIN pg_stat_activity a ON a.pid = l.pid "
    "WHERE l.locktype = 'virtualxid' AND l.granted AND a.datname = current_database() AND a.usesysid IS NOT NULL "
    "AND l.pid <> pg_backend_pid()");
const QString StillOpen = QStringLiteral(
    "SELECT count(*) FROM pg_locks WHERE locktype = 'virtualxid' AND granted AND virtualxid = ANY ($1::text[])");

// What a step may wait, in all, on other tills' transactions.
constexpr int WaitBudgetMs = 1000;
constexpr int PollMs = 50;

// One till at a time maintains: the lock is the session's, taken only when
// free, and given up with the step (or with the session, should the till
// fall). Advisory locks are the database's own, so shops on one server do
// not hold each other up.
class MaintainerLock
{
public:
    explicit MaintainerLock(Db::Connection &session)
        : m_session(session)
    {
        const Db::Result taken =
            session.exec(QStringLiteral("SELECT pg_try_advisory_lock(%1)").arg(TMSSQLADOConnection::MaintainerLockKey));
        m_failed = !taken.succeeded();
        m_held = !m_failed && taken.cellText(0, 0) == u"t";
    }
    ~MaintainerLock()
    {
        if (!m_held)
            return;
        const QList<Db::ServerError> kept = m_session.errors();
        m_session.exec(QStringLiteral("SELECT pg_advisory_unlock(%1)").arg(TMSSQLADOConnection::MaintainerLockKey));
        m_session.setErrors(kept);
    }
    MaintainerLock(const MaintainerLock &) = delete;
    MaintainerLock &operator=(const MaintainerLock &) = delete;

    bool held() const { return m_held; }
    bool failed() const { return m_failed; }

private:
    Db::Connection &m_session;
    bool m_held = false;
    bool m_failed = false;
};

// Waits, within the budget, until the transactions open now in other
// sessions have ended; false when one is still open at the budget's end.
bool olderTransactionsEnded(Db::Connection &session, QDeadlineTimer &budget)
{
    const Db::Result open = session.exec(OpenTransactions);
    if (!open.succeeded())
        return false;
    const QList<Db::Param> ids{Db::Param::of(open.cellText(0, 0))};
    for (;;) {
        const Db::Result still = session.exec(StillOpen, ids);
        if (!still.succeeded())
            return false;
        if (still.cellText(0, 0) == u"0")
            return true;
        if (budget.hasExpired())
            return false;
        QThread::msleep(std::min<qint64>(PollMs, budget.remainingTime()));
    }
}

// Every line the server gave as one error, so that the warning names each.
Db::ServerError allOf(const QList<Db::ServerError> &errors)
{
    if (errors.size() == 1)
        return errors.constFirst();
    QStringList lines;
    for (const Db::ServerError &error : errors)
        lines << error.line();
    return Db::ServerError(lines.join(u'\n'), QString());
}

const QString OtherMaintainer = QStringLiteral("Údržbu databáze právě provádí jiná pokladna.");

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

bool TMSSQLADOConnection::maintain(const QString &database, const std::function<bool(Db::Connection &)> &work)
{
    m_left.clear();
    return onDatabase(database, [this, &work](Db::Connection &session) {
        const MaintainerLock lock(session);
        if (lock.failed())
            return false;
        if (!lock.held()) {
            m_left = OtherMaintainer;
            return true;
        }
        return work(session);
    });
}

bool TMSSQLADOConnection::finishStep(Db::Connection &session, const QList<Db::ServerError> &refused,
                                     const QStringList &left)
{
    m_left = left.join(u' ');
    session.setErrors(refused.isEmpty() ? QList<Db::ServerError>() : QList<Db::ServerError>{allOf(refused)});
    return refused.isEmpty();
}

bool TMSSQLADOConnection::TruncateLog(const QString &database)
{
    // A checkpoint lets the server recycle the log written before it; only a
    // superuser (or a member of pg_checkpoint) may ask for one.
    return maintain(database,
                    [](Db::Connection &session) { return session.exec(QStringLiteral("CHECKPOINT")).succeeded(); });
}

bool TMSSQLADOConnection::ReindexDatabase()
{
    return maintain(m_connection.database(), [this](Db::Connection &session) {
        const Db::Result found = session.exec(IndexesToRebuild);
        if (!found.succeeded())
            return false;
        // A concurrent rebuild waits for every transaction older than itself,
        // and for every lock on its table: it starts only when those open now
        // have ended, and gives up a wait the budget does not cover. What it
        // gave up leaves an invalid copy, which a later start drops.
        QDeadlineTimer budget(WaitBudgetMs);
        QList<Db::ServerError> refused;
        QStringList waiting;
        for (int row = 0; row < found.rowCount(); ++row) {
            const QString index = found.cellText(row, 0);
            if (!olderTransactionsEnded(session, budget)) {
                waiting << index;
                continue;
            }
            session.exec(QStringLiteral("SET lock_timeout = %1").arg(std::max<qint64>(PollMs, budget.remainingTime())));
            const QString sql = found.cellText(row, 1) == u"t" ? QStringLiteral("DROP INDEX CONCURRENTLY IF EXISTS ")
                                                               : QStringLiteral("REINDEX INDEX CONCURRENTLY ");
            if (!session.exec(sql + index).succeeded()) {
                const QList<Db::ServerError> errors = session.errors();
                if (!errors.isEmpty() && errors.constFirst().lockNotAvailable())
                    waiting << index;
                else
                    refused << errors;
            }
        }
        session.exec(QStringLiteral("RESET lock_timeout"));
        QStringList left;
        if (!waiting.isEmpty())
            left << QStringLiteral("Přestavba indexů %1 by čekala na transakce jiných pokladen, proběhne při "
                                   "dalším startu.")
                        .arg(waiting.join(QStringLiteral(", ")));
        return finishStep(session, refused, left);
    });
}

bool TMSSQLADOConnection::ShrinkDatabase(const QString &database)
{
    return maintain(database, [this](Db::Connection &session) {
        const Db::Result found = session.exec(TablesToShrink);
        if (!found.succeeded())
            return false;
        // One table a statement, so that each warning belongs to its table.
        // A table another session holds (or is vacuuming) is not waited for.
        QList<Db::ServerError> refused;
        QStringList busy, skipped;
        for (int row = 0; row < found.rowCount(); ++row) {
            const QString table = found.cellText(row, 0);
            const bool inUse = found.cellText(row, 1) == u"t";
            if (inUse)
                busy << table;
            const QString options =
                inUse ? QStringLiteral("(SKIP_LOCKED, TRUNCATE false) ") : QStringLiteral("(SKIP_LOCKED, TRUNCATE) ");
            if (!session.exec(QStringLiteral("VACUUM ") + options + table).succeeded()) {
                refused << session.errors();
                continue;
            }
            for (const Db::ServerError &warning : session.warnings()) {
                if (warning.lockNotAvailable())
                    skipped << table;
                else
                    refused << warning;
            }
        }
        QStringList left;
        if (!skipped.isEmpty())
            left << QStringLiteral("Tabulky %1 právě zpracovává jiná pokladna nebo server, jejich vakuování proběhne "
                                   "při dalším startu.")
                        .arg(skipped.join(QStringLiteral(", ")));
        for (const QString &table : skipped)
            busy.removeAll(table);
        if (!busy.isEmpty())
            left << QStringLiteral(
                        "Tabulky %1 právě používá jiná pokladna nebo server, volné místo na jejich konci se uvolní při "
                        "dalším startu.")
                        .arg(busy.join(QStringLiteral(", ")));
        return finishStep(session, refused, left);
    });
}
