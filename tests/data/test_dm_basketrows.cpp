// The basket list brought up to date by the changed row alone: after every
// kind of basket call it shows what a re-query of the whole list shows.
#include "data/dm_fixture.h"
#include "data/dmquerydefs.h"
#include "data/mssqladoquery.h"
#include "data/rowkeytests.h"

#include <functional>

namespace {

// What a basket list shows: its rows with every column but the basket row's
// own number (each session numbers its rows apart), where it stands and its
// summary label.
struct Shown
{
    QStringList rows;
    int recNo = 0;
    qint64 current = -1;
    QString label;
    bool operator==(const Shown &) const = default;
};

std::ostream &operator<<(std::ostream &out, const Shown &shown)
{
    return out << qPrintable(shown.rows.join(u'\n')) << "\nrow " << shown.recNo << " item " << shown.current
               << " label " << qPrintable(shown.label);
}

} // namespace

class BasketRows : public DataModuleTest
{
protected:
    void SetUp() override
    {
        DataModuleTest::SetUp();
        ASSERT_TRUE(dm->OpenAllQueries()) << qPrintable(dm->LastErrorText());
        // A second till doing the same, whose list is always re-queried whole.
        whole = std::make_unique<TDM>();
        ASSERT_TRUE(whole->ConnectServer(server, qEnvironmentVariable("PGUSER"), qEnvironmentVariable("PGPASSWORD")));
        ASSERT_TRUE(whole->SelectDatabase(TDM::DatabaseName())) << qPrintable(whole->LastErrorText());
        ASSERT_TRUE(whole->OpenBasket()) << qPrintable(whole->LastErrorText());
        whole->MSSQLADOQuery_Prodej->SetRowsByKeys(false);
    }
    void TearDown() override
    {
        whole.reset();
        DataModuleTest::TearDown();
    }

    Shown shown(TDM &module)
    {
        TMSSQLADOQuery *basket = module.MSSQLADOQuery_Prodej;
        Shown result;
        Db::Dataset rows;
        rows.Clone(*basket);
        for (rows.First(); !rows.Eof(); rows.Next()) {
            QStringList cells;
            for (const Db::Field *field : rows.Fields())
                if (field->FieldName().compare("ID_PRODEJ", Qt::CaseInsensitive) != 0)
                    cells << QString::fromUtf8(field->TextValue().value_or("NULL"));
            result.rows << cells.join(u'|');
        }
        result.recNo = basket->RecNo();
        result.current = currentKey(basket, "ID_POLOZKA");
        result.label = screens.labels.value(TSummaryLabel::ProdejStatus);
        return result;
    }
    // The same call at both tills; both lists show the same.
    void both(const std::function<bool(TDM &)> &call, bool succeeds)
    {
        ++calls;
        EXPECT_EQ(call(*dm), succeeds) << qPrintable(dm->LastErrorText());
        const Shown byRow = shown(*dm);
        EXPECT_EQ(call(*whole), succeeds) << qPrintable(whole->LastErrorText());
        EXPECT_EQ(byRow, shown(*whole));
    }
    void add(int item, int quantity, bool absolute = false, int discount = 0, bool succeeds = true)
    {
        both([&](TDM &m) { return m.AddOrEditBasketRow(item, discount, Currency::fromInt(quantity), absolute); },
             succeeds);
    }
    void remove(int item, bool succeeds = true)
    {
        both([&](TDM &m) { return m.RemoveBasketRow(item); }, succeeds);
    }
    void standOn(int recNo)
    {
        dm->MSSQLADOQuery_Prodej->SetRecNo(recNo);
        whole->MSSQLADOQuery_Prodej->SetRecNo(recNo);
    }
    void sortBy(const QString &order)
    {
        for (TDM *module : {dm.get(), whole.get()}) {
            module->MSSQLADOQuery_Prodej->FormatParameters().FindParameter("%ORDER_BY")->SetFormatParameterValue(order);
            module->MSSQLADOQuery_Prodej->RefreshQuery();
        }
    }

    // How often this till's session ran the basket list's statements: the
    // whole list, and one line by its item.
    std::pair<int, int> listReads()
    {
        const Db::Result r = dm->MSSQLADOConnection->Connection().exec(
            "SELECT statement NOT LIKE '%ORDER BY%', sum(generic_plans + custom_plans)::integer"
            " FROM pg_prepared_statements WHERE statement LIKE '%FROM tab_prodej%' GROUP BY 1");
        std::pair<int, int> reads;
        for (int row = 0; row < r.rowCount(); ++row)
            (r.cellText(row, 0) == "t" ? reads.second : reads.first) += r.cellText(row, 1).toInt();
        return reads;
    }

