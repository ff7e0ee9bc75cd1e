// The basket, selling it as each document kind, and cancellation.
#include "schema_session.h"

#include <QDate>

class Sale : public DatabaseTest
{
protected:
    QString today()
    {
        return QDate::fromString(s->value("SELECT CURRENT_DATE::text"), Qt::ISODate).toString("yyyyMMdd");
    }
    QString stock(int item) { return s->value("SELECT MNOZSTVI FROM tab_polozka WHERE ID_POLOZKA = $1", {item}); }
    int sell(int kind, bool print, int discount = 0, const QString &customer = "-")
    {
        s->exec("BEGIN");
        const int doc = s->value("SELECT tab_prodej_PRODAT($1, $2, $3, $4)", {kind, print, customer, discount}).toInt();
        m_lastError = s->error();
        s->exec(doc ? "COMMIT" : "ROLLBACK");
        return doc;
    }
    int cancel(int doc)
    {
        s->exec("BEGIN");
        const int storno = s->value("SELECT tab_doklad_STORNO($1)", {doc}).toInt();
        m_lastError = s->error();
        s->exec(storno ? "COMMIT" : "ROLLBACK");
        return storno;
    }
    QString m_lastError;
};

TEST_F(Sale, BasketRowsAddUpOrAreSet)
{
    const int item = newItem("1");
    EXPECT_EQ(call("tab_prodej_PRIDAT_EDITOVAT", {item, 0, "1.5", false}), item);
    EXPECT_EQ(call("tab_prodej_PRIDAT_EDITOVAT", {item, 10, "2", false}), item);
    EXPECT_EQ(text("tab_prodej_func_MNOZSTVI", {item}), "3.5");
    EXPECT_EQ(call("tab_prodej_POCET"), 1);
    EXPECT_EQ(call("tab_prodej_PRIDAT_EDITOVAT", {item, 5, "0.7", true}), item);
    EXPECT_EQ(s->value("SELECT SLEVA || '|' || MNOZSTVI FROM tab_prodej"), "5|0.7");
    EXPECT_EQ(text("tab_prodej_func_MNOZSTVI", {item + 1}), "0");
    EXPECT_EQ(call("tab_prodej_ODEBRAT", {item}), item);
    EXPECT_EQ(call("tab_prodej_ODEBRAT", {item}), 0);
    EXPECT_EQ(call("tab_prodej_POCET"), 0);
}

TEST_F(Sale, EachSessionSeesOnlyItsOwnBasket)
{
    const int item = newItem("1");
    const auto other = db.session();
    call("tab_prodej_PRIDAT_EDITOVAT", {item, 0, "2", true});
    other->value("SELECT tab_prodej_PRIDAT_EDITOVAT($1, 0, 5, true)", {item});
    EXPECT_EQ(text("tab_prodej_func_MNOZSTVI", {item}), "2");
    EXPECT_EQ(other->value("SELECT tab_prodej_func_MNOZSTVI($1)", {item}), "5");
    EXPECT_EQ(other->integer("SELECT tab_prodej_POCET()"), 1);
    EXPECT_EQ(s->integer("SELECT count(*) FROM tab_prodej"), 2);
}

// Removing or changing a line of one till's basket leaves the same item's
// line in another till's basket as it was.
TEST_F(Sale, RemovingOrChangingALineLeavesOtherBasketsAlone)
{
    const int removed = newItem("1");
    const int changed = newItem("2");
    const auto other = db.session();
    for (const int item : {removed, changed}) {
        call("tab_prodej_PRIDAT_EDITOVAT", {item, 0, "2", true});
        other->value("SELECT tab_prodej_PRIDAT_EDITOVAT($1, 5, 3, true)", {item});
    }
    EXPECT_EQ(call("tab_prodej_ODEBRAT", {removed}), removed);
    EXPECT_EQ(call("tab_prodej_PRIDAT_EDITOVAT", {changed, 10, "7", true}), changed);
    EXPECT_EQ(call("tab_prodej_PRIDAT_EDITOVAT", {changed, 10, "1", false}), changed);
    const QString otherBasket =
        "SELECT string_agg(ID_POLOZKA || ':' || SLEVA || ':' || MNOZSTVI, ' ' ORDER BY ID_POLOZKA)"
        " FROM tab_prodej WHERE ID_PROCESS = pg_backend_pid()";
    EXPECT_EQ(other->value(otherBasket), QString("%1:5:3 %2:5:3").arg(removed).arg(changed));
    EXPECT_EQ(s->value(otherBasket), QString("%1:10:8").arg(changed));
    EXPECT_EQ(other->value("SELECT tab_prodej_ODEBRAT($1)", {removed}).toInt(), removed);
    EXPECT_EQ(other->integer("SELECT tab_prodej_POCET()"), 1);
}

