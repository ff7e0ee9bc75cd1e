// Several tills on one server: what one screen read and writes back after
// another till sold or changed something meanwhile. The other till is a
// session of its own.
#include "data/dm_fixture.h"

namespace {

class OtherTill : public DataModuleTest
{
protected:
    // A cash sale of the item made by another till.
    void sellElsewhere(int item, int quantity)
    {
        sql(QStringLiteral("SELECT tab_prodej_PRIDAT_EDITOVAT(%1, 0, %2, true); "
                           "SELECT tab_prodej_PRODAT(1, false, '-', 0)")
                .arg(item)
                .arg(quantity));
    }
};

} // namespace

TEST_F(OtherTill, AnItemEditedDuringASaleKeepsTheSaleInItsStock)
{
    const int item = newItem("1", Currency::fromInt(15));
    TDMItem card;
    TDMItemOrigin origin;
    ASSERT_TRUE(dm->ReadItem(item, card, origin)) << qPrintable(dm->LastErrorText());
    EXPECT_EQ(card.POLOZKA, "Položka 1");
    EXPECT_EQ(card.SKLAD, "Sklad-01");
    EXPECT_EQ(card.KATEGORIE, "?");
    EXPECT_EQ(card.JEDNOTKA, "ks");
    EXPECT_EQ(card.DPH, Currency::fromInt(20));
    EXPECT_EQ(origin.MNOZSTVI, Currency::fromInt(15));

    sellElsewhere(item, 3);
    card.PRODEJ = Currency::fromInt(120); // only the price changed on the card
    ASSERT_TRUE(dm->EditItem(item, card, origin)) << qPrintable(dm->LastErrorText());
    EXPECT_EQ(scalar(QStringLiteral("SELECT MNOZSTVI || '|' || PRODEJ FROM tab_polozka")), "12|120.0000");

    // A top-up of 5 on a card opened before another sale of 2 adds to what is left.
    ASSERT_TRUE(dm->ReadItem(item, card, origin));
    sellElsewhere(item, 2);
    card.MNOZSTVI = origin.MNOZSTVI + Currency::fromInt(5);
    ASSERT_TRUE(dm->EditItem(item, card, origin)) << qPrintable(dm->LastErrorText());
    EXPECT_EQ(scalar(QStringLiteral("SELECT MNOZSTVI FROM tab_polozka")), "15");

    // Taking off more than is left now is refused in Czech.
    ASSERT_TRUE(dm->ReadItem(item, card, origin));
    sellElsewhere(item, 14);
    card.MNOZSTVI = origin.MNOZSTVI - Currency::fromInt(10);
    EXPECT_FALSE(dm->EditItem(item, card, origin));
    EXPECT_EQ(dm->LastErrorText(), "Množství by kleslo pod nulu: na skladě je nyní 1.0000. [50000]");
    EXPECT_EQ(scalar(QStringLiteral("SELECT MNOZSTVI FROM tab_polozka")), "1");
}

TEST_F(OtherTill, AnItemChangedElsewhereIsNotWrittenOver)
{
    const int item = newItem("1");
    TDMItem card;
    TDMItemOrigin origin;
    ASSERT_TRUE(dm->ReadItem(item, card, origin));
    sql(QStringLiteral("UPDATE tab_polozka SET ZARUKA = 36"));
    card.PRODEJ = Currency::fromInt(99);
    EXPECT_FALSE(dm->EditItem(item, card, origin));
    EXPECT_EQ(dm->LastErrorText(),
              "Položku mezitím změnila jiná pokladna: nic nebylo zapsáno, otevřete ji znovu. [50000]");
    EXPECT_EQ(scalar(QStringLiteral("SELECT ZARUKA || '|' || PRODEJ FROM tab_polozka")), "36|100.0000");

    // Read again, the card writes; an item removed meanwhile is said to be gone.
    ASSERT_TRUE(dm->ReadItem(item, card, origin));
    EXPECT_EQ(card.ZARUKA, 36);
    sql(QStringLiteral("DELETE FROM tab_historie; DELETE FROM tab_polozka"));
    EXPECT_FALSE(dm->EditItem(item, card, origin));
    EXPECT_EQ(dm->LastErrorText(), "Položka již v databázi není: mezitím ji odebrala jiná pokladna. [50000]");
    EXPECT_FALSE(dm->ReadItem(item, card, origin));
    EXPECT_EQ(dm->LastErrorText(), "Položka již v databázi není: mezitím ji odebrala jiná pokladna. [50000]");
}

