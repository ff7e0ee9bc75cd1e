// A till's basket beside another till that replaces the store's items by an
// import: the lines of the items the import took out leave the basket on the
// server, the till names them, and it sells again. Each till is a session of
// its own.
#include "data/dm_fixture.h"

#include <QCoreApplication>

namespace {

class BasketBesideImport : public DataModuleTest
{
protected:
    void SetUp() override
    {
        DataModuleTest::SetUp();
        ASSERT_TRUE(dm->OpenAllQueries()) << qPrintable(dm->LastErrorText());
        unsold = newItem("0001");
        sold = newItem("0002");
        sql(QStringLiteral(
                "SELECT tab_prodej_PRIDAT_EDITOVAT(%1, 0, 1, true); SELECT tab_prodej_PRODAT(3, false, '-', 0)")
                .arg(sold));
        dm->RequeryItems();
    }
    // The other till replaces the store's items by two of the same labels.
    void replaceAllElsewhere()
    {
        TDM other;
        ASSERT_TRUE(other.ConnectServer(server, qEnvironmentVariable("PGUSER"), qEnvironmentVariable("PGPASSWORD")));
        ASSERT_TRUE(other.SelectDatabase(TDM::DatabaseName())) << qPrintable(other.LastErrorText());
        other.BeginTransaction();
        ASSERT_TRUE(other.RemoveStoreItems(other.IdSklad)) << qPrintable(other.LastErrorText());
        ASSERT_EQ(other.ImportItems({itemOf("0001", Currency::fromInt(100)), itemOf("0002", Currency::fromInt(100))}),
                  2);
        ASSERT_TRUE(other.EndTransaction(true));
    }
    // Basket lines on the server whose item is not in the catalogue.
    QString strayLines()
    {
        return scalar("SELECT count(*) FROM tab_prodej k LEFT JOIN tab_polozka p ON p.ID_POLOZKA = k.ID_POLOZKA"
                      " WHERE p.STATE_PLATNOST IS NOT TRUE");
    }
    int itemNow(const QString &mark)
    {
        return scalar("SELECT ID_POLOZKA FROM tab_polozka WHERE STATE_PLATNOST AND OZNACENI = '" + mark + "'").toInt();
    }

    int unsold = 0;
    int sold = 0;
};

} // namespace

// The lines of both kinds of removed items (deleted; kept as removed because
// a document names it) leave the basket; the till says which at its next
// action, and the next sale goes through.
TEST_F(BasketBesideImport, TheLinesOfReplacedItemsLeaveTheBasketNamed)
{
    for (const int item : {unsold, sold})
        ASSERT_TRUE(dm->AddOrEditBasketRow(item, 0, Currency::fromInt(2), true)) << qPrintable(dm->LastErrorText());
    replaceAllElsewhere();
    EXPECT_EQ(strayLines(), "0");

    const int replacement = itemNow("0001");
    ASSERT_TRUE(dm->AddOrEditBasketRow(replacement, 0, Currency::fromInt(1), true)) << qPrintable(dm->LastErrorText());
    QCoreApplication::processEvents();
    ASSERT_EQ(messages.count(MessageCall::Warning), 1);
    const MessageCall warning = messages.callsOf(MessageCall::Warning).first();
    EXPECT_EQ(warning.heading, "Položky košíku již nejsou v katalogu...");
    EXPECT_EQ(warning.description, TDM::LostBasketLinesText({"0001 Položka 0001 × 2 ks", "0002 Položka 0002 × 2 ks"}));
    EXPECT_EQ(keys(dm->MSSQLADOQuery_Prodej, "ID_POLOZKA"), QList<qint64>({replacement}));
    EXPECT_FALSE(keys(dm->MSSQLADOQuery_Polozka, "ID_POLOZKA").contains(unsold));

    int document = 0;
    EXPECT_TRUE(dm->SellBasket(1, false, "-", 0, document)) << qPrintable(dm->LastErrorText());
    EXPECT_EQ(scalar("SELECT count(*) FROM tab_historie WHERE ID_DOKLAD = " + QString::number(document)), "1");
}

// A list read before the import offers items that are gone: no line is made
// for them, the cashier is told why, and the list is read again.
TEST_F(BasketBesideImport, AnItemGoneFromTheCatalogueGetsNoLine)
{
    replaceAllElsewhere();
    EXPECT_FALSE(dm->AddOrEditBasketRow(unsold, 0, Currency::fromInt(1), false));
    EXPECT_EQ(dm->LastErrorText(), QStringLiteral("Položka (číslo %1) již v databázi není: mezitím ji odebrala jiná "
                                                  "pokladna. Do košíku ji přidat nelze. [50000]")
                                       .arg(unsold));
    EXPECT_FALSE(dm->AddOrEditBasketRow(sold, 0, Currency::fromInt(1), false));
    EXPECT_EQ(dm->LastErrorText(), "Položka [0002] Položka 0002 byla nahrazena importem a v katalogu již není; nyní se "
                                   "prodává nová položka [0002] Položka 0002. Do košíku ji přidat nelze. [50000]");
    EXPECT_EQ(scalar("SELECT count(*) FROM tab_prodej"), "0");
    EXPECT_EQ(keys(dm->MSSQLADOQuery_Polozka, "ID_POLOZKA"), QList<qint64>({itemNow("0001"), itemNow("0002")}));
}

