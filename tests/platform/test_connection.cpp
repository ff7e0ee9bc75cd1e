#include "common/test_connection.h"

#include <QThread>

TEST_F(LiveDatabaseTest, OpensWithApplicationNameAndFailsWithWrongPassword)
{
    const Db::Result r = connection.exec(QStringLiteral("SELECT current_setting('application_name')"));
    ASSERT_TRUE(r.succeeded());
    EXPECT_EQ(r.cellText(0, 0), QStringLiteral("Tarmil"));

    Db::Connection other;
    EXPECT_FALSE(other.open(testServerName(), database.name(), TestDatabase::user(), QStringLiteral("wrong")));
    EXPECT_FALSE(other.lastErrorText().isEmpty());
    EXPECT_FALSE(other.isOpen());
    EXPECT_FALSE(other.exec(QStringLiteral("SELECT 1")).succeeded()); // no crash on a closed session
}

TEST_F(LiveDatabaseTest, ErrorsAndNoticesOfTheLastStatement)
{
    run(QStringLiteral("CREATE FUNCTION fail_user() RETURNS integer LANGUAGE plpgsql AS $$ BEGIN "
                       "RAISE NOTICE 'pozor'; RAISE EXCEPTION 'Chyba uživatele' USING ERRCODE = '50000'; END $$"));
    EXPECT_FALSE(connection.exec(QStringLiteral("SELECT fail_user()")).succeeded());
    EXPECT_EQ(connection.lastErrorText(), QStringLiteral("Chyba uživatele [50000]"));
    EXPECT_EQ(connection.notices(), QStringList{QStringLiteral("pozor")});
    EXPECT_FALSE(connection.exec(QStringLiteral("SELECT * FROM missing_table")).succeeded());
    EXPECT_TRUE(connection.lastErrorText().endsWith(QStringLiteral("[42P01]")));
    EXPECT_TRUE(connection.exec(QStringLiteral("SELECT 1")).succeeded());
    EXPECT_TRUE(connection.lastErrorText().isEmpty());
}

TEST_F(LiveDatabaseTest, RollbackKeepsTheErrorThatCausedIt)
{
    run(QStringLiteral("CREATE TABLE t (id integer PRIMARY KEY)"));
    ASSERT_TRUE(connection.beginTransaction());
    run(QStringLiteral("INSERT INTO t VALUES (1)"));
    ASSERT_TRUE(connection.savepoint(QStringLiteral("call")));
    EXPECT_FALSE(connection.exec(QStringLiteral("INSERT INTO t VALUES (1)")).succeeded());
    const QString reason = connection.lastErrorText();
    EXPECT_TRUE(connection.rollbackToSavepoint(QStringLiteral("call")));
    EXPECT_EQ(connection.lastErrorText(), reason);
    run(QStringLiteral("INSERT INTO t VALUES (2)")); // the transaction goes on
    EXPECT_TRUE(connection.inTransaction());
    ASSERT_TRUE(connection.commit());
    EXPECT_EQ(connection.exec(QStringLiteral("SELECT count(*) FROM t")).cellText(0, 0), QStringLiteral("2"));
}

TEST_F(LiveDatabaseTest, LostConnectionIsAnErrorAndTheNextStatementReconnects)
{
    const QString pid = connection.exec(QStringLiteral("SELECT pg_backend_pid()")).cellText(0, 0);
    PGconn *killer = database.connect();
    PQclear(PQexec(killer, ("SELECT pg_terminate_backend(" + pid + ")").toUtf8().constData()));
    PQfinish(killer);
    QThread::msleep(100);
    EXPECT_FALSE(connection.exec(QStringLiteral("SELECT 1")).succeeded());
    EXPECT_FALSE(connection.lastErrorText().isEmpty());
    const Db::Result again = connection.exec(QStringLiteral("SELECT 2"));
    ASSERT_TRUE(again.succeeded()) << qPrintable(connection.lastErrorText());
    EXPECT_EQ(again.cellText(0, 0), QStringLiteral("2"));
}

