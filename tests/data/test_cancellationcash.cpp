// A cancelled cash receipt takes out of the till what its sale brought in:
// the sale's movement, found in a long cash book by its time through the
// book's index, never by reading the book.
#include "schema_session.h"

#include <QRegularExpression>

TEST(CancellationCash, TheSalesMovementIsFoundThroughTheBooksIndex)
{
    SchemaDatabase db;
    const std::unique_ptr<Session> s = db.session();
    // A year of 50,000 movements before the sale.
    s->script(QStringLiteral(
        "INSERT INTO tab_polozka (ID_SKLAD, ID_KATEGORIE, ID_DODAVATEL, ID_DPH, ID_JEDNOTKA, PATH_ID_KATEGORIE, "
        "  OZNACENI, KOD, POLOZKA, SPECIFIKACE, ZARUKA, NAKUP, PRODEJ, SLEVA, MNOZSTVI, ZASOBA, MINIMUM, NASOBNE) "
        "  VALUES (1, 1, 1, 3, 2, '1\\', '1', '1', 'Položka', '-', 0, 50, 99.60, 0, 100, 0, 0, false);"
        "INSERT INTO tab_pokladna (ID_OPERACE, TIME_POKLADNA, DOKLAD_NETISTENY, DOKLAD_VYTISTENY, UZIVATEL, POHYB, "
        "STAV)"
        "  SELECT 11, localtimestamp - make_interval(secs => i * 631), '0', '0', 'test', 1, 50001 - i"
        "  FROM generate_series(1, 50000) i;"
        "ANALYZE;"
        "INSERT INTO tab_prodej (ID_POLOZKA, SLEVA, MNOZSTVI) SELECT ID_POLOZKA, 10, 2 FROM tab_polozka;"));
    ASSERT_EQ(s->error(), "");
    const int sale = s->integer(QStringLiteral("SELECT tab_prodej_PRODAT(1, true, '-', 5)"));
    ASSERT_GT(sale, 0) << qPrintable(s->error());
    s->logPlans(true);
    s->clearPlans();
    ASSERT_GT(s->integer(QStringLiteral("SELECT tab_doklad_STORNO($1)"), {sale}), 0) << qPrintable(s->error());
    const QString plans = s->plans();
    EXPECT_EQ(s->column(QStringLiteral("SELECT POHYB FROM tab_pokladna WHERE ID_OPERACE <> 11 ORDER BY ID_POKLADNA")),
              QStringList({"170.0000", "-170.0000"}));
    EXPECT_FALSE(plans.contains(QStringLiteral("Seq Scan on tab_pokladna"))) << qPrintable(plans);
    EXPECT_TRUE(plans.contains(QStringLiteral("tab_pokladna_cas on tab_pokladna"))) << qPrintable(plans);
    // No step reads more than a few rows of the book.
    const QRegularExpression rows(QStringLiteral("on tab_pokladna .*actual time=\\S+ rows=(\\d+)"));
    for (auto it = rows.globalMatch(plans); it.hasNext();)
        EXPECT_LE(it.next().captured(1).toInt(), 2) << qPrintable(plans);
}
