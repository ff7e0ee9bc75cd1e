#include "common/test_connection.h"
#include "data/mssqladoconnection.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <atomic>
#include <thread>

namespace {

class MaintenanceTest : public LiveDatabaseTest
{
protected:
    void SetUp() override
    {
        qputenv("TARMIL5_HOME", home.path().toUtf8());
        LiveDatabaseTest::SetUp();
        ASSERT_TRUE(
            tarmil.ConnectDatabase(testServerName(), database.name(), TestDatabase::user(), TestDatabase::password()))
            << qPrintable(tarmil.LastErrorText());
    }
    // Drops a database made by a test, from the maintenance database.
    void dropDatabase(const QString &name)
    {
        Db::Connection server;
        ASSERT_TRUE(
            server.open(testServerName(), QStringLiteral("postgres"), TestDatabase::user(), TestDatabase::password()));
        server.exec(
            QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(Db::Connection::quoteIdentifier(name)));
    }
    // A table whose two indexes are ten times what their rows need, with a
    // thousand dead rows, and which the server's own vacuum leaves alone.
    void makeBloatedStock()
    {
        for (const char *sql :
             {"CREATE TABLE zasoba (id integer PRIMARY KEY, x integer) WITH (autovacuum_enabled = false)",
              "CREATE INDEX zasoba_x ON zasoba (x)", "INSERT INTO zasoba SELECT i, i FROM generate_series(1, 100000) i",
              "DELETE FROM zasoba WHERE id % 10 <> 0",
              "SELECT pg_stat_force_next_flush()", // the rows counted before the vacuum counts them
              "VACUUM ANALYZE zasoba", "UPDATE zasoba SET x = x + 1 WHERE id <= 1000",
              "SELECT pg_stat_force_next_flush()"})
            run(QString::fromLatin1(sql));
    }
    // Every row of a table as text, in key order.
    QStringList rowsOf(Db::Connection &session, const QString &table)
    {
        const Db::Result r = session.exec(QStringLiteral("SELECT t::text FROM %1 t ORDER BY 1").arg(table));
        QStringList rows;
        for (int i = 0; i < r.rowCount(); ++i)
            rows << r.cellText(i, 0);
        return rows;
    }

    QTemporaryDir home;
    TMSSQLADOConnection tarmil;
};

QStringList lines(const QString &text)
{
    return text.split(u'\n');
}

} // namespace

TEST(ScriptSplitting, SeparatorsAndTrimming)
{
    EXPECT_EQ(TMSSQLADOConnection::FindSeparator(QStringLiteral("abc")), 0);
    EXPECT_EQ(TMSSQLADOConnection::FindSeparator(QStringLiteral("x GO")), 2);
    EXPECT_EQ(TMSSQLADOConnection::FindSeparator(QStringLiteral("xy\nGO GO")), 3);

    TMSSQLADOConnection connection;
    connection.SetCreateDatabaseScript(
        lines(QStringLiteral("CREATE DATABASE x\nGO\n  SELECT 1;\n\tSELECT 2\nGO\n\n\n")));
    connection.SplitScript();
    EXPECT_EQ(connection.Batches(), (QStringList{"CREATE DATABASE x", "SELECT 1;\r\n\tSELECT 2"}));

    // " GO" inside a line also cuts, as the separator table says.
    connection.SetCreateDatabaseScript(lines(QStringLiteral("SELECT 'a' GOOD\nGO\nSELECT 3")));
    connection.SplitScript();
    EXPECT_EQ(connection.Batches(), (QStringList{"SELECT 'a'", "OD", "SELECT 3"}));

    connection.SetCreateDatabaseScript({});
    connection.SplitScript();
    EXPECT_TRUE(connection.Batches().isEmpty());
}

TEST_F(MaintenanceTest, DatabaseExistsTellsAbsentFromCouldNotAsk)
{
    EXPECT_EQ(tarmil.DatabasePresence(database.name()), TDatabasePresence::Exists);
    EXPECT_TRUE(tarmil.DatabaseExists(database.name()));
    EXPECT_EQ(tarmil.DatabasePresence(QStringLiteral("no_such_database_here")), TDatabasePresence::Absent);
    EXPECT_EQ(tarmil.DatabasePresence(QStringLiteral("master")), TDatabasePresence::Exists);
    tarmil.Connection().close();
    EXPECT_EQ(tarmil.DatabasePresence(database.name()), TDatabasePresence::Unknown);
    EXPECT_FALSE(tarmil.DatabaseExists(database.name()));
    EXPECT_FALSE(tarmil.LastErrorText().isEmpty());
}

