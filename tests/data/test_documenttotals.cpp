// A document's figures as the lists give them to the screens and the
// printed pages: each line rounded once to the haler, the document's
// discount on the lines' sum split over the VAT rates, one row for each rate
// the lines carry, and a total to pay whose rounding is never more than half
// a crown; and the till moves by that total, a cancellation by exactly what
// its sale moved.
#include "data/dm_fixture.h"

namespace {

// Money of a list's field, in haléře.
qint64 Halere(TMSSQLADOQuery *list, const char *field)
{
    return list->FieldByName(QLatin1String(field)).AsCurrency().raw() / 100;
}

} // namespace

class DocumentTotals : public DataModuleTest
{
protected:
    void SetUp() override
    {
        DataModuleTest::SetUp();
        ASSERT_TRUE(dm->OpenAllQueries()) << qPrintable(dm->LastErrorText());
    }
    // An item at the price and the VAT rate (which the shop must keep).
    int item(const QString &mark, const char *price, const char *rate)
    {
        const int id = newItem(mark, Currency::fromInt(100000), Currency::fromString(QString::fromLatin1(price)));
        sql(QStringLiteral("UPDATE tab_polozka SET ID_DPH = (SELECT ID_DPH FROM tab_dph WHERE DPH = %1) "
                           "WHERE ID_POLOZKA = %2")
                .arg(QLatin1String(rate))
                .arg(id));
        return id;
    }
    int sell(int operation, int discount)
    {
        int document = 0;
        EXPECT_TRUE(dm->SellBasket(operation, true, QStringLiteral("-"), discount, document))
            << qPrintable(dm->LastErrorText());
        return document;
    }
    QString cash()
    {
        return scalar(QStringLiteral("SELECT string_agg(POHYB::text, ' ' ORDER BY ID_POKLADNA) FROM tab_pokladna"));
    }
};

TEST_F(DocumentTotals, EveryRateOfTheLinesHasItsRowInTheRatesOrder)
{
    sql(QStringLiteral("INSERT INTO tab_dph (DPH) VALUES (12.5)")); // kept, not sold
    ASSERT_TRUE(dm->AddOrEditBasketRow(item("A", "100", "20"), 0, Currency::fromInt(1), true));
    ASSERT_TRUE(dm->AddOrEditBasketRow(item("B", "50", "0"), 0, Currency::fromInt(3), true));
    ASSERT_TRUE(dm->AddOrEditBasketRow(item("C", "110", "10"), 0, Currency::fromInt(1), true));
    sell(2, 0);
    TMSSQLADOQuery *rates = dm->QueryByName(QStringLiteral("MSSQLADOQuery_DokladDph"));
    ASSERT_TRUE(rates);
    rates->Open();
    QStringList rows;
    for (rates->First(); !rates->Eof(); rates->Next())
        rows << QStringLiteral("%1: %2 + %3 = %4")
                    .arg(rates->FieldByName(QStringLiteral("DPH")).AsFloat())
                    .arg(Halere(rates, "ZAKLAD"))
                    .arg(Halere(rates, "DPH_CASTKA"))
                    .arg(Halere(rates, "PRODEJ_CELKEM"));
    EXPECT_EQ(rows, QStringList({"0: 15000 + 0 = 15000", "10: 10000 + 1000 = 11000", "20: 8333 + 1667 = 10000"}));
    // The document's VAT is its rates'.
    EXPECT_EQ(Halere(dm->MSSQLADOQuery_Doklad, "DPH_CASTKA"), 2667);
}