// A transaction for a scope: committed only when asked, rolled back when the
// scope is left otherwise (an exception too); inside the caller's transaction
// it is a step that neither commits nor rolls back.
TEST_F(LiveDatabaseTest, ATransactionScopeRollsBackUnlessCommitted)
{
    run(QStringLiteral("CREATE TABLE t (id integer)"));
    auto count = [this] { return connection.exec(QStringLiteral("SELECT count(*) FROM t")).cellText(0, 0); };
    {
        Db::Transaction transaction(connection);
        ASSERT_TRUE(transaction.active() && transaction.own());
        run(QStringLiteral("INSERT INTO t VALUES (1)"));
    }
    EXPECT_FALSE(connection.inTransaction());
    EXPECT_EQ(count(), QStringLiteral("0"));
    try {
        Db::Transaction transaction(connection);
        run(QStringLiteral("INSERT INTO t VALUES (1)"));
        throw std::runtime_error("x");
    } catch (const std::runtime_error &) {
    }
    EXPECT_EQ(count(), QStringLiteral("0"));
    {
        Db::Transaction transaction(connection);
        run(QStringLiteral("INSERT INTO t VALUES (1)"));
        EXPECT_TRUE(transaction.commit());
        EXPECT_FALSE(transaction.commit()); // once
    }
    EXPECT_EQ(count(), QStringLiteral("1"));
    ASSERT_TRUE(connection.beginTransaction());
    {
        Db::Transaction step(connection);
        EXPECT_FALSE(step.own());
        run(QStringLiteral("INSERT INTO t VALUES (2)"));
    }
    EXPECT_TRUE(connection.inTransaction());
    {
        Db::Transaction step(connection);
        EXPECT_TRUE(step.commit());
    }
    EXPECT_TRUE(connection.inTransaction());
    ASSERT_TRUE(connection.commit());
    EXPECT_EQ(count(), QStringLiteral("2"));
}

// The server's defaults for the database differ from what the program reads;
// a session opened again after a lost connection gets the same settings as
// the one opened first.
TEST_F(LiveDatabaseTest, AReconnectedSessionHasTheSettingsOfAnOpenedOne)
{
    const QString db = Db::Connection::quoteIdentifier(database.name());
    run(QStringLiteral("ALTER DATABASE %1 SET datestyle = 'German, DMY'").arg(db));
    run(QStringLiteral("ALTER DATABASE %1 SET intervalstyle = 'sql_standard'").arg(db));
    run(QStringLiteral("ALTER DATABASE %1 SET extra_float_digits = 0").arg(db));
    Db::Connection c;
    ASSERT_TRUE(c.open(testServerName(), database.name(), TestDatabase::user(), TestDatabase::password()));
    const QString settings =
        QStringLiteral("SELECT concat_ws('|', current_setting('datestyle'), current_setting('intervalstyle'),"
                       " current_setting('application_name'), current_setting('client_encoding'),"
                       " 1217.919::real, now()::date::text)");
    const QString opened = c.exec(settings).cellText(0, 0);
    EXPECT_TRUE(opened.startsWith(QStringLiteral("ISO, YMD|postgres|Tarmil|UTF8|1217.919|"))) << qPrintable(opened);
    const quint64 serial = c.sessionSerial();

    PGconn *killer = database.connect();
    PQclear(PQexec(killer, QStringLiteral("SELECT pg_terminate_backend(%1)")
                               .arg(c.exec(QStringLiteral("SELECT pg_backend_pid()")).cellText(0, 0))
                               .toUtf8()
                               .constData()));
    PQfinish(killer);
    QThread::msleep(100);
    EXPECT_FALSE(c.exec(QStringLiteral("SELECT 1")).succeeded());
    const Db::Result again = c.exec(settings);
    ASSERT_TRUE(again.succeeded()) << qPrintable(c.lastErrorText());
    EXPECT_EQ(again.cellText(0, 0), opened);
    EXPECT_GT(c.sessionSerial(), serial);
}