TEST_F(MaintenanceTest, CreateDatabaseRunsTheBatchesOnTheNewDatabase)
{
    const QString name = database.name() + QStringLiteral("_new");
    tarmil.SetCreateDatabaseScript(
        lines(QStringLiteral("CREATE DATABASE %DATABASE% TEMPLATE template0 ENCODING 'UTF8'\nGO\n"
                             "CREATE TABLE tab_test (x integer);\nINSERT INTO tab_test VALUES (1);\nGO\n"
                             "INSERT INTO tab_test VALUES (2)\nGO\n")));
    ASSERT_TRUE(tarmil.CreateDatabase(name)) << qPrintable(tarmil.LastErrorText());
    Db::Connection created;
    ASSERT_TRUE(created.open(testServerName(), name, TestDatabase::user(), TestDatabase::password()));
    EXPECT_EQ(rowsOf(created, QStringLiteral("tab_test")), (QStringList{"(1)", "(2)"}));
    created.close();

    // Creating again replaces the database; a failing batch stops the run.
    tarmil.SetCreateDatabaseScript(lines(
        QStringLiteral("CREATE DATABASE %DATABASE% TEMPLATE template0\nGO\nCREATE TABLE tab_other (x integer)\nGO\n"
                       "SELECT nonsense\nGO\nCREATE TABLE never (x integer)")));
    EXPECT_FALSE(tarmil.CreateDatabase(name));
    EXPECT_TRUE(tarmil.LastErrorText().endsWith(QStringLiteral("[42703]")));
    ASSERT_TRUE(created.open(testServerName(), name, TestDatabase::user(), TestDatabase::password()));
    const Db::Result tables = created.exec(QStringLiteral(
        "SELECT to_regclass('tab_test') IS NULL, to_regclass('tab_other') IS NULL, to_regclass('never') IS NULL"));
    EXPECT_EQ(tables.cellText(0, 0) + tables.cellText(0, 1) + tables.cellText(0, 2), QStringLiteral("tft"));
    EXPECT_TRUE(rowsOf(created, QStringLiteral("tab_other")).isEmpty());
    created.close();
    dropDatabase(name);
}

TEST_F(MaintenanceTest, TheProgramsCreationScriptBuildsTheDatabase)
{
    QFile script(QStringLiteral(":/sql/create_database.sql"));
    ASSERT_TRUE(script.open(QIODevice::ReadOnly | QIODevice::Text));
    tarmil.SetCreateDatabaseScript(QString::fromUtf8(script.readAll()).split(u'\n'));
    const QString name = database.name() + QStringLiteral("_t5");
    const bool created = tarmil.CreateDatabase(name);
    const QString error = tarmil.LastErrorText();
    Db::Connection check;
    QString tables;
    if (check.open(testServerName(), name, TestDatabase::user(), TestDatabase::password()))
        tables = check
                     .exec(QStringLiteral("SELECT count(*) FROM pg_tables WHERE tablename IN "
                                          "('tab_polozka', 'tab_doklad', 'tab_historie')"))
                     .cellText(0, 0);
    check.close();
    dropDatabase(name);
    Db::Connection server;
    ASSERT_TRUE(
        server.open(testServerName(), QStringLiteral("postgres"), TestDatabase::user(), TestDatabase::password()));
    server.exec(QStringLiteral("DROP ROLE IF EXISTS %1").arg(Db::Connection::quoteIdentifier(name)));
    ASSERT_TRUE(created) << qPrintable(error);
    EXPECT_GT(tarmil.Batches().size(), 100);
    EXPECT_EQ(tables, QStringLiteral("3"));
}