TEST_F(Sale, RowsOfEndedSessionsAreNeverSoldOrInherited)
{
    const int item = newItem("1");
    // A row of a session that is gone, and one left under this session's own
    // process id by an earlier session that had the same id.
    s->exec("INSERT INTO tab_prodej (ID_PROCESS, ID_POLOZKA, SLEVA, MNOZSTVI) VALUES (2147483000, $1, 0, 3)", {item});
    s->exec("INSERT INTO tab_prodej (ID_POLOZKA, SLEVA, MNOZSTVI, ZALOZENO)"
            " SELECT $1, 0, 4, backend_start - interval '1 second' FROM pg_stat_activity WHERE pid = pg_backend_pid()",
            {item});
    EXPECT_EQ(text("tab_prodej_func_MNOZSTVI", {item}), "0");
    EXPECT_EQ(s->integer("SELECT count(*) FROM tab_prodej"), 0);
    s->exec("INSERT INTO tab_prodej (ID_PROCESS, ID_POLOZKA, SLEVA, MNOZSTVI) VALUES (2147483000, $1, 0, 3)", {item});
    call("tab_prodej_PRIDAT_EDITOVAT", {item, 0, "1", true});
    ASSERT_GT(sell(3, false), 0);
    EXPECT_EQ(stock(item), "9");
    EXPECT_EQ(s->integer("SELECT count(*) FROM tab_historie WHERE ID_DOKLAD <> 0"), 1);
}

// A session purges once, at its first basket call; a purge undone with its
// transaction is made again, and a sale purges every ended session's rows.
TEST_F(Sale, ThePurgeUndoneWithItsTransactionIsMadeAgain)
{
    const int item = newItem("1");
    const QString stale = "INSERT INTO tab_prodej (ID_POLOZKA, SLEVA, MNOZSTVI, ZALOZENO)"
                          " SELECT $1, 0, 4, backend_start - interval '1 second'"
                          " FROM pg_stat_activity WHERE pid = pg_backend_pid()";
    s->exec("BEGIN");
    call("tab_prodej_PRIDAT_EDITOVAT", {item, 0, "1", true});
    s->exec("ROLLBACK");
    s->exec(stale, {item});
    EXPECT_EQ(text("tab_prodej_func_MNOZSTVI", {item}), "0");
    call("tab_prodej_PRIDAT_EDITOVAT", {item, 0, "2", false});
    EXPECT_EQ(text("tab_prodej_func_MNOZSTVI", {item}), "2");
    // Ended sessions' rows that appear later go with the next sale.
    s->exec("INSERT INTO tab_prodej (ID_PROCESS, ID_POLOZKA, SLEVA, MNOZSTVI) VALUES (2147483000, $1, 0, 3)", {item});
    ASSERT_GT(sell(3, false), 0) << qPrintable(m_lastError);
    EXPECT_EQ(stock(item), "8");
    EXPECT_EQ(s->integer("SELECT count(*) FROM tab_prodej"), 0);
}

