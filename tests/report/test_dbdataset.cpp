#include "common/test_connection.h"
#include "platform/db/field.h"
#include "platform/globalcomponents.h"
#include "report/components.h"
#include "report/dbdataset.h"

#include <QScopeGuard>
#include <QWidget>

namespace {

class ReportDbDataset : public DatabaseTest
{
protected:
    void SetUp() override
    {
        DatabaseTest::SetUp();
        run(QStringLiteral("CREATE TABLE zbozi (id integer PRIMARY KEY, nazev varchar(40), "
                           "poznamka text, obrazek bytea, \"cena.kc\" numeric(19,4));"
                           "INSERT INTO zbozi VALUES (1, 'Mléko', NULL, NULL, 21.9), (2, 'Chléb', 'čerstvý', "
                           "NULL, 39), (3, 'Máslo', NULL, '\\x00ff', 59.9), (4, 'Sýr', NULL, NULL, 35), "
                           "(5, 'Jogurt', NULL, NULL, 12);"));
        goods.setObjectName("Zbozi");
        goods.SetConnection(&connection);
        goods.SetSQL(QStringLiteral("SELECT * FROM zbozi ORDER BY id"));
        goods.KeyFields = QStringLiteral("id");
        report.setObjectName("vlZbozi");
        report.SetDataSet(&goods);
    }

    int currentId() { return int(goods.FieldByName("id").AsInteger()); }

    // The records the report would print, as ids.
    QList<int> walk()
    {
        QList<int> ids;
        report.Init();
        report.First();
        while (!report.Eof() && ids.size() < 100) {
            ids << currentId();
            report.Next();
        }
        report.Exit();
        return ids;
    }

    void standOn(int id)
    {
        goods.Open();
        ASSERT_TRUE(goods.Locate("id", QString::number(id)));
    }

    Db::Dataset goods;
    TvlDBDataSet report;
};

} // namespace

TEST_F(ReportDbDataset, WalksTheWholeQueryAndOpensIt)
{
    int opened = 0, closed = 0;
    report.OnOpen = [&](QObject *sender) {
        EXPECT_EQ(sender, &report);
        ++opened;
    };
    report.OnClose = [&](QObject *) { ++closed; };
    EXPECT_EQ(walk(), QList<int>({1, 2, 3, 4, 5}));
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(closed, 1);
    EXPECT_TRUE(goods.Active()); // CloseDataSource is off
    report.CloseDataSource = true;
    walk();
    EXPECT_FALSE(goods.Active());
}

TEST_F(ReportDbDataset, CurrentToCurrentYieldsTheCurrentRecordAndStaysOnIt)
{
    standOn(3);
    report.SetRangeBegin(TvlDataset::rbCurrent);
    report.SetRangeEnd(TvlDataset::reCurrent);
    EXPECT_EQ(walk(), QList<int>({3}));
    EXPECT_EQ(currentId(), 3);
}

TEST_F(ReportDbDataset, FirstToCurrentYieldsUpToTheCurrentRecord)
{
    standOn(3);
    report.SetRangeEnd(TvlDataset::reCurrent);
    EXPECT_EQ(walk(), QList<int>({1, 2, 3}));
    EXPECT_EQ(currentId(), 3);
}

TEST_F(ReportDbDataset, CountEndsAtTheCountOrAtTheData)
{
    report.SetRangeEnd(TvlDataset::reCount);
    report.SetRangeEndCount(3);
    EXPECT_EQ(walk(), QList<int>({1, 2, 3}));
    goods.SetSQL(QStringLiteral("SELECT * FROM zbozi WHERE id <= 2 ORDER BY id"));
    EXPECT_EQ(walk(), QList<int>({1, 2}));
}

TEST_F(ReportDbDataset, FromCurrentToLast)
{
    standOn(4);
    report.SetRangeBegin(TvlDataset::rbCurrent);
    EXPECT_EQ(walk(), QList<int>({4, 5}));
    EXPECT_EQ(currentId(), 4); // returned to where it started
}

TEST_F(ReportDbDataset, DataSetAndDataSourceExcludeEachOther)
{
    Db::DataSource source;
    source.SetDataSet(&goods);
    report.SetDataSource(&source);
    EXPECT_EQ(report.DataSet(), nullptr);
    EXPECT_EQ(report.SourceDataSet(), &goods);
    EXPECT_EQ(walk(), QList<int>({1, 2, 3, 4, 5}));

    report.SetDataSet(&goods);
    EXPECT_EQ(report.DataSource(), nullptr);
    report.SetDataSource(nullptr);
    EXPECT_EQ(report.DataSet(), &goods);

    {
        Db::DataSource shortLived;
        report.SetDataSource(&shortLived);
    }
    EXPECT_EQ(report.DataSource(), nullptr); // forgotten when destroyed
    EXPECT_EQ(report.SourceDataSet(), nullptr);
}

