// After the item card's save, a new item, a sale, a cancellation and an
// import, the item list reads the rows of the items the write changed, not
// the whole list, and shows what a re-query would: the same rows, values and
// order, on the same row, with the same summary label.
#include "data/dm_fixture.h"

#include <QRegularExpression>
#include <libpq-fe.h>

#include <functional>

namespace {

struct Shown
{
    QStringList rows;
    int recNo = 0;
    QString label;
    bool operator==(const Shown &) const = default;
};

std::ostream &operator<<(std::ostream &out, const Shown &shown)
{
    return out << qPrintable(shown.rows.join(u'\n')) << "\nrow " << shown.recNo << " label " << qPrintable(shown.label);
}

} // namespace

class ItemRows : public DataModuleTest
{
protected:
    void SetUp() override
    {
        DataModuleTest::SetUp();
        ASSERT_TRUE(dm->OpenAllQueries()) << qPrintable(dm->LastErrorText());
        // Another session's list of the same store, re-queried whole as the
        // writes did it before.
        other = std::make_unique<TDM>();
        ASSERT_TRUE(other->ConnectServer(server, qEnvironmentVariable("PGUSER"), qEnvironmentVariable("PGPASSWORD")));
        ASSERT_TRUE(other->SelectDatabase(TDM::DatabaseName())) << qPrintable(other->LastErrorText());
        ASSERT_TRUE(other->OpenItems()) << qPrintable(other->LastErrorText());
        watchStatements();
    }
    void TearDown() override
    {
        other.reset();
        DataModuleTest::TearDown();
    }

    Shown shown(TMSSQLADOQuery *items)
    {
        Shown result;
        Db::Dataset rows;
        rows.Clone(*items);
        for (rows.First(); !rows.Eof(); rows.Next()) {
            QStringList cells;
            for (const Db::Field *field : rows.Fields())
                cells << QString::fromUtf8(field->TextValue().value_or("NULL"));
            result.rows << cells.join(u'|');
        }
        result.recNo = items->RecNo();
        return result;
    }
    // Both lists as the user left them: the same filter and order, on the same row.
    void standOn(int recNo, const QString &filter = "1=1", const QString &order = "tab_polozka.OZNACENI")
    {
        for (TDM *module : {dm.get(), other.get()}) {
            TMSSQLADOQuery *items = module->MSSQLADOQuery_Polozka;
            items->FormatParameters().FindParameter("%WHERE_FILTER")->SetFormatParameterValue(filter);
            items->FormatParameters().FindParameter("%ORDER_BY")->SetFormatParameterValue(order);
            items->RefreshQuery();
            items->SetRecNo(recNo);
        }
        readsBefore = listReads();
    }
    // The write through this till; the other list refreshed as the write
    // used to refresh it; both show the same. Returns the write's result.
    bool write(const std::function<bool()> &call, const std::function<void(TMSSQLADOQuery *)> &requery)
    {
        TMSSQLADOQuery *theirs = other->MSSQLADOQuery_Polozka;
        theirs->SavePosition("ID_POLOZKA");
        const bool ok = call();
        Shown mine = shown(dm->MSSQLADOQuery_Polozka);
        mine.label = screens.labels.value(TSummaryLabel::Sklad);
        requery(theirs); // its refresh event writes the label for its rows
        Shown expected = shown(theirs);
        expected.label = screens.labels.value(TSummaryLabel::Sklad);
        EXPECT_EQ(mine, expected);
        return ok;
    }
    static void restore(TMSSQLADOQuery *items)
    {
        items->RequeryQuery();
        items->RestorePosition();
    }
    static void requeryLocate(TMSSQLADOQuery *items) { items->RequeryLocate("ID_POLOZKA"); }

    // How often this till's session read the item list whole, and by rows:
    // the server tells each statement it runs (its plan, as a notice), also
    // those the list has planned anew for each run.
    void watchStatements()
    {
        Db::Connection &connection = dm->MSSQLADOConnection->Connection();
        ASSERT_TRUE(connection
                        .exec("LOAD 'auto_explain'; SET auto_explain.log_min_duration = 0;"
                              " SET auto_explain.log_level = notice; SET client_min_messages = notice")
                        .succeeded());
        // The session's own notices still go where they went.
        passOn = PQsetNoticeReceiver(
            connection.handle(),
            [](void *test, const PGresult *notice) {
                auto *self = static_cast<ItemRows *>(test);
                const QString text = QString::fromUtf8(PQresultErrorMessage(notice));
                if (text.contains("Query Text:"))
                    self->statements << text;
                else
                    self->passOn(&self->dm->MSSQLADOConnection->Connection(), notice);
            },
            this);
    }
    std::pair<int, int> listReads()
    {
        std::pair<int, int> reads;
        for (const QString &statement : statements)
            if (statement.contains(QRegularExpression("PATH_ID_KATEGORIE LIKE \\$\\d")))
                ++(statement.contains(
                       QRegularExpression("id_polozka = ANY \\('\\{", QRegularExpression::CaseInsensitiveOption))
                       ? reads.second
                       : reads.first);
        return reads;
    }
    int wholeReadsSince() { return listReads().first - readsBefore.first; }
    int rowReadsSince() { return listReads().second - readsBefore.second; }

