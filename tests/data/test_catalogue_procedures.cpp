// The procedure families of the catalogue: counts, references, existence
// tests, lookups, defaults, default switching, toggles, loaders, lists, and
// create, edit and remove.
#include "schema_session.h"

using CatalogueProcedures = DatabaseTest;

TEST_F(CatalogueProcedures, EveryProcedureAndFunctionExists)
{
    const QStringList names =
        QString(
            "tab_filtr_POCET tab_sklad_POCET tab_kontakt_POCET tab_kategorie_POCET tab_jednotka_POCET"
            " tab_polozka_POCET tab_doklad_POCET tab_historie_POCET tab_prodej_POCET tab_kategorie_POCET_2"
            " uzivatel_COUNT tab_sklad_REFERENCE tab_kontakt_REFERENCE tab_kategorie_REFERENCE"
            " tab_jednotka_REFERENCE tab_polozka_REFERENCE tab_sestava_SESTAVA_EXISTUJE"
            " tab_sestava_SESTAVA_EXISTUJE_2 tab_oznaceni_doklad_OZNACENI_DOKLAD_EXISTUJE"
            " tab_oznaceni_doklad_OZNACENI_DOKLAD_EXISTUJE_2 tab_dph_DPH_EXISTUJE tab_dph_DPH_EXISTUJE_2"
            " tab_filtr_FILTR_EXISTUJE tab_filtr_FILTR_EXISTUJE_2 tab_sklad_SKLAD_EXISTUJE tab_sklad_SKLAD_EXISTUJE_2"
            " tab_kontakt_KONTAKT_EXISTUJE tab_kontakt_KONTAKT_EXISTUJE_2 tab_jednotka_JEDNOTKA_EXISTUJE"
            " tab_jednotka_JEDNOTKA_EXISTUJE_2 tab_kategorie_KATEGORIE_EXISTUJE tab_kategorie_KATEGORIE_EXISTUJE_2"
            " tab_kategorie_KATEGORIE_EXISTUJE_3 tab_polozka_OZNACENI_EXISTUJE tab_polozka_POLOZKA_EXISTUJE"
            " tab_polozka_KOD_EXISTUJE tab_polozka_OZNACENI_EXISTUJE_2 tab_polozka_POLOZKA_EXISTUJE_2"
            " tab_polozka_KOD_EXISTUJE_2 tab_dph_ID_DPH tab_dph_func_ID_DPH tab_filtr_ID_FILTR tab_filtr_func_ID_FILTR"
            " tab_sklad_ID_SKLAD tab_sklad_func_ID_SKLAD tab_kontakt_ID_KONTAKT tab_kontakt_func_ID_KONTAKT"
            " tab_jednotka_ID_JEDNOTKA tab_jednotka_func_ID_JEDNOTKA tab_polozka_ID_POLOZKA tab_sklad_ID_KATEGORIE"
            " uzivatel_ID_USER tab_sestava_func_SOUBOR tab_dph_func_DPH tab_filtr_func_FILTR tab_filtr_func_SCRIPT"
            " tab_sklad_func_SKLAD tab_kontakt_func_KONTAKT tab_kategorie_func_KATEGORIE tab_jednotka_func_JEDNOTKA"
            " tab_jednotka_func_MINIMUM tab_jednotka_NASOBNE tab_polozka_func_POLOZKA tab_polozka_func_OZNACENI"
            " uzivatel_func_USER tab_oznaceni_doklad_func_OZNACENI_DOKLAD tab_oznaceni_doklad_func_OZNACENI_ODDELOVAC"
            " tab_oznaceni_doklad_func_PORADI_ZAROVNANI tab_prodej_func_MNOZSTVI tab_dph_VYCHOZI_ID_DPH"
            " tab_dph_func_VYCHOZI_DPH tab_sklad_VYCHOZI_ID_SKLAD tab_sklad_func_VYCHOZI_SKLAD"
            " tab_kontakt_VYCHOZI_ID_DODAVATEL tab_kontakt_func_VYCHOZI_DODAVATEL tab_kontakt_VYCHOZI_ID_ODBERATEL"
            " tab_kontakt_func_VYCHOZI_ODBERATEL tab_jednotka_VYCHOZI_ID_JEDNOTKA tab_jednotka_func_VYCHOZI_JEDNOTKA"
            " tab_kategorie_VYCHOZI_ID_KATEGORIE tab_kategorie_func_VYCHOZI_KATEGORIE tab_dph_NASTAVENI_VYCHOZI_DPH"
            " tab_sklad_NASTAVENI_VYCHOZIHO_SKLADU tab_kontakt_NASTAVENI_VYCHOZIHO_KONTAKTU_DODAVATEL"
            " tab_kontakt_NASTAVENI_VYCHOZIHO_KONTAKTU_ODBERATEL tab_kategorie_NASTAVENI_VYCHOZI_ID_KATEGORIE"
            " tab_jednotka_NASTAVENI_VYCHOZI_JEDNOTKY tab_jednotka_NASTAVENI_NASOBNE"
            " tab_oznaceni_doklad_NASTAVENI_OZNACENI_ROK tab_oznaceni_doklad_NASTAVENI_OZNACENI_MESIC"
            " tab_oznaceni_doklad_NASTAVENI_OZNACENI_DEN tab_filtr_NACIST_DLE_ID_FILTR tab_sklad_NACIST_DLE_ID_SKLAD"
            " tab_kontakt_NACIST_DLE_ID_KONTAKT tab_kategorie_NACIST_DLE_ID_KATEGORIE"
            " tab_jednotka_NACIST_DLE_ID_JEDNOTKA tab_polozka_NACIST_DLE_ID_POLOZKA"
            " tab_oznaceni_doklad_NACIST_DLE_ID_OZNACENI_DOKLAD uzivatel_NACIST_DLE_ID_UZIVATEL"
            " tab_dph_func_NACIST_SEZNAM_DPH tab_filtr_func_NACIST_SEZNAM_FILTRU tab_sklad_func_NACIST_SEZNAM_SKLADU"
            " tab_kontakt_func_NACIST_SEZNAM_KONTAKTU tab_jednotka_func_NACIST_SEZNAM_JEDNOTEK"
            " tab_kategorie_func_NACIST_SEZNAM_ID_KATEGORII TABLES_OF_DATABASE_LIST FIELDS_OF_TABLE_LIST"
            " tab_filtr_NOVY_FILTR tab_sklad_NOVY_SKLAD tab_kontakt_NOVY_KONTAKT tab_kategorie_NOVA_KATEGORIE"
            " tab_jednotka_NOVA_JEDNOTKA tab_sestava_EDITOVAT_SESTAVU tab_oznaceni_doklad_EDITOVAT_OZNACENI"
            " tab_dph_EDITOVAT_DPH tab_filtr_EDITOVAT_FILTR tab_sklad_EDITOVAT_SKLAD tab_kontakt_EDITOVAT_KONTAKT"
            " tab_kategorie_EDITOVAT_KATEGORII tab_kategorie_PREJMENOVAT_KATEGORII tab_jednotka_EDITOVAT_JEDNOTKU"
            " tab_filtr_ODEBRAT_FILTR tab_sklad_ODEBRAT_SKLAD tab_kontakt_ODEBRAT_KONTAKT tab_jednotka_ODEBRAT_JEDNOTKU"
            " ZERO_ALIGN func_ZERO_ALIGN tab_oznaceni_doklad_func_ROK_MESIC_DEN "
            "tab_oznaceni_doklad_func_DOKLAD_NETISTENY"
            " tab_oznaceni_doklad_func_DOKLAD_VYTISTENY tab_oznaceni_doklad_PORADI_DOKLAD_NETISTENY"
            " tab_oznaceni_doklad_PORADI_DOKLAD_VYTISTENY uzivatel_func_LOGIN_TO_USER uzivatel_func_USER_TO_LOGIN"
            " uzivatel_func_USER_EXIST uzivatel_func_AKTIVNI_UZIVATEL uzivatel_func_AKTIVNI_LOGIN"
            " uzivatel_NOVY_UZIVATEL uzivatel_HESLO_UZIVATEL uzivatel_ODEBRAT_UZIVATELE"
            " tab_uzivatel_opravneni_OPRAVNENI tab_pokladna_func_STAV tab_pokladna_POHYB tab_dph_func_DPH_CONST"
            " tab_kategorie_func_PATH_KATEGORIE tab_kategorie_func_PATH_ID_KATEGORIE tab_kategorie_ID_KATEGORIE"
            " tab_kategorie_ID_KATEGORIE_EXISTUJE tab_kategorie_LZE_KOPIROVAT_KATEGORII"
            " tab_kategorie_KOPIROVAT_PODKATEGORIE tab_kategorie_KOPIROVAT_KATEGORII"
            " tab_kategorie_LZE_PRESUNOUT_KATEGORII tab_kategorie_PRESUNOUT_KATEGORII"
            " tab_kategorie_ODEBRAT_PODKATEGORIE tab_kategorie_ODEBRAT_KATEGORII"
            " tab_polozka_func_OZNACENI_NEJMENSI_VOLNE tab_polozka_HISTORIE tab_polozka_NOVA_POLOZKA"
            " tab_polozka_IMPORT_POLOZKY tab_polozka_EDITOVAT_POLOZKU tab_polozka_ODEBRAT_POLOZKU"
            " tab_polozka_ODEBRAT_POLOZKY tab_prodej_PRIDAT_EDITOVAT tab_prodej_ODEBRAT tab_prodej_PRODAT"
            " tab_doklad_LZE_STORNOVAT tab_doklad_STORNO")
            .split(' ');
    ASSERT_EQ(names.size(), 167);
    for (const QString &name : names)
        EXPECT_EQ(s->integer("SELECT count(*) FROM pg_proc p JOIN pg_namespace n ON n.oid = p.pronamespace"
                             " WHERE n.nspname = 'public' AND p.proname = lower($1)",
                             {name}),
                  1)
            << qPrintable(name);
}