TEST_F(Sale, CashReceiptNumbersLinesStockAndCash)
{
    const int item = newItem("1", "10", "99.60");
    call("tab_prodej_PRIDAT_EDITOVAT", {item, 10, "2", true});
    const int doc = sell(1, true, 5);
    ASSERT_GT(doc, 0) << qPrintable(m_lastError);
    const QString number = "UCT" + today() + "0001";
    EXPECT_EQ(
        s->value("SELECT concat_ws('|', ID_POLOZKA, ID_OPERACE, ID_ODBERATEL, REF_ID_DOKLAD, STATE_STAV,"
                 " DOKLAD_NETISTENY, DOKLAD_VYTISTENY, OZNACENI, PRODEJ, SLEVA, MNOZSTVI, UZIVATEL = session_user)"
                 " FROM tab_historie WHERE ID_DOKLAD = $1",
                 {doc}),
        QString("%1|1|1|0|t|%2|%2|1|99.6000|10|2|t").arg(item).arg(number));
    EXPECT_EQ(s->value("SELECT SLEVA FROM tab_doklad WHERE ID_DOKLAD = $1", {doc}), "5");
    EXPECT_EQ(stock(item), "8");
    EXPECT_EQ(call("tab_prodej_POCET"), 0);
    EXPECT_EQ(s->value("SELECT PORADI_DOKLAD_NETISTENY || '/' || PORADI_DOKLAD_VYTISTENY FROM tab_oznaceni_doklad"
                       " WHERE ID_OZNACENI_DOKLAD = 1"),
              "2/2");
    // ROUND(0.95 x 0.90 x 199.20) = 170 into the till.
    EXPECT_EQ(s->value("SELECT concat_ws('|', ID_OPERACE, DOKLAD_NETISTENY, DOKLAD_VYTISTENY, POHYB, STAV)"
                       " FROM tab_pokladna"),
              QString("1|%1|%1|170.0000|170.0000").arg(number));
    // The next unprinted receipt takes the next unprinted number only.
    call("tab_prodej_PRIDAT_EDITOVAT", {item, 0, "1", true});
    const int second = sell(1, false);
    EXPECT_EQ(
        s->value("SELECT DOKLAD_NETISTENY || '|' || DOKLAD_VYTISTENY FROM tab_historie WHERE ID_DOKLAD = $1", {second}),
        "UCT" + today() + "0002|-");
    EXPECT_EQ(text("tab_pokladna_func_STAV"), "270.0000");
}

TEST_F(Sale, InvoicesAndDeliveryNotesUseTheirSeriesAndTouchNoCash)
{
    const int item = newItem("1", "10", "50");
    const int customer = call("tab_kontakt_NOVY_KONTAKT", {"Odběratel", "-", "-", "-", "-", "-", "-", "-", "-", "-"});
    call("tab_prodej_PRIDAT_EDITOVAT", {item, 0, "1", true});
    const int invoice = sell(2, true, 0, "odběratel");
    call("tab_prodej_PRIDAT_EDITOVAT", {item, 0, "2", true});
    const int note = sell(3, false);
    ASSERT_GT(invoice, 0);
    ASSERT_GT(note, invoice);
    EXPECT_EQ(s->value("SELECT ID_OPERACE || '|' || DOKLAD_NETISTENY || '|' || ID_ODBERATEL FROM tab_historie"
                       " WHERE ID_DOKLAD = $1",
                       {invoice}),
              "2|FAK" + today() + "0001|" + QString::number(customer));
    EXPECT_EQ(s->value("SELECT ID_OPERACE || '|' || DOKLAD_NETISTENY || '|' || DOKLAD_VYTISTENY FROM tab_historie"
                       " WHERE ID_DOKLAD = $1",
                       {note}),
              "3|DOD" + today() + "0001|-");
    EXPECT_EQ(stock(item), "7");
    EXPECT_EQ(s->integer("SELECT count(*) FROM tab_pokladna"), 0);
}

