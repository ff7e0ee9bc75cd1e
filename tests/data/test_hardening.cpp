// What the database refuses whoever writes: amounts that are not finite
// numbers, a second category root, a cycle in the tree; and the basket purge
// that visits sessions rather than rows.
#include "schema_session.h"

class Hardening : public DatabaseTest
{
protected:
    // Expects the statement refused by the procedure's own error (SQLSTATE 50000).
    void expectProcedureRefuses(const QString &sql, const QVariantList &params = {})
    {
        s->value(sql, params);
        EXPECT_EQ(s->sqlState(), "50000") << qPrintable(sql) << " " << qPrintable(s->error());
        EXPECT_TRUE(s->error().contains("Chyba při zápisu")) << qPrintable(s->error());
    }
    // Expects a direct write refused by a table constraint (a money column
    // refuses the infinities by its type already).
    void expectTableRefuses(const QString &sql, const QVariantList &params = {})
    {
        s->value(sql, params);
        EXPECT_TRUE(s->sqlState() == "23514" || s->sqlState() == "22003")
            << qPrintable(sql) << " " << qPrintable(s->error());
    }
    static QStringList notFinite() { return {"NaN", "Infinity", "-Infinity"}; }
};

TEST_F(Hardening, ProceduresRefuseAmountsThatAreNotFiniteNumbers)
{
    const int item = newItem("1");
    const QString itemCall =
        "SELECT tab_polozka_NOVA_POLOZKA('X', 'X', 'X', '-', 0, 'Sklad-01', '?', '-', 20, $1, $2, 0, $3, $4,"
        " 'ks', $5, true)";
    for (const QString &bad : notFinite()) {
        SCOPED_TRACE(bad.toStdString());
        expectProcedureRefuses("SELECT tab_pokladna_POHYB(11, '0', '0', $1)", {bad});
        for (int i = 0; i < 5; ++i) {
            QVariantList params = {"1", "2", "3", "0", "1"};
            params[i] = bad;
            expectProcedureRefuses(itemCall, params);
        }
        expectProcedureRefuses("SELECT tab_polozka_EDITOVAT_POLOZKU($1, '1', '1', 'Y', '-', 0, 'Sklad-01', '?', '-',"
                               " 20, 1, 2, 0, $2, 0, 'ks', 1, true)",
                               {item, bad});
        expectProcedureRefuses("SELECT tab_jednotka_NOVA_JEDNOTKA('j', 'j', $1)", {bad});
        expectProcedureRefuses("SELECT tab_jednotka_EDITOVAT_JEDNOTKU(2, 'ks', 'kus', $1)", {bad});
        expectProcedureRefuses("SELECT tab_dph_EDITOVAT_DPH(1, $1)", {bad});
        expectProcedureRefuses("SELECT tab_prodej_PRIDAT_EDITOVAT($1, 0, $2, true)", {item, bad});
    }
    // Nothing of it was stored: the balance, the item, its log and the basket stay.
    EXPECT_EQ(s->integer("SELECT count(*) FROM tab_pokladna"), 0);
    EXPECT_EQ(s->integer("SELECT count(*) FROM tab_polozka"), 1);
    EXPECT_EQ(s->integer("SELECT count(*) FROM tab_historie"), 1);
    EXPECT_EQ(s->value("SELECT MINIMUM FROM tab_jednotka WHERE ID_JEDNOTKA = 2"), "1");
    EXPECT_EQ(call("tab_prodej_POCET"), 0);
    // Finite amounts still go in.
    EXPECT_GT(call("tab_pokladna_POHYB(11, '0', '0', -12.5)"), 0);
    EXPECT_EQ(s->value("SELECT STAV FROM tab_pokladna"), "-12.5000");
}

