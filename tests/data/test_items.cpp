// Items: create, import, edit and remove with their log, the smallest free
// label, and removal of a store's items.
#include "schema_session.h"

#include <QRegularExpression>

using Items = DatabaseTest;

namespace {
const char *logRow = "SELECT concat_ws('|', ID_DOKLAD, ID_OPERACE, ID_ODBERATEL, REF_ID_DOKLAD, DOKLAD_NETISTENY,"
                     " DOKLAD_VYTISTENY, OZNACENI, MNOZSTVI, UZIVATEL = session_user)"
                     " FROM tab_historie WHERE ID_POLOZKA = $1 ORDER BY ID_HISTORIE DESC LIMIT 1";
}

TEST_F(Items, NewAndImportedItemsResolveNamesAndAreLogged)
{
    const int cat = call("tab_kategorie_NOVA_KATEGORIE", {1, "Nápoje", "-"});
    call("tab_dph_EDITOVAT_DPH", {2, "12"});
    const int item = call("tab_polozka_NOVA_POLOZKA(p_oznaceni => '0001', p_kod => '8594000000017',"
                          " p_polozka => 'Minerálka', p_specifikace => '1,5 l', p_zaruka => 0, p_sklad => 'sklad-01',"
                          " p_kategorie => '?\\nápoje', p_dodavatel => '-', p_dph => 12.0000, p_nakup => 8.5,"
                          " p_prodej => 12.9, p_sleva => 5, p_mnozstvi => 24, p_zasoba => 6, p_jednotka => 'KS',"
                          " p_minimum => 1, p_nasobne => true)");
    ASSERT_GT(item, 0);
    EXPECT_EQ(s->value("SELECT concat_ws('|', ID_SKLAD, ID_KATEGORIE, ID_DODAVATEL, ID_DPH, ID_JEDNOTKA,"
                       " PATH_ID_KATEGORIE, STATE_PLATNOST, NAKUP, PRODEJ, SLEVA, MNOZSTVI, ZASOBA)"
                       " FROM tab_polozka WHERE ID_POLOZKA = $1",
                       {item}),
              QString("1|%1|1|2|2|1\\%1\\|t|8.5000|12.9000|5|24|6").arg(cat));
    EXPECT_EQ(s->value(logRow, {item}), "0|7|1|0|-|-|0001|24|t");
    const QString import = "tab_polozka_IMPORT_POLOZKY(p_oznaceni => '0002', p_kod => '-', p_polozka => 'Čaj',"
                           " p_specifikace => '-', p_zaruka => 0, p_sklad => 'Sklad-01', p_kategorie => $1,"
                           " p_dodavatel => '-', p_dph => 20, p_nakup => 1, p_prodej => 2, p_sleva => 0,"
                           " p_mnozstvi => 0.25, p_zasoba => 0, p_jednotka => 'kg', p_minimum => 0.001,"
                           " p_nasobne => false)";
    // An imported row's category must exist whole, not end at the last one found.
    EXPECT_TRUE(text(import, {"?\\Nápoje\\Neznámá"}).isNull());
    EXPECT_EQ(s->error(), "50000 Kategorie položky nenalezena, musí existovat v databázi kategoriií");
    const int imported = call(import, {"?\\Nápoje"});
    EXPECT_EQ(s->value(logRow, {imported}), "0|8|1|0|-|-|0002|0.25|t");
    EXPECT_EQ(s->value("SELECT ID_KATEGORIE FROM tab_polozka WHERE ID_POLOZKA = $1", {imported}), QString::number(cat));
}

TEST_F(Items, UnknownRelatedNamesRefuseTheItem)
{
    for (const char *wrong : {"p_sklad => 'Žádný'", "p_dodavatel => 'Nikdo'", "p_dph => 33", "p_jednotka => 'ft'"}) {
        QString sql = "SELECT tab_polozka_NOVA_POLOZKA(p_oznaceni => '1', p_kod => '1', p_polozka => '1',"
                      " p_specifikace => '-', p_zaruka => 0, p_sklad => 'Sklad-01', p_kategorie => '?',"
                      " p_dodavatel => '-', p_dph => 20, p_nakup => 1, p_prodej => 2, p_sleva => 0,"
                      " p_mnozstvi => 1, p_zasoba => 0, p_jednotka => 'ks', p_minimum => 1, p_nasobne => true)";
        const QString key = QString(wrong).section(" =>", 0, 0);
        sql.replace(QRegularExpression(key + " => [^,)]+"), wrong);
        s->value(sql);
        EXPECT_EQ(s->error(), "50000 Chyba při zápisu záznamu do tab_polozka.") << wrong;
    }
    EXPECT_EQ(call("tab_polozka_POCET"), 0);
    EXPECT_EQ(call("tab_historie_POCET"), 0);
}