TEST_F(CatalogueProcedures, CountsAndReferences)
{
    for (const char *table : {"filtr", "sklad", "kontakt", "kategorie", "jednotka", "polozka", "doklad", "historie"})
        EXPECT_EQ(call(QString("tab_%1_POCET").arg(table)),
                  s->integer(QString("SELECT count(*) FROM tab_%1").arg(table)))
            << table;
    const int child = call("tab_kategorie_NOVA_KATEGORIE", {1, "Nápoje", "-"});
    const int item = newItem("1", "5", "100", "?\\Nápoje");
    newItem("2");
    EXPECT_EQ(call("tab_kategorie_POCET_2", {1}), 1);
    EXPECT_EQ(call("tab_kategorie_POCET_2", {child}), 0);
    EXPECT_EQ(call("tab_sklad_REFERENCE", {1}), 2);
    EXPECT_EQ(call("tab_kontakt_REFERENCE", {1}), 2);
    EXPECT_EQ(call("tab_kategorie_REFERENCE", {child}), 1);
    EXPECT_EQ(call("tab_jednotka_REFERENCE", {2}), 2);
    EXPECT_EQ(call("tab_jednotka_REFERENCE", {3}), 0);
    EXPECT_EQ(call("tab_polozka_REFERENCE", {item}), 0); // log rows are not document lines
    EXPECT_EQ(call("tab_historie_POCET"), 2);
}