TEST_F(ReportDbDataset, NothingToReadAndClosedSources)
{
    TvlDBDataSet empty;
    empty.setObjectName("vlNic");
    try {
        empty.Init();
        FAIL() << "no error without a dataset";
    } catch (const EDSError &error) {
        EXPECT_EQ(error.text(), "Unable to open dataset vlNic");
    }
    EXPECT_THROW(empty.First(), EDSError);
    EXPECT_THROW(empty.Eof(), EDSError);

    report.OpenDataSource = false;
    report.Init();
    EXPECT_THROW(report.First(), Db::DatabaseError);

    goods.SetSQL(QStringLiteral("SELECT * FROM neni_tabulka"));
    report.OpenDataSource = true;
    EXPECT_THROW(report.Init(), Db::DatabaseError); // the dataset's own error passes through
}

TEST_F(ReportDbDataset, FieldsBlobsAndBookmarks)
{
    goods.Open();
    QStringList names{"stará"};
    vlGetFieldNames(goods, names);
    EXPECT_EQ(names, QStringList({"id", "nazev", "poznamka", "obrazek", "cena.kc"}));
    EXPECT_FALSE(vlIsBlob(goods.FindField("nazev")));
    EXPECT_TRUE(vlIsBlob(goods.FindField("poznamka")));
    EXPECT_TRUE(vlIsBlob(goods.FindField("obrazek")));
    EXPECT_FALSE(vlIsBlob(goods.FindField("id")));
    EXPECT_FALSE(vlIsBlob(nullptr));

    goods.Next();
    Db::Bookmark second = vlGetBookmark(goods);
    goods.Next();
    EXPECT_FALSE(vlBookmarksEqual(goods, second, vlGetBookmark(goods)));
    EXPECT_TRUE(vlGotoBookmark(goods, second));
    EXPECT_TRUE(vlBookmarksEqual(goods, second, vlGetBookmark(goods)));
    EXPECT_EQ(currentId(), 2);
    goods.Requery(); // a new snapshot: the same row is still the same record
    EXPECT_TRUE(vlGotoBookmark(goods, second));
    EXPECT_TRUE(vlBookmarksEqual(goods, second, vlGetBookmark(goods)));
    vlFreeBookmark(second);
    EXPECT_FALSE(second.IsValid());
}

TEST_F(ReportDbDataset, DatasetAndFieldByName)
{
    QWidget form;
    form.setObjectName("Form_Hlavni");
    goods.setParent(&form);
    QObject owner;
    report.setParent(&owner);
    const auto restore = qScopeGuard([&] {
        vlSetCurrentReportOwner(nullptr);
        goods.setParent(nullptr);
        report.setParent(nullptr);
    });
    GlobalComponents::Scoped registered(&form);
    vlSetCurrentReportOwner(&owner);
    goods.Open();

    Db::Dataset *dataset = nullptr;
    Db::Field *field = nullptr;
    vlGetDataSetAndField("Form_Hlavni.Zbozi.nazev", dataset, field);
    EXPECT_EQ(dataset, &goods);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->FieldName(), "nazev");

    dataset = nullptr;
    vlGetDataSetAndField("Form_Hlavni.Zbozi.\"cena.kc\"", dataset, field);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->FieldName(), "cena.kc");

    dataset = nullptr; // a report dataset of the owner stands for what it reads
    vlGetDataSetAndField("vlZbozi.NAZEV", dataset, field);
    EXPECT_EQ(dataset, &goods);
    EXPECT_NE(field, nullptr);

    vlGetDataSetAndField("\"id\"", dataset, field); // a plain name: the dataset passed in
    EXPECT_EQ(dataset, &goods);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->FieldName(), "id");

    vlGetDataSetAndField("Zbozi.nic", dataset, field);
    EXPECT_EQ(dataset, nullptr); // not a component of the owner
    EXPECT_EQ(field, nullptr);
    vlGetDataSetAndField("Form_Hlavni.Zbozi.nic", dataset, field);
    EXPECT_EQ(dataset, &goods);
    EXPECT_EQ(field, nullptr);
}
