// Cash book, numbering, saved filters, report list and free SQL.
#include "data/dm_fixture.h"

using DataModuleCash = DataModuleTest;

TEST_F(DataModuleCash, DepositsMoveTheBalanceAndTheLabelFollowsEitherWay)
{
    ASSERT_TRUE(dm->CashDepositWithdrawal(Currency::fromString(u"1500.50")));
    EXPECT_EQ(screens.labels[TSummaryLabel::Pokladna], "1\u00a0500,50 Kč");
    ASSERT_TRUE(dm->CashDepositWithdrawal(Currency::fromInt(-500)));
    EXPECT_EQ(dm->CashBalance(), Currency::fromString(u"1000.50"));
    EXPECT_EQ(scalar("SELECT DOKLAD_NETISTENY || DOKLAD_VYTISTENY FROM tab_pokladna LIMIT 1"), "00");
    // a movement the server refuses; the label shows the balance as it stays
    sql("ALTER TABLE tab_pokladna ADD CONSTRAINT test_limit CHECK (POHYB < 1000000)");
    screens.labels.clear();
    EXPECT_FALSE(dm->CashDepositWithdrawal(Currency::fromInt(2000000)));
    EXPECT_FALSE(dm->LastErrorText().isEmpty());
    EXPECT_EQ(screens.labels[TSummaryLabel::Pokladna], "1\u00a0000,50 Kč");
    dm->MSSQLADOQuery_Pokladna->RefreshQuery();
    EXPECT_EQ(dm->MSSQLADOQuery_Pokladna->RecordCount(), 2);
    EXPECT_EQ(dm->MSSQLADOQuery_Pokladna->FieldByName("DOKLAD_NETISTENY").AsString(), "-");
    // the time to the second, its fraction cut off rather than rounded
    sql("UPDATE tab_pokladna SET TIME_POKLADNA = '2026-03-05 10:11:12.999'");
    dm->MSSQLADOQuery_Pokladna->RefreshQuery();
    EXPECT_EQ(dm->MSSQLADOQuery_Pokladna->FieldByName("CAS").AsString(), "2026-03-05 10:11:12");
}

TEST_F(DataModuleCash, NumberingSeriesKeepTheirRow)
{
    TMSSQLADOQuery *series = dm->MSSQLADOQuery_OznaceniDoklad;
    series->RefreshQuery();
    ASSERT_TRUE(series->Locate("ID_OZNACENI_DOKLAD", 2));
    EXPECT_TRUE(dm->NumberingPrefixExistsOther(1, "fak"));
    EXPECT_FALSE(dm->NumberingPrefixExistsOther(2, "FAK"));
    EXPECT_FALSE(dm->NumberingPrefixExistsOther(2, ""));
    ASSERT_TRUE(dm->EditNumbering(2, "FA", "-", 7, 3, 5)) << qPrintable(dm->LastErrorText());
    EXPECT_EQ(currentKey(series, "ID_OZNACENI_DOKLAD"), 2);
    EXPECT_TRUE(series->FieldByName("DOKLAD_NETISTENY").AsString().endsWith("-00007"));
    EXPECT_FALSE(dm->EditNumbering(2, "FA", "-", 7, 3, 9)); // width out of range
    EXPECT_EQ(currentKey(series, "ID_OZNACENI_DOKLAD"), 2);
}

TEST_F(DataModuleCash, SavedFilters)
{
    TMSSQLADOQuery *filters = dm->MSSQLADOQuery_Filtr;
    filters->RefreshQuery();
    EXPECT_EQ(dm->FilterCount(), 22);
    EXPECT_EQ(dm->FilterScript(1), "1=1");
    EXPECT_EQ(dm->FilterCaption(1, true), "Filtr ([Žádný filtr] (ID: 1))");
    int id = 0;
    ASSERT_TRUE(dm->NewFilter("Levné", "tab_polozka.PRODEJ < 10", id));
    EXPECT_EQ(currentKey(filters, "ID_FILTR"), id);
    EXPECT_TRUE(dm->FilterNameExists("levné"));
    EXPECT_FALSE(dm->FilterNameExistsOther(id, "Levné"));
    ASSERT_TRUE(dm->EditFilter(id, "Levné", "tab_polozka.PRODEJ < 20"));
    EXPECT_EQ(currentKey(filters, "ID_FILTR"), id);
    int again = 0;
    EXPECT_FALSE(dm->NewFilter("Levné", "1=1", again));
    EXPECT_EQ(again, 0);
    ASSERT_TRUE(dm->RemoveFilter(id));
    EXPECT_EQ(dm->FilterCount(), 22);
}