TEST_F(CatalogueProcedures, ExistenceTestsIgnoreLetterCaseAndTheEditedRow)
{
    EXPECT_EQ(call("tab_sklad_SKLAD_EXISTUJE", {"sklad-01"}), 1);
    EXPECT_EQ(call("tab_sklad_SKLAD_EXISTUJE_2", {1, "SKLAD-01"}), 0);
    EXPECT_EQ(call("tab_sklad_SKLAD_EXISTUJE_2", {2, "Sklad-01"}), 1);
    EXPECT_EQ(call("tab_sestava_SESTAVA_EXISTUJE", {"účtenka a5"}), 1);
    EXPECT_EQ(call("tab_sestava_SESTAVA_EXISTUJE_2", {1, "Účtenka A5"}), 0);
    EXPECT_EQ(call("tab_oznaceni_doklad_OZNACENI_DOKLAD_EXISTUJE", {"uct"}), 1);
    EXPECT_EQ(call("tab_oznaceni_doklad_OZNACENI_DOKLAD_EXISTUJE_2", {2, "UCT"}), 1);
    EXPECT_EQ(call("tab_dph_DPH_EXISTUJE", {"10"}), 1);
    EXPECT_EQ(call("tab_dph_DPH_EXISTUJE_2", {2, "10"}), 0);
    EXPECT_EQ(call("tab_filtr_FILTR_EXISTUJE", {"[žádný filtr]"}), 1);
    EXPECT_EQ(call("tab_kontakt_KONTAKT_EXISTUJE_2", {1, "-"}), 0);
    EXPECT_EQ(call("tab_jednotka_JEDNOTKA_EXISTUJE", {"KG"}), 1);
    const int child = call("tab_kategorie_NOVA_KATEGORIE", {1, "Nápoje", "-"});
    EXPECT_EQ(call("tab_kategorie_KATEGORIE_EXISTUJE", {child}), 1);
    EXPECT_EQ(call("tab_kategorie_KATEGORIE_EXISTUJE", {99}), 0);
    EXPECT_EQ(call("tab_kategorie_KATEGORIE_EXISTUJE_2", {1, "NÁPOJE"}), 1);
    EXPECT_EQ(call("tab_kategorie_KATEGORIE_EXISTUJE_3", {1, child, "Nápoje"}), 0);
    // Items: only valid items of the one store count.
    const int item = newItem("A1");
    EXPECT_EQ(call("tab_polozka_OZNACENI_EXISTUJE", {1, "a1"}), 1);
    EXPECT_EQ(call("tab_polozka_OZNACENI_EXISTUJE", {2, "A1"}), 0);
    EXPECT_EQ(call("tab_polozka_OZNACENI_EXISTUJE_2", {1, item, "A1"}), 0);
    EXPECT_EQ(call("tab_polozka_KOD_EXISTUJE", {1, "A1"}), 1);
    EXPECT_EQ(call("tab_polozka_POLOZKA_EXISTUJE", {1, "položka a1"}), 1);
    EXPECT_EQ(call("tab_polozka_POLOZKA_EXISTUJE_2", {1, item + 1, "Položka A1"}), 1);
    s->exec("UPDATE tab_polozka SET STATE_PLATNOST = false");
    EXPECT_EQ(call("tab_polozka_OZNACENI_EXISTUJE", {1, "A1"}), 0);
    EXPECT_EQ(call("tab_polozka_KOD_EXISTUJE_2", {1, 0, "A1"}), 0);
}

