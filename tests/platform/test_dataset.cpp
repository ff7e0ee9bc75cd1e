#include "common/test_connection.h"
#include "platform/db/dataset.h"
#include "platform/db/datasource.h"

using namespace Db;

namespace {

class DatasetTest : public LiveDatabaseTest
{
protected:
    void SetUp() override
    {
        LiveDatabaseTest::SetUp();
        run(QStringLiteral("CREATE TABLE item (id integer PRIMARY KEY, code varchar(16), name text, "
                           "price numeric(19,4), qty real, valid boolean, made timestamp(3), big bigint);"
                           "INSERT INTO item VALUES "
                           "(1, 'A1', 'Šroub', 12.5, 1.5, true, '2024-03-05 14:07:09.123', 5000000000),"
                           "(2, 'B2', 'matice', 0.0001, 2, false, '2024-03-06 00:00:00', NULL),"
                           "(3, 'C3', 'Podložka O''Neil', 100, 0, true, NULL, 1),"
                           "(4, '123', 'Hřebík', NULL, NULL, NULL, NULL, 2)"));
        items.SetConnection(&connection);
        items.SetSQL(QStringLiteral("SELECT * FROM item ORDER BY id"));
        items.KeyFields = QStringLiteral("id");
    }

    QList<int> ids(Dataset &ds)
    {
        QList<int> out;
        ds.First();
        while (!ds.Eof()) {
            out << int(ds.FieldByName(QStringLiteral("ID")).AsInteger());
            ds.Next();
        }
        return out;
    }

    Dataset items;
};

class Recorder : public DataLink
{
public:
    int active = 0, changed = 0, scrolled = 0, record = 0;

protected:
    void ActiveChanged() override { ++active; }
    void DataSetChanged() override { ++changed; }
    void DataSetScrolled() override { ++scrolled; }
    void RecordChanged(Field *) override { ++record; }
};

} // namespace

// Names are found without regard to case, also beyond ASCII; characters
// that differ only in the bit ASCII letters change case by are no letters.
TEST(DatasetFields, NamesMatchWithoutRegardToCase)
{
    Dataset data;
    Field *price = data.AddField(QStringLiteral("Cena"));
    Field *yellow = data.AddField(QStringLiteral("ŽLUŤOUČKÝ"));
    Field *at = data.AddField(QStringLiteral("x@"));
    EXPECT_EQ(data.FindField(QStringLiteral("CENA")), price);
    EXPECT_EQ(data.FindField(QStringLiteral("cena")), price);
    EXPECT_EQ(data.FindField(QStringLiteral("žluťoučký")), yellow);
    EXPECT_EQ(data.FindField(QStringLiteral("X@")), at);
    EXPECT_EQ(data.FindField(QStringLiteral("X`")), nullptr);
    EXPECT_EQ(data.FindField(QStringLiteral("Cen")), nullptr);
    EXPECT_EQ(data.FindField(QStringLiteral("Cena ")), nullptr);
}

TEST_F(DatasetTest, ColumnsAreTypedFromTheResult)
{
    items.Open();
    EXPECT_EQ(items.FieldCount(), 8);
    EXPECT_EQ(items.FieldByName("ID").DataType(), FieldType::Integer);
    EXPECT_EQ(items.FieldByName("code").DataType(), FieldType::String);
    EXPECT_EQ(items.FieldByName("code").Size(), 16);
    EXPECT_EQ(items.FieldByName("price").DataType(), FieldType::Currency);
    EXPECT_EQ(items.FieldByName("qty").DataType(), FieldType::Float);
    EXPECT_EQ(items.FieldByName("valid").DataType(), FieldType::Boolean);
    EXPECT_EQ(items.FieldByName("made").DataType(), FieldType::DateTime);
    EXPECT_EQ(items.FieldByName("big").DataType(), FieldType::LargeInt);

    EXPECT_EQ(items.FieldByName("price").AsCurrency(), Currency::fromRaw(125000));
    EXPECT_EQ(items.FieldByName("name").AsString(), QStringLiteral("Šroub"));
    EXPECT_DOUBLE_EQ(items.FieldByName("qty").AsFloat(), 1.5);
    EXPECT_TRUE(items.FieldByName("valid").AsBoolean());
    EXPECT_EQ(items.FieldByName("big").AsInteger(), 5000000000LL);
    EXPECT_EQ(DateTimeConv::toQDateTime(items.FieldByName("made").AsDateTime()),
              QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9, 123)));
    EXPECT_EQ(items.FieldByName("price").AsString(), QStringLiteral("12,5"));
    // Values carry the column's type.
    EXPECT_EQ(items.FieldByName("price").Value(), Variant(Currency::fromRaw(125000)));
    EXPECT_EQ(items.FieldByName("name").Value(), Variant(QStringLiteral("Šroub")));
    EXPECT_EQ(items.FieldByName("big").Value(), Variant(qint64(5000000000LL)));
    EXPECT_EQ(items.FieldByName("qty").Value(), Variant(1.5));
    EXPECT_EQ(items.FieldByName("valid").Value(), Variant(true));

    items.Last();
    EXPECT_TRUE(items.FieldByName("price").Value().isNull());
    EXPECT_TRUE(items.FieldByName("price").IsNull());
    EXPECT_EQ(items.FieldByName("price").AsCurrency(), Currency());
    EXPECT_EQ(items.FieldByName("price").DisplayText(), QString());
}