TEST_F(Sale, RefusedSalesLeaveEverythingAsItWas)
{
    const int item = newItem("1", "2");
    const auto state = [&] {
        return s->value("SELECT (SELECT count(*) FROM tab_doklad) || '|' || (SELECT count(*) FROM tab_historie) || '|'"
                        " || (SELECT MNOZSTVI FROM tab_polozka) || '|' || (SELECT count(*) FROM tab_prodej) || '|'"
                        " || (SELECT string_agg(PORADI_DOKLAD_NETISTENY || '/' || PORADI_DOKLAD_VYTISTENY, ',')"
                        "     FROM tab_oznaceni_doklad)");
    };
    EXPECT_EQ(sell(1, false), 0);
    EXPECT_EQ(m_lastError, "50000 Košík je prázdný, není co prodat...");
    call("tab_prodej_PRIDAT_EDITOVAT", {item, 0, "3", true});
    const QString before = state();
    EXPECT_EQ(sell(1, false), 0);
    EXPECT_EQ(m_lastError, "50000 Chyba při zápisu do tab_polozka [záznamy o vyskladnění položek]...");
    EXPECT_EQ(state(), before);
    call("tab_prodej_PRIDAT_EDITOVAT", {item, 0, "1", true});
    EXPECT_EQ(sell(2, false, 0, "Neznámý"), 0);
    EXPECT_EQ(m_lastError, "50000 Chyba při zápisu do tab_historie [záznamy detailu dokladu]...");
    // A printed counter of 0 refuses printed sales of the series.
    call("tab_oznaceni_doklad_EDITOVAT_OZNACENI", {2, "FAK", "", 1, 0, 4});
    const QString zeroCounter = state();
    EXPECT_EQ(sell(2, true), 0);
    EXPECT_EQ(m_lastError, "50000 Chyba při zápisu do tab_oznaceni_doklad [záznam následujícího dokladu]...");
    EXPECT_EQ(state(), zeroCounter);
    // A counter wider than the zero-fill width gives no number: the lines fail.
    call("tab_oznaceni_doklad_EDITOVAT_OZNACENI", {3, "DOD", "", 100, 1, 2});
    EXPECT_EQ(sell(3, false), 0);
    EXPECT_EQ(m_lastError, "50000 Chyba při zápisu do tab_historie [záznamy detailu dokladu]...");
    EXPECT_GT(sell(1, false), 0) << qPrintable(m_lastError);
}

TEST_F(Sale, QuantitiesOfSinglePrecisionSellToZero)
{
    const int item = newItem("1", "1");
    call("tab_prodej_PRIDAT_EDITOVAT", {item, 0, "0.3", true});
    ASSERT_GT(sell(3, false), 0) << qPrintable(m_lastError);
    call("tab_prodej_PRIDAT_EDITOVAT", {item, 0, "0.7", true});
    ASSERT_GT(sell(3, false), 0) << qPrintable(m_lastError);
    EXPECT_EQ(stock(item), "0");
}

// Exact quantities are the decimals typed: every one of three decimals below
// 16384 and of four below 1000 (a sample of each) comes back as it was; any
// real is the shortest decimal that reads back as it (the server's own text
// of it) at four decimals, halves away from zero, whatever the session's
// float settings: at halves of the fifth decimal, around the limits of each
// way of working it out, at powers of two, both signs and spread magnitudes.
TEST_F(Sale, ExactQuantitiesAreTheDecimalsTyped)
{
    EXPECT_EQ(s->integer("SELECT count(*) FROM (SELECT m * 0.001 FROM generate_series(0, 16383999, 13) m UNION ALL"
                         " SELECT m * 0.0001 FROM generate_series(0, 9999999, 7) m) t (typed)"
                         " WHERE func_MNOZSTVI_PRESNE(typed::real) <> typed"),
              0);
    s->exec("SET extra_float_digits = 1");
    s->exec("CREATE TEMP TABLE kratke AS SELECT y, round(y::text::numeric, 4) AS presne FROM ("
            "  SELECT (m / 32.0)::real FROM generate_series(-40000, 40000) m"
            "  UNION ALL SELECT (m * 0.00001)::real FROM generate_series(0, 300000, 7) m"
            "  UNION ALL SELECT (abs(hashint4(m))::float8 / 2147483648 * 10 ^ (m % 30 - 8))::real"
            "    FROM generate_series(1, 300000) m"
            "  UNION ALL SELECT (2 ^ e)::real FROM generate_series(-126, 63) e"
            "  UNION ALL SELECT unnest('{1023.99994, 1024.00006, 16383.9995, 16384.002, 16777215, 16777217,"
            "    75439216, 1e11, 3e38, 1e-45, 0.00005, 1.23445, NaN, Infinity}'::real[])) v (x),"
            "  unnest(ARRAY[x, -x]) y");
    s->exec("SET extra_float_digits = 0");
    EXPECT_EQ(
        s->integer("SELECT count(*) FROM kratke WHERE func_MNOZSTVI_PRESNE(y)::text IS DISTINCT FROM presne::text"), 0)
        << qPrintable(s->error());
    EXPECT_TRUE(s->value("SELECT func_MNOZSTVI_PRESNE(NULL)").isNull());
}