// The till refused because another one sold the stock first tells which item
// is short and how much of it is left, below the failure's own line.
TEST_F(OtherTill, ARefusedSaleNamesTheItemThatIsShort)
{
    const int plenty = newItem("0001");
    const int scarce = newItem("0002", Currency::fromString(u"3.5"));
    ASSERT_TRUE(dm->AddOrEditBasketRow(plenty, 0, Currency::fromInt(2), true));
    ASSERT_TRUE(dm->AddOrEditBasketRow(scarce, 0, Currency::fromInt(3), true));
    sellElsewhere(scarce, 1);
    int document = -1;
    EXPECT_FALSE(dm->SellBasket(1, false, "-", 0, document));
    ASSERT_EQ(messages.count(MessageCall::Warning), 1);
    const MessageCall warning = messages.callsOf(MessageCall::Warning).first();
    EXPECT_EQ(warning.heading, "Transakce skončila s chybou...");
    EXPECT_EQ(warning.detail, "Prodej položek neproběhl...");
    EXPECT_EQ(warning.description, "Chyba při zápisu do tab_polozka [záznamy o vyskladnění položek]... [50000]\n"
                                   "Na skladě není dost některé z prodávaných položek.\n"
                                   "Položka [0002] Položka 0002: na skladě zbývá 2,5 ks, prodává se 3 ks.");
    EXPECT_EQ(scalar("SELECT string_agg(MNOZSTVI::text, '|' ORDER BY ID_POLOZKA) FROM tab_polozka"), "10|2.5");
}

// The card's write of a label, code or name another till took after the
// card's own test: refused with the card's message when the settings require
// the value unique (the write tests it again), written when they do not.
TEST_F(OtherTill, AValueTakenMeanwhileIsRefusedWhenRequiredUnique)
{
    const int mine = newItem("0001");
    sql(QStringLiteral("SELECT tab_polozka_NOVA_POLOZKA('0002', 'EAN2', 'Kladivo', '-', 24, 'Sklad-01', '?', '-',"
                       " 20, 50, 100, 0, 10, 0, 'ks', 1, true)"));
    TDMItem card;
    TDMItemOrigin origin;
    ASSERT_TRUE(dm->ReadItem(mine, card, origin));
    card.OZNACENI_POVINNE = card.KOD_POVINNE = card.POLOZKA_POVINNE = true;

    TDMItem taken = card;
    taken.OZNACENI = QStringLiteral("0002");
    EXPECT_FALSE(dm->NewItem(taken));
    EXPECT_EQ(dm->LastErrorText(), "Označení položky již existuje... [50000]");
    taken = card;
    taken.OZNACENI = QStringLiteral("0003");
    taken.KOD = QStringLiteral("ean2");
    EXPECT_FALSE(dm->NewItem(taken));
    EXPECT_EQ(dm->LastErrorText(), "Kód již existuje... [50000]");
    EXPECT_FALSE(dm->EditItem(mine, taken, origin));
    EXPECT_EQ(dm->LastErrorText(), "Existující kód... [50000]");
    taken.KOD = QStringLiteral("EAN3");
    taken.POLOZKA = QStringLiteral("KLADIVO");
    EXPECT_FALSE(dm->EditItem(mine, taken, origin));
    EXPECT_EQ(dm->LastErrorText(), "Existující položka... [50000]");
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM tab_polozka")), "2");

    // Its own values the edited item keeps; with the settings off a value is
    // written whoever has it.
    EXPECT_TRUE(dm->EditItem(mine, card, origin)) << qPrintable(dm->LastErrorText());
    ASSERT_TRUE(dm->ReadItem(mine, card, origin));
    taken.OZNACENI_POVINNE = taken.KOD_POVINNE = taken.POLOZKA_POVINNE = false;
    EXPECT_TRUE(dm->NewItem(taken)) << qPrintable(dm->LastErrorText());
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM tab_polozka WHERE lower(POLOZKA) = 'kladivo'")), "2");
}
