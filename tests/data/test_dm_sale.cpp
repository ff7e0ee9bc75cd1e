// The basket, the sale and the cancellation through the data module, and
// printing a document through the preview screen.
#include "data/dm_fixture.h"

class DataModuleSale : public DataModuleTest
{
protected:
    void SetUp() override
    {
        DataModuleTest::SetUp();
        ASSERT_TRUE(dm->OpenAllQueries()) << qPrintable(dm->LastErrorText());
    }
    QString stock(int item)
    {
        return scalar(QStringLiteral("SELECT MNOZSTVI FROM tab_polozka WHERE ID_POLOZKA=%1").arg(item));
    }
    int count(const QString &table) { return scalar("SELECT count(*) FROM " + table).toInt(); }
    int sell(int kind = 1, bool print = false)
    {
        int document = 0;
        EXPECT_TRUE(dm->SellBasket(kind, print, "-", 0, document)) << qPrintable(dm->LastErrorText());
        return document;
    }
};

TEST_F(DataModuleSale, BasketRowsAddUpOrAreSet)
{
    const int item = newItem("0001");
    const int other = newItem("0002");
    ASSERT_TRUE(dm->AddOrEditBasketRow(item, 0, Currency::fromInt(2), false));
    ASSERT_TRUE(dm->AddOrEditBasketRow(other, 0, Currency::fromInt(1), false));
    ASSERT_TRUE(dm->AddOrEditBasketRow(item, 5, Currency::fromInt(3), false));
    EXPECT_EQ(dm->BasketQuantity(item), Currency::fromInt(5));
    EXPECT_EQ(dm->MSSQLADOQuery_Prodej->RecordCount(), 2);
    EXPECT_EQ(currentKey(dm->MSSQLADOQuery_Prodej, "ID_POLOZKA"), item);
    ASSERT_TRUE(dm->AddOrEditBasketRow(item, 0, Currency::fromString(u"0.5"), true));
    EXPECT_EQ(dm->BasketQuantity(item), Currency::fromString(u"0.5"));
    EXPECT_EQ(dm->BasketQuantity(other), Currency::fromInt(1));
}

// What a basket line costs the till on the wire: the call and the basket
// list's changed line, sent together; the procedure's catalog entry is read,
// and the call and the line's statement are prepared, once per session.
TEST_F(DataModuleSale, ABasketLineCostsOneRoundTrip)
{
    const int item = newItem("0001");
    const int other = newItem("0002");
    ASSERT_TRUE(dm->AddOrEditBasketRow(item, 0, Currency::fromInt(1), false));
    const Db::Connection &connection = dm->MSSQLADOConnection->Connection();
    const quint64 before = connection.roundTrips();
    ASSERT_TRUE(dm->AddOrEditBasketRow(other, 0, Currency::fromInt(1), false));
    ASSERT_TRUE(dm->AddOrEditBasketRow(item, 0, Currency::fromInt(2), true));
    EXPECT_EQ(connection.roundTrips() - before, 2u);
    EXPECT_EQ(dm->BasketQuantity(item), Currency::fromInt(2));
    // A new session asks the catalog again (a restored database may differ)
    // and prepares its statements anew.
    ASSERT_TRUE(dm->SelectDatabase(TDM::DatabaseName()));
    const quint64 reopened = connection.roundTrips();
    ASSERT_TRUE(dm->AddOrEditBasketRow(item, 0, Currency::fromInt(1), false));
    EXPECT_EQ(connection.roundTrips() - reopened, 5u);
}