TEST_F(CatalogueProcedures, LookupsGiveZeroOrEmptyWhenNothingMatches)
{
    EXPECT_EQ(call("tab_sklad_ID_SKLAD", {"sklad-01"}), 1);
    EXPECT_EQ(call("tab_sklad_func_ID_SKLAD", {"Jiný"}), 0);
    EXPECT_EQ(call("tab_kontakt_ID_KONTAKT", {"-"}), 1);
    EXPECT_EQ(call("tab_jednotka_func_ID_JEDNOTKA", {"kg"}), 6);
    EXPECT_EQ(call("tab_filtr_ID_FILTR", {"Doklady - Storno dodacího listu"}), 22);
    EXPECT_EQ(call("tab_filtr_func_ID_FILTR", {"nic"}), 0);
    EXPECT_EQ(call("tab_dph_func_ID_DPH", {"20"}), 3);
    EXPECT_EQ(call("tab_dph_ID_DPH", {"21"}), 0);
    // A rate that single precision cannot hold exactly is still found again.
    EXPECT_EQ(call("tab_dph_EDITOVAT_DPH", {2, "12.3"}), 2);
    EXPECT_EQ(call("tab_dph_ID_DPH", {"12.3000"}), 2);
    EXPECT_EQ(call("tab_sklad_ID_KATEGORIE", {1}), 1);
    EXPECT_EQ(call("tab_sklad_ID_KATEGORIE", {5}), 0);
    EXPECT_EQ(text("tab_sklad_func_SKLAD", {1}), "Sklad-01");
    EXPECT_EQ(text("tab_sklad_func_SKLAD", {5}), "");
    EXPECT_EQ(text("tab_sestava_func_SOUBOR", {4}), "Faktura_A4.vlf");
    EXPECT_EQ(text("tab_sestava_func_SOUBOR", {40}), "");
    EXPECT_EQ(text("tab_dph_func_DPH", {3}), "20");
    EXPECT_EQ(text("tab_dph_func_DPH", {9}), "0");
    EXPECT_EQ(text("tab_filtr_func_FILTR", {1}), "[Žádný filtr]");
    EXPECT_EQ(text("tab_filtr_func_SCRIPT", {11}), "tab_historie.ID_OPERACE=1");
    EXPECT_EQ(text("tab_filtr_func_SCRIPT", {99}), "");
    EXPECT_EQ(text("tab_kontakt_func_KONTAKT", {1}), "-");
    EXPECT_EQ(text("tab_kategorie_func_KATEGORIE", {1}), "?");
    EXPECT_EQ(text("tab_jednotka_func_JEDNOTKA", {4}), "m");
    EXPECT_EQ(text("tab_jednotka_func_MINIMUM", {5}), "0.02");
    EXPECT_EQ(text("tab_jednotka_func_MINIMUM", {50}), "0");
    EXPECT_EQ(call("tab_jednotka_NASOBNE", {2}), 1);
    EXPECT_EQ(call("tab_jednotka_NASOBNE", {6}), 0);
    const int item = newItem("007");
    EXPECT_EQ(text("tab_polozka_func_POLOZKA", {item}), "Položka 007");
    EXPECT_EQ(text("tab_polozka_func_OZNACENI", {item}), "007");
    EXPECT_EQ(text("tab_polozka_func_OZNACENI", {item + 1}), "");
    EXPECT_EQ(call("tab_polozka_ID_POLOZKA", {"položka 007"}), item);
    EXPECT_EQ(call("tab_polozka_ID_POLOZKA", {"žádná"}), 0);
    EXPECT_EQ(text("tab_oznaceni_doklad_func_OZNACENI_DOKLAD", {2}), "FAK");
    EXPECT_EQ(text("tab_oznaceni_doklad_func_OZNACENI_ODDELOVAC", {2}), "");
    EXPECT_EQ(text("tab_oznaceni_doklad_func_PORADI_ZAROVNANI", {2}), "4");
    EXPECT_TRUE(text("tab_oznaceni_doklad_func_OZNACENI_DOKLAD", {4}).isNull());
    EXPECT_TRUE(text("tab_oznaceni_doklad_func_PORADI_ZAROVNANI", {4}).isNull());
    EXPECT_NEAR(text("tab_dph_func_DPH_CONST", {3}).toDouble(), 1.0 / 6.0, 1e-6);
    EXPECT_EQ(text("tab_dph_func_DPH_CONST", {1}), "0");
    EXPECT_EQ(text("tab_dph_func_DPH_CONST", {7}), "0");
}