TEST_F(DataModuleCash, AFilterConditionIsTestedWithoutRunningIt)
{
    TMSSQLADOQuery *items = dm->MSSQLADOQuery_Polozka;
    EXPECT_TRUE(dm->TestFilterCondition("tab_polozka.PRODEJ > 10 AND tab_historie.ID_OPERACE = 7", items));
    EXPECT_FALSE(dm->TestFilterCondition("tab_polozka.NEEXISTUJE = 1", items));
    EXPECT_FALSE(dm->LastErrorText().isEmpty());
    EXPECT_FALSE(dm->TestFilterCondition("1=1; DELETE FROM tab_sklad", items));
    EXPECT_FALSE(dm->TestFilterCondition("1=1) OR (1=1", items));
    EXPECT_FALSE(dm->TestFilterCondition("tab_sklad_ODEBRAT_SKLAD(1) = 1 --", items));
    // planning a condition that would write does not write
    EXPECT_TRUE(dm->TestFilterCondition("tab_sklad_NOVY_SKLAD(1, 'Nový') > 0", items));
    EXPECT_EQ(dm->StoreCount(), 1);
}

// A condition is checked against the list it is for, not against any list.
TEST_F(DataModuleCash, AFilterFitsItsOwnListAndAnAmbiguousColumnIsNamed)
{
    TMSSQLADOQuery *items = dm->MSSQLADOQuery_Polozka, *documents = dm->MSSQLADOQuery_Doklad;
    EXPECT_TRUE(dm->TestFilterCondition("tab_doklad.SLEVA > 0", documents));
    EXPECT_FALSE(dm->TestFilterCondition("tab_doklad.SLEVA > 0", items));
    EXPECT_FALSE(dm->TestFilterCondition("MNOZSTVI > 3", items));
    EXPECT_EQ(dm->LastErrorText(), "Sloupec MNOZSTVI má seznam ve více tabulkách (tab_polozka, tab_historie): uveďte "
                                   "před ním tabulku, například tab_polozka.MNOZSTVI. [50000]");
    EXPECT_TRUE(dm->TestFilterCondition("tab_polozka.MNOZSTVI > 3", items));
}

TEST_F(DataModuleCash, FreeSqlStartsWithoutParameters)
{
    EXPECT_TRUE(dm->ExecuteSQL("UPDATE tab_sestava SET SOUBOR = SOUBOR"));
    EXPECT_FALSE(dm->ExecuteSQL("SELECT * FROM neexistuje"));
    EXPECT_FALSE(dm->LastErrorText().isEmpty());
    EXPECT_TRUE(dm->ExecuteSQL("SELECT 1"));
    EXPECT_FALSE(dm->ListDatabaseTables().isEmpty());
    EXPECT_TRUE(dm->ListTableFields("tab_sklad").contains("SKLAD", Qt::CaseInsensitive));
}

TEST_F(DataModuleCash, ReportDefinitionsKeepTheirRow)
{
    TMSSQLADOQuery *reports = dm->MSSQLADOQuery_Sestava;
    reports->RefreshQuery();
    ASSERT_TRUE(reports->Locate("ID_SESTAVA", 4));
    EXPECT_TRUE(dm->ReportNameExistsOther(1, "Fakrura A4"));
    EXPECT_FALSE(dm->ReportNameExistsOther(4, "Fakrura A4"));
    EXPECT_FALSE(dm->ReportNameExistsOther(4, ""));
    ASSERT_TRUE(dm->EditReportDefinition(4, "Faktura A4", "Faktura_A4.vlf"));
    EXPECT_EQ(currentKey(reports, "ID_SESTAVA"), 4);
    EXPECT_EQ(reports->FieldByName("SESTAVA").AsString(), "Faktura A4");
}

