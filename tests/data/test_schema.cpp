// The creation script: batches, the database it creates, tables, seed rows
// and the constraints the server enforces.
#include "schema_session.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(CreationScript, SplitsAtSeparatorLinesOnly)
{
    const QStringList batches = creationScriptBatches();
    ASSERT_GT(batches.size(), 15);
    EXPECT_TRUE(batches.first().startsWith("CREATE DATABASE %DATABASE% "));
    QFile file(":/sql/create_database.sql");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    // Every cut is a line holding only the separator: nothing else in the text
    // may look like one to the connection class.
    EXPECT_EQ(lines.count("GO"), batches.size()); // the script ends with one
    for (int i = 1; i < batches.size(); ++i) {
        EXPECT_FALSE(batches.at(i).contains("%DATABASE%")) << i;
        EXPECT_FALSE(batches.at(i).startsWith("--") && !batches.at(i).contains('\n')) << i;
    }
}

TEST(CreationScript, FirstBatchCreatesCzechUtf8Database)
{
    TestDatabase scratch; // only for a unique name
    const QString name = scratch.name() + "_c";
    QString batch = creationScriptBatches().first();
    batch.replace("%DATABASE%", '"' + name + '"');
    PGconn *conn = PQconnectdb("dbname=postgres");
    Session s(conn);
    s.script(batch);
    EXPECT_EQ(s.error(), "");
    EXPECT_EQ(s.value("SELECT pg_encoding_to_char(encoding) || ' ' || datlocprovider::text || ' ' || daticulocale"
                      " FROM pg_database WHERE datname = $1",
                      {name}),
              "UTF8 i cs-CZ");
    s.exec(QString("DROP DATABASE \"%1\"").arg(name));
}

using Schema = DatabaseTest;

TEST_F(Schema, SeedRowsHaveTheirIdsAndDefaults)
{
    EXPECT_EQ(s->integer("SELECT count(*) FROM tab_opravneni"), 71);
    EXPECT_EQ(s->value("SELECT POPIS FROM tab_opravneni WHERE ID_OPRAVNENI = 29"),
              "[029] Položky - odebrat položku s nenulovým množstvím");
    EXPECT_EQ(s->integer("SELECT count(*) FROM tab_opravneni WHERE POPIS LIKE "
                         "'[' || lpad(ID_OPRAVNENI::text, 3, '0') || ']%'"),
              71);
    // Every right granted to the database owner, keyed by the owner role's oid.
    EXPECT_EQ(s->integer("SELECT count(*) FROM tab_uzivatel_opravneni u JOIN pg_database d"
                         " ON d.datdba::integer = u.ID_UZIVATEL AND d.datname = current_database()"
                         " WHERE STATE_OPRAVNENI"),
              71);
    EXPECT_EQ(
        s->column("SELECT SESTAVA || '=' || SOUBOR FROM tab_sestava ORDER BY ID_SESTAVA"),
        QStringList({"Účtenka A5=Uctenka_A5.vlf", "Účtenka A4=Uctenka_A4.vlf", "Účtenka Svitek=Uctenka_Svitek.vlf",
                     "Fakrura A4=Faktura_A4.vlf", "Dodací List A4=Dodaci_List_A4.vlf", "Storno A4=Storno_A4.vlf",
                     "Přehled položky A4=Prehled_Polozky_A4.vlf", "Přehled dokladů A4=Prehled_Dokladu_A4.vlf",
                     "Příjmový doklad A4=Prijmovy_Doklad_A4.vlf"}));
    EXPECT_EQ(s->column("SELECT concat_ws(',', ID_OZNACENI_DOKLAD, OZNACENI_DOKLAD, OZNACENI_ROK,"
                        " OZNACENI_MESIC, OZNACENI_DEN, '[' || OZNACENI_ODDELOVAC || ']',"
                        " PORADI_DOKLAD_NETISTENY, PORADI_DOKLAD_VYTISTENY, PORADI_ZAROVNANI)"
                        " FROM tab_oznaceni_doklad ORDER BY 1"),
              QStringList({"1,UCT,t,t,t,[],1,1,4", "2,FAK,t,t,t,[],1,1,4", "3,DOD,t,t,t,[],1,1,4"}));
    EXPECT_EQ(s->column("SELECT ID_DPH || ':' || DPH || ':' || STATE_VYCHOZI FROM tab_dph ORDER BY 1"),
              QStringList({"1:0:false", "2:10:false", "3:20:true"}));
    EXPECT_EQ(s->integer("SELECT count(*) FROM tab_filtr"), 22);
    EXPECT_EQ(s->value("SELECT FILTR || '|' || SCRIPT FROM tab_filtr WHERE ID_FILTR = 1"), "[Žádný filtr]|1=1");
    EXPECT_EQ(s->value("SELECT ID_SKLAD || SKLAD || ID_KATEGORIE || STATE_VYCHOZI FROM tab_sklad"), "1Sklad-011true");
    EXPECT_EQ(s->value("SELECT concat_ws(',', ID_KONTAKT, STATE_DODAVATEL, STATE_ODBERATEL, KONTAKT, IC, DIC,"
                       " ADRESA, TELEFON, MOBIL, EMAIL, WWW, OSOBA, POZNAMKA) FROM tab_kontakt"),
              "1,t,t,-,-,-,-,-,-,-,-,-,-");
    EXPECT_EQ(s->value("SELECT concat_ws(',', ID_KATEGORIE, coalesce(ID_NADKATEGORIE::text, 'null'),"
                       " STATE_VYCHOZI, KATEGORIE, SPECIFIKACE) FROM tab_kategorie"),
              "1,null,t,?,-");
    EXPECT_EQ(s->column("SELECT concat_ws(',', ID_JEDNOTKA, JEDNOTKA, SPECIFIKACE, MINIMUM, NASOBNE, STATE_VYCHOZI)"
                        " FROM tab_jednotka ORDER BY 1"),
              QStringList({"1,-,-,1,t,f", "2,ks,kus,1,t,t", "3,h,hodina,1,t,f", "4,m,metr,0.1,f,f", "5,l,litr,0.02,f,f",
                           "6,kg,kilogram,0.001,f,f"}));
    for (const char *empty : {"tab_pokladna", "tab_polozka", "tab_prodej", "tab_doklad", "tab_historie"})
        EXPECT_EQ(s->integer(QString("SELECT count(*) FROM %1").arg(empty)), 0) << empty;
}