    TDMItem card(int id)
    {
        TDMItem item;
        TDMItemOrigin origin;
        EXPECT_TRUE(dm->ReadItem(id, item, origin)) << qPrintable(dm->LastErrorText());
        return item;
    }

    std::unique_ptr<TDM> other;
    QStringList statements;
    PQnoticeReceiver passOn = nullptr;
    std::pair<int, int> readsBefore;
};

TEST_F(ItemRows, TheCardsSaveAndANewItemReadTheirRowAlone)
{
    std::map<QString, int> items;
    for (const QString mark : {"0005", "0001", "Čaj", "0003", "cukr", "0002", "Zámek", "0004"})
        items[mark] = newItem(mark, Currency::fromInt(10), Currency::fromInt(mark.size() * 10));
    // A changed price moves the row in a list sorted by price, the current
    // row going along.
    standOn(3, "1=1", "tab_polozka.PRODEJ DESC");
    const int current = int(dm->MSSQLADOQuery_Polozka->FieldByName("ID_POLOZKA").AsInteger());
    TDMItem item = card(current);
    item.PRODEJ = Currency::fromInt(1);
    EXPECT_TRUE(write([&] { return dm->EditItem(current, item); }, restore));
    // Another row changed elsewhere; the list stays on its row.
    standOn(2);
    item = card(items["Zámek"]);
    item.POLOZKA = "Zámek visací";
    EXPECT_TRUE(write([&] { return dm->EditItem(items["Zámek"], item); }, restore));
    // The current row leaves the list (another category): the row before it.
    int elsewhere = 0;
    ASSERT_TRUE(dm->NewCategory(1, "Jinde", "-", elsewhere));
    standOn(4, "tab_kategorie.ID_KATEGORIE = 1");
    const int leaving = int(dm->MSSQLADOQuery_Polozka->FieldByName("ID_POLOZKA").AsInteger());
    item = card(leaving);
    item.KATEGORIE = dm->CategoryPathName(elsewhere);
    EXPECT_TRUE(write([&] { return dm->EditItem(leaving, item); }, restore));
    EXPECT_EQ(dm->MSSQLADOQuery_Polozka->RecNo(), 3);
    // A refused save still shows the row as the server holds it.
    standOn(2);
    item = card(items["0003"]);
    sql(QStringLiteral("UPDATE tab_polozka SET PRODEJ = 77 WHERE ID_POLOZKA = %1").arg(items["0003"]));
    item.SLEVA = 300;
    EXPECT_FALSE(write([&] { return dm->EditItem(items["0003"], item); }, restore));
    // A new item: the list moves to it.
    item = card(items["0001"]);
    item.OZNACENI = item.KOD = "0000";
    item.POLOZKA = "Nová";
    EXPECT_TRUE(write([&] { return dm->NewItem(item); },
                      [&](TMSSQLADOQuery *list) {
                          list->RequeryQuery();
                          list->LocateOrRestore(scalar("SELECT max(ID_POLOZKA) FROM tab_polozka").toInt());
                      }));
    EXPECT_EQ(wholeReadsSince(), 0);
    EXPECT_GE(rowReadsSince(), 1);
}