    std::unique_ptr<TDM> whole;
    int calls = 0;
};

TEST_F(BasketRows, EveryCallLeavesTheListAsAReQueryWould)
{
    std::map<QString, int> items;
    for (const QString mark : {"0005", "0001", "Čaj", "0003", "cukr", "0002", "Zámek", "0004"})
        items[mark] = newItem(mark, Currency::fromInt(100), Currency::fromInt(mark.size() * 10));
    // Additions land at the start, in the middle and at the end.
    for (const QString mark : {"0003", "0005", "0001", "Čaj", "Zámek", "cukr", "0002"})
        add(items[mark], 1);
    // Changes of a line, on it and elsewhere.
    add(items["0001"], 2);
    standOn(4);
    add(items["Čaj"], 5, true, 10);
    // Removals: before the current row, the current row, the first row.
    remove(items["0001"]);
    standOn(3);
    remove(dm->MSSQLADOQuery_Prodej->FieldByName("ID_POLOZKA").AsInteger());
    standOn(1);
    remove(dm->MSSQLADOQuery_Prodej->FieldByName("ID_POLOZKA").AsInteger());
    // Refused calls: no such line, a discount the basket cannot hold.
    remove(items["0004"], false);
    standOn(2);
    add(items["0004"], 1, true, 300, false);
    add(items["cukr"], 1, true, 300, false);

    // A sort on which lines tie (broken by the item), and lines moving in it.
    sortBy("tab_prodej.MNOZSTVI DESC");
    add(items["0004"], 1);
    add(items["Zámek"], 9, true);
    standOn(2);
    add(items["Zámek"], 1, true);
    sortBy("PRODEJ_CELKEM, tab_polozka.POLOZKA DESC");
    add(items["0001"], 3);
    add(items["cukr"], 7, true);

    // Emptied line by line.
    while (!dm->MSSQLADOQuery_Prodej->IsEmpty())
        remove(dm->MSSQLADOQuery_Prodej->FieldByName("ID_POLOZKA").AsInteger());
    EXPECT_EQ(screens.labels[TSummaryLabel::ProdejStatus], "0 [ celkem: 0,00 Kč ]");
    // Each call read its line alone; the whole list was read when it opened
    // and when it was sorted.
    EXPECT_EQ(listReads(), std::make_pair(3, calls));
}

// Only the changed line is read again: a line the call did not touch keeps
// what the list read before, until the list is re-queried.
TEST_F(BasketRows, OnlyTheChangedLineIsReadAgain)
{
    const int first = newItem("0001");
    const int second = newItem("0002");
    ASSERT_TRUE(dm->AddOrEditBasketRow(first, 0, Currency::fromInt(1), false));
    ASSERT_TRUE(dm->AddOrEditBasketRow(second, 0, Currency::fromInt(1), false));
    sql(QStringLiteral("UPDATE tab_polozka SET POLOZKA = 'Přejmenovaná' WHERE ID_POLOZKA = %1").arg(first));
    const Db::Connection &connection = dm->MSSQLADOConnection->Connection();
    const quint64 before = connection.roundTrips();
    ASSERT_TRUE(dm->AddOrEditBasketRow(second, 0, Currency::fromInt(4), true));
    EXPECT_EQ(connection.roundTrips() - before, 1u); // the call and the line together
    TMSSQLADOQuery *basket = dm->MSSQLADOQuery_Prodej;
    EXPECT_EQ(basket->FieldByName("MNOZSTVI").AsString(), "4");
    ASSERT_TRUE(basket->LocateInteger("ID_POLOZKA", first));
    EXPECT_EQ(basket->FieldByName("POLOZKA").AsString(), "Položka 0001");
    dm->RequeryBasket();
    EXPECT_EQ(basket->FieldByName("POLOZKA").AsString(), "Přejmenovaná");
}