// What a caller keeps of a field found by name holds only while the stamp stays.
TEST_F(DatasetTest, FieldsStampChangesWithTheListOfFieldsOnly)
{
    items.Open();
    const quint64 opened = items.FieldsStamp();
    items.Next();
    EXPECT_EQ(items.FieldsStamp(), opened);
    Dataset other;
    EXPECT_NE(other.FieldsStamp(), opened);
    items.Close();
    items.SetSQL(QStringLiteral("SELECT name AS code, id FROM item"));
    items.Open();
    EXPECT_NE(items.FieldsStamp(), opened);
    EXPECT_EQ(items.FindField(QStringLiteral("code")), items.Fields().front());
    const quint64 reopened = items.FieldsStamp();
    items.AddField(QStringLiteral("extra"));
    EXPECT_NE(items.FieldsStamp(), reopened);
}

TEST_F(DatasetTest, DisplayTextFollowsFormatAndBooleanTexts)
{
    items.Open();
    Field &price = items.FieldByName("price");
    price.DisplayFormat = QStringLiteral(",0.00");
    Field &valid = items.FieldByName("valid");
    valid.DisplayValues = QStringLiteral("N;A");
    EXPECT_EQ(price.DisplayText(), QStringLiteral("12,50"));
    EXPECT_EQ(valid.DisplayText(), QStringLiteral("A"));
    items.Next();
    EXPECT_EQ(valid.DisplayText(), QStringLiteral("N"));
    EXPECT_EQ(price.DisplayText(), QStringLiteral("0,00"));
    EXPECT_EQ(price.Alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    // Settings survive re-opening.
    items.Close();
    items.Open();
    EXPECT_EQ(items.FieldByName("PRICE").DisplayFormat, QStringLiteral(",0.00"));
}

TEST_F(DatasetTest, CursorMovesLikeTheFramework)
{
    items.Open();
    EXPECT_TRUE(items.Bof());
    EXPECT_FALSE(items.Eof());
    EXPECT_EQ(items.RecNo(), 1);
    EXPECT_EQ(items.RecordCount(), 4);
    items.Prior();
    EXPECT_TRUE(items.Bof());
    EXPECT_EQ(items.MoveBy(2), 2);
    EXPECT_EQ(items.RecNo(), 3);
    EXPECT_EQ(items.MoveBy(10), 1);
    EXPECT_TRUE(items.Eof());
    items.Next();
    EXPECT_EQ(items.RecNo(), 4);
    EXPECT_EQ(items.MoveBy(-10), -3);
    EXPECT_TRUE(items.Bof());
    EXPECT_EQ(ids(items), (QList<int>{1, 2, 3, 4}));
    items.Last();
    EXPECT_TRUE(items.Eof());
    items.SetRecNo(2);
    EXPECT_EQ(items.FieldByName("id").AsInteger(), 2);

    Dataset empty;
    empty.SetConnection(&connection);
    empty.SetSQL(QStringLiteral("SELECT * FROM item WHERE false"));
    empty.Open();
    EXPECT_TRUE(empty.Eof());
    EXPECT_TRUE(empty.Bof());
    EXPECT_EQ(empty.RecNo(), 0);
    EXPECT_TRUE(empty.FieldByName("id").IsNull());
}

TEST_F(DatasetTest, OpeningABrokenQueryThrowsTheServerError)
{
    items.SetSQL(QStringLiteral("SELECT * FROM item WHERE nonsense = 1"));
    try {
        items.Open();
        FAIL() << "no error";
    } catch (const DatabaseError &e) {
        EXPECT_EQ(e.error().sqlState, QStringLiteral("42703"));
    }
    EXPECT_FALSE(items.Active());
}

TEST_F(DatasetTest, ParametersAreSentAndRequeryKeepsThem)
{
    items.SetSQL(QStringLiteral("SELECT * FROM item WHERE id >= :FROM_ID AND code <> ':x' ORDER BY id"));
    items.ParamByName("from_id").SetAsInteger(3);
    items.Open();
    EXPECT_EQ(ids(items), (QList<int>{3, 4}));
    run(QStringLiteral("INSERT INTO item (id, code) VALUES (5, 'E5'), (0, 'Z0')"));
    items.Requery();
    EXPECT_EQ(ids(items), (QList<int>{3, 4, 5}));
    EXPECT_THROW(items.ParamByName("nothing"), DatabaseError);
}

TEST_F(DatasetTest, LocateExactCaseInsensitiveAndPartial)
{
    items.Open();
    EXPECT_TRUE(items.Locate("id", "3"));
    EXPECT_EQ(items.RecNo(), 3);
    EXPECT_FALSE(items.Locate("name", "hřebík"));
    EXPECT_EQ(items.RecNo(), 3); // stays
    EXPECT_TRUE(items.Locate("name", "hřebík", loCaseInsensitive));
    EXPECT_EQ(items.RecNo(), 4);
    EXPECT_TRUE(items.Locate("name", "MAT", loCaseInsensitive | loPartialKey));
    EXPECT_EQ(items.RecNo(), 2);
    EXPECT_FALSE(items.Locate("name", "MAT", loPartialKey));
    EXPECT_TRUE(items.Locate("price", "0,0001"));
    EXPECT_EQ(items.RecNo(), 2);
    EXPECT_FALSE(items.Locate("id", "abc"));
    EXPECT_TRUE(items.Locate("code", "123"));
    EXPECT_EQ(items.RecNo(), 4);
}

TEST_F(DatasetTest, FilterExpressions)
{
    items.Open();
    auto filtered = [&](const QString &filter) {
        items.SetFilter(filter);
        items.SetFiltered(true);
        QList<int> out = ids(items);
        items.SetFiltered(false);
        return out;
    };
    EXPECT_EQ(filtered("name LIKE '%o%'"), (QList<int>{1, 3}));
    EXPECT_EQ(filtered("name LIKE '%O''N%'"), (QList<int>{3}));
    EXPECT_EQ(filtered("name LIKE 'š%'"), (QList<int>{1}));
    EXPECT_EQ(filtered("price >= 12.5 OR valid = FALSE"), (QList<int>{1, 2, 3}));
    EXPECT_EQ(filtered("NOT (price > 1) AND price IS NOT NULL"), (QList<int>{2}));
    EXPECT_EQ(filtered("price IS NULL"), (QList<int>{4}));
    EXPECT_EQ(filtered("id <> 2 AND [code] = '123'"), (QList<int>{4}));
    EXPECT_EQ(filtered("code = 123"), (QList<int>{4})); // a number for a text column
    EXPECT_EQ(filtered("id = '3'"), (QList<int>{3}));
    EXPECT_EQ(filtered("made < '2024-03-06'"), (QList<int>{1}));
    EXPECT_EQ(filtered("2 < id"), (QList<int>{3, 4}));
    EXPECT_EQ(filtered("price = '0,0001'"), (QList<int>{2}));

    items.SetFilter(QStringLiteral("id = 'abc'"));
    EXPECT_THROW(items.SetFiltered(true), DatabaseError);
    EXPECT_FALSE(items.Filtered());
    items.SetFilter(QStringLiteral("name LIKE '%x"));
    EXPECT_THROW(items.SetFiltered(true), DatabaseError);
    items.SetFilter(QStringLiteral("missing = 1"));
    EXPECT_THROW(items.SetFiltered(true), DatabaseError);
    EXPECT_EQ(items.RecordCount(), 4);
}

TEST_F(DatasetTest, PredicateFilterSeesTheCandidateRow)
{
    items.Open();
    items.setFilterPredicate([](const Dataset &ds) { return ds.FieldByName("id").AsInteger() % 2 == 0; });
    items.SetFiltered(true);
    EXPECT_EQ(ids(items), (QList<int>{2, 4}));
    EXPECT_EQ(items.RecordCount(), 2);
    items.SetFilter(QStringLiteral("id > 2"));
    EXPECT_EQ(ids(items), (QList<int>{4}));
}

TEST_F(DatasetTest, CloneKeepsItsSnapshotAfterTheOriginalRequeries)
{
    items.Open();
    items.Locate("id", "2");
    Dataset clone;
    clone.Clone(items);
    EXPECT_EQ(clone.RecordCount(), 4);
    EXPECT_EQ(clone.RecNo(), 1); // its own cursor
    run(QStringLiteral("DELETE FROM item WHERE id = 2"));
    items.Requery();
    EXPECT_EQ(items.RecordCount(), 3);
    EXPECT_EQ(ids(clone), (QList<int>{1, 2, 3, 4}));
}

TEST_F(DatasetTest, BookmarksStayValidAcrossARequery)
{
    items.Open();
    items.Locate("id", "3");
    const Bookmark mark = items.GetBookmark();
    run(QStringLiteral("DELETE FROM item WHERE id = 1"));
    items.Requery();
    EXPECT_EQ(items.RecNo(), 1);
    EXPECT_TRUE(items.BookmarkValid(mark));
    ASSERT_TRUE(items.GotoBookmark(mark));
    EXPECT_EQ(items.FieldByName("id").AsInteger(), 3);
    run(QStringLiteral("DELETE FROM item WHERE id = 3"));
    items.Requery();
    EXPECT_FALSE(items.GotoBookmark(mark));
}

TEST_F(DatasetTest, ObserversAreQuietWhileControlsAreDisabled)
{
    DataSource source;
    source.SetDataSet(&items);
    Recorder recorder;
    recorder.SetDataSource(&source);
    const int activeBefore = recorder.active;
    int afterScroll = 0;
    QObject::connect(&items, &Dataset::afterScroll, [&] { ++afterScroll; });
    items.Open();
    EXPECT_EQ(recorder.active, activeBefore + 1);
    items.Next();
    EXPECT_EQ(recorder.scrolled, 1);
    items.DisableControls();
    items.Next();
    items.Next();
    EXPECT_EQ(recorder.scrolled, 1);
    items.EnableControls();
    EXPECT_EQ(recorder.changed, 1);
    EXPECT_GE(afterScroll, 3);
}

TEST_F(DatasetTest, DetailFollowsTheMasterRow)
{
    run(QStringLiteral("CREATE TABLE history (id serial PRIMARY KEY, item_id integer, note text);"
                       "INSERT INTO history (item_id, note) VALUES (1,'a'),(1,'b'),(3,'c')"));
    DataSource masterSource;
    masterSource.SetDataSet(&items);
    Dataset detail;
    detail.SetConnection(&connection);
    detail.SetSQL(QStringLiteral("SELECT * FROM history WHERE item_id = :ID ORDER BY id"));
    detail.SetMasterSource(&masterSource);
    detail.Open(); // master closed: no rows
    EXPECT_EQ(detail.RecordCount(), 0);
    items.Open();
    EXPECT_EQ(detail.RecordCount(), 2);
    items.Next();
    EXPECT_EQ(detail.RecordCount(), 0);
    items.Next();
    EXPECT_EQ(detail.RecordCount(), 1);
    EXPECT_EQ(detail.FieldByName("note").AsString(), QStringLiteral("c"));
    items.DisableControls();
    items.First();
    EXPECT_EQ(detail.RecordCount(), 1); // not while the master's controls are off
    items.EnableControls();
    EXPECT_EQ(detail.RecordCount(), 2);
}

// The controls come back when the scope ends. Showing the rows again may fail
// (here the detail's query): while the scope's own exception is leaving, that
// exception reaches the caller; otherwise the clean-up's failure does.
TEST_F(DatasetTest, ControlsComeBackWhenTheScopeEndsAlsoByAnException)
{
    run(QStringLiteral("CREATE TABLE history (id serial PRIMARY KEY, item_id integer)"));
    DataSource masterSource;
    masterSource.SetDataSet(&items);
    Dataset detail;
    detail.SetConnection(&connection);
    detail.SetSQL(QStringLiteral("SELECT * FROM history WHERE item_id = :ID"));
    detail.SetMasterSource(&masterSource);
    items.Open();
    detail.Open();
    run(QStringLiteral("DROP TABLE history"));
    try {
        ControlsOff still(items);
        items.Next();
        throw std::runtime_error("walk");
    } catch (const std::runtime_error &error) {
        EXPECT_STREQ(error.what(), "walk");
    }
    EXPECT_FALSE(items.ControlsDisabled());
    EXPECT_THROW(
        {
            ControlsOff still(items);
            items.Next();
        },
        DatabaseError);
    EXPECT_FALSE(items.ControlsDisabled());
}

TEST_F(DatasetTest, PostWritesTheColumnBackByKey)
{
    items.Open();
    items.Locate("id", "2");
    items.Edit();
    items.FieldByName("valid").SetAsBoolean(true);
    items.FieldByName("price").SetAsString(QStringLiteral("1 234,5"));
    EXPECT_TRUE(items.FieldByName("valid").AsBoolean()); // the edited value shows at once
    items.Post();
    EXPECT_EQ(items.State(), DataSetState::Browse);
    EXPECT_TRUE(items.FieldByName("valid").AsBoolean());
    const Result r = connection.exec(QStringLiteral("SELECT valid, price FROM item WHERE id = 2"));
    EXPECT_EQ(r.cellText(0, 0), QStringLiteral("t"));
    EXPECT_EQ(r.cellText(0, 1), QStringLiteral("1234.5000"));

    items.Edit();
    items.FieldByName("name").SetAsString(QStringLiteral("jiné"));
    items.Cancel();
    EXPECT_EQ(items.FieldByName("name").AsString(), QStringLiteral("matice"));
}

TEST_F(DatasetTest, PostIsRefusedWithoutBaseTableOrKey)
{
    Dataset computed;
    computed.SetConnection(&connection);
    computed.SetSQL(QStringLiteral("SELECT id, price * 2 AS double_price, code FROM item ORDER BY id"));
    computed.Open();
    computed.Edit();
    computed.FieldByName("double_price").SetAsInteger(5);
    EXPECT_THROW(computed.Post(), DatabaseError);
    EXPECT_EQ(computed.State(), DataSetState::Edit);
    computed.Cancel();

    Dataset keyless;
    keyless.SetConnection(&connection);
    keyless.SetSQL(QStringLiteral("SELECT code FROM item ORDER BY id"));
    keyless.Open();
    keyless.Edit();
    keyless.FieldByName("code").SetAsString(QStringLiteral("X"));
    EXPECT_THROW(keyless.Post(), DatabaseError);
    keyless.Cancel();
    EXPECT_EQ(connection.exec(QStringLiteral("SELECT count(*) FROM item WHERE code = 'X'")).cellText(0, 0),
              QStringLiteral("0"));

    items.Open();
    items.FieldByName("id").ReadOnly = true;
    items.Edit();
    EXPECT_THROW(items.FieldByName("id").SetAsInteger(9), DatabaseError);
}

// A list's rows find a key in their copy of its column, also after rows were
// exchanged one at a time; a key held twice, a null or another column type
// has no single row.
TEST_F(DatasetTest, SplicedRowsFindTheirKeys)
{
    auto rowsOf = [this](const char *sql) { return connection.exec(QString::fromUtf8(sql)); };
    const Db::Snapshot rows(rowsOf("SELECT * FROM (VALUES (10, 'a'), (20, 'b'), (30, 'c')) v(k, t)"));
    EXPECT_EQ(rows.rowOfKey(0, 20), 1);
    EXPECT_EQ(rows.rowOfKey(1, 20), std::nullopt); // text
    // The first row out, a row of key 40 in at the end: 20, 30, 40.
    const Db::SnapshotPtr moved = rows.spliced(0, rowsOf("SELECT 40 AS k, 'd' AS t"), 2);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->rowOfKey(0, 10), -1);
    EXPECT_EQ(moved->rowOfKey(0, 30), 1);
    EXPECT_EQ(moved->rowOfKey(0, 40), 2);
    EXPECT_EQ(rows.rowOfKey(0, 10), 0); // the rows it came from are as they were
    const Db::SnapshotPtr twice = moved->spliced(-1, rowsOf("SELECT 30 AS k, 'e' AS t"), 0);
    EXPECT_EQ(twice->rowOfKey(0, 30), -2);
    EXPECT_EQ(twice->rowOfKey(0, 20), 1);
    const Db::SnapshotPtr withNull = twice->spliced(-1, rowsOf("SELECT NULL::integer AS k, 'f' AS t"), 1);
    EXPECT_EQ(withNull->rowOfKey(0, 20), std::nullopt);
    // The copy made where the rows lie: of a spliced copy whose rows had
    // none, and of rows read in pages.
    const Db::Snapshot fresh(rowsOf("SELECT * FROM (VALUES (10, 'a'), (20, 'b'), (30, 'c')) v(k, t)"));
    const Db::SnapshotPtr freshMoved = fresh.spliced(0, rowsOf("SELECT 40 AS k, 'd' AS t"), 0);
    EXPECT_EQ(freshMoved->rowOfKey(0, 40), 0);
    EXPECT_EQ(freshMoved->rowOfKey(0, 30), 2);
    EXPECT_EQ(freshMoved->rowOfKey(0, 10), -1);
    const Db::SnapshotPtr paged = fresh.withRows(rowsOf("SELECT -5 AS k, 'e' AS t"));
    EXPECT_EQ(paged->rowOfKey(0, -5), 3);
    EXPECT_EQ(paged->rowOfKey(0, 20), 1);
}

