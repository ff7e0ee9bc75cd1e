// A list read in pages while another session writes: each page goes on after
// the last row read, whatever the order, its direction and its NULLs.
#include "common/test_connection.h"
#include "platform/db/dataset.h"

using namespace Db;

namespace {

class DatasetPages : public LiveDatabaseTest
{
protected:
    void SetUp() override
    {
        LiveDatabaseTest::SetUp();
        if (HasFatalFailure())
            return;
        // Ties in both ordered columns, and NULL in each.
        run(QStringLiteral("CREATE TABLE book (id integer PRIMARY KEY, at integer, who text);"
                           "INSERT INTO book SELECT i, CASE WHEN i % 11 = 0 THEN NULL ELSE i / 3 END, "
                           "(ARRAY['čáp', 'cukr', 'Chata', 'hrad', 'Žába', NULL])[1 + i % 6] "
                           "FROM generate_series(1, 60) AS i"));
        ASSERT_TRUE(other.open(testServerName(), database.name(), TestDatabase::user(), TestDatabase::password()));
    }

    static QList<int> ids(Dataset &list)
    {
        QList<int> out;
        for (list.First(); !list.Eof(); list.Next())
            out << int(list.FieldByName(QStringLiteral("id")).AsInteger());
        return out;
    }
    // The key of the last row read so far.
    static int lastRead(const Dataset &list)
    {
        const SnapshotPtr &rows = list.snapshot();
        return rows->rawText(rows->rowCount() - 1, rows->columnIndex(QStringLiteral("id"))).toInt();
    }

    // Pages of 7 rows, three rows written by the other session before each
    // of three pages and before the rest: those written after the last row
    // read show where they belong, those written among the rows read do not
    // (a re-query shows them), and no row is listed twice or left out.
    void readWhileWriting(const QString &sql)
    {
        SCOPED_TRACE(sql.toStdString());
        Dataset list;
        list.SetConnection(&connection);
        list.setPageRows(7);
        list.SetSQL(sql);
        list.Open();
        ASSERT_EQ(list.RecordCount(), 7);
        std::map<int, int> writtenAfter; // a row written -> the last row read then
        for (int round = 0; round < 4; ++round) {
            const int id = m_written;
            m_written += 3;
            ASSERT_TRUE(other
                            .exec(QStringLiteral("INSERT INTO book VALUES (%1, -1, 'a'), (%2, 999, 'zzz'), "
                                                 "(%3, NULL, NULL)")
                                      .arg(id)
                                      .arg(id + 1)
                                      .arg(id + 2))
                            .succeeded())
                << qPrintable(other.lastErrorText());
            for (int written = id; written < id + 3; ++written)
                writtenAfter[written] = lastRead(list);
            round < 3 ? list.FetchMore() : list.FetchAll();
        }
        EXPECT_FALSE(list.CanFetchMore());

        Dataset whole;
        whole.SetConnection(&connection);
        whole.SetSQL(sql);
        whole.Open();
        const QList<int> all = ids(whole);
        QList<int> expected = all;
        for (const auto &[written, boundary] : writtenAfter) {
            if (all.indexOf(written) < all.indexOf(boundary))
                expected.removeOne(written);
        }
        EXPECT_EQ(ids(list), expected);
        EXPECT_LT(expected.size(), all.size()); // some were written among the rows read
    }

    Connection other;
    int m_written = 1000; // the key of the next row the other session writes
};

} // namespace

TEST_F(DatasetPages, PagesGoOnAfterTheLastRowInEveryOrderWhileAnotherSessionWrites)
{
    // the order of a derived table the statement reads from, both ways
    readWhileWriting(QStringLiteral("SELECT id, at, who FROM (SELECT * FROM book ORDER BY at, id) AS b"));
    readWhileWriting(QStringLiteral("SELECT id, at, who FROM (SELECT * FROM book ORDER BY book.at DESC, id) AS b"));
    // the statement's own order, a text by the language's rules, both ways
    readWhileWriting(QStringLiteral("SELECT * FROM book ORDER BY who, id"));
    readWhileWriting(QStringLiteral("SELECT * FROM book ORDER BY who DESC, id DESC"));
    readWhileWriting(QStringLiteral("SELECT * FROM book ORDER BY at DESC, who, id"));
}

// An order that cannot be followed by a row's values: the list is read whole
// rather than in pages that could repeat or skip rows.
TEST_F(DatasetPages, AStatementWhoseOrderCannotBeFollowedIsReadWhole)
{
    for (const char *sql :
         {"SELECT * FROM book ORDER BY 1", "SELECT * FROM book ORDER BY lower(who), id",
          "SELECT who FROM book ORDER BY who, id",
          "SELECT * FROM (SELECT * FROM book ORDER BY id LIMIT 50) AS b JOIN book USING (id)", "SELECT * FROM book"}) {
        SCOPED_TRACE(sql);
        Dataset list;
        list.SetConnection(&connection);
        list.setPageRows(7);
        list.SetSQL(QString::fromLatin1(sql));
        list.Open();
        EXPECT_EQ(list.RecordCount(), list.SQL().contains(QStringLiteral("LIMIT")) ? 50 : 60);
        EXPECT_FALSE(list.CanFetchMore());
    }
}