TEST_F(CatalogueProcedures, DefaultsReadTheFlaggedRow)
{
    EXPECT_EQ(call("tab_dph_VYCHOZI_ID_DPH"), 3);
    EXPECT_EQ(text("tab_dph_func_VYCHOZI_DPH"), "20");
    EXPECT_EQ(call("tab_sklad_VYCHOZI_ID_SKLAD"), 1);
    EXPECT_EQ(text("tab_sklad_func_VYCHOZI_SKLAD"), "Sklad-01");
    EXPECT_EQ(call("tab_kontakt_VYCHOZI_ID_DODAVATEL"), 1);
    EXPECT_EQ(text("tab_kontakt_func_VYCHOZI_ODBERATEL"), "-");
    EXPECT_EQ(call("tab_jednotka_VYCHOZI_ID_JEDNOTKA"), 2);
    EXPECT_EQ(text("tab_jednotka_func_VYCHOZI_JEDNOTKA"), "ks");
    EXPECT_EQ(call("tab_kategorie_VYCHOZI_ID_KATEGORIE"), 1);
    s->exec("UPDATE tab_dph SET STATE_VYCHOZI = false");
    s->exec("UPDATE tab_kategorie SET STATE_VYCHOZI = false");
    s->exec("UPDATE tab_kontakt SET STATE_DODAVATEL = false");
    EXPECT_EQ(call("tab_dph_VYCHOZI_ID_DPH"), 0);
    EXPECT_EQ(text("tab_kontakt_func_VYCHOZI_DODAVATEL"), "");
    // With no category marked the root stands in.
    call("tab_kategorie_NOVA_KATEGORIE", {1, "A", "-"});
    EXPECT_EQ(call("tab_kategorie_VYCHOZI_ID_KATEGORIE"), 1);
    EXPECT_EQ(text("tab_kategorie_func_VYCHOZI_KATEGORIE"), "?");
}