TEST_F(DocumentTotals, ALinesTotalIsItsExactPriceRoundedOnceToTheHaler)
{
    // 8,37 × 1 948,01 − 20 % = 13 043,87496: a rounding to four places first
    // would make it 13 043,8750 and then 13 043,88.
    ASSERT_TRUE(dm->AddOrEditBasketRow(item("A", "1948.01", "20"), 20, Currency::fromString(u"8.37"), true));
    EXPECT_EQ(Halere(dm->MSSQLADOQuery_Prodej, "PRODEJ_CELKEM"), 1304387);
    EXPECT_EQ(screens.labels[TSummaryLabel::ProdejStatus], QStringLiteral("1 [ celkem: 13\u00a0043,87 Kč ]"));
    sell(1, 0);
    EXPECT_EQ(Halere(dm->MSSQLADOQuery_DokladDetail, "PRODEJ_CELKEM"), 1304387);
    EXPECT_EQ(Halere(dm->MSSQLADOQuery_Doklad, "SOUCET_POLOZEK"), 1304387);
    EXPECT_EQ(Halere(dm->MSSQLADOQuery_Doklad, "PRODEJ_CELKEM"), 1304400);
    EXPECT_EQ(Halere(dm->MSSQLADOQuery_Doklad, "ZAOKROUHLENI"), 13);
    // The till is paid the lines as printed: 1 009,17 × 8,11 − 20 % =
    // 6 547,49496 pays 6 547 (6 548 through four places, 6 547,4950), and
    // 6 559,49776 pays 6 560 (6 559 from its four places in whole crowns).
    for (const char *price : {"1009.17", "1011.02"}) {
        ASSERT_TRUE(dm->AddOrEditBasketRow(item(price, price, "20"), 20, Currency::fromString(u"8.11"), true));
        sell(1, 0);
    }
    EXPECT_EQ(cash(), QStringLiteral("13044.0000 6547.0000 6560.0000"));
}

TEST_F(DocumentTotals, AQuantityComesBackAsTypedInEveryFigure)
{
    // 1 217,919 kg at 6 750,05 Kč: the receipt's line and the till's
    // movement; the stock left, as the item card and the item list read it.
    const int kg = newItem(QStringLiteral("KG"), Currency::fromInt(5000), Currency::fromString(u"6750.05"));
    ASSERT_TRUE(dm->AddOrEditBasketRow(kg, 0, Currency::fromString(u"1217.919"), true));
    sell(1, 0);
    EXPECT_EQ(Halere(dm->MSSQLADOQuery_DokladDetail, "PRODEJ_CELKEM"), 822101415);
    EXPECT_EQ(cash(), QStringLiteral("8221014.0000"));
    TDMItem card;
    TDMItemOrigin origin;
    ASSERT_TRUE(dm->ReadItem(kg, card, origin)) << qPrintable(dm->LastErrorText());
    EXPECT_EQ(card.MNOZSTVI, Currency::fromString(u"3782.081"));
    ASSERT_TRUE(dm->MSSQLADOQuery_Polozka->Locate(QStringLiteral("ID_POLOZKA"), kg));
    EXPECT_EQ(Halere(dm->MSSQLADOQuery_Polozka, "NAKUP_CELKEM"), 1276461792); // × 3 375,025
}

TEST_F(DocumentTotals, TheBasketsTotalIsItsLinesAsTheDocumentPrintsThem)
{
    // Two lines of half a haler each print as a haler each.
    ASSERT_TRUE(dm->AddOrEditBasketRow(item("A", "0.05", "20"), 0, Currency::fromString(u"0.1"), true));
    ASSERT_TRUE(dm->AddOrEditBasketRow(item("B", "0.05", "10"), 0, Currency::fromString(u"0.1"), true));
    EXPECT_EQ(screens.labels[TSummaryLabel::ProdejStatus], QStringLiteral("2 [ celkem: 0,02 Kč ]"));
    sell(2, 0);
    EXPECT_EQ(Halere(dm->MSSQLADOQuery_Doklad, "SOUCET_POLOZEK"), 2);
}