TEST_F(Hardening, TablesRefuseAmountsThatAreNotFiniteNumbers)
{
    const int item = newItem("1");
    call("tab_prodej_PRIDAT_EDITOVAT", {item, 0, "1", true});
    call("tab_pokladna_POHYB(11, '0', '0', 5)");
    const QString historyInsert =
        "INSERT INTO tab_historie (ID_DOKLAD, ID_POLOZKA, ID_OPERACE, ID_SKLAD, ID_KATEGORIE, ID_DODAVATEL,"
        " ID_ODBERATEL, ID_DPH, ID_JEDNOTKA, REF_ID_DOKLAD, DOKLAD_NETISTENY, DOKLAD_VYTISTENY, OZNACENI, KOD,"
        " POLOZKA, SPECIFIKACE, ZARUKA, NAKUP, PRODEJ, SLEVA, MNOZSTVI, ZASOBA, MINIMUM, NASOBNE, UZIVATEL)"
        " VALUES (0, 1, 1, 1, 1, 1, 1, 1, 1, 0, '-', '-', '-', '-', '-', '-', 0, $1, $2, 0, $3, $4, $5, true, '-')";
    const struct
    {
        const char *table, *column, *key;
    } columns[] = {
        {"tab_pokladna", "POHYB", "ID_POKLADNA"},
        {"tab_pokladna", "STAV", "ID_POKLADNA"},
        {"tab_jednotka", "MINIMUM", "ID_JEDNOTKA"},
        {"tab_polozka", "NAKUP", "ID_POLOZKA"},
        {"tab_polozka", "PRODEJ", "ID_POLOZKA"},
        {"tab_polozka", "MNOZSTVI", "ID_POLOZKA"},
        {"tab_polozka", "ZASOBA", "ID_POLOZKA"},
        {"tab_polozka", "MINIMUM", "ID_POLOZKA"},
        {"tab_prodej", "MNOZSTVI", "ID_PRODEJ"},
        {"tab_historie", "NAKUP", "ID_HISTORIE"},
        {"tab_historie", "PRODEJ", "ID_HISTORIE"},
        {"tab_historie", "MNOZSTVI", "ID_HISTORIE"},
        {"tab_historie", "ZASOBA", "ID_HISTORIE"},
        {"tab_historie", "MINIMUM", "ID_HISTORIE"},
        {"tab_dph", "DPH", "ID_DPH"},
    };
    // A basket line's discount is a byte.
    expectTableRefuses("INSERT INTO tab_prodej (ID_POLOZKA, SLEVA, MNOZSTVI) VALUES (2, 256, 1)");
    expectTableRefuses("UPDATE tab_prodej SET SLEVA = -1");
    for (const QString &bad : notFinite()) {
        for (const auto &c : columns) {
            SCOPED_TRACE((bad + " " + c.table + "." + c.column).toStdString());
            // tab_dph's range check has its own name but the same SQLSTATE.
            expectTableRefuses(QStringLiteral("UPDATE %1 SET %2 = $1 WHERE %3 = (SELECT min(%3) FROM %1)")
                                   .arg(c.table, c.column, c.key),
                               {bad});
        }
        expectTableRefuses("INSERT INTO tab_pokladna (ID_OPERACE, DOKLAD_NETISTENY, DOKLAD_VYTISTENY, UZIVATEL,"
                           " POHYB, STAV) VALUES (11, '0', '0', '-', $1, 0)",
                           {bad});
        expectTableRefuses("INSERT INTO tab_prodej (ID_POLOZKA, SLEVA, MNOZSTVI) VALUES ($1, 0, $2)", {item, bad});
        expectTableRefuses("UPDATE tab_prodej SET MNOZSTVI = MNOZSTVI * $1", {bad});
        expectTableRefuses("INSERT INTO tab_jednotka (JEDNOTKA, SPECIFIKACE, MINIMUM) VALUES ('j', 'j', $1)", {bad});
        for (int i = 0; i < 5; ++i) {
            QVariantList params = {"1", "2", "3", "0", "1"};
            params[i] = bad;
            expectTableRefuses(historyInsert, params);
        }
    }
}