// The basket list shows each line's category path (worked out once per
// category) and sorts by it.
TEST_F(DataModuleSale, BasketLinesShowTheirCategoryPaths)
{
    int tools = 0;
    ASSERT_TRUE(dm->NewCategory(1, "Nářadí", "-", tools)) << qPrintable(dm->LastErrorText());
    const int plain = newItem("0001");
    const int hammer = newItem("0002", Currency::fromInt(10), Currency::fromInt(100), "?\\Nářadí");
    const int saw = newItem("0003", Currency::fromInt(10), Currency::fromInt(100), "?\\Nářadí");
    for (const int item : {plain, hammer, saw})
        ASSERT_TRUE(dm->AddOrEditBasketRow(item, 0, Currency::fromInt(1), false));
    TMSSQLADOQuery *basket = dm->MSSQLADOQuery_Prodej;
    basket->FormatParameters()
        .FindParameter("%ORDER_BY")
        ->SetFormatParameterValue("KATEGORIE DESC, tab_polozka.OZNACENI");
    basket->RefreshQuery();
    QStringList rows;
    for (basket->First(); !basket->Eof(); basket->Next())
        rows << basket->FieldByName("OZNACENI").AsString() + " " + basket->FieldByName("KATEGORIE").AsString();
    EXPECT_EQ(rows, QStringList({"0002 ?\\Nářadí", "0003 ?\\Nářadí", "0001 ?"}));
}

TEST_F(DataModuleSale, RemovingTheLastBasketRowLandsOnTheOneBefore)
{
    const int first = newItem("0001");
    const int second = newItem("0002");
    dm->AddOrEditBasketRow(first, 0, Currency::fromInt(1), true);
    dm->AddOrEditBasketRow(second, 0, Currency::fromInt(1), true);
    ASSERT_TRUE(dm->RemoveBasketRow(second));
    EXPECT_EQ(currentKey(dm->MSSQLADOQuery_Prodej, "ID_POLOZKA"), first);
    EXPECT_FALSE(dm->RemoveBasketRow(second)); // no such row any more
}

TEST_F(DataModuleSale, ASaleCommitsAndTheListsFollow)
{
    const int item = newItem("0001", Currency::fromInt(10), Currency::fromString(u"99.60"));
    dm->AddOrEditBasketRow(item, 10, Currency::fromInt(2), true);
    int document = 0;
    ASSERT_TRUE(dm->SellBasket(1, true, "-", 5, document)) << qPrintable(dm->LastErrorText());
    EXPECT_GT(document, 0);
    EXPECT_EQ(stock(item), "8");
    EXPECT_TRUE(dm->MSSQLADOQuery_Prodej->IsEmpty());
    EXPECT_EQ(currentKey(dm->MSSQLADOQuery_Doklad, "ID_DOKLAD"), document);
    EXPECT_EQ(dm->MSSQLADOQuery_Polozka->FieldByName("MNOZSTVI").DisplayText(), "8");
    EXPECT_EQ(dm->CashBalance(), Currency::fromInt(170));
    EXPECT_EQ(dm->DocumentCount(), 1);
    EXPECT_EQ(dm->HistoryCount(), 2); // the item's log row and the document line
    EXPECT_FALSE(dm->MSSQLADOConnection->Connection().inTransaction());
    EXPECT_EQ(messages.count(MessageCall::Warning), 0);
}

TEST_F(DataModuleSale, ARefusedSaleRollsBackWholeAndTheListsShowIt)
{
    const int item = newItem("0001", Currency::fromInt(10));
    const int scarce = newItem("0002", Currency::fromInt(1));
    dm->AddOrEditBasketRow(item, 0, Currency::fromInt(1), true);
    const int earlier = sell();
    dm->AddOrEditBasketRow(item, 0, Currency::fromInt(2), true);
    dm->AddOrEditBasketRow(scarce, 0, Currency::fromInt(5), true); // more than in stock
    const QString counter =
        scalar("SELECT PORADI_DOKLAD_NETISTENY FROM tab_oznaceni_doklad WHERE ID_OZNACENI_DOKLAD=1");

    int document = -1;
    EXPECT_FALSE(dm->SellBasket(1, false, "-", 0, document));
    EXPECT_EQ(document, 0);
    ASSERT_EQ(messages.count(MessageCall::Warning), 1);
    const MessageCall warning = messages.callsOf(MessageCall::Warning).first();
    EXPECT_EQ(warning.heading, "Transakce skončila s chybou...");
    EXPECT_EQ(warning.detail, "Prodej položek neproběhl...");
    EXPECT_TRUE(warning.description.startsWith("Chyba při zápisu do tab_polozka")) << qPrintable(warning.description);
    // nothing of it stays: stock, basket, documents, numbering, cash
    EXPECT_EQ(stock(item), "9");
    EXPECT_EQ(stock(scarce), "1");
    EXPECT_EQ(dm->MSSQLADOQuery_Prodej->RecordCount(), 2);
    EXPECT_EQ(dm->DocumentCount(), 1);
    EXPECT_EQ(scalar("SELECT PORADI_DOKLAD_NETISTENY FROM tab_oznaceni_doklad WHERE ID_OZNACENI_DOKLAD=1"), counter);
    EXPECT_EQ(count("tab_pokladna"), 1);
    EXPECT_EQ(currentKey(dm->MSSQLADOQuery_Doklad, "ID_DOKLAD"), earlier);
    EXPECT_FALSE(dm->MSSQLADOConnection->Connection().inTransaction());
    // the session goes on working
    ASSERT_TRUE(dm->RemoveBasketRow(scarce));
    EXPECT_GT(sell(), earlier);
}