TEST_F(DocumentTotals, TheDocumentsDiscountIsItsShareOfTheSumSplitOverTheRates)
{
    // Lines of 128,85 at 10 % and 1 763,75 at 20 %, 10 % off: the discount is
    // 189,26 (not 189,25, the difference of the rates' totals each rounded);
    // its shares 12,885 and 176,375 are cut to 12,88 and 176,37, and the haler
    // left goes to the lower rate on the tie of their remainders.
    ASSERT_TRUE(dm->AddOrEditBasketRow(item("A", "128.85", "10"), 0, Currency::fromInt(1), true));
    ASSERT_TRUE(dm->AddOrEditBasketRow(item("B", "1763.75", "20"), 0, Currency::fromInt(1), true));
    sell(1, 10);
    TMSSQLADOQuery *document = dm->MSSQLADOQuery_Doklad;
    EXPECT_EQ(Halere(document, "SOUCET_POLOZEK"), 189260);
    EXPECT_EQ(Halere(document, "SLEVA_CASTKA"), -18926);
    EXPECT_EQ(Halere(document, "DPH1_PRODEJ_CELKEM"), 11596);
    EXPECT_EQ(Halere(document, "DPH2_PRODEJ_CELKEM"), 158738);
    EXPECT_EQ(Halere(document, "DPH1_DPH"), 1054);
    EXPECT_EQ(Halere(document, "DPH2_DPH"), 26456);
    EXPECT_EQ(Halere(document, "ZAOKROUHLENI"), -34);
    EXPECT_EQ(Halere(document, "PRODEJ_CELKEM"), 170300);
    EXPECT_EQ(cash(), QStringLiteral("1703.0000"));

    // 100,00 at 10 % and 200,10 at 20 %, 15 % off: the discount of 45,02
    // shares as 15,0017 and 30,0183; the haler left goes to the larger
    // remainder, the higher rate's, whichever rate is the lower.
    ASSERT_TRUE(dm->AddOrEditBasketRow(item("C", "100", "10"), 0, Currency::fromInt(1), true));
    ASSERT_TRUE(dm->AddOrEditBasketRow(item("D", "200.10", "20"), 0, Currency::fromInt(1), true));
    sell(1, 15);
    EXPECT_EQ(Halere(document, "SLEVA_CASTKA"), -4502);
    EXPECT_EQ(Halere(document, "DPH1_PRODEJ_CELKEM"), 8500);
    EXPECT_EQ(Halere(document, "DPH2_PRODEJ_CELKEM"), 17008);
}

TEST_F(DocumentTotals, TheRoundingToWholeCrownsIsNeverMoreThanHalfACrown)
{
    // 160 lines of 1,00 Kč × 1,004 print as 1,00 each: the total is 160, not
    // the 161 of their exact 160,64, which printed a rounding of 1,00.
    sql(QStringLiteral("INSERT INTO tab_polozka (ID_SKLAD, ID_KATEGORIE, ID_DODAVATEL, ID_DPH, ID_JEDNOTKA, "
                       "PATH_ID_KATEGORIE, OZNACENI, KOD, POLOZKA, SPECIFIKACE, ZARUKA, NAKUP, PRODEJ, SLEVA, "
                       "MNOZSTVI, ZASOBA, MINIMUM, NASOBNE) "
                       "SELECT 1, 1, 1, 3, 2, '1\\', 'R' || i, 'R' || i, 'Řádek ' || i, '-', 0, 0, 1, 0, "
                       "10, 0, 0, false FROM generate_series(1, 160) i"));
    sql(QStringLiteral("INSERT INTO tab_prodej (ID_PROCESS, ID_POLOZKA, SLEVA, MNOZSTVI) "
                       "SELECT %1, ID_POLOZKA, 0, 1.004 FROM tab_polozka WHERE OZNACENI LIKE 'R%'")
            .arg(scalar(QStringLiteral("SELECT pid FROM pg_stat_activity WHERE application_name = 'Tarmil' "
                                       "AND datname = current_database() LIMIT 1"))));
    dm->RequeryBasket();
    ASSERT_EQ(dm->MSSQLADOQuery_Prodej->RecordCount(), 160);
    const int sale = sell(1, 0);
    TMSSQLADOQuery *document = dm->MSSQLADOQuery_Doklad;
    EXPECT_EQ(Halere(document, "SOUCET_POLOZEK"), 16000);
    EXPECT_EQ(Halere(document, "ZAOKROUHLENI"), 0);
    EXPECT_EQ(Halere(document, "PRODEJ_CELKEM"), 16000);
    EXPECT_EQ(cash(), QStringLiteral("160.0000"));
    // The main window's figures are what the till holds.
    EXPECT_EQ(screens.labels[TSummaryLabel::Prodeje],
              QStringLiteral("Celkem: 160,00 Kč [ za hotové: 160,00 Kč, na fakturu: 0,00 Kč ]"));
    EXPECT_EQ(screens.labels[TSummaryLabel::Pokladna], QStringLiteral("160,00 Kč"));
    // The cancellation moves it out again, to the haler.
    ASSERT_TRUE(dm->CancelDocument(sale)) << qPrintable(dm->LastErrorText());
    EXPECT_EQ(Halere(document, "PRODEJ_CELKEM"), -16000);
    EXPECT_EQ(Halere(document, "ZAOKROUHLENI"), 0);
    EXPECT_EQ(cash(), QStringLiteral("160.0000 -160.0000"));
}