TEST_F(Items, EditingRewritesTheItemAndLogsIt)
{
    const int item = newItem("1", "3");
    const int cat = call("tab_kategorie_NOVA_KATEGORIE", {1, "Drogerie", "-"});
    EXPECT_EQ(call("tab_polozka_EDITOVAT_POLOZKU(p_id_polozka => $1, p_oznaceni => 'X1', p_kod => 'K',"
                   " p_polozka => 'Mýdlo', p_specifikace => '-', p_zaruka => 0, p_sklad => 'Sklad-01',"
                   " p_kategorie => '?\\Drogerie', p_dodavatel => '-', p_dph => 10, p_nakup => 5, p_prodej => 9,"
                   " p_sleva => 0, p_mnozstvi => 7, p_zasoba => 1, p_jednotka => 'ks', p_minimum => 1,"
                   " p_nasobne => true)",
                   {item}),
              item);
    EXPECT_EQ(s->value("SELECT concat_ws('|', OZNACENI, POLOZKA, ID_KATEGORIE, PATH_ID_KATEGORIE, ID_DPH, MNOZSTVI)"
                       " FROM tab_polozka WHERE ID_POLOZKA = $1",
                       {item}),
              QString("X1|Mýdlo|%1|1\\%1\\|2|7").arg(cat));
    EXPECT_EQ(s->value(logRow, {item}), "0|9|1|0|-|-|X1|7|t");
    s->value("SELECT tab_polozka_EDITOVAT_POLOZKU(999, '1', '1', '1', '-', 0, 'Sklad-01', '?', '-', 20, 1, 2, 0, 1, 0,"
             " 'ks', 1, true)");
    EXPECT_EQ(s->error(), "50000 Chyba při zápisu záznamu do tab_polozka.");
    s->value("SELECT tab_polozka_HISTORIE(999, 9)");
    EXPECT_EQ(s->error(), "50000 Chyba při zápisu záznamu do tab_historie.");
}

TEST_F(Items, RemovalKeepsSoldItemsAndDeletesOthers)
{
    const int unsold = newItem("1", "4");
    const int sold = newItem("2", "4");
    call("tab_prodej_PRIDAT_EDITOVAT", {sold, 0, "1", true});
    call("tab_prodej_PRODAT", {3, false, "-", 0});
    EXPECT_EQ(call("tab_polozka_REFERENCE", {sold}), 1);
    EXPECT_EQ(call("tab_polozka_ODEBRAT_POLOZKU", {unsold}), unsold);
    EXPECT_EQ(s->integer("SELECT count(*) FROM tab_polozka WHERE ID_POLOZKA = $1", {unsold}), 0);
    EXPECT_EQ(s->integer("SELECT count(*) FROM tab_historie WHERE ID_POLOZKA = $1", {unsold}), 0);
    EXPECT_EQ(call("tab_polozka_ODEBRAT_POLOZKU", {sold}), sold);
    EXPECT_EQ(s->value("SELECT STATE_PLATNOST || '|' || MNOZSTVI FROM tab_polozka WHERE ID_POLOZKA = $1", {sold}),
              "false|0");
    EXPECT_EQ(s->value(logRow, {sold}), "0|10|1|0|-|-|2|3|t"); // logged with the stock it had
    s->value("SELECT tab_polozka_ODEBRAT_POLOZKU(999)");
    EXPECT_EQ(s->error(), "50000 Chyba při umazávání záznamu z tab_polozka.");
}