TEST_F(Schema, IdentitiesContinueAfterTheSeedRows)
{
    EXPECT_EQ(s->integer("INSERT INTO tab_sklad (ID_KATEGORIE, SKLAD) VALUES (1, 'Druhý') RETURNING ID_SKLAD"), 2);
    EXPECT_EQ(s->integer("INSERT INTO tab_jednotka (JEDNOTKA, SPECIFIKACE, MINIMUM) VALUES ('bal', 'balení', 1)"
                         " RETURNING ID_JEDNOTKA"),
              7);
    EXPECT_EQ(s->integer("INSERT INTO tab_filtr (FILTR, SCRIPT) VALUES ('Můj', '1=1') RETURNING ID_FILTR"), 23);
    EXPECT_EQ(s->integer("INSERT INTO tab_kategorie (ID_NADKATEGORIE, KATEGORIE, SPECIFIKACE)"
                         " VALUES (1, 'A', '-') RETURNING ID_KATEGORIE"),
              2);
}

TEST_F(Schema, TheDatabaseGroupRoleHoldsTheOwner)
{
    EXPECT_EQ(s->value("SELECT pg_has_role(current_user, current_database(), 'MEMBER')"), "t");
    EXPECT_EQ(s->value("SELECT has_table_privilege(current_database(), 'tab_polozka', 'INSERT')"), "t");
}