TEST_F(DocumentTotals, ACancellationTakesOutWhatItsSaleBroughtIn)
{
    ASSERT_TRUE(dm->AddOrEditBasketRow(item("A", "99.60", "20"), 10, Currency::fromInt(2), true));
    const int sale = sell(1, 5);
    EXPECT_EQ(cash(), QStringLiteral("170.0000"));
    // A sale whose movement another rule worked out (as an earlier version
    // of the server did) is taken out as it came in.
    sql(QStringLiteral("UPDATE tab_pokladna SET POHYB = 171, STAV = 171"));
    ASSERT_TRUE(dm->CancelDocument(sale)) << qPrintable(dm->LastErrorText());
    EXPECT_EQ(cash(), QStringLiteral("171.0000 -171.0000"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT STAV FROM tab_pokladna ORDER BY ID_POKLADNA DESC LIMIT 1")),
              QStringLiteral("0.0000"));
}

TEST_F(DocumentTotals, ADatabaseOfAnEarlierVersionListsTheTotalsItWorksOut)
{
    // Two lines of 10,245 come to 20,49 exactly; printed as 10,25 each, they
    // come to 20,50, which this version rounds to 21.
    for (const char *mark : {"A", "B"})
        ASSERT_TRUE(dm->AddOrEditBasketRow(item(QLatin1String(mark), "10.245", "20"), 0, Currency::fromInt(1), true));
    const int sale = sell(2, 0);
    TMSSQLADOQuery *document = dm->MSSQLADOQuery_Doklad;
    EXPECT_EQ(Halere(document, "SOUCET_POLOZEK"), 2050);
    EXPECT_EQ(Halere(document, "PRODEJ_CELKEM"), 2100);
    EXPECT_EQ(Halere(document, "ZAOKROUHLENI"), 50);
    EXPECT_EQ(scalar(QStringLiteral("SELECT tab_doklad_func_CASTKA(%1)").arg(sale)), QStringLiteral("21"));
    // A database created by an earlier version keeps its procedures, which
    // round the lines' exact sum: its lists give the totals it works out.
    sql(QStringLiteral("DROP FUNCTION tab_doklad_func_K_UHRADE"));
    sql(QStringLiteral("CREATE OR REPLACE FUNCTION tab_doklad_func_CASTKA(p_id_doklad integer) RETURNS numeric "
                       "LANGUAGE sql STABLE AS $$ SELECT round((100.0 - d.SLEVA) / 100 * sum((100.0 - h.SLEVA) / 100 "
                       "* h.PRODEJ * func_MNOZSTVI_PRESNE(h.MNOZSTVI)), 0) FROM tab_doklad d JOIN tab_historie h "
                       "ON h.ID_DOKLAD = d.ID_DOKLAD WHERE d.ID_DOKLAD = p_id_doklad GROUP BY d.SLEVA $$"));
    dm->RequeryDocuments();
    EXPECT_EQ(Halere(document, "PRODEJ_CELKEM"), 2000);
    EXPECT_EQ(Halere(document, "ZAOKROUHLENI"), -50);
    EXPECT_EQ(scalar(QStringLiteral("SELECT tab_doklad_func_CASTKA(%1)").arg(sale)), QStringLiteral("20"));
}