// A long cash book is read a page at a time: opening costs one page, and
// everything that needs every row reads the rest first.
TEST_F(DataModuleCash, ALongBookIsReadInPagesWithoutAGapOrARepeat)
{
    shopRules.cashBookByHand = true;
    sql("INSERT INTO tab_pokladna (ID_OPERACE, TIME_POKLADNA, DOKLAD_NETISTENY, DOKLAD_VYTISTENY, UZIVATEL, POHYB, "
        "STAV) SELECT 1, timestamp '2026-01-01' + (i / 3) * interval '1 second', '0', 'U' || i, 'u' || (i % 7), i, i "
        "FROM generate_series(1, 2000) AS i; ANALYZE tab_pokladna");
    TMSSQLADOQuery *book = dm->MSSQLADOQuery_Pokladna;
    const QString order = QStringLiteral("SELECT string_agg(ID_POKLADNA::text, ',' ORDER BY date_trunc('second', "
                                         "TIME_POKLADNA), ID_POKLADNA) FROM tab_pokladna");
    const QStringList all = scalar(order).split(u',');
    book->RefreshQuery();
    EXPECT_EQ(book->RecordCount(), 300);
    EXPECT_TRUE(book->CanFetchMore());

    // the first page in the default order comes from the index, not from a sort of the book
    Db::Dataset plan;
    plan.SetConnection(book->GetConnection());
    plan.setPlainSql(QStringLiteral("EXPLAIN ") + book->SQL() + QStringLiteral("\nLIMIT 300 OFFSET 0"));
    plan.Open();
    QString lines;
    for (; !plan.Eof(); plan.Next())
        lines += plan.Fields()[0]->AsString() + u'\n';
    EXPECT_TRUE(lines.contains(QStringLiteral("tab_pokladna_cas"))) << qPrintable(lines);
    EXPECT_FALSE(lines.contains(QStringLiteral("Sort"))) << qPrintable(lines);

    // a walk crosses the pages without a gap or a repeat
    QStringList walked;
    for (book->First(); !book->Eof(); book->Next())
        walked << book->FieldByName("ID_POKLADNA").AsString();
    EXPECT_EQ(walked, all);
    EXPECT_EQ(book->RecordCount(), 2000);

    // Last and Locate of a row beyond the first page read the rest
    book->RefreshQuery();
    book->Last();
    EXPECT_EQ(book->FieldByName("ID_POKLADNA").AsString(), all.back());
    EXPECT_FALSE(book->CanFetchMore());
    book->RequeryQuery();
    EXPECT_EQ(book->RecordCount(), 300);
    EXPECT_TRUE(book->Locate("ID_POKLADNA", Variant(all[1500])));
    EXPECT_EQ(book->RecNo(), 1501);

    // a title click re-reads the first page in the new order, still on the row (now the first)
    book->Last();
    book->SortByColumn("ID_POKLADNA", &book->FieldByName("CAS"), "%ORDER_BY");
    EXPECT_EQ(book->SortState(&book->FieldByName("CAS")), 2);
    EXPECT_EQ(book->RecordCount(), 300);
    EXPECT_EQ(book->FieldByName("ID_POKLADNA").AsString(), all.back());
    book->SortByColumn("ID_POKLADNA", &book->FieldByName("UZIVATEL"), "%ORDER_BY");
    EXPECT_EQ(book->FieldByName("ID_POKLADNA").AsString(), all.back());
    walked.clear();
    for (book->First(); !book->Eof(); book->Next())
        walked << book->FieldByName("ID_POKLADNA").AsString();
    EXPECT_EQ(walked.front(), "7"); // the first of user u0 by the key
    walked.sort();
    QStringList sorted = all;
    sorted.sort();
    EXPECT_EQ(walked, sorted);
}

namespace {

// The key of the last movement a list has read.
int lastRead(TMSSQLADOQuery *book)
{
    const Db::SnapshotPtr &rows = book->snapshot();
    return rows->rawText(rows->rowCount() - 1, rows->columnIndex(QStringLiteral("ID_POKLADNA"))).toInt();
}

// Whether a plan sorts rows it read whole (an incremental sort of rows of one
// time, read in order from an index, is no such sort).
bool sortsWhole(const QString &plan)
{
    for (const QString &line : plan.split(u'\n')) {
        const QString node = line.trimmed();
        if (node.startsWith(QLatin1String("Sort  (")) || node.startsWith(QLatin1String("->  Sort  (")))
            return true;
    }
    return false;
}

} // namespace

