#include "common/scripted_messages.h"
#include "common/test_connection.h"
#include "data/mssqladoquery.h"

namespace {

TMSSQLADOQuery *templateQuery(QObject *parent, const QStringList &lines)
{
    auto *query = new TMSSQLADOQuery(parent);
    query->SetFormatSQL(lines);
    return query;
}

class FormatQueryTest : public LiveDatabaseTest
{
protected:
    void SetUp() override
    {
        LiveDatabaseTest::SetUp();
        run(QStringLiteral(
            "CREATE TABLE tab_polozka (ID_POLOZKA integer PRIMARY KEY, OZNACENI varchar(16), "
            "OZNACENI_EAN varchar(16), POLOZKA varchar(64), NAKUP numeric(19,4), STATE_PLATNOST boolean);"
            "INSERT INTO tab_polozka VALUES "
            "(1, 'C', 'x', 'Šroub M6', 0.1, true), (2, 'A', 'z', 'Matice O''Neil', 0.2, true), "
            "(3, 'D', 'y', 'Podložka 123', 0.3, false), (4, 'B', 'w', 'Hřebík', 1234567.8901, true)"));
        query.SetConnection(&connection);
        query.SetFormatSQL({QStringLiteral("SELECT ID_POLOZKA, OZNACENI, OZNACENI_EAN, POLOZKA, NAKUP, STATE_PLATNOST"),
                            QStringLiteral("FROM tab_polozka WHERE %WHERE_FILTER"),
                            QStringLiteral("ORDER BY %ORDER_BY")});
        query.FormatParameters()
            .ParamByName(QStringLiteral("%WHERE_FILTER"))
            ->SetFormatParameterValue(QStringLiteral("1=1"));
        query.FormatParameters()
            .ParamByName(QStringLiteral("%ORDER_BY"))
            ->SetFormatParameterValue(QStringLiteral("tab_polozka.OZNACENI"));
        query.AddField(QStringLiteral("OZNACENI"))->Origin = QStringLiteral("tab_polozka");
        query.AddField(QStringLiteral("OZNACENI_EAN"))->Origin = QStringLiteral("tab_polozka");
        query.RefreshQuery();
    }

    QList<int> ids()
    {
        QList<int> out;
        query.DisableControls();
        const Db::Bookmark mark = query.GetBookmark();
        for (query.First(); !query.Eof(); query.Next())
            out << int(query.FieldByName(QStringLiteral("ID_POLOZKA")).AsInteger());
        query.GotoBookmark(mark);
        query.EnableControls();
        return out;
    }
    int currentId() { return int(query.FieldByName(QStringLiteral("ID_POLOZKA")).AsInteger()); }

    ScriptedMessages messages;
    TMSSQLADOQuery query;
};

} // namespace

TEST(FormatParameters, PlaceholdersAreFoundAsTheScannerReadsThem)
{
    ScriptedMessages messages;
    QObject owner;
    TMSSQLADOQuery *q = templateQuery(&owner, {QStringLiteral("SELECT * FROM t ORDER BY %ORDER_BY")});
    ASSERT_EQ(q->FormatParameters().Count(), 1);
    EXPECT_EQ(q->FormatParameters().Items(0)->Name(), QStringLiteral("%ORDER_BY"));
    EXPECT_TRUE(q->FormatParameters().Items(0)->Value().isEmpty());
    EXPECT_TRUE(q->FormatParametersComplete());

    q = templateQuery(&owner, {QStringLiteral("a %A%B c 50% (%C) %D,%E")});
    EXPECT_EQ(q->ScanPlaceholders(), (QStringList{"%A", "%C", "%D", "%E"}));

    q = templateQuery(&owner, {QStringLiteral("%A %B")});
    q->FormatParameters().Clear();
    q->FormatParameters().Add()->SetName(QStringLiteral("%A"));
    EXPECT_FALSE(q->FormatParametersComplete());
    q->FormatParameters().Add()->SetName(QStringLiteral("%b"));
    EXPECT_TRUE(q->FormatParametersComplete());

    q = templateQuery(&owner, {QStringLiteral("%A and %A")}); // written twice counts twice
    EXPECT_FALSE(q->FormatParametersComplete());
    EXPECT_FALSE(templateQuery(&owner, {})->FormatParametersComplete());
}