TEST_F(LiveDatabaseTest, ScriptStopsAtTheFirstFailure)
{
    EXPECT_FALSE(connection.execScript({QStringLiteral("CREATE TABLE a (x integer)"),
                                        QStringLiteral("CREATE TABLE a (x integer)"),
                                        QStringLiteral("CREATE TABLE b (x integer)")}));
    EXPECT_EQ(
        connection.exec(QStringLiteral("SELECT count(*) FROM pg_class WHERE relname IN ('a','b')")).cellText(0, 0),
        QStringLiteral("1"));
}

// A statement sent with the next one reads, in that round trip, what it would
// read right after it; the result serves only the very next run of the same
// statement with the same parameters.
TEST_F(LiveDatabaseTest, AStatementSentWithTheNextReadsWhatItWouldReadAfterIt)
{
    run(QStringLiteral("CREATE TABLE t (n integer CHECK (n > 0))"));
    const QString insert = QStringLiteral("INSERT INTO t VALUES ($1)");
    const QString count = QStringLiteral("SELECT count(*) FROM t WHERE n <> $1");
    auto countWith = [&](const char *other) {
        return connection.execPrepared(count, {Db::Param::of(other)}).cellText(0, 0);
    };
    connection.execPrepared(insert, {Db::Param::of("1")});
    EXPECT_EQ(countWith("0"), "1"); // both prepared

    quint64 before = connection.roundTrips();
    connection.sendWithNext(count, {Db::Param::of("0")});
    ASSERT_TRUE(connection.execPrepared(insert, {Db::Param::of("2")}).succeeded());
    EXPECT_EQ(countWith("0"), "2");
    EXPECT_EQ(connection.roundTrips() - before, 1u);

    // Another statement between, or other parameters: read anew.
    connection.sendWithNext(count, {Db::Param::of("0")});
    connection.execPrepared(insert, {Db::Param::of("3")});
    run(QStringLiteral("INSERT INTO t VALUES (4)"));
    EXPECT_EQ(countWith("0"), "4");
    connection.sendWithNext(count, {Db::Param::of("0")});
    connection.execPrepared(insert, {Db::Param::of("5")});
    EXPECT_EQ(countWith("1"), "4");
    EXPECT_EQ(countWith("0"), "5");

    // A refused statement keeps its own reason; it stops the read sent with
    // it, which then runs on its own.
    before = connection.roundTrips();
    connection.sendWithNext(count, {Db::Param::of("0")});
    EXPECT_FALSE(connection.execPrepared(insert, {Db::Param::of("-1")}).succeeded());
    EXPECT_TRUE(connection.lastErrorText().endsWith(QStringLiteral("[23514]")));
    EXPECT_EQ(countWith("0"), "5");
    EXPECT_TRUE(connection.lastErrorText().isEmpty());
    EXPECT_EQ(connection.roundTrips() - before, 2u);
}

// A statement the server no longer runs as planned is prepared and run again:
// what was read with its first, refused run is not handed out.
TEST_F(LiveDatabaseTest, AStatementRunAgainDropsWhatWasReadWithItsFirstRun)
{
    run(QStringLiteral("CREATE SEQUENCE s; CREATE TABLE t (n integer); INSERT INTO t VALUES (1)"));
    const QString next = QStringLiteral("SELECT nextval('s'), * FROM t");
    const QString last = QStringLiteral("SELECT last_value FROM s");
    ASSERT_EQ(connection.execPrepared(next, {}).cellText(0, 0), "1");
    ASSERT_EQ(connection.execPrepared(last, {}).cellText(0, 0), "1");
    run(QStringLiteral("ALTER TABLE t ADD COLUMN m integer"));
    connection.sendWithNext(last, {});
    const Db::Result again = connection.execPrepared(next, {});
    ASSERT_TRUE(again.succeeded()) << qPrintable(connection.lastErrorText());
    EXPECT_EQ(again.cellText(0, 0), "2");
    EXPECT_EQ(connection.execPrepared(last, {}).cellText(0, 0), "2");
}