TEST_F(MaintenanceTest, BackupVerifyAndRestoreRoundTripWithAwkwardNames)
{
    const QString name = database.name() + QStringLiteral(" zá'loha \"x\"");
    dropDatabase(name);
    Db::Connection server;
    ASSERT_TRUE(
        server.open(testServerName(), QStringLiteral("postgres"), TestDatabase::user(), TestDatabase::password()));
    ASSERT_TRUE(server
                    .exec(QStringLiteral("CREATE DATABASE %1 TEMPLATE template0 ENCODING 'UTF8'")
                              .arg(Db::Connection::quoteIdentifier(name)))
                    .succeeded());
    ASSERT_TRUE(tarmil.ConnectDatabase(testServerName(), name, TestDatabase::user(), TestDatabase::password()));
    Db::Connection &session = tarmil.Connection();
    ASSERT_TRUE(
        session
            .exec(QStringLiteral(
                "CREATE TABLE tab_polozka (ID_POLOZKA integer PRIMARY KEY, POLOZKA varchar(64), NAKUP numeric(19,4), "
                "MNOZSTVI real, PLATNA boolean, CAS timestamp(3));"
                "INSERT INTO tab_polozka SELECT g, 'Položka ' || g || ' ''x''', g * 1.2345, g / 4.0, g % 2 = 0, "
                "'2024-03-05 14:07:09.123'::timestamp + g * interval '1 hour' FROM generate_series(1, 200) g"))
            .succeeded());
    const QStringList original = rowsOf(session, QStringLiteral("tab_polozka"));

    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("2024-03-05_14-07-09_server 'a'_tarmil5.bak"));
    ASSERT_TRUE(tarmil.BackupDatabase(name, file)) << qPrintable(tarmil.LastErrorText());
    ASSERT_TRUE(tarmil.VerifyBackup(file)) << qPrintable(tarmil.LastErrorText());

    ASSERT_TRUE(session
                    .exec(QStringLiteral("DELETE FROM tab_polozka WHERE ID_POLOZKA > 50; "
                                         "UPDATE tab_polozka SET POLOZKA = 'změněno'"))
                    .succeeded());
    ASSERT_TRUE(tarmil.RestoreDatabase(name, file)) << qPrintable(tarmil.LastErrorText());
    EXPECT_EQ(rowsOf(session, QStringLiteral("tab_polozka")), original); // our session came back by itself

    // A file that is no backup is refused before anything is dropped.
    const QString bad = folder.filePath(QStringLiteral("bad.bak"));
    QFile out(bad);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("not a backup");
    out.close();
    EXPECT_FALSE(tarmil.VerifyBackup(bad));
    EXPECT_FALSE(tarmil.LastErrorText().isEmpty());
    EXPECT_FALSE(tarmil.RestoreDatabase(name, bad));
    EXPECT_FALSE(tarmil.VerifyBackup(folder.filePath(QStringLiteral("missing.bak"))));
    EXPECT_EQ(rowsOf(session, QStringLiteral("tab_polozka")), original);
    tarmil.Connection().close();
    dropDatabase(name);
}