TEST(FormatParameters, ApplyReplacesWithoutRegardToCaseAndStoresAsACollection)
{
    ScriptedMessages messages;
    QObject owner;
    TMSSQLADOQuery *q = templateQuery(&owner, {QStringLiteral("ORDER BY %ORDER_BY")});
    q->FormatParameters().Items(0)->SetName(QStringLiteral("%order_by"));
    q->FormatParameters().Items(0)->SetFormatParameterValue(QStringLiteral("KOD DESC"));
    EXPECT_EQ(q->ApplyFormatParameters(q->FormatSQLText()), QStringLiteral("ORDER BY KOD DESC\r\n"));

    TStoredCollection *stored = dynamic_cast<TStoredCollection *>(q->property("FormatParameters").value<QObject *>());
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->StoredCount(), 1);
    EXPECT_EQ(stored->StoredItem(0)->property("Value").toString(), QStringLiteral("KOD DESC"));
    EXPECT_EQ(q->FormatParameters().GetItemAttr(0, 0), QStringLiteral("%order_by"));

    EXPECT_EQ(q->FormatParameters().ParamByName(QStringLiteral("%NONE")), nullptr);
    ASSERT_EQ(messages.count(MessageCall::Warning), 1);
    EXPECT_EQ(messages.calls.last().heading, QStringLiteral("Format parameter \"%NONE\" not found."));

    messages.answer(true); // a new template asks before dropping the parameters
    q->SetFormatSQL({QStringLiteral("WHERE %F")});
    EXPECT_EQ(q->FormatParameters().Count(), 1);
    EXPECT_EQ(q->FormatParameters().Items(0)->Name(), QStringLiteral("%F"));
}

TEST_F(FormatQueryTest, RefreshBuildsTheSqlAndFiresTheEvent)
{
    int refreshed = 0;
    query.OnRefreshQuery = [&](QObject *sender) {
        EXPECT_EQ(sender, &query);
        ++refreshed;
    };
    EXPECT_EQ(ids(), (QList<int>{2, 4, 1, 3}));
    query.FormatParameters()
        .FindParameter(QStringLiteral("%WHERE_FILTER"))
        ->SetFormatParameterValue(QStringLiteral("STATE_PLATNOST"));
    query.RefreshQuery();
    EXPECT_EQ(ids(), (QList<int>{2, 4, 1}));
    query.RequeryQuery();
    query.RequeryLocate(QStringLiteral("ID_POLOZKA"));
    EXPECT_EQ(refreshed, 3);

    // An incomplete template opens the query with its previous SQL.
    query.FormatParameters().Clear();
    query.FormatParameters().Add()->SetName(QStringLiteral("%ORDER_BY"));
    const QString before = query.SQL();
    query.RefreshQuery();
    EXPECT_EQ(query.SQL(), before);
    EXPECT_TRUE(query.Active());
}

TEST_F(FormatQueryTest, SortTogglesAndKeepsTheCurrentRow)
{
    Db::Field *mark = query.FindField(QStringLiteral("OZNACENI"));
    Db::Field *name = query.FindField(QStringLiteral("POLOZKA"));
    EXPECT_EQ(query.SortState(mark), 1);
    EXPECT_EQ(query.SortState(name), 0);
    query.LocateInteger(QStringLiteral("ID_POLOZKA"), 1);

    query.SortByColumn(QStringLiteral("ID_POLOZKA"), mark, QStringLiteral("%ORDER_BY"));
    EXPECT_EQ(query.SortState(mark), 2);
    EXPECT_EQ(ids(), (QList<int>{3, 1, 4, 2}));
    EXPECT_EQ(currentId(), 1);

    query.SortByColumn(QStringLiteral("ID_POLOZKA"), mark, QStringLiteral("%ORDER_BY"));
    EXPECT_EQ(query.SortState(mark), 1);
    EXPECT_EQ(currentId(), 1);

    query.SortByColumn(QStringLiteral("ID_POLOZKA"), name, QStringLiteral("%ORDER_BY")); // computed: no origin
    EXPECT_EQ(query.SortState(name), 1);
    EXPECT_EQ(query.SortState(mark), 0);
    EXPECT_EQ(currentId(), 1);
    EXPECT_EQ(ids(), (QList<int>{4, 2, 3, 1}));
}