// The statement sent with the next shares its transaction: when it fails,
// the first statement's work is run again alone, so it stands exactly once.
TEST_F(LiveDatabaseTest, AFailedReadSentWithTheNextLeavesTheStatementDoneOnce)
{
    run(QStringLiteral("CREATE TABLE t (n integer)"));
    const QString insert = QStringLiteral("INSERT INTO t VALUES ($1)");
    const QString read = QStringLiteral("SELECT * FROM t ORDER BY n");
    const QString divide = QStringLiteral("SELECT count(*) / $1 FROM t");
    auto count = [&] { return connection.exec(QStringLiteral("SELECT count(*) FROM t")).cellText(0, 0); };
    ASSERT_TRUE(connection.execPrepared(insert, {Db::Param::of("1")}).succeeded());
    ASSERT_TRUE(connection.execPrepared(read, {}).succeeded());

    // Refused by the server as it runs.
    connection.sendWithNext(divide, {Db::Param::of("0")});
    ASSERT_TRUE(connection.execPrepared(insert, {Db::Param::of("2")}).succeeded());
    EXPECT_TRUE(connection.lastErrorText().isEmpty());
    EXPECT_EQ(count(), "2");

    // Its plan no longer fits the table: prepared again when it runs next.
    run(QStringLiteral("ALTER TABLE t ADD COLUMN m integer"));
    connection.sendWithNext(read, {});
    ASSERT_TRUE(connection.execPrepared(insert, {Db::Param::of("3")}).succeeded());
    EXPECT_EQ(count(), "3");
    const Db::Result rows = connection.execPrepared(read, {});
    ASSERT_TRUE(rows.succeeded()) << qPrintable(connection.lastErrorText());
    EXPECT_EQ(rows.rowCount(), 3);
    EXPECT_EQ(rows.columnCount(), 2);
}

// A prepared statement outside a transaction is a transaction of its own in
// one round trip: its work stays when it went through, nothing of it when it
// was refused, and no transaction is left open either way.
TEST_F(LiveDatabaseTest, APreparedStatementAloneIsATransactionOfItsOwn)
{
    run(QStringLiteral("CREATE TABLE t (n integer CHECK (n > 0))"));
    const QString insert = QStringLiteral("INSERT INTO t SELECT n FROM unnest($1::integer[]) n RETURNING n");
    auto count = [&] { return connection.exec(QStringLiteral("SELECT count(*) FROM t")).cellText(0, 0); };
    ASSERT_TRUE(connection.execPrepared(insert, {Db::Param::of("{1}")}).succeeded());

    const quint64 before = connection.roundTrips();
    ASSERT_EQ(connection.execPrepared(insert, {Db::Param::of("{2,3}")}).rowCount(), 2);
    EXPECT_EQ(connection.roundTrips() - before, 1u);
    EXPECT_FALSE(connection.inTransaction());
    EXPECT_EQ(count(), "3");

    // The second row is refused: the first goes with it.
    EXPECT_FALSE(connection.execPrepared(insert, {Db::Param::of("{4,-1}")}).succeeded());
    EXPECT_TRUE(connection.lastErrorText().endsWith(QStringLiteral("[23514]")));
    EXPECT_FALSE(connection.inTransaction());
    EXPECT_EQ(count(), "3");
}

TEST_F(LiveDatabaseTest, StatementsOfEverNewTextsDoNotPileUpOnTheServer)
{
    for (int i = 0; i < 300; ++i) {
        const Db::Result result = connection.execPrepared(QStringLiteral("SELECT %1").arg(i), {});
        ASSERT_EQ(result.cellText(0, 0), QString::number(i)) << qPrintable(connection.lastErrorText());
    }
    const int kept =
        connection.exec(QStringLiteral("SELECT count(*) FROM pg_prepared_statements")).cellText(0, 0).toInt();
    EXPECT_LE(kept, 256);
    EXPECT_EQ(connection.execPrepared(QStringLiteral("SELECT 299"), {}).cellText(0, 0), "299");
}