TEST_F(DataModuleSale, ACancellationCommitsOnceAndIsRefusedTwice)
{
    const int item = newItem("0001", Currency::fromInt(10), Currency::fromInt(50));
    dm->AddOrEditBasketRow(item, 0, Currency::fromInt(2), true);
    const int sale = sell();
    dm->UpdateCashLabel();
    EXPECT_EQ(screens.labels[TSummaryLabel::Pokladna], "100,00 Kč");
    EXPECT_TRUE(dm->CanCancelDocument(sale));
    ASSERT_TRUE(dm->CancelDocument(sale)) << qPrintable(dm->LastErrorText());
    EXPECT_EQ(stock(item), "10");
    EXPECT_EQ(screens.labels[TSummaryLabel::Pokladna], "0,00 Kč");
    const qint64 cancellation = currentKey(dm->MSSQLADOQuery_Doklad, "ID_DOKLAD");
    EXPECT_GT(cancellation, sale);
    EXPECT_FALSE(dm->CanCancelDocument(sale));
    EXPECT_FALSE(dm->CanCancelDocument(int(cancellation)));

    EXPECT_FALSE(dm->CancelDocument(sale));
    ASSERT_EQ(messages.count(MessageCall::Warning), 1);
    EXPECT_EQ(messages.callsOf(MessageCall::Warning).first().detail, "Storno dokladu neproběhlo...");
    EXPECT_EQ(stock(item), "10");
    EXPECT_EQ(dm->DocumentCount(), 2);
    EXPECT_EQ(currentKey(dm->MSSQLADOQuery_Doklad, "ID_DOKLAD"), cancellation);
}

TEST_F(DataModuleSale, AnInvoiceCancellationMovesNoCash)
{
    const int item = newItem("0001");
    dm->AddOrEditBasketRow(item, 0, Currency::fromInt(1), true);
    const int invoice = sell(2);
    ASSERT_TRUE(dm->CancelDocument(invoice));
    EXPECT_EQ(count("tab_pokladna"), 0);
}

TEST_F(DataModuleSale, PrintingADocumentNeedsItListed)
{
    const int item = newItem("0001");
    dm->AddOrEditBasketRow(item, 0, Currency::fromInt(1), true);
    const int document = sell();
    dm->PrintDocumentById(document, 1, false, false, false, "x");
    EXPECT_TRUE(screens.printed.isEmpty());
    EXPECT_EQ(messages.count(MessageCall::Information), 0);

    dm->PrintDocumentById(document, 1, true, false, true, "poznámka");
    EXPECT_EQ(screens.printed, QStringList{"document 1 1 poznámka 1 1"});
    EXPECT_EQ(currentKey(dm->MSSQLADOQuery_DokladDetail, "ID_POLOZKA"), item);
    EXPECT_FALSE(dm->MSSQLADOQuery_DokladDetail->ControlsDisabled());

    dm->MSSQLADOQuery_Doklad->FormatParameters().FindParameter("%WHERE_FILTER")->SetFormatParameterValue("1=0");
    dm->MSSQLADOQuery_Doklad->RefreshQuery();
    dm->PrintDocumentById(document, 0, false, true, false, "");
    EXPECT_EQ(screens.printed.size(), 1);
    ASSERT_EQ(messages.count(MessageCall::Information), 1);
    EXPECT_EQ(messages.callsOf(MessageCall::Information).first().heading, "Tisk dokladu nelze provést...");

    dm->PrintItemOverview();
    dm->PrintDocumentOverview();
    EXPECT_EQ(screens.printed.mid(1), (QStringList{"items", "documents"}));
}