TEST_F(FormatQueryTest, SortStateTellsColumnsThatStartAlikeApart)
{
    Db::Field *mark = query.FindField(QStringLiteral("OZNACENI"));
    Db::Field *ean = query.FindField(QStringLiteral("OZNACENI_EAN"));
    query.SortByColumn(QStringLiteral("ID_POLOZKA"), ean, QStringLiteral("%ORDER_BY"));
    EXPECT_EQ(query.SortState(ean), 1);
    EXPECT_EQ(query.SortState(mark), 0);
    query.SortByColumn(QStringLiteral("ID_POLOZKA"), mark, QStringLiteral("%ORDER_BY"));
    EXPECT_EQ(query.SortState(mark), 1); // ascending first, not taken for the other column
}

TEST_F(FormatQueryTest, SortWithoutTheParameterDoesNothing)
{
    query.LocateInteger(QStringLiteral("ID_POLOZKA"), 4);
    const QString before = query.SQL();
    query.SortByColumn(QStringLiteral("ID_POLOZKA"), query.FindField(QStringLiteral("OZNACENI")),
                       QStringLiteral("%MISSING"));
    EXPECT_TRUE(query.Active());
    EXPECT_EQ(query.SQL(), before);
    EXPECT_EQ(currentId(), 4);
}

TEST_F(FormatQueryTest, RestorePositionAfterTheCurrentRowWasDeleted)
{
    query.LocateInteger(QStringLiteral("ID_POLOZKA"), 1); // order A(2) B(4) C(1) D(3)
    query.SavePosition(QStringLiteral("ID_POLOZKA"));
    run(QStringLiteral("DELETE FROM tab_polozka WHERE ID_POLOZKA = 1"));
    query.RequeryQuery();
    query.RestorePosition();
    EXPECT_EQ(currentId(), 4); // the row before it

    query.First();
    query.SavePosition(QStringLiteral("ID_POLOZKA"));
    run(QStringLiteral("DELETE FROM tab_polozka WHERE ID_POLOZKA = 2"));
    query.RequeryQuery();
    query.Last();
    query.RestorePosition(); // no earlier row: stays where it is
    EXPECT_EQ(currentId(), 3);

    query.SavePosition(QStringLiteral("ID_POLOZKA"));
    run(QStringLiteral("INSERT INTO tab_polozka VALUES (9, 'AA', '', 'nová', 0, true)"));
    query.RequeryQuery();
    query.LocateOrRestore(Variant(9));
    EXPECT_EQ(currentId(), 9);
    query.LocateOrRestore(Variant(77)); // not listed: back to the saved row
    EXPECT_EQ(currentId(), 3);
}

TEST_F(FormatQueryTest, LocateVariants)
{
    EXPECT_TRUE(query.LocateText(QStringLiteral("POLOZKA"), QStringLiteral("matice")));
    EXPECT_EQ(currentId(), 2);
    EXPECT_TRUE(query.LocateValue(QStringLiteral("POLOZKA"), QStringLiteral("PODL")));
    EXPECT_EQ(currentId(), 3);
    EXPECT_FALSE(query.LocateText(QStringLiteral("POLOZKA"), QString()));
    EXPECT_FALSE(query.LocateValue(QStringLiteral("POLOZKA"), Variant::null()));
    EXPECT_FALSE(query.LocateValue(QStringLiteral("NOPE"), QStringLiteral("x")));
    EXPECT_TRUE(query.LocateInteger(QStringLiteral("ID_POLOZKA"), 4));
    EXPECT_EQ(currentId(), 4);
    EXPECT_FALSE(query.LocateInteger(QStringLiteral("ID_POLOZKA"), 40));
    EXPECT_EQ(currentId(), 4);
}