TEST_F(Hardening, TheCategoryTreeHasOneRootAndNoCycles)
{
    const int a = call("tab_kategorie_NOVA_KATEGORIE", {1, "A", "a"});
    const int b = call("tab_kategorie_NOVA_KATEGORIE", {a, "B", "b"});
    // A second root, by the procedure or directly.
    s->value("SELECT tab_kategorie_NOVA_KATEGORIE(NULL, 'R', 'r')");
    EXPECT_EQ(s->sqlState(), "23505");
    s->value("UPDATE tab_kategorie SET ID_NADKATEGORIE = NULL WHERE ID_KATEGORIE = $1", {a});
    EXPECT_EQ(s->sqlState(), "23505");
    // A cycle made by hand, long or short, and the root moved under its child.
    s->value("UPDATE tab_kategorie SET ID_NADKATEGORIE = $1 WHERE ID_KATEGORIE = $2", {b, a});
    EXPECT_EQ(s->sqlState(), "50000") << qPrintable(s->error());
    s->value("UPDATE tab_kategorie SET ID_NADKATEGORIE = $1 WHERE ID_KATEGORIE = 1", {b});
    EXPECT_EQ(s->sqlState(), "50000");
    s->value("UPDATE tab_kategorie SET ID_NADKATEGORIE = $1 WHERE ID_KATEGORIE = $1", {a});
    EXPECT_FALSE(s->sqlState().isEmpty());
    // The procedure refuses as before, and an allowed move still goes through.
    EXPECT_EQ(call("tab_kategorie_PRESUNOUT_KATEGORII", {a, b}), 0);
    const int c = call("tab_kategorie_NOVA_KATEGORIE", {1, "C", "c"});
    EXPECT_EQ(call("tab_kategorie_PRESUNOUT_KATEGORII", {b, c}), b);
    EXPECT_EQ(text("tab_kategorie_func_PATH_KATEGORIE", {b}), "?\\C\\B");
    EXPECT_EQ(s->integer("SELECT count(*) FROM tab_kategorie WHERE ID_NADKATEGORIE IS NULL"), 1);
}

TEST_F(Hardening, BasketPurgeTakesEndedSessionsAndKeepsLiveOnes)
{
    const int item = newItem("1");
    const auto other = db.session();
    other->value("SELECT tab_prodej_PRIDAT_EDITOVAT($1, 0, 2, true)", {item});
    // Rows of two ended sessions, one of them many, and one under the other
    // session's process id left before it started (a basket holds an item
    // once, so the rows name items of their own).
    s->exec("INSERT INTO tab_prodej (ID_PROCESS, ID_POLOZKA, SLEVA, MNOZSTVI)"
            " SELECT 2147483000, $1 + n, 0, 1 FROM generate_series(1, 50) n",
            {item});
    s->exec("INSERT INTO tab_prodej (ID_PROCESS, ID_POLOZKA, SLEVA, MNOZSTVI) VALUES (2147483001, $1, 0, 1)", {item});
    s->exec("INSERT INTO tab_prodej (ID_PROCESS, ID_POLOZKA, SLEVA, MNOZSTVI, ZALOZENO)"
            " SELECT $1, $2 + 1, 0, 7, backend_start - interval '1 second' FROM pg_stat_activity WHERE pid = $1",
            {other->pid(), item});
    EXPECT_EQ(call("tab_prodej_func_VYCISTIT"), 52);
    EXPECT_EQ(s->value("SELECT string_agg(ID_PROCESS || ':' || MNOZSTVI, ',') FROM tab_prodej"),
              QString::number(other->pid()) + ":2");
    EXPECT_EQ(other->value("SELECT tab_prodej_func_MNOZSTVI($1)", {item}), "2");
    EXPECT_EQ(call("tab_prodej_func_VYCISTIT"), 0);
}