TEST_F(CatalogueProcedures, DefaultSwitchingLeavesExactlyOneDefault)
{
    const auto defaults = [&](const QString &table, const QString &flag) {
        return s->column(QString("SELECT ID_%1 FROM tab_%2 WHERE %3 ORDER BY 1").arg(table.toUpper(), table, flag));
    };
    // Setting the row that already is the default changes nothing.
    EXPECT_EQ(call("tab_dph_NASTAVENI_VYCHOZI_DPH", {3}), 0);
    EXPECT_EQ(defaults("dph", "STATE_VYCHOZI"), QStringList{"3"});
    EXPECT_EQ(call("tab_dph_NASTAVENI_VYCHOZI_DPH", {2}), 2);
    EXPECT_EQ(defaults("dph", "STATE_VYCHOZI"), QStringList{"2"});
    EXPECT_EQ(call("tab_dph_NASTAVENI_VYCHOZI_DPH", {9}), 0);
    EXPECT_EQ(defaults("dph", "STATE_VYCHOZI"), QStringList{"2"});
    EXPECT_EQ(call("tab_jednotka_NASTAVENI_VYCHOZI_JEDNOTKY", {6}), 6);
    EXPECT_EQ(defaults("jednotka", "STATE_VYCHOZI"), QStringList{"6"});
    const int cat = call("tab_kategorie_NOVA_KATEGORIE", {1, "A", "-"});
    EXPECT_EQ(call("tab_kategorie_NASTAVENI_VYCHOZI_ID_KATEGORIE", {cat}), cat);
    EXPECT_EQ(defaults("kategorie", "STATE_VYCHOZI"), QStringList{QString::number(cat)});
    // Supplier and customer flags switch independently.
    const int contact = call("tab_kontakt_NOVY_KONTAKT",
                             {"Dodavatel s.r.o.", "12345678", "CZ12345678", "Praha", "-", "-", "-", "-", "-", "-"});
    EXPECT_EQ(call("tab_kontakt_NASTAVENI_VYCHOZIHO_KONTAKTU_DODAVATEL", {contact}), contact);
    EXPECT_EQ(defaults("kontakt", "STATE_DODAVATEL"), QStringList{QString::number(contact)});
    EXPECT_EQ(defaults("kontakt", "STATE_ODBERATEL"), QStringList{"1"});
    EXPECT_EQ(call("tab_kontakt_NASTAVENI_VYCHOZIHO_KONTAKTU_ODBERATEL", {contact}), contact);
    EXPECT_EQ(defaults("kontakt", "STATE_ODBERATEL"), QStringList{QString::number(contact)});
    // After the default store has been removed a new default can still be set.
    const int store = call("tab_sklad_NOVY_SKLAD", {1, "Sklad-02"});
    EXPECT_EQ(call("tab_sklad_NASTAVENI_VYCHOZIHO_SKLADU", {store}), store);
    EXPECT_EQ(call("tab_sklad_ODEBRAT_SKLAD", {store}), store);
    EXPECT_TRUE(defaults("sklad", "STATE_VYCHOZI").isEmpty());
    EXPECT_EQ(call("tab_sklad_NASTAVENI_VYCHOZIHO_SKLADU", {1}), 1);
    EXPECT_EQ(defaults("sklad", "STATE_VYCHOZI"), QStringList{"1"});
}

TEST_F(CatalogueProcedures, TogglesInvertOneFlag)
{
    EXPECT_EQ(call("tab_jednotka_NASTAVENI_NASOBNE", {4}), 4);
    EXPECT_EQ(call("tab_jednotka_NASOBNE", {4}), 1);
    EXPECT_EQ(call("tab_jednotka_NASTAVENI_NASOBNE", {40}), 0);
    EXPECT_EQ(call("tab_oznaceni_doklad_NASTAVENI_OZNACENI_ROK", {1}), 1);
    EXPECT_EQ(call("tab_oznaceni_doklad_NASTAVENI_OZNACENI_MESIC", {2}), 2);
    EXPECT_EQ(call("tab_oznaceni_doklad_NASTAVENI_OZNACENI_DEN", {3}), 3);
    EXPECT_EQ(call("tab_oznaceni_doklad_NASTAVENI_OZNACENI_DEN", {3}), 3);
    EXPECT_EQ(
        s->column("SELECT concat(OZNACENI_ROK, OZNACENI_MESIC, OZNACENI_DEN) FROM tab_oznaceni_doklad ORDER BY 1"),
        QStringList({"ftt", "tft", "ttt"}));
}