TEST_F(MaintenanceTest, MaintenanceStatisticsAndServerList)
{
    run(QStringLiteral("CREATE TABLE t (x integer PRIMARY KEY); INSERT INTO t SELECT generate_series(1, 1000)"));
    EXPECT_TRUE(tarmil.ReindexDatabase()) << qPrintable(tarmil.LastErrorText());
    EXPECT_TRUE(tarmil.ShrinkDatabase(database.name())) << qPrintable(tarmil.LastErrorText());
    EXPECT_TRUE(tarmil.TruncateLog(database.name())) << qPrintable(tarmil.LastErrorText());
    EXPECT_TRUE(tarmil.ServerVersion().startsWith(QStringLiteral("PostgreSQL")));
    const qint64 size = tarmil.DatabaseSizeKB();
    const qint64 used = tarmil.DatabaseUsedKB();
    EXPECT_GT(size, 0);
    EXPECT_GT(used, 0);
    EXPECT_LE(used, size);

    // A user who may not force a checkpoint is told so; one who may not
    // vacuum two tables is told of both, with the server's code as it is.
    for (const QString &table : {QStringLiteral("prvni"), QStringLiteral("druha")}) {
        run(QStringLiteral("CREATE TABLE %1 (id integer PRIMARY KEY)").arg(table));
        run(QStringLiteral("INSERT INTO %1 SELECT generate_series(1, 100)").arg(table));
        run(QStringLiteral("DELETE FROM %1 WHERE id > 50").arg(table));
    }
    run(QStringLiteral("SELECT pg_stat_force_next_flush()"));
    const QString role = database.name() + QStringLiteral("_clerk");
    run(QStringLiteral("CREATE ROLE %1 LOGIN PASSWORD 'heslo'").arg(role));
    TMSSQLADOConnection clerk;
    const bool clerkIn = clerk.ConnectDatabase(testServerName(), database.name(), role, QStringLiteral("heslo"));
    const bool truncated = clerk.TruncateLog(database.name());
    const QString refusal = clerk.LastErrorText();
    const bool reindexed = clerk.ReindexDatabase();
    const bool shrunk = clerk.ShrinkDatabase(database.name());
    const QStringList skipped = clerk.LastErrorText().split(u'\n');
    clerk.Connection().close();
    run(QStringLiteral("DROP ROLE %1").arg(role));
    ASSERT_TRUE(clerkIn);
    EXPECT_FALSE(truncated);
    EXPECT_TRUE(reindexed); // no index needed it
    EXPECT_FALSE(refusal.isEmpty());
    EXPECT_FALSE(shrunk);
    ASSERT_EQ(skipped.size(), 2) << qPrintable(skipped.join(u'\n'));
    for (int i = 0; i < 2; ++i)
        EXPECT_TRUE(skipped[i].contains(i ? QStringLiteral("\"prvni\"") : QStringLiteral("\"druha\"")) &&
                    skipped[i].endsWith(QStringLiteral(" [01000]")))
            << qPrintable(skipped[i]);

    // The local server first, then the servers connected to before.
    const QString byAddress = QStringLiteral("127.0.0.1:%1").arg(TestDatabase::port());
    ASSERT_TRUE(tarmil.ConnectDatabase(byAddress, database.name(), TestDatabase::user(), TestDatabase::password()))
        << qPrintable(tarmil.LastErrorText());
    QStringList servers;
    ASSERT_TRUE(tarmil.ListSQLServers(servers));
    EXPECT_EQ(servers.value(0), testServerName()); // the test server is this machine's
    EXPECT_TRUE(servers.contains(byAddress));
}