// The line's read keeps one plan for the session, which finds the line by its
// key, also when the baskets of the tills are long: the server does not plan
// it anew at every line.
TEST_F(BasketRows, TheLinesReadKeepsOnePlanForTheSession)
{
    // However its key test is spelt.
    TMSSQLADOQuery *basket = dm->MSSQLADOQuery_Prodej;
    QStringList lines = basket->FormatSQL();
    lines.replaceInStrings(QStringLiteral("@KLICE(tab_prodej.ID_POLOZKA)"),
                           QStringLiteral("@klice ( tab_prodej.ID_POLOZKA )"));
    basket->FormatParamCheck = false;
    basket->SetFormatSQL(lines);
    basket->RefreshQuery();
    // A long basket, as the server's statistics saw it, and its next lines.
    sql(QStringLiteral("SELECT tab_polozka_NOVA_POLOZKA('L' || n, 'L' || n, 'Položka L' || n, '-', 0, 'Sklad-01', '?',"
                       " '-', 20, 10, 25, 0, 1000, 0, 'ks', 1, true) FROM generate_series(1, 1012) n"));
    const QStringList items = scalar(QStringLiteral("SELECT string_agg(ID_POLOZKA::text, ',' ORDER BY ID_POLOZKA)"
                                                    " FROM tab_polozka WHERE OZNACENI LIKE 'L%'"))
                                  .split(u',');
    for (int i = 0; i < 1000; ++i)
        ASSERT_TRUE(dm->AddOrEditBasketRow(items[i].toInt(), 0, Currency::fromInt(1), false));
    sql(QStringLiteral("ANALYZE tab_prodej"));
    dm->MSSQLADOConnection->Connection().exec(QStringLiteral("DEALLOCATE ALL"));
    for (int i = 1000; i < 1012; ++i)
        ASSERT_TRUE(dm->AddOrEditBasketRow(items[i].toInt(), 0, Currency::fromInt(1), false));
    const Db::Result plans = dm->MSSQLADOConnection->Connection().exec(
        QStringLiteral("SELECT generic_plans, custom_plans, statement FROM pg_prepared_statements"
                       " WHERE statement LIKE '%FROM tab_prodej%' AND statement NOT LIKE '%ORDER BY%'"));
    ASSERT_EQ(plans.rowCount(), 1);
    // The line's key compared as one value, not among an array's.
    EXPECT_FALSE(plans.cellText(0, 2).contains(QLatin1String("ANY"), Qt::CaseInsensitive));
    EXPECT_GE(plans.cellText(0, 0).toInt(), 7);
    EXPECT_LE(plans.cellText(0, 1).toInt(), 5);
}

// Each read writes out the marks of the key tests as its own, however a mark
// is spelt, and never one in a quoted text or a comment.
TEST(RowsByKeys, EachReadWritesOutTheMarksOfTheKeyTests)
{
    const QString text = "WHERE @cely_seznam AND @Klice ( t.ID_X + (1) ) AND x = '@KLICE(y)' -- @CELY_SEZNAM :KLICE\n";
    const QString rest = " AND x = '@KLICE(y)' -- @CELY_SEZNAM :KLICE\n";
    const StatedRowKeys whole = StateRowKeyTests(text, RowKeysRead::WholeList);
    EXPECT_EQ(whole.text, "WHERE CAST(:KLICE AS integer[]) IS NULL AND (CAST(:KLICE AS integer[]) IS NULL OR "
                          "t.ID_X + (1) = ANY(:KLICE))" +
                              rest);
    EXPECT_EQ(whole.marks, 2);
    EXPECT_FALSE(whole.keysNamedAside);
    EXPECT_EQ(StateRowKeyTests(text, RowKeysRead::Keys).text, "WHERE false AND t.ID_X + (1) = ANY(:KLICE)" + rest);
    EXPECT_EQ(StateRowKeyTests(text, RowKeysRead::OneKey).text,
              "WHERE false AND t.ID_X + (1) = (CAST(:KLICE AS integer[]))[1]" + rest);
    // A test spelt by hand is seen, so the list's rows are not read by it.
    EXPECT_TRUE(StateRowKeyTests("WHERE t.ID = ANY(:klice)", RowKeysRead::Keys).keysNamedAside);
}

// Every list that reads rows by their keys states its key tests by the marks,
// in its template and in the test over its lines a filter may become.
TEST(RowsByKeys, EveryListReadByKeysStatesItsKeyTestsByTheirMarks)
{
    int lists = 0;
    for (const TDMQueryDef &def : DataModuleQueries()) {
        if (!def.rowsByKeys)
            continue;
        ++lists;
        QStringList texts{QueryTemplateLines(def).join(u'\n')};
        if (!def.lineFilter.isEmpty())
            texts << ListFilterText(def, QStringLiteral("tab_historie.ID_HISTORIE > 0"));
        for (const QString &text : texts) {
            const StatedRowKeys stated = StateRowKeyTests(text, RowKeysRead::WholeList);
            EXPECT_GT(stated.marks, 0) << qPrintable(def.component);
            EXPECT_FALSE(stated.keysNamedAside) << qPrintable(def.component);
        }
    }
    EXPECT_GE(lists, 2);
}