// Another till writes movements while the history is open: each page goes on
// after the last movement read, in every order the screen offers either way,
// so none is listed twice and none goes missing. A movement written after
// those read shows with a later page, one among them with the next re-query.
// The time's pages, both ways, are read from its index.
TEST_F(DataModuleCash, AnotherTillsMovementsNeitherRepeatNorHideAMovementBetweenPages)
{
    shopRules.cashBookByHand = true;
    sql("INSERT INTO tab_pokladna (ID_OPERACE, TIME_POKLADNA, DOKLAD_NETISTENY, DOKLAD_VYTISTENY, UZIVATEL, POHYB, "
        "STAV) SELECT 1, timestamp '2026-01-01' + (i / 3) * interval '1 second', '0', 'U' || i, 'u' || (i % 7), i % "
        "50, "
        "i FROM generate_series(1, 2000) AS i; ANALYZE tab_pokladna");
    TMSSQLADOQuery *book = dm->MSSQLADOQuery_Pokladna;
    Db::Connection *session = book->GetConnection();
    ASSERT_TRUE(session
                    ->exec(QStringLiteral("LOAD 'auto_explain'; SET auto_explain.log_min_duration = 0; "
                                          "SET auto_explain.log_level = notice; SET client_min_messages = notice"))
                    .succeeded())
        << qPrintable(session->lastErrorText());
    book->RefreshQuery();
    auto readWhileWriting = [&](const char *column, int sortState) {
        book->SortByColumn("ID_POKLADNA", &book->FieldByName(column), "%ORDER_BY");
        SCOPED_TRACE(book->SQL().toStdString());
        ASSERT_EQ(book->SortState(&book->FieldByName(column)), sortState);
        book->RefreshQuery(); // from the first page, not from the row the title click kept
        ASSERT_EQ(book->RecordCount(), 300);
        std::map<int, int> writtenAfter; // a movement -> the last one read then
        for (int page = 0; page < 4; ++page) {
            // A sale's time is that of its transaction's start: one that
            // began before another till's commits among earlier movements.
            sql("SELECT tab_pokladna_POHYB(11, '0', '0', 7); "
                "INSERT INTO tab_pokladna (ID_OPERACE, TIME_POKLADNA, DOKLAD_NETISTENY, DOKLAD_VYTISTENY, UZIVATEL, "
                "POHYB, STAV) VALUES (1, '2026-01-01 00:00:05.5', '0', 'X', 'a', 75, 0), "
                "(4, '2026-01-01 00:00:05.5', '0', 'Y', 'žofie', -3, 0)");
            const int written = scalar("SELECT max(ID_POKLADNA) FROM tab_pokladna").toInt();
            for (int movement = written - 2; movement <= written; ++movement)
                writtenAfter[movement] = lastRead(book);
            if (page < 3) {
                book->FetchMore();
                if (QString(column) == QLatin1String("CAS") && page == 0) {
                    const QString plan = session->notices().join(u'\n');
                    EXPECT_TRUE(plan.contains(QStringLiteral("tab_pokladna_cas"))) << qPrintable(plan);
                    EXPECT_TRUE(plan.contains(QStringLiteral("Index Cond"))) << qPrintable(plan);
                    EXPECT_FALSE(sortsWhole(plan)) << qPrintable(plan);
                }
            } else {
                book->FetchAll(); // the rest at once (Ctrl+End now reads the last page alone)
            }
        }
        EXPECT_FALSE(book->CanFetchMore());

        Db::Dataset whole;
        whole.SetConnection(session);
        whole.SetSQL(book->SQL());
        whole.Open();
        QList<int> all, listed;
        for (; !whole.Eof(); whole.Next())
            all << int(whole.FieldByName("ID_POKLADNA").AsInteger());
        QList<int> expected = all;
        for (const auto &[movement, boundary] : writtenAfter) {
            if (all.indexOf(movement) < all.indexOf(boundary))
                expected.removeOne(movement);
        }
        for (book->First(); !book->Eof(); book->Next())
            listed << int(book->FieldByName("ID_POKLADNA").AsInteger());
        EXPECT_EQ(listed, expected);
        EXPECT_LT(expected.size(), all.size()); // some were written among the movements read
    };
    readWhileWriting("CAS", 2); // newest first
    readWhileWriting("CAS", 1);
    readWhileWriting("UZIVATEL", 1);
    readWhileWriting("UZIVATEL", 2);
    readWhileWriting("POHYB", 1);
    readWhileWriting("POHYB", 2);
}