TEST_F(FormatQueryTest, SumsAreExactAndLeaveTheCursor)
{
    query.LocateInteger(QStringLiteral("ID_POLOZKA"), 1);
    EXPECT_EQ(query.SumField(QStringLiteral("NAKUP")), Currency::fromRaw(12345684901LL)); // 1234568.4901
    EXPECT_EQ(currentId(), 1);
    std::vector<Currency> sums;
    query.SumFields({QStringLiteral("NAKUP"), QStringLiteral("ID_POLOZKA")}, sums);
    ASSERT_EQ(sums.size(), 2u);
    EXPECT_EQ(sums[1], Currency::fromInt(10));
    // A missing column ends the pass: the sums so far (zero) stand.
    EXPECT_EQ(query.SumField(QStringLiteral("MISSING")), Currency());

    query.FormatParameters()
        .FindParameter(QStringLiteral("%WHERE_FILTER"))
        ->SetFormatParameterValue(QStringLiteral("false"));
    query.RefreshQuery();
    EXPECT_EQ(query.SumField(QStringLiteral("NAKUP")), Currency());
}

TEST_F(FormatQueryTest, TwinSearchFindsFirstAndNextMatchesInListOrder)
{
    TMSSQLADOQuery twin;
    twin.SetConnection(&connection);
    twin.SetSQL(QStringLiteral("SELECT ID_POLOZKA, POLOZKA, NAKUP, STATE_PLATNOST FROM tab_polozka"));
    const Db::Field *name = query.FindField(QStringLiteral("POLOZKA"));

    // List order: A(2) Matice O'Neil, B(4) Hřebík, C(1) Šroub M6, D(3) Podložka 123
    ASSERT_TRUE(query.FindFirstInField(&twin, QStringLiteral("ID_POLOZKA"), QStringLiteral("o"), name));
    EXPECT_EQ(currentId(), 2);
    ASSERT_TRUE(query.FindNextMatch());
    EXPECT_EQ(currentId(), 1);
    ASSERT_TRUE(query.FindNextMatch());
    EXPECT_EQ(currentId(), 3);
    EXPECT_FALSE(query.FindNextMatch()); // the last match: stays on it
    EXPECT_EQ(currentId(), 3);

    // An apostrophe is searched for, not taken as the end of the text.
    ASSERT_TRUE(query.FindFirstInField(&twin, QStringLiteral("ID_POLOZKA"), QStringLiteral("O'N"), name));
    EXPECT_EQ(currentId(), 2);
    // A number typed for a text column.
    ASSERT_TRUE(query.FindFirstInField(&twin, QStringLiteral("ID_POLOZKA"), QStringLiteral("123"), name));
    EXPECT_EQ(currentId(), 3);
    // Not found: the list goes to its first row.
    EXPECT_FALSE(query.FindFirstInField(&twin, QStringLiteral("ID_POLOZKA"), QStringLiteral("zzz"), name));
    // Text for a money column cannot match.
    EXPECT_FALSE(query.FindFirstInField(&twin, QStringLiteral("ID_POLOZKA"), QStringLiteral("abc"),
                                        query.FindField(QStringLiteral("NAKUP"))));
    // A Boolean column is not searched.
    query.LocateInteger(QStringLiteral("ID_POLOZKA"), 3);
    EXPECT_FALSE(query.FindFirstInField(&twin, QStringLiteral("ID_POLOZKA"), QStringLiteral("1"),
                                        query.FindField(QStringLiteral("STATE_PLATNOST"))));
    EXPECT_EQ(currentId(), 3);
}

