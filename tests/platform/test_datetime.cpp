#include "common/test_database.h"
#include "platform/datetime.h"

#include <gtest/gtest.h>

TEST(DateTime, DayNumbersMatchTheFrameworkEpoch)
{
    EXPECT_DOUBLE_EQ(DateTimeConv::encodeDate(1899, 12, 30), 0.0);
    EXPECT_DOUBLE_EQ(DateTimeConv::encodeDate(1900, 1, 1), 2.0);
    EXPECT_DOUBLE_EQ(DateTimeConv::encodeDate(2000, 1, 1), 36526.0);
    EXPECT_DOUBLE_EQ(DateTimeConv::encodeTime(12, 0, 0, 0), 0.5);
    const QDateTime when(QDate(2026, 12, 6), QTime(21, 30, 15, 250));
    EXPECT_EQ(DateTimeConv::toQDateTime(DateTimeConv::fromQDateTime(when)), when);
    // Before the epoch the time of day still adds to the day's distance.
    const QDateTime old(QDate(1899, 12, 29), QTime(6, 0));
    EXPECT_DOUBLE_EQ(DateTimeConv::fromQDateTime(old), -1.25);
    EXPECT_EQ(DateTimeConv::toQDateTime(-1.25), old);
}

TEST(TestServer, ThrowawayDatabaseUsesCzechCollation)
{
    TestDatabase db;
    EXPECT_EQ(db.exec("CREATE TABLE t(x varchar(10)); INSERT INTO t VALUES ('č'),('d'),('c')"), "");
    PGconn *conn = db.connect();
    PGresult *res = PQexec(conn, "SELECT string_agg(x, '' ORDER BY x) FROM t");
    ASSERT_EQ(PQresultStatus(res), PGRES_TUPLES_OK);
    EXPECT_STREQ(PQgetvalue(res, 0, 0), "cčd");
    PQclear(res);
    PQfinish(conn);
}