// A sale and a cancellation read the rows of their items; under a filter of
// today's sales the sold items come into the list and the cancelled ones stay.
TEST_F(ItemRows, ASaleAndACancellationReadTheRowsOfTheirItems)
{
    std::vector<int> items;
    for (int i = 1; i <= 12; ++i)
        items.push_back(newItem(QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0'))));
    for (const QString filter : {"1=1", "(tab_historie.ID_OPERACE BETWEEN 1 AND 6) AND "
                                        "date_trunc('day',tab_historie.TIME)=date_trunc('day',LOCALTIMESTAMP)"}) {
        standOn(5, filter, "tab_polozka.MNOZSTVI, tab_polozka.POLOZKA DESC");
        for (int i : {2, 7, 11})
            ASSERT_TRUE(dm->AddOrEditBasketRow(items[size_t(i)], 0, Currency::fromInt(i % 4), false));
        int document = 0;
        EXPECT_TRUE(write([&] { return dm->SellBasket(1, false, "-", 0, document); }, requeryLocate))
            << qPrintable(dm->LastErrorText());
        standOn(2, filter, "tab_polozka.MNOZSTVI, tab_polozka.POLOZKA DESC");
        EXPECT_TRUE(write([&] { return dm->CancelDocument(document); }, requeryLocate));
        // A refused sale: more than the stock (another till sold it meanwhile).
        ASSERT_TRUE(dm->AddOrEditBasketRow(items[3], 0, Currency::fromInt(5), false));
        sql(QStringLiteral("UPDATE tab_polozka SET MNOZSTVI = 1 WHERE ID_POLOZKA = %1").arg(items[3]));
        EXPECT_FALSE(write([&] { return dm->SellBasket(1, false, "-", 0, document); }, requeryLocate));
        ASSERT_TRUE(dm->RemoveBasketRow(items[3]));
        EXPECT_EQ(wholeReadsSince(), 0) << qPrintable(filter);
        EXPECT_GE(rowReadsSince(), 1) << qPrintable(filter);
    }
}

// The rows an import stored are read in one statement after it, or the
// whole list when that costs less.
TEST_F(ItemRows, AnImportReadsTheRowsItStored)
{
    for (int i = 1; i <= 5; ++i)
        newItem(QStringLiteral("%1").arg(i * 2, 4, 10, QLatin1Char('0')));
    standOn(3);
    TDMItem item = card(scalar("SELECT min(ID_POLOZKA) FROM tab_polozka").toInt());
    std::vector<TDMItem> rows;
    for (int i = 1; i <= 4; ++i) {
        item.OZNACENI = item.KOD = QStringLiteral("%1").arg(i * 2 + 1, 4, 10, QLatin1Char('0'));
        item.POLOZKA = "Dovezená " + item.OZNACENI;
        rows.push_back(item);
    }
    EXPECT_TRUE(write(
        [&] {
            const bool one = dm->ImportItem(rows.back());
            rows.pop_back();
            const bool ok = dm->ImportItems(rows) == int(rows.size()) && one;
            dm->RefreshImportedItems();
            return ok;
        },
        requeryLocate));
    EXPECT_EQ(wholeReadsSince(), 0);
    EXPECT_EQ(rowReadsSince(), 1);
    EXPECT_EQ(dm->MSSQLADOQuery_Polozka->RecordCount(), 9);

    // So many rows for so short a list that reading it whole costs less.
    rows.clear();
    for (int i = 1; i <= 100; ++i) {
        item.OZNACENI = item.KOD = QStringLiteral("D%1").arg(i, 3, 10, QLatin1Char('0'));
        item.POLOZKA = "Dovezená " + item.OZNACENI;
        rows.push_back(item);
    }
    standOn(3);
    EXPECT_TRUE(write(
        [&] {
            const bool ok = dm->ImportItems(rows) == int(rows.size());
            dm->RefreshImportedItems();
            return ok;
        },
        requeryLocate));
    EXPECT_EQ(wholeReadsSince(), 1);
    EXPECT_EQ(rowReadsSince(), 0);
}

// F5 stays on the current item: where it stood when nothing changed before
// it, found again when another till's items came or went before it, the
// first row when it is gone.
TEST_F(ItemRows, F5StaysOnTheCurrentItem)
{
    std::vector<int> items;
    for (int i = 1; i <= 6; ++i)
        items.push_back(newItem(QStringLiteral("%1").arg(i * 10, 4, 10, QLatin1Char('0'))));
    standOn(4); // 0040
    TMSSQLADOQuery *list = dm->MSSQLADOQuery_Polozka;
    auto current = [&] { return QString::fromUtf8(list->FieldByName("OZNACENI").TextValue().value_or("")); };
    dm->RequeryItems();
    EXPECT_EQ(list->RecNo(), 4);
    EXPECT_EQ(current(), "0040");
    // Another till adds two items before it and removes one: the row moves.
    TDMItem item = card(items[0]);
    for (const QString mark : {"0001", "0002"}) {
        item.OZNACENI = item.KOD = mark;
        ASSERT_TRUE(other->NewItem(item)) << qPrintable(other->LastErrorText());
    }
    ASSERT_TRUE(other->RemoveItem(items[1]));
    dm->RequeryItems();
    EXPECT_EQ(current(), "0040");
    EXPECT_EQ(list->RecNo(), 5);
    ASSERT_TRUE(other->RemoveItem(items[3]));
    dm->RequeryItems();
    EXPECT_EQ(list->RecNo(), 1);
}

// The list is planned for the values of each run: the whole store, re-read
// more often than the server plans a prepared statement for its values
// before it keeps a plan for any, is still planned for the whole store (a plan
// for any branch would read it as a few rows, without parallel workers).
TEST_F(ItemRows, EachReadIsPlannedForItsBranch)
{
    for (int i = 0; i < 8; ++i)
        dm->RequeryItems();
    QStringList wholeReads;
    for (const QString &statement : statements)
        if (statement.contains("PATH_ID_KATEGORIE LIKE $2"))
            wholeReads << statement;
    ASSERT_GE(wholeReads.size(), 8);
    EXPECT_TRUE(wholeReads.last().contains("~~ '1%'::text")) << qPrintable(wholeReads.last());
}