// A sale refused for a line names it: a line the till shows of an item kept
// as removed (a basket line written past the program, say), and lines
// that another till's removal took out of the basket after the list was read.
TEST_F(BasketBesideImport, ARefusedSaleNamesItsLines)
{
    replaceAllElsewhere();
    sql(QStringLiteral("INSERT INTO tab_prodej (ID_PROCESS, ID_POLOZKA, SLEVA, MNOZSTVI) VALUES (%1, %2, 0, 1)")
            .arg(modulePid())
            .arg(sold));
    dm->RequeryBasket();
    int document = 0;
    EXPECT_FALSE(dm->SellBasket(1, false, "-", 0, document));
    ASSERT_EQ(messages.count(MessageCall::Warning), 1);
    EXPECT_EQ(messages.callsOf(MessageCall::Warning).last().description,
              "Chyba při zápisu do tab_polozka [záznamy o vyskladnění položek]... [50000]\n"
              "Některá z prodávaných položek již v katalogu není.\n"
              "Položka [0002] Položka 0002 byla nahrazena importem a v katalogu již není; nyní se prodává nová "
              "položka [0002] Položka 0002. Odeberte ji z košíku.");
    EXPECT_TRUE(dm->RemoveBasketRow(sold));

    // Lines taken out after the list was read (by a statement of its own, as
    // the SQL console may make an item invalid): nothing is sold.
    const int first = itemNow("0001"), second = itemNow("0002");
    ASSERT_TRUE(dm->AddOrEditBasketRow(first, 0, Currency::fromInt(1), true));
    ASSERT_TRUE(dm->AddOrEditBasketRow(second, 0, Currency::fromInt(3), true));
    sql(QStringLiteral("UPDATE tab_polozka SET STATE_PLATNOST = false WHERE ID_POLOZKA = %1").arg(second));
    EXPECT_FALSE(dm->SellBasket(1, false, "-", 0, document));
    const QList<MessageCall> warnings = messages.callsOf(MessageCall::Warning);
    ASSERT_EQ(warnings.size(), 3);
    EXPECT_EQ(warnings[1].description,
              "Košík se mezitím změnil: jiná pokladna odebrala z katalogu některou z jeho položek. [50000]\n"
              "Nic nebylo prodáno. Zkontrolujte košík a prodejte znovu.");
    EXPECT_EQ(warnings[2].description, TDM::LostBasketLinesText({"0002 Položka 0002 × 3 ks"}));
    EXPECT_EQ(scalar("SELECT count(*) || '|' || min(ID_POLOZKA) FROM tab_prodej"), "1|" + QString::number(first));
    EXPECT_EQ(keys(dm->MSSQLADOQuery_Prodej, "ID_POLOZKA"), QList<qint64>({first}));
    QCoreApplication::processEvents(); // the removal's notice finds nothing more to say
    EXPECT_EQ(messages.count(MessageCall::Warning), 3);
    EXPECT_TRUE(dm->SellBasket(1, false, "-", 0, document)) << qPrintable(dm->LastErrorText());
}

// A line a removal left behind (it committed as the line was added) leaves
// the server's basket as it leaves the list; one the till never showed goes
// with the next sale.
TEST_F(BasketBesideImport, ALineLeftBehindLeavesTheBasket)
{
    ASSERT_TRUE(dm->AddOrEditBasketRow(unsold, 0, Currency::fromInt(1), true));
    sql(QStringLiteral("ALTER TABLE tab_polozka DISABLE TRIGGER trigger_KOSIK_SMAZANO;"
                       " DELETE FROM tab_polozka WHERE ID_POLOZKA = %1;"
                       " ALTER TABLE tab_polozka ENABLE TRIGGER trigger_KOSIK_SMAZANO")
            .arg(unsold));
    dm->RefreshAll();
    ASSERT_EQ(messages.count(MessageCall::Warning), 1);
    EXPECT_EQ(messages.callsOf(MessageCall::Warning).first().description,
              TDM::LostBasketLinesText({"0001 Položka 0001 × 1 ks"}));
    EXPECT_EQ(scalar("SELECT count(*) FROM tab_prodej"), "0");

    sql(QStringLiteral("INSERT INTO tab_prodej (ID_PROCESS, ID_POLOZKA, SLEVA, MNOZSTVI) VALUES (%1, %2, 0, 1)")
            .arg(modulePid())
            .arg(unsold));
    ASSERT_TRUE(dm->AddOrEditBasketRow(sold, 0, Currency::fromInt(1), true));
    int document = 0;
    EXPECT_TRUE(dm->SellBasket(1, false, "-", 0, document)) << qPrintable(dm->LastErrorText());
    EXPECT_EQ(scalar("SELECT count(*) FROM tab_prodej"), "0");
}