TEST_F(Schema, ServerRefusesValuesOutOfRange)
{
    const auto refused = [&](const QString &sql) {
        s->value(sql);
        return s->sqlState();
    };
    EXPECT_EQ(refused("INSERT INTO tab_dph (DPH) VALUES (100.5)"), "23514");
    EXPECT_EQ(refused("INSERT INTO tab_dph (DPH) VALUES (-1)"), "23514");
    EXPECT_EQ(refused("INSERT INTO tab_dph (DPH) VALUES (20)"), "23505");
    EXPECT_EQ(refused("INSERT INTO tab_doklad (SLEVA) VALUES (101)"), "23514");
    EXPECT_EQ(refused("UPDATE tab_oznaceni_doklad SET PORADI_ZAROVNANI = 9"), "23514");
    EXPECT_EQ(refused("UPDATE tab_oznaceni_doklad SET PORADI_ZAROVNANI = 0"), "23514");
    EXPECT_EQ(refused("UPDATE tab_kategorie SET ID_NADKATEGORIE = 1"), "50000"); // cycle
    EXPECT_EQ(refused("INSERT INTO tab_sklad (ID_KATEGORIE, SKLAD) VALUES (1, 'SKLAD-01')"), "23505");
    EXPECT_EQ(refused("INSERT INTO tab_jednotka (JEDNOTKA, SPECIFIKACE, MINIMUM) VALUES ('x', 'x', -0.5)"), "23514");
    const QString item = "INSERT INTO tab_polozka (ID_SKLAD, ID_KATEGORIE, ID_DODAVATEL, ID_DPH, ID_JEDNOTKA,"
                         " PATH_ID_KATEGORIE, OZNACENI, KOD, POLOZKA, SPECIFIKACE, ZARUKA, NAKUP, PRODEJ,"
                         " SLEVA, MNOZSTVI, ZASOBA, MINIMUM, NASOBNE) VALUES (1, 1, 1, 3, 2, '1\\', 'A', 'A',"
                         " 'A', '-', %1, %2, %3, %4, %5, 0, 1, true)";
    EXPECT_EQ(refused(item.arg(24).arg(10).arg(20).arg(0).arg(5)), "");
    EXPECT_EQ(refused(item.arg(241).arg(10).arg(20).arg(0).arg(5)), "23514");
    EXPECT_EQ(refused(item.arg(24).arg(-1).arg(20).arg(0).arg(5)), "23514");
    EXPECT_EQ(refused(item.arg(24).arg(10).arg(-20).arg(0).arg(5)), "23514");
    EXPECT_EQ(refused(item.arg(24).arg(10).arg(20).arg(101).arg(5)), "23514");
    EXPECT_EQ(refused(item.arg(24).arg(10).arg(20).arg(0).arg(-5)), "23514");
    EXPECT_EQ(refused(item.arg(24).arg(10).arg(20).arg(0).arg(5).replace("(1, 1, 1, 3, 2", "(1, 1, 1, 9, 2")), "23503");
}

TEST_F(Schema, SavedFiltersAreValidConditions)
{
    const QStringList scripts = s->column("SELECT SCRIPT FROM tab_filtr ORDER BY ID_FILTR");
    ASSERT_EQ(scripts.size(), 22);
    for (const QString &script : scripts) {
        s->value("SELECT count(*) FROM tab_polozka LEFT JOIN tab_historie"
                 " ON tab_historie.ID_POLOZKA = tab_polozka.ID_POLOZKA WHERE " +
                 script);
        EXPECT_EQ(s->error(), "") << qPrintable(script);
        // No casts or percent signs the program's parameter and placeholder markers could take.
        EXPECT_FALSE(script.contains("::") || script.contains('%')) << qPrintable(script);
    }
    EXPECT_EQ(scripts.at(12), "tab_historie.DOKLAD_VYTISTENY<>'-' AND tab_historie.TIME BETWEEN"
                              " '2009-01-01 00:00:00' AND '2009-12-31 23:59:59'");
    EXPECT_EQ(scripts.at(17), "tab_historie.STATE_STAV=false");
}

TEST_F(Schema, WeekNumbersCountFromTheWeekHoldingFirstJanuary)
{
    const auto week = [&](const char *day) { return s->integer("SELECT func_TYDEN($1::timestamp)", {day}); };
    EXPECT_EQ(week("2026-01-01"), 1); // a Thursday
    EXPECT_EQ(week("2026-01-04 23:59"), 1);
    EXPECT_EQ(week("2026-01-05"), 2); // the first Monday starts week 2
    EXPECT_EQ(week("2024-01-01"), 1); // a Monday
    EXPECT_EQ(week("2024-01-08"), 2);
    EXPECT_EQ(week("2024-12-30"), 53);
    EXPECT_EQ(week("2027-01-03"), 1); // a Sunday: still week 1 of its year, unlike the ISO week 53
    // The "this week" filter matches today's rows whatever the month.
    s->exec("INSERT INTO tab_historie (ID_DOKLAD, ID_POLOZKA, ID_OPERACE, ID_SKLAD, ID_KATEGORIE,"
            " ID_DODAVATEL, ID_ODBERATEL, ID_DPH, ID_JEDNOTKA, REF_ID_DOKLAD, DOKLAD_NETISTENY,"
            " DOKLAD_VYTISTENY, OZNACENI, KOD, POLOZKA, SPECIFIKACE, ZARUKA, NAKUP, PRODEJ, SLEVA,"
            " MNOZSTVI, ZASOBA, MINIMUM, NASOBNE, UZIVATEL) VALUES"
            " (0, 1, 7, 1, 1, 1, 1, 3, 2, 0, '-', '-', 'A', 'A', 'A', '-', 0, 0, 0, 0, 1, 0, 1, true, 'x')");
    for (int id : {3, 5, 2})
        EXPECT_EQ(s->integer("SELECT count(*) FROM tab_historie WHERE " +
                             s->value("SELECT SCRIPT FROM tab_filtr WHERE ID_FILTR = $1", {id})),
                  1)
            << id;
}