TEST_F(Sale, CancellingACashReceipt)
{
    const int item = newItem("1", "10", "99.60");
    call("tab_prodej_PRIDAT_EDITOVAT", {item, 10, "2", true});
    const int doc = sell(1, true, 5);
    call("tab_polozka_ODEBRAT_POLOZKU", {item}); // sold, so it stays invalid with no stock
    EXPECT_EQ(call("tab_doklad_LZE_STORNOVAT", {doc}), 1);
    const int storno = cancel(doc);
    ASSERT_GT(storno, 0) << qPrintable(m_lastError);
    EXPECT_EQ(s->value("SELECT STATE_STAV || '|' || REF_ID_DOKLAD FROM tab_historie WHERE ID_DOKLAD = $1", {doc}),
              QString("false|%1").arg(storno));
    const QString number = "UCT" + today() + "0001";
    EXPECT_EQ(s->value("SELECT concat_ws('|', ID_POLOZKA, ID_OPERACE, REF_ID_DOKLAD, STATE_STAV, DOKLAD_NETISTENY,"
                       " DOKLAD_VYTISTENY, SLEVA, MNOZSTVI) FROM tab_historie WHERE ID_DOKLAD = $1",
                       {storno}),
              QString("%1|4|%2|t|%3|%3|10|-2").arg(item).arg(doc).arg(number));
    EXPECT_EQ(s->value("SELECT SLEVA FROM tab_doklad WHERE ID_DOKLAD = $1", {storno}), "5");
    EXPECT_EQ(s->value("SELECT STATE_PLATNOST || '|' || MNOZSTVI FROM tab_polozka"), "true|2");
    EXPECT_EQ(s->column("SELECT ID_OPERACE || '|' || POHYB || '|' || STAV FROM tab_pokladna ORDER BY ID_POKLADNA"),
              QStringList({"1|170.0000|170.0000", "4|-170.0000|0.0000"}));
    // Not twice, and never a cancellation itself.
    EXPECT_EQ(call("tab_doklad_LZE_STORNOVAT", {doc}), 0);
    EXPECT_EQ(call("tab_doklad_LZE_STORNOVAT", {storno}), 0);
    EXPECT_EQ(cancel(doc), 0);
    EXPECT_EQ(m_lastError, "50000 Doklad nelze stornovat [doklad není prodejem nebo už byl stornován]...");
    EXPECT_EQ(cancel(storno), 0);
    EXPECT_EQ(cancel(999), 0);
    EXPECT_EQ(stock(item), "2");
}

TEST_F(Sale, CancellingAnInvoiceMovesNoCash)
{
    const int item = newItem("1", "10");
    call("tab_prodej_PRIDAT_EDITOVAT", {item, 0, "4", true});
    const int doc = sell(2, false);
    const int storno = cancel(doc);
    ASSERT_GT(storno, 0);
    EXPECT_EQ(s->value("SELECT ID_OPERACE FROM tab_historie WHERE ID_DOKLAD = $1", {storno}), "5");
    EXPECT_EQ(stock(item), "10");
    EXPECT_EQ(s->integer("SELECT count(*) FROM tab_pokladna"), 0);
}

TEST_F(Sale, CashRoundsHalvesAwayFromZero)
{
    const int item = newItem("1", "10", "0.50");
    call("tab_prodej_PRIDAT_EDITOVAT", {item, 0, "5", true});
    const int doc = sell(1, false);
    ASSERT_GT(doc, 0);
    EXPECT_EQ(text("tab_doklad_func_CASTKA", {doc}), "3"); // 2.50
    ASSERT_GT(cancel(doc), 0);
    EXPECT_EQ(s->column("SELECT POHYB FROM tab_pokladna ORDER BY ID_POKLADNA"), QStringList({"3.0000", "-3.0000"}));
}