TEST_F(Items, RemovingAStoresItemsKeepsDocumentLines)
{
    const int store = call("tab_sklad_NOVY_SKLAD", {1, "Sklad-02"});
    const int other = newItem("1", "4");
    const int unsold = newItem("1", "4", "10", "?", "Sklad-02");
    const int sold = newItem("2", "4", "10", "?", "Sklad-02");
    call("tab_prodej_PRIDAT_EDITOVAT", {sold, 0, "1", true});
    call("tab_prodej_PRODAT", {2, false, "-", 0});
    EXPECT_EQ(call("tab_polozka_ODEBRAT_POLOZKY", {store}), 1);
    EXPECT_EQ(s->column("SELECT ID_POLOZKA || ':' || STATE_PLATNOST || ':' || MNOZSTVI FROM tab_polozka ORDER BY 1"),
              QStringList({QString("%1:true:4").arg(other), QString("%1:false:0").arg(sold)}));
    EXPECT_EQ(s->integer("SELECT count(*) FROM tab_historie WHERE ID_POLOZKA = $1", {unsold}), 0);
    EXPECT_EQ(s->integer("SELECT count(*) FROM tab_historie WHERE ID_POLOZKA = $1 AND ID_DOKLAD <> 0", {sold}), 1);
    EXPECT_EQ(s->integer("SELECT count(*) FROM tab_historie WHERE ID_POLOZKA = $1 AND ID_OPERACE = 10", {sold}), 1);
    EXPECT_EQ(s->integer("SELECT count(*) FROM tab_historie WHERE ID_POLOZKA = $1", {other}), 1);
}

TEST_F(Items, SmallestFreeNumericLabel)
{
    EXPECT_EQ(text("tab_polozka_func_OZNACENI_NEJMENSI_VOLNE", {1, 4}), "0001");
    newItem("1");
    newItem("0002");
    newItem("4");
    newItem("abc");
    const int five = newItem("5");
    EXPECT_EQ(text("tab_polozka_func_OZNACENI_NEJMENSI_VOLNE", {1, 4}), "0003");
    newItem("3");
    EXPECT_EQ(text("tab_polozka_func_OZNACENI_NEJMENSI_VOLNE", {1, 2}), "06");
    call("tab_polozka_ODEBRAT_POLOZKU", {five}); // a removed item's label is free again
    EXPECT_EQ(text("tab_polozka_func_OZNACENI_NEJMENSI_VOLNE", {1, 1}), "5");
    EXPECT_EQ(text("tab_polozka_func_OZNACENI_NEJMENSI_VOLNE", {2, 3}), "001");
}

// The refresh runs with the owner's rights on the shop's own items table: a
// table of that name that a user made among his session's temporary ones is
// not the one it reads, whatever comes first on the user's search path.
TEST_F(Items, TheStatisticsRefreshReadsTheShopsItemsTableNotAUsersTemporaryOne)
{
    newItem("0001");
    newItem("0002");
    const QString petr = db.roleName("petr");
    s->value("SELECT uzivatel_NOVY_UZIVATEL($1, $2)", {petr, s->verifier(petr, "p")});
    ASSERT_EQ(s->error(), "");
    auto petrs = db.sessionAs(petr, "p");
    petrs->exec("CREATE TEMP TABLE tab_polozka AS SELECT generate_series(1, 5) AS ID_POLOZKA");
    petrs->exec("SET search_path = pg_temp, public");
    EXPECT_EQ(petrs->integer("SELECT public.tab_polozka_func_IMPORT_STATISTIKA()"), 1);
    EXPECT_EQ(s->integer("SELECT reltuples::integer FROM pg_class WHERE oid = 'public.tab_polozka'::regclass"), 2);
}

// An import has the items table's statistics made anew though only the owner
// may: a shop user can, a role outside the shop cannot.
TEST_F(Items, TheImportsStatisticsRefreshIsTheShopUsersOnly)
{
    newItem("0001");
    const QString petr = db.roleName("petr");
    s->value("SELECT uzivatel_NOVY_UZIVATEL($1, $2)", {petr, s->verifier(petr, "p")});
    ASSERT_EQ(s->error(), "");
    auto petrs = db.sessionAs(petr, "p");
    EXPECT_EQ(petrs->integer("SELECT tab_polozka_func_IMPORT_STATISTIKA()"), 1);
    EXPECT_EQ(petrs->error(), "");
    EXPECT_EQ(s->integer("SELECT reltuples::integer FROM pg_class WHERE relname = 'tab_polozka'"), 1);

    const QString outsider = db.roleName("cizi");
    s->exec(QString("CREATE ROLE \"%1\" LOGIN PASSWORD 'c'").arg(outsider));
    s->exec(QString("GRANT CONNECT ON DATABASE \"%1\" TO \"%2\"").arg(db.name(), outsider));
    auto outsiders = db.sessionAs(outsider, "c");
    outsiders->value("SELECT tab_polozka_func_IMPORT_STATISTIKA()");
    EXPECT_TRUE(outsiders->error().startsWith("42501 ")) << qPrintable(outsiders->error());
}