// A list read in pages holds what it read; a walk, a jump, a bookmark or a
// filter reads the rest first, in the statement's order and with its parameters.
TEST_F(DatasetTest, PagedListReadsTheRestWhenEveryRowIsNeeded)
{
    run(QStringLiteral("INSERT INTO item (id, code) SELECT i, 'P' || i FROM generate_series(10, 59) AS i"));
    items.SetSQL(QStringLiteral("SELECT * FROM item WHERE id >= :FROM_ID ORDER BY id"));
    items.ParamByName("from_id").SetAsInteger(10);
    items.setPageRows(20);
    DataSource source;
    source.SetDataSet(&items);
    Recorder recorder;
    recorder.SetDataSource(&source);
    items.Open();
    EXPECT_EQ(items.RecordCount(), 20);
    EXPECT_FALSE(items.CanSpliceRows()); // a row placed now could come again with the next page
    const Bookmark first = items.GetBookmark();
    items.FetchMore();
    EXPECT_EQ(items.RecordCount(), 40);
    EXPECT_EQ(items.RecNo(), 1);
    EXPECT_EQ(recorder.changed, 1);
    items.SetRecNo(45); // beyond the rows read
    EXPECT_EQ(items.FieldByName("id").AsInteger(), 54);
    EXPECT_FALSE(items.CanFetchMore());
    EXPECT_TRUE(items.GotoBookmark(first));
    EXPECT_EQ(items.FieldByName("id").AsInteger(), 10);

    QList<int> expected;
    for (int id = 10; id < 60; ++id)
        expected << id;
    items.Requery();
    EXPECT_EQ(items.MoveBy(30), 30);
    EXPECT_EQ(items.RecordCount(), 50);
    items.Requery();
    EXPECT_EQ(ids(items), expected);
    // a page exactly full: the next read finds nothing more
    items.ParamByName("from_id").SetAsInteger(20);
    items.Requery();
    items.FetchMore();
    EXPECT_EQ(items.RecordCount(), 40);
    items.FetchMore();
    EXPECT_EQ(items.RecordCount(), 40);
    EXPECT_FALSE(items.CanFetchMore());
    // a bookmark of a row not read yet, and a filter, see every row
    items.Requery();
    Dataset all;
    all.SetConnection(&connection);
    all.KeyFields = QStringLiteral("id");
    all.SetSQL(QStringLiteral("SELECT * FROM item WHERE id = 55"));
    all.Open();
    EXPECT_TRUE(items.GotoBookmark(all.GetBookmark()));
    EXPECT_EQ(items.FieldByName("id").AsInteger(), 55);
    items.Requery();
    items.SetFilter(QStringLiteral("code = 'P58'"));
    items.SetFiltered(true);
    EXPECT_EQ(items.RecordCount(), 1);
    EXPECT_EQ(items.FieldByName("id").AsInteger(), 58);
}