TEST_F(CatalogueProcedures, LoadersFillTheirOutParameters)
{
    EXPECT_EQ(s->value("SELECT p_filtr || '|' || p_script FROM tab_filtr_NACIST_DLE_ID_FILTR(17)"),
              "Doklady - Všechny dodací listy|tab_historie.ID_OPERACE=3");
    EXPECT_EQ(s->value("SELECT p_id_kategorie || '|' || p_sklad FROM tab_sklad_NACIST_DLE_ID_SKLAD(1)"), "1|Sklad-01");
    EXPECT_EQ(s->value("SELECT concat_ws('|', p_kontakt, p_ic, p_poznamka) FROM tab_kontakt_NACIST_DLE_ID_KONTAKT(1)"),
              "-|-|-");
    EXPECT_EQ(s->value("SELECT p_kategorie || '|' || p_specifikace FROM tab_kategorie_NACIST_DLE_ID_KATEGORIE(1)"),
              "?|-");
    EXPECT_EQ(s->value("SELECT concat_ws('|', p_jednotka, p_specifikace, p_minimum)"
                       " FROM tab_jednotka_NACIST_DLE_ID_JEDNOTKA(6)"),
              "kg|kilogram|0.001");
    EXPECT_EQ(s->value("SELECT concat_ws('|', p_oznaceni_doklad, p_oznaceni_rok, p_oznaceni_oddelovac,"
                       " p_poradi_doklad_netisteny, p_poradi_zarovnani)"
                       " FROM tab_oznaceni_doklad_NACIST_DLE_ID_OZNACENI_DOKLAD(3)"),
              "DOD|t||1|4");
    const int item = newItem("5", "2.5", "40");
    EXPECT_EQ(s->value("SELECT concat_ws('|', p_id_sklad, p_id_dph, p_path_id_kategorie, p_state_platnost,"
                       " p_oznaceni, p_nakup, p_prodej, p_mnozstvi, p_nasobne)"
                       " FROM tab_polozka_NACIST_DLE_ID_POLOZKA($1)",
                       {item}),
              "1|3|1\\|t|5|20.0000|40.0000|2.5|t");
    EXPECT_EQ(s->value("SELECT count(*) FROM tab_polozka_NACIST_DLE_ID_POLOZKA(999) WHERE p_oznaceni IS NULL"), "1");
}

TEST_F(CatalogueProcedures, ListsAreJoinedByCarriageReturnsInCzechOrder)
{
    call("tab_sklad_NOVY_SKLAD", {1, "Čepice"});
    call("tab_sklad_NOVY_SKLAD", {1, "Cukr"});
    call("tab_sklad_NOVY_SKLAD", {1, "Dort"});
    EXPECT_EQ(text("tab_sklad_func_NACIST_SEZNAM_SKLADU"), "Cukr\rČepice\rDort\rSklad-01");
    call("tab_dph_EDITOVAT_DPH", {2, "12.5"});
    EXPECT_EQ(text("tab_dph_func_NACIST_SEZNAM_DPH"), "0\r12,5\r20");
    EXPECT_EQ(text("tab_jednotka_func_NACIST_SEZNAM_JEDNOTEK"), "-\rh\rkg\rks\rl\rm");
    EXPECT_EQ(text("tab_kontakt_func_NACIST_SEZNAM_KONTAKTU"), "-");
    EXPECT_EQ(text("tab_filtr_func_NACIST_SEZNAM_FILTRU").split('\r').size(), 22);
    const int b = call("tab_kategorie_NOVA_KATEGORIE", {1, "B", "-"});
    const int a = call("tab_kategorie_NOVA_KATEGORIE", {1, "A", "-"});
    EXPECT_EQ(text("tab_kategorie_func_NACIST_SEZNAM_ID_KATEGORII", {1}), QString("%1\r%2").arg(a).arg(b));
    EXPECT_EQ(text("tab_kategorie_func_NACIST_SEZNAM_ID_KATEGORII", {a}), "");
    // Long lists are cut at 8000 characters.
    for (int i = 0; i < 300; ++i)
        call("tab_filtr_NOVY_FILTR", {QString("Filtr číslo %1 s dlouhým názvem").arg(i, 3, 10, QChar('0')), "1=1"});
    EXPECT_EQ(text("tab_filtr_func_NACIST_SEZNAM_FILTRU").size(), 8000);
    const QStringList tables = text("TABLES_OF_DATABASE_LIST").split('\r');
    EXPECT_EQ(tables.size(), 15);
    EXPECT_TRUE(tables.contains("tab_uzivatel_opravneni"));
    EXPECT_EQ(text("FIELDS_OF_TABLE_LIST", {"TAB_DPH"}),
              "tab_dph.id_dph integer [4]\rtab_dph.state_vychozi boolean [1]\rtab_dph.dph real [4]");
    EXPECT_TRUE(
        text("FIELDS_OF_TABLE_LIST", {"tab_polozka"}).contains("tab_polozka.oznaceni character varying [16]\r"));
    EXPECT_TRUE(text("FIELDS_OF_TABLE_LIST", {"tab_polozka"}).contains("tab_polozka.nakup numeric [19]\r"));
    // The basket's columns of types of their own show what they are made of.
    EXPECT_TRUE(text("FIELDS_OF_TABLE_LIST", {"tab_prodej"})
                    .contains("tab_prodej.sleva smallint [2]\rtab_prodej.mnozstvi real [4]\r"));
    EXPECT_EQ(text("FIELDS_OF_TABLE_LIST", {"nic"}), "");
}

