// Zero fill, document numbers of the numbering series, and the cash book.
#include "schema_session.h"

#include <QDate>

using Numbering = DatabaseTest;

TEST_F(Numbering, ZeroFillUpToTheWidth)
{
    EXPECT_EQ(text("func_ZERO_ALIGN", {"17", 4}), "0017");
    EXPECT_EQ(text("func_ZERO_ALIGN", {"1234", 4}), "1234");
    EXPECT_TRUE(text("func_ZERO_ALIGN", {"12345", 4}).isNull());
    EXPECT_EQ(s->value("SELECT p_text || '|' || return_value FROM ZERO_ALIGN('7', 3)"), "007|2");
    EXPECT_EQ(s->value("SELECT coalesce(p_text, 'null') || '|' || return_value FROM ZERO_ALIGN('12345', 3)"), "null|0");
}

TEST_F(Numbering, NumbersJoinPrefixDatePartsAndZeroFilledCounter)
{
    const QDate today = QDate::fromString(s->value("SELECT CURRENT_DATE::text"), Qt::ISODate);
    const QString ymd = today.toString("yyyyMMdd");
    // The seed series: no separator, every date part, width 4.
    EXPECT_EQ(text("tab_oznaceni_doklad_func_ROK_MESIC_DEN", {1, ""}), ymd);
    EXPECT_EQ(text("tab_oznaceni_doklad_func_DOKLAD_NETISTENY", {1}), "UCT" + ymd + "0001");
    EXPECT_EQ(text("tab_oznaceni_doklad_func_DOKLAD_VYTISTENY", {3}), "DOD" + ymd + "0001");
    // A separator goes after the prefix and between every part.
    call("tab_oznaceni_doklad_EDITOVAT_OZNACENI", {2, "FAK", "-", 42, 7, 6});
    EXPECT_EQ(text("tab_oznaceni_doklad_func_DOKLAD_NETISTENY", {2}),
              "FAK-" + today.toString("yyyy-MM-dd") + "-000042");
    EXPECT_EQ(text("tab_oznaceni_doklad_func_DOKLAD_VYTISTENY", {2}),
              "FAK-" + today.toString("yyyy-MM-dd") + "-000007");
    call("tab_oznaceni_doklad_NASTAVENI_OZNACENI_ROK", {2});
    EXPECT_EQ(text("tab_oznaceni_doklad_func_DOKLAD_NETISTENY", {2}), "FAK-" + today.toString("MM-dd") + "-000042");
    call("tab_oznaceni_doklad_NASTAVENI_OZNACENI_DEN", {2});
    EXPECT_EQ(text("tab_oznaceni_doklad_func_ROK_MESIC_DEN", {2, "-"}), today.toString("MM"));
    call("tab_oznaceni_doklad_NASTAVENI_OZNACENI_MESIC", {2});
    EXPECT_EQ(text("tab_oznaceni_doklad_func_DOKLAD_NETISTENY", {2}), "FAK-000042");
    // No prefix and no date: the counter alone.
    call("tab_oznaceni_doklad_EDITOVAT_OZNACENI", {2, "", "/", 5, 1, 2});
    EXPECT_EQ(text("tab_oznaceni_doklad_func_DOKLAD_NETISTENY", {2}), "05");
    // A counter wider than the width gives no number.
    call("tab_oznaceni_doklad_EDITOVAT_OZNACENI", {2, "", "/", 123, 1, 2});
    EXPECT_TRUE(text("tab_oznaceni_doklad_func_DOKLAD_NETISTENY", {2}).isNull());
    EXPECT_TRUE(text("tab_oznaceni_doklad_func_DOKLAD_NETISTENY", {9}).isNull());
}

TEST_F(Numbering, CountersAdvanceButAPrintedCounterOfZeroStays)
{
    EXPECT_EQ(call("tab_oznaceni_doklad_PORADI_DOKLAD_NETISTENY", {1}), 1);
    EXPECT_EQ(call("tab_oznaceni_doklad_PORADI_DOKLAD_VYTISTENY", {1}), 1);
    EXPECT_EQ(call("tab_oznaceni_doklad_PORADI_DOKLAD_NETISTENY", {1}), 1);
    EXPECT_EQ(s->value("SELECT PORADI_DOKLAD_NETISTENY || '/' || PORADI_DOKLAD_VYTISTENY FROM tab_oznaceni_doklad"
                       " WHERE ID_OZNACENI_DOKLAD = 1"),
              "3/2");
    call("tab_oznaceni_doklad_EDITOVAT_OZNACENI", {1, "UCT", "", 1, 0, 4});
    EXPECT_EQ(call("tab_oznaceni_doklad_PORADI_DOKLAD_VYTISTENY", {1}), 0);
    EXPECT_EQ(call("tab_oznaceni_doklad_PORADI_DOKLAD_NETISTENY", {7}), 0);
}

using CashBook = DatabaseTest;

TEST_F(CashBook, EachMovementAddsToTheBalance)
{
    EXPECT_EQ(text("tab_pokladna_func_STAV"), "0");
    const int first = call("tab_pokladna_POHYB", {11, "0", "0", "500.50"});
    EXPECT_GT(first, 0);
    EXPECT_EQ(call("tab_pokladna_POHYB", {11, "0", "0", "-200"}), first + 1);
    EXPECT_EQ(text("tab_pokladna_func_STAV"), "300.5000");
    EXPECT_EQ(s->value("SELECT concat_ws('|', ID_OPERACE, DOKLAD_NETISTENY, DOKLAD_VYTISTENY, UZIVATEL = session_user,"
                       " POHYB, STAV, TIME_POKLADNA IS NOT NULL) FROM tab_pokladna ORDER BY ID_POKLADNA DESC LIMIT 1"),
              "11|0|0|t|-200.0000|300.5000|t");
}
