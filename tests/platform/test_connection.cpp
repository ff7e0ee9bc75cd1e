#include "common/test_connection.h"

#include <QThread>

TEST_F(LiveDatabaseTest, OpensWithApplicationNameAndFailsWithWrongPassword)
{
    const Db::Result r = connection.Exec(QStringLiteral("SELECT current_setting('application_name')"));
    ASSERT_TRUE(r.succeeded());
    EXPECT_EQ(r.cellText(0, 0), QStringLiteral("Tarmil"));

    Db::Connection other;
    EXPECT_FALSE(other.Open(testServerName(), database.name(), TestDatabase::user(), QStringLiteral("wrong")));
    EXPECT_FALSE(other.LastErrorText().isEmpty());
    EXPECT_FALSE(other.IsOpen());
    EXPECT_FALSE(other.Exec(QStringLiteral("SELECT 1")).succeeded()); // no crash on a closed session
}

TEST_F(LiveDatabaseTest, ErrorsAndNoticesOfTheLastStatement)
{
    run(QStringLiteral("CREATE FUNCTION fail_user() RETURNS integer LANGUAGE plpgsql AS $$ BEGIN "
                       "RAISE NOTICE 'pozor'; RAISE EXCEPTION 'Chyba uživatele' USING ERRCODE = '50000'; END $$"));
    EXPECT_FALSE(connection.Exec(QStringLiteral("SELECT fail_user()")).succeeded());
    EXPECT_EQ(connection.LastErrorText(), QStringLiteral("Chyba uživatele [50000]"));
    EXPECT_EQ(connection.Notices(), QStringList{QStringLiteral("pozor")});
    EXPECT_FALSE(connection.Exec(QStringLiteral("SELECT * FROM missing_table")).succeeded());
    EXPECT_TRUE(connection.LastErrorText().endsWith(QStringLiteral("[42P01]")));
    EXPECT_TRUE(connection.Exec(QStringLiteral("SELECT 1")).succeeded());
    EXPECT_TRUE(connection.LastErrorText().isEmpty());
}

TEST_F(LiveDatabaseTest, RollbackKeepsTheErrorThatCausedIt)
{
    run(QStringLiteral("CREATE TABLE t (id integer PRIMARY KEY)"));
    ASSERT_TRUE(connection.BeginTransaction());
    run(QStringLiteral("INSERT INTO t VALUES (1)"));
    ASSERT_TRUE(connection.Savepoint(QStringLiteral("call")));
    EXPECT_FALSE(connection.Exec(QStringLiteral("INSERT INTO t VALUES (1)")).succeeded());
    const QString reason = connection.LastErrorText();
    EXPECT_TRUE(connection.RollbackToSavepoint(QStringLiteral("call")));
    EXPECT_EQ(connection.LastErrorText(), reason);
    run(QStringLiteral("INSERT INTO t VALUES (2)")); // the transaction goes on
    EXPECT_TRUE(connection.InTransaction());
    ASSERT_TRUE(connection.Commit());
    EXPECT_EQ(connection.Exec(QStringLiteral("SELECT count(*) FROM t")).cellText(0, 0), QStringLiteral("2"));
}

TEST_F(LiveDatabaseTest, LostConnectionIsAnErrorAndTheNextStatementReconnects)
{
    const QString pid = connection.Exec(QStringLiteral("SELECT pg_backend_pid()")).cellText(0, 0);
    PGconn *killer = database.connect();
    PQclear(PQexec(killer, ("SELECT pg_terminate_backend(" + pid + ")").toUtf8().constData()));
    PQfinish(killer);
    QThread::msleep(100);
    EXPECT_FALSE(connection.Exec(QStringLiteral("SELECT 1")).succeeded());
    EXPECT_FALSE(connection.LastErrorText().isEmpty());
    const Db::Result again = connection.Exec(QStringLiteral("SELECT 2"));
    ASSERT_TRUE(again.succeeded()) << qPrintable(connection.LastErrorText());
    EXPECT_EQ(again.cellText(0, 0), QStringLiteral("2"));
}

TEST_F(LiveDatabaseTest, ScriptStopsAtTheFirstFailure)
{
    EXPECT_FALSE(connection.ExecScript({QStringLiteral("CREATE TABLE a (x integer)"),
                                        QStringLiteral("CREATE TABLE a (x integer)"),
                                        QStringLiteral("CREATE TABLE b (x integer)")}));
    EXPECT_EQ(
        connection.Exec(QStringLiteral("SELECT count(*) FROM pg_class WHERE relname IN ('a','b')")).cellText(0, 0),
        QStringLiteral("1"));
}