TEST_F(CatalogueProcedures, CreateEditAndRemove)
{
    const int filter = call("tab_filtr_NOVY_FILTR", {"Drahé", "tab_polozka.PRODEJ > 1000"});
    EXPECT_EQ(filter, 23);
    EXPECT_EQ(call("tab_filtr_EDITOVAT_FILTR", {filter, "Levné", "tab_polozka.PRODEJ < 10"}), filter);
    EXPECT_EQ(text("tab_filtr_func_SCRIPT", {filter}), "tab_polozka.PRODEJ < 10");
    EXPECT_EQ(call("tab_filtr_EDITOVAT_FILTR", {99, "x", "1=1"}), 0);
    EXPECT_EQ(call("tab_filtr_ODEBRAT_FILTR", {filter}), filter);
    EXPECT_EQ(call("tab_filtr_ODEBRAT_FILTR", {filter}), 0);
    // New rows take the defaults: not default, multiples only.
    const int unit = call("tab_jednotka_NOVA_JEDNOTKA", {"bal", "balení po dvanácti kusech", "0.5"});
    EXPECT_EQ(unit, 7);
    EXPECT_EQ(s->value("SELECT concat_ws('|', SPECIFIKACE, MINIMUM, NASOBNE, STATE_VYCHOZI) FROM tab_jednotka"
                       " WHERE ID_JEDNOTKA = 7"),
              "balení po dvanácti kusech|0.5|t|f");
    EXPECT_EQ(call("tab_jednotka_EDITOVAT_JEDNOTKU", {unit, "bal", "balík", "2"}), unit);
    const int contact = call("tab_kontakt_NOVY_KONTAKT", {"Firma", "1", "2", "3", "4", "5", "6", "7", "8", "9"});
    EXPECT_EQ(s->value("SELECT concat_ws('|', STATE_DODAVATEL, STATE_ODBERATEL, KONTAKT, POZNAMKA) FROM tab_kontakt"
                       " WHERE ID_KONTAKT = $1",
                       {contact}),
              "f|f|Firma|9");
    EXPECT_EQ(
        call("tab_kontakt_EDITOVAT_KONTAKT", {contact, "Firma a.s.", "1", "2", "3", "4", "5", "6", "7", "8", "X"}),
        contact);
    EXPECT_EQ(text("tab_kontakt_func_KONTAKT", {contact}), "Firma a.s.");
    const int store = call("tab_sklad_NOVY_SKLAD", {1, "Sklad-02"});
    EXPECT_EQ(call("tab_sklad_EDITOVAT_SKLAD", {store, 1, "Pobočka"}), store);
    EXPECT_EQ(call("tab_sestava_EDITOVAT_SESTAVU", {4, "Faktura A4", "Faktura_A4.vlf"}), 4);
    EXPECT_EQ(call("tab_oznaceni_doklad_EDITOVAT_OZNACENI", {2, "FV", "-", 17, 3, 6}), 2);
    EXPECT_EQ(call("tab_oznaceni_doklad_EDITOVAT_OZNACENI", {8, "FV", "-", 17, 3, 6}), 0);
    const int cat = call("tab_kategorie_NOVA_KATEGORIE", {1, "Ovoce", "čerstvé"});
    EXPECT_EQ(call("tab_kategorie_EDITOVAT_KATEGORII", {cat, "Zelenina", "mražená"}), cat);
    EXPECT_EQ(call("tab_kategorie_PREJMENOVAT_KATEGORII", {cat, "Houby"}), cat);
    EXPECT_EQ(call("tab_kategorie_PREJMENOVAT_KATEGORII", {cat + 1, "Houby"}), 0);
    // Rows that items use cannot go: the server refuses.
    newItem("1", "1", "10", "?", "Pobočka");
    s->value("SELECT tab_sklad_ODEBRAT_SKLAD($1)", {store});
    EXPECT_EQ(s->sqlState(), "23503");
    s->value("SELECT tab_jednotka_ODEBRAT_JEDNOTKU(2)");
    EXPECT_EQ(s->sqlState(), "23503");
    EXPECT_EQ(call("tab_jednotka_ODEBRAT_JEDNOTKU", {unit}), unit);
    EXPECT_EQ(call("tab_kontakt_ODEBRAT_KONTAKT", {contact}), contact);
    // Values too long for a column are refused, never cut.
    s->value("SELECT tab_sklad_NOVY_SKLAD(1, repeat('x', 33))");
    EXPECT_EQ(s->sqlState(), "22001");
}