// The walk finds its rows in the list's column of keys when the list shows
// every row it read, and looks at the rows one by one otherwise: the same
// rows either way, and in a list read in pages the rows beyond the first.
TEST_F(FormatQueryTest, TwinSearchLandsOnTheSameRowsHoweverTheListHoldsThem)
{
    TMSSQLADOQuery twin;
    twin.SetConnection(&connection);
    twin.SetSQL(QStringLiteral("SELECT ID_POLOZKA, POLOZKA FROM tab_polozka"));
    const Db::Field *name = query.FindField(QStringLiteral("POLOZKA"));
    auto walk = [&] {
        QList<int> steps;
        if (query.FindFirstInField(&twin, QStringLiteral("ID_POLOZKA"), QStringLiteral("o"), name))
            for (steps << currentId(); query.FindNextMatch();)
                steps << currentId();
        return steps;
    };
    const QList<int> matches{2, 1, 3};
    EXPECT_EQ(walk(), matches);
    query.SetFilter(QStringLiteral("ID_POLOZKA <> 4"));
    query.SetFiltered(true);
    EXPECT_EQ(walk(), matches);
    query.SetFiltered(false);
    query.FormatParameters()
        .ParamByName(QStringLiteral("%ORDER_BY"))
        ->SetFormatParameterValue(QStringLiteral("tab_polozka.OZNACENI, tab_polozka.ID_POLOZKA"));
    query.setPageRows(1);
    query.RefreshQuery();
    ASSERT_TRUE(query.CanFetchMore());
    EXPECT_EQ(walk(), matches);
}

TEST_F(FormatQueryTest, TwinSearchOverAllFieldsDropsConditionsAColumnCannotTake)
{
    TMSSQLADOQuery twin;
    twin.SetConnection(&connection);
    twin.SetSQL(QStringLiteral("SELECT ID_POLOZKA, POLOZKA, NAKUP, STATE_PLATNOST FROM tab_polozka"));
    ASSERT_TRUE(query.FindFirstInFields(&twin, QStringLiteral("ID_POLOZKA"), QStringLiteral("0,3")));
    EXPECT_EQ(currentId(), 3);                                                         // NAKUP = 0.3
    EXPECT_EQ(twin.Filter(), QStringLiteral("polozka LIKE '%0,3%' OR nakup = '0,3'")); // id cannot be 0,3
    ASSERT_TRUE(query.FindFirstInFields(&twin, QStringLiteral("ID_POLOZKA"), QStringLiteral("4")));
    EXPECT_EQ(currentId(), 4); // ID_POLOZKA = 4
    ASSERT_TRUE(query.FindFirstInFields(&twin, QStringLiteral("ID_POLOZKA"), QStringLiteral("o'n")));
    EXPECT_EQ(currentId(), 2);
    EXPECT_FALSE(query.FindFirstInFields(&twin, QStringLiteral("ID_POLOZKA"), QString()));
}

// A search that cannot run finds nothing and leaves the server's reason
// where the caller reads it.
TEST_F(FormatQueryTest, AFailedSearchLeavesItsReason)
{
    TMSSQLADOQuery twin;
    twin.SetConnection(&connection);
    twin.SetSQL(QStringLiteral("SELECT ID_POLOZKA, POLOZKA FROM missing_table"));
    EXPECT_FALSE(query.FindFirstInField(&twin, QStringLiteral("ID_POLOZKA"), QStringLiteral("o"),
                                        query.FindField(QStringLiteral("POLOZKA"))));
    EXPECT_TRUE(connection.lastErrorText().endsWith(QStringLiteral("[42P01]")))
        << qPrintable(connection.lastErrorText());
    connection.clearErrors();
    EXPECT_FALSE(query.FindFirstInFields(&twin, QStringLiteral("ID_POLOZKA"), QStringLiteral("o")));
    EXPECT_TRUE(connection.lastErrorText().endsWith(QStringLiteral("[42P01]")));
    // A key column the twin lacks.
    twin.SetSQL(QStringLiteral("SELECT POLOZKA FROM tab_polozka"));
    EXPECT_FALSE(query.FindFirstInField(&twin, QStringLiteral("ID_POLOZKA"), QStringLiteral("o"),
                                        query.FindField(QStringLiteral("POLOZKA"))));
    EXPECT_TRUE(connection.lastErrorText().contains(QStringLiteral("ID_POLOZKA")))
        << qPrintable(connection.lastErrorText());
}