// The start-up's maintenance holds no other till up: while it runs beside a
// till that is reading a table, other tills read and write that table. An
// index that needs no rebuilding is left as it is.
TEST_F(MaintenanceTest, StartUpMaintenanceHoldsNoOtherTillUp)
{
    makeBloatedStock();
    Db::Connection reader;
    ASSERT_TRUE(reader.open(testServerName(), database.name(), TestDatabase::user(), TestDatabase::password()));
    ASSERT_TRUE(reader.beginTransaction());
    ASSERT_TRUE(reader.exec(QStringLiteral("SELECT count(*) FROM zasoba WHERE id > 0")).succeeded());

    std::atomic<bool> done = false;
    bool reindexed = false, shrunk = false;
    QString error;
    std::thread maintenance([&] {
        TMSSQLADOConnection starting;
        if (starting.ConnectDatabase(testServerName(), database.name(), TestDatabase::user(),
                                     TestDatabase::password())) {
            reindexed = starting.ReindexDatabase();
            shrunk = reindexed && starting.ShrinkDatabase(database.name());
        }
        error = starting.LastErrorText();
        starting.Connection().close();
        done = true;
    });
    auto waiting = [&] {
        return connection
                   .exec(QStringLiteral("SELECT count(*) FROM pg_stat_activity WHERE datname = current_database() "
                                        "AND wait_event_type = 'Lock'"))
                   .cellText(0, 0) != u"0";
    };
    for (int i = 0; i < 200 && !done && !waiting(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    Db::Connection till;
    ASSERT_TRUE(till.open(testServerName(), database.name(), TestDatabase::user(), TestDatabase::password()));
    till.exec(QStringLiteral("SET lock_timeout = '3s'"));
    EXPECT_TRUE(till.exec(QStringLiteral("SELECT x FROM zasoba WHERE id = 10")).succeeded())
        << qPrintable(till.lastErrorText());
    EXPECT_TRUE(till.exec(QStringLiteral("UPDATE zasoba SET x = 0 WHERE id = 20")).succeeded())
        << qPrintable(till.lastErrorText());
    reader.commit();
    maintenance.join();
    EXPECT_TRUE(reindexed) << qPrintable(error);
    EXPECT_TRUE(shrunk) << qPrintable(error);

    EXPECT_TRUE(tarmil.ReindexDatabase()) << qPrintable(tarmil.LastErrorText()); // what the reader held up
    const QString rebuilt =
        connection.exec(QStringLiteral("SELECT pg_relation_filenode('zasoba_pkey')")).cellText(0, 0);
    EXPECT_TRUE(tarmil.ReindexDatabase()) << qPrintable(tarmil.LastErrorText());
    EXPECT_EQ(connection.exec(QStringLiteral("SELECT pg_relation_filenode('zasoba_pkey')")).cellText(0, 0), rebuilt);
}

namespace {

QString filenode(Db::Connection &session, const QString &relation)
{
    return session.exec(QStringLiteral("SELECT pg_relation_filenode('%1')").arg(relation)).cellText(0, 0);
}

} // namespace

// A start never waits on another till's work: while another till maintains,
// the step is left to it; while another till holds a transaction open (and
// a third is rebuilding an index), what would wait is left for a later start
// and said so, and the index being built is not dropped. A later start with
// the tills gone does the work.
TEST_F(MaintenanceTest, StartUpLeavesWhatWouldWaitForALaterStart)
{
    makeBloatedStock();
    const QString xNode = filenode(connection, QStringLiteral("zasoba_x"));

    Db::Connection other;
    ASSERT_TRUE(other.open(testServerName(), database.name(), TestDatabase::user(), TestDatabase::password()));
    const QString key = QString::number(TMSSQLADOConnection::MaintainerLockKey);
    ASSERT_TRUE(other.exec(QStringLiteral("SELECT pg_advisory_lock(%1)").arg(key)).succeeded());
    EXPECT_TRUE(tarmil.ReindexDatabase()) << qPrintable(tarmil.LastErrorText());
    EXPECT_EQ(tarmil.maintenanceLeft(), QStringLiteral("Údržbu databáze právě provádí jiná pokladna."));
    EXPECT_EQ(filenode(connection, QStringLiteral("zasoba_x")), xNode);
    ASSERT_TRUE(other.exec(QStringLiteral("SELECT pg_advisory_unlock(%1)").arg(key)).succeeded());

    // A till in a transaction with a snapshot, and a third rebuilding the
    // key (held up by it, with its new copy not yet valid).
    ASSERT_TRUE(other.exec(QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ")).succeeded());
    ASSERT_TRUE(other.exec(QStringLiteral("SELECT count(*) FROM zasoba")).succeeded());
    bool built = false;
    QString buildError;
    std::thread builder([&] {
        Db::Connection third;
        if (third.open(testServerName(), database.name(), TestDatabase::user(), TestDatabase::password()))
            built = third.exec(QStringLiteral("REINDEX INDEX CONCURRENTLY zasoba_pkey")).succeeded();
        buildError = third.lastErrorText();
    });
    for (int i = 0; i < 200 && connection
                                       .exec(QStringLiteral("SELECT count(*) FROM pg_class WHERE relname LIKE "
                                                            "'zasoba_pkey_ccnew%'"))
                                       .cellText(0, 0) == u"0";
         ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));

    std::atomic<bool> done = false;
    bool reindexed = false, shrunk = false;
    QString reindexLeft, shrinkLeft, error;
    std::thread starting([&] {
        TMSSQLADOConnection till;
        if (till.ConnectDatabase(testServerName(), database.name(), TestDatabase::user(), TestDatabase::password())) {
            reindexed = till.ReindexDatabase();
            reindexLeft = till.maintenanceLeft();
            shrunk = till.ShrinkDatabase(database.name());
            shrinkLeft = till.maintenanceLeft();
        }
        error = till.LastErrorText();
        done = true;
    });
    for (int i = 0; i < 300 && !done; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const bool doneBeforeTheTransactionEnded = done;
    other.commit();
    starting.join();
    builder.join();
    EXPECT_TRUE(doneBeforeTheTransactionEnded);
    EXPECT_TRUE(reindexed) << qPrintable(error);
    EXPECT_TRUE(shrunk) << qPrintable(error);
    EXPECT_EQ(reindexLeft, QStringLiteral("Přestavba indexů public.zasoba_x by čekala na transakce jiných pokladen, "
                                          "proběhne při dalším startu."));
    EXPECT_EQ(shrinkLeft,
              QStringLiteral("Tabulky public.zasoba právě zpracovává jiná pokladna nebo server, jejich vakuování "
                             "proběhne při dalším startu."));
    EXPECT_TRUE(built) << qPrintable(buildError);
    EXPECT_EQ(connection.exec(QStringLiteral("SELECT count(*) FROM pg_index WHERE NOT indisvalid")).cellText(0, 0),
              QStringLiteral("0"));
    EXPECT_EQ(filenode(connection, QStringLiteral("zasoba_x")), xNode);

    EXPECT_TRUE(tarmil.ReindexDatabase()) << qPrintable(tarmil.LastErrorText());
    EXPECT_TRUE(tarmil.ShrinkDatabase(database.name())) << qPrintable(tarmil.LastErrorText());
    EXPECT_EQ(tarmil.maintenanceLeft(), QString());
    EXPECT_NE(filenode(connection, QStringLiteral("zasoba_x")), xNode);
    EXPECT_EQ(connection.exec(QStringLiteral("SELECT n_dead_tup FROM pg_stat_user_tables WHERE relname = 'zasoba'"))
                  .cellText(0, 0),
              QStringLiteral("0"));
}

// The rebuild rule compares an index with what a fresh build would take:
// an index keeping few distinct keys (months) at three times that is
// rebuilt, as is one grown since the last vacuum; a freshly built index is
// not rebuilt again.
TEST_F(MaintenanceTest, IndexesAreMeasuredAgainstAFreshBuildAsTheyAreNow)
{
    run(QStringLiteral("CREATE TABLE mesice (id integer PRIMARY KEY, mesic date) WITH (autovacuum_enabled = false)"));
    run(QStringLiteral("INSERT INTO mesice SELECT i, date '2024-01-01' + (i % 12) * interval '1 month' "
                       "FROM generate_series(1, 400000) i"));
    run(QStringLiteral("CREATE INDEX mesice_mesic ON mesice (mesic)"));
    run(QStringLiteral("DELETE FROM mesice WHERE id % 3 <> 0"));
    run(QStringLiteral("SELECT pg_stat_force_next_flush()"));
    run(QStringLiteral("VACUUM ANALYZE mesice"));
    run(QStringLiteral("CREATE TABLE zmeny (id integer PRIMARY KEY, x integer) WITH (autovacuum_enabled = false)"));
    run(QStringLiteral("INSERT INTO zmeny SELECT i, i FROM generate_series(1, 100000) i"));
    run(QStringLiteral("CREATE INDEX zmeny_x ON zmeny (x)"));
    run(QStringLiteral("SELECT pg_stat_force_next_flush()"));
    run(QStringLiteral("VACUUM ANALYZE zmeny"));
    run(QStringLiteral("UPDATE zmeny SET x = x + 1"));
    run(QStringLiteral("UPDATE zmeny SET x = x + 1"));
    run(QStringLiteral("SELECT pg_stat_force_next_flush()"));
    const QStringList indexes{QStringLiteral("mesice_mesic"), QStringLiteral("zmeny_x")};
    QStringList before;
    for (const QString &index : indexes)
        before << filenode(connection, index);

    ASSERT_TRUE(tarmil.ReindexDatabase()) << qPrintable(tarmil.LastErrorText());
    QStringList rebuilt;
    for (int i = 0; i < indexes.size(); ++i) {
        rebuilt << filenode(connection, indexes[i]);
        EXPECT_NE(rebuilt[i], before[i]) << qPrintable(indexes[i]);
    }
    run(QStringLiteral("VACUUM ANALYZE"));
    ASSERT_TRUE(tarmil.ReindexDatabase()) << qPrintable(tarmil.LastErrorText());
    for (int i = 0; i < indexes.size(); ++i)
        EXPECT_EQ(filenode(connection, indexes[i]), rebuilt[i]) << qPrintable(indexes[i]);
}