TEST_F(DataModuleSale, ADocumentShowsItsStateByItsFlag)
{
    const int item = newItem(QStringLiteral("S1"));
    ASSERT_TRUE(dm->AddOrEditBasketRow(item, 0, Currency::fromInt(1), false));
    const int document = sell();
    ASSERT_TRUE(dm->MSSQLADOQuery_Doklad->LocateInteger(QStringLiteral("ID_DOKLAD"), document));
    EXPECT_EQ(dm->MSSQLADOQuery_Doklad->FieldByName(QStringLiteral("STATE_STAV")).DisplayText(),
              QStringLiteral("[P]latný"));
    ASSERT_TRUE(dm->CancelDocument(document));
    ASSERT_TRUE(dm->MSSQLADOQuery_Doklad->LocateInteger(QStringLiteral("ID_DOKLAD"), document));
    EXPECT_EQ(dm->MSSQLADOQuery_Doklad->FieldByName(QStringLiteral("STATE_STAV")).DisplayText(),
              QStringLiteral("[Z]rušený"));
}

// A cancellation makes the items it returns valid again. With the card's
// settings asking for unique values it does not bring a removed item back
// beside the item that has since taken its label: it is refused with the
// card's kind of message, naming both, and changes nothing. The settings off,
// the item comes back as it always did.
TEST_F(DataModuleSale, ACancellationDoesNotBringBackARemovedItemBesideOneWithItsLabel)
{
    const auto soldAndReplaced = [&](const QString &mark) {
        const int item = newItem(mark);
        dm->AddOrEditBasketRow(item, 0, Currency::fromInt(2), true);
        const int sale = sell();
        EXPECT_TRUE(dm->RemoveSelectedItems(item, {})) << qPrintable(dm->LastErrorText());
        TDMItem again = itemOf(mark);
        again.OZNACENI_POVINNE = again.POLOZKA_POVINNE = true;
        EXPECT_TRUE(dm->NewItem(again)) << qPrintable(dm->LastErrorText());
        return std::pair{item, sale};
    };
    const auto [item, sale] = soldAndReplaced("7");
    const TDMUniqueValues cardDefaults{true, false, true};
    EXPECT_FALSE(dm->CancelDocument(sale, cardDefaults));
    ASSERT_EQ(messages.count(MessageCall::Warning), 1);
    EXPECT_EQ(messages.callsOf(MessageCall::Warning)[0].description,
              QStringLiteral("Označení položky již existuje... [50000]\nStorno by vrátilo odebranou položku "
                             "„Položka 7“ (ID: %1), jejíž označení „7“ má nyní jiná platná položka. Změňte "
                             "označení jedné z nich a storno opakujte.")
                  .arg(item));
    EXPECT_TRUE(dm->CanCancelDocument(sale));
    EXPECT_EQ(scalar("SELECT tab_polozka_OZNACENI_EXISTUJE(1, '7') || '|' || count(*) FROM tab_doklad"), "1|1");
    EXPECT_EQ(stock(item), "0");

    // Renamed, the other item leaves the label and the name to the one that comes back.
    sql("UPDATE tab_polozka SET OZNACENI = '8', POLOZKA = 'Položka 8' WHERE STATE_PLATNOST");
    ASSERT_TRUE(dm->CancelDocument(sale, cardDefaults)) << qPrintable(dm->LastErrorText());
    EXPECT_EQ(scalar("SELECT string_agg(OZNACENI, ',' ORDER BY OZNACENI) FROM tab_polozka WHERE STATE_PLATNOST"),
              "7,8");

    const auto [other, otherSale] = soldAndReplaced("9");
    ASSERT_TRUE(dm->CancelDocument(otherSale)) << qPrintable(dm->LastErrorText());
    EXPECT_EQ(scalar("SELECT tab_polozka_OZNACENI_EXISTUJE(1, '9')"), "2");
    EXPECT_EQ(stock(other), "2");
}
