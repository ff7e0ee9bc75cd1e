// The search twins read only what a search can answer from, and the searches
// answer as they did when the item twin read every item with every line and
// the document twin every line of every document: on a generated shop, every
// column and "Vše", a value found and one not found, the first match and
// every "next" to the end land on the same rows as over the statements of
// old, kept here.
#include "data/dm_fixture.h"
#include "data/mssqladoquery.h"

namespace {

const char *const OldItemTwin = R"(SELECT tab_polozka.ID_POLOZKA, tab_polozka.ID_SKLAD, tab_polozka.ID_KATEGORIE,
  tab_polozka.PATH_ID_KATEGORIE, tab_polozka.OZNACENI, tab_polozka.KOD, tab_polozka.POLOZKA,
  tab_polozka.SPECIFIKACE, tab_polozka.ZARUKA, tab_polozka.NAKUP, tab_polozka.PRODEJ,
  tab_polozka.SLEVA, tab_polozka.MNOZSTVI, tab_polozka.MINIMUM, tab_polozka.NASOBNE,
  tab_polozka.ZASOBA, tab_dph.DPH, tab_sklad.SKLAD,
  tab_kategorie_func_PATH_KATEGORIE(tab_polozka.ID_KATEGORIE) AS KATEGORIE,
  dodavatel.KONTAKT AS DODAVATEL, tab_jednotka.JEDNOTKA,
  CASE tab_historie.ID_OPERACE
    WHEN 1 THEN '[U]čtenka' WHEN 2 THEN '[F]aktura/dodací list' WHEN 3 THEN '[D]odací list'
    WHEN 4 THEN 'Storno [Ú]čtenky' WHEN 5 THEN 'Storno [F]aktury / dodacího listu'
    WHEN 6 THEN 'Storno [D]odacího listu' WHEN 7 THEN '[N]ová' WHEN 8 THEN '[I]mport'
    WHEN 9 THEN '[E]ditace' WHEN 10 THEN '[O]debráno' ELSE '-' END AS DETAIL_OPERACE,
  to_char(tab_historie.TIME, 'YYYY-MM-DD HH24:MI:SS') AS DETAIL_CAS,
  tab_historie.STATE_STAV AS DETAIL_STATE_STAV,
  tab_historie.DOKLAD_NETISTENY AS DETAIL_DOKLAD_NETISTENY,
  tab_historie.DOKLAD_VYTISTENY AS DETAIL_DOKLAD_VYTISTENY,
  tab_historie.OZNACENI AS DETAIL_OZNACENI, tab_historie.KOD AS DETAIL_KOD,
  tab_historie.POLOZKA AS DETAIL_POLOZKA, tab_historie.SPECIFIKACE AS DETAIL_SPECIFIKACE,
  tab_historie.NAKUP AS DETAIL_NAKUP, tab_historie.PRODEJ AS DETAIL_PRODEJ,
  tab_historie.SLEVA AS DETAIL_SLEVA, tab_historie.MNOZSTVI AS DETAIL_MNOZSTVI,
  odberatel.KONTAKT AS DETAIL_ODBERATEL, tab_historie.UZIVATEL AS DETAIL_UZIVATEL
FROM tab_polozka
  LEFT JOIN tab_dph ON tab_dph.ID_DPH = tab_polozka.ID_DPH
  LEFT JOIN tab_sklad ON tab_sklad.ID_SKLAD = tab_polozka.ID_SKLAD
  LEFT JOIN tab_kontakt dodavatel ON dodavatel.ID_KONTAKT = tab_polozka.ID_DODAVATEL
  LEFT JOIN tab_jednotka ON tab_jednotka.ID_JEDNOTKA = tab_polozka.ID_JEDNOTKA
  LEFT JOIN tab_historie ON tab_historie.ID_POLOZKA = tab_polozka.ID_POLOZKA
  LEFT JOIN tab_kontakt odberatel ON odberatel.ID_KONTAKT = tab_historie.ID_ODBERATEL
WHERE tab_polozka.STATE_PLATNOST
ORDER BY tab_polozka.ID_POLOZKA, tab_historie.ID_HISTORIE)";

const char *const OldDocumentTwin = R"(SELECT tab_historie.ID_DOKLAD,
  to_char(tab_historie.TIME, 'YYYY-MM-DD HH24:MI:SS') AS CAS,
  tab_historie.ID_OPERACE,
  CASE tab_historie.ID_OPERACE
    WHEN 1 THEN '[U]čtenka' WHEN 2 THEN '[F]aktura/dodací list' WHEN 3 THEN '[D]odací list'
    WHEN 4 THEN 'Storno [Ú]čtenky' WHEN 5 THEN 'Storno [F]aktury/dodacího listu'
    WHEN 6 THEN 'Storno [D]odacího listu' ELSE '-' END AS OPERACE,
  tab_historie.STATE_STAV, tab_historie.DOKLAD_NETISTENY, tab_historie.DOKLAD_VYTISTENY,
  tab_kontakt.KONTAKT AS ODBERATEL, tab_kontakt.IC, tab_kontakt.DIC, tab_kontakt.ADRESA,
  tab_doklad.SLEVA AS SLEVA_CELKEM,
  souhrn.POLOZKY_CELKEM, souhrn.NAKUP_CELKEM, tab_doklad_func_CASTKA(tab_historie.ID_DOKLAD) AS PRODEJ_CELKEM,
  tab_historie.OZNACENI AS DETAIL_OZNACENI, tab_historie.KOD AS DETAIL_KOD,
  tab_historie.POLOZKA AS DETAIL_POLOZKA, tab_historie.SPECIFIKACE AS DETAIL_SPECIFIKACE,
  tab_historie.NAKUP AS DETAIL_NAKUP, tab_historie.PRODEJ AS DETAIL_PRODEJ,
  tab_historie.SLEVA AS DETAIL_SLEVA, tab_historie.MNOZSTVI AS DETAIL_MNOZSTVI,
  tab_historie.UZIVATEL AS DETAIL_UZIVATEL
FROM tab_historie
  JOIN tab_doklad ON tab_doklad.ID_DOKLAD = tab_historie.ID_DOKLAD
  LEFT JOIN tab_kontakt ON tab_kontakt.ID_KONTAKT = tab_historie.ID_ODBERATEL
  LEFT JOIN (SELECT h.ID_DOKLAD, count(*) AS POLOZKY_CELKEM,
               CAST(sum(h.NAKUP * func_MNOZSTVI_PRESNE(h.MNOZSTVI)) AS numeric(19,4)) AS NAKUP_CELKEM
             FROM tab_historie h WHERE h.ID_DOKLAD > 0 GROUP BY h.ID_DOKLAD) souhrn
    ON souhrn.ID_DOKLAD = tab_historie.ID_DOKLAD
ORDER BY tab_historie.ID_DOKLAD, tab_historie.ID_HISTORIE)";

// Two stores, a small tree, 60 items (every ninth removed) of varied texts,
// prices and quantities, their log lines, and 24 documents of today of every
// kind, with customers, three lines each.
const char *const ShopSql = R"(
INSERT INTO tab_sklad (SKLAD, ID_KATEGORIE) VALUES ('Sklad Brno', 1);
INSERT INTO tab_kategorie (ID_NADKATEGORIE, KATEGORIE, SPECIFIKACE)
  SELECT 1, 'Železářství ' || a, '-' FROM generate_series(1, 3) a;
INSERT INTO tab_kategorie (ID_NADKATEGORIE, KATEGORIE, SPECIFIKACE)
  SELECT k.ID_KATEGORIE, 'Šrouby ' || b, '-' FROM tab_kategorie k, generate_series(1, 2) b
  WHERE k.KATEGORIE LIKE 'Železářství %';
INSERT INTO tab_kontakt (STATE_DODAVATEL, STATE_ODBERATEL, KONTAKT, IC, DIC, ADRESA, TELEFON, MOBIL, EMAIL, WWW,
    OSOBA, POZNAMKA)
  SELECT true, true, 'Firma Čížek ' || c, lpad((12345 * c)::text, 8, '0'), 'CZ' || (777 * c), 'Ulice ' || c || ', Praha',
         '-', '-', '-', '-', '-', '-'
  FROM generate_series(1, 4) c;
INSERT INTO tab_polozka (ID_SKLAD, ID_KATEGORIE, ID_DODAVATEL, ID_DPH, ID_JEDNOTKA, PATH_ID_KATEGORIE, STATE_PLATNOST,
    OZNACENI, KOD, POLOZKA, SPECIFIKACE, ZARUKA, NAKUP, PRODEJ, SLEVA, MNOZSTVI, ZASOBA, MINIMUM, NASOBNE)
  SELECT CASE WHEN i % 7 = 0 THEN 2 ELSE 1 END, k.ID_KATEGORIE, 1 + i % 5, 1 + i % 3, 1 + i % 2,
         tab_kategorie_func_PATH_ID_KATEGORIE(k.ID_KATEGORIE), i % 9 <> 0, 'Z' || lpad(i::text, 4, '0'),
         'EAN' || (1000 + i * 37), (ARRAY['Šroub M', 'Matice Ž', 'Podložka ', 'Hřebík 100%', 'Kondenzátor 10 μF ', 'Sklo ',
                'ΣΟΦΙΑΣ '])[1 + i % 7] || i,
         'popis ' || (i % 6), i % 25, 1.5 * i, 2.25 * i, i % 4, i / 4.0, 0, 1, i % 2 = 0
  FROM generate_series(1, 60) i
    JOIN (SELECT ID_KATEGORIE, row_number() OVER (ORDER BY ID_KATEGORIE) - 1 AS n FROM tab_kategorie) k
      ON k.n = i % 10;
INSERT INTO tab_doklad (ID_DOKLAD, TIME, SLEVA) SELECT d, localtimestamp - make_interval(mins => 30 - d), d % 3
  FROM generate_series(1, 24) d;
SELECT setval(pg_get_serial_sequence('tab_doklad', 'id_doklad'), 24);
SELECT tab_polozka_HISTORIE(ID_POLOZKA, 7) FROM tab_polozka;
INSERT INTO tab_historie (ID_DOKLAD, ID_POLOZKA, ID_OPERACE, ID_SKLAD, ID_KATEGORIE, ID_DODAVATEL, ID_ODBERATEL, ID_DPH,
    ID_JEDNOTKA, REF_ID_DOKLAD, TIME, STATE_STAV, DOKLAD_NETISTENY, DOKLAD_VYTISTENY, OZNACENI, KOD, POLOZKA,
    SPECIFIKACE, ZARUKA, NAKUP, PRODEJ, SLEVA, MNOZSTVI, ZASOBA, MINIMUM, NASOBNE, UZIVATEL)
  SELECT d.ID_DOKLAD, p.ID_POLOZKA, 1 + d.ID_DOKLAD % 6, p.ID_SKLAD, p.ID_KATEGORIE, 1, 1 + d.ID_DOKLAD % 5, p.ID_DPH,
         p.ID_JEDNOTKA, 0, d.TIME, d.ID_DOKLAD % 4 <> 0, 'UCT' || lpad(d.ID_DOKLAD::text, 5, '0'),
         CASE WHEN d.ID_DOKLAD % 2 = 0 THEN 'F' || d.ID_DOKLAD ELSE '-' END, p.OZNACENI, p.KOD, p.POLOZKA,
         p.SPECIFIKACE, p.ZARUKA, p.NAKUP, p.PRODEJ, l % 3, l * 0.75, 0, 1, p.NASOBNE,
         (ARRAY['pokladní', 'vedoucí'])[1 + l % 2]
  FROM tab_doklad d CROSS JOIN generate_series(1, 3) l
    JOIN tab_polozka p ON p.ID_POLOZKA = 1 + (d.ID_DOKLAD * 7 + l * 11) % 60;
ANALYZE;
)";

// What a search shows at each step: whether it found, and the list's row.
struct Step
{
    bool found;
    qint64 row;
    bool operator==(const Step &other) const { return found == other.found && row == other.row; }
};

class SearchTwinTest : public DataModuleTest
{
protected:
    void SetUp() override
    {
        DataModuleTest::SetUp();
        if (HasFatalFailure())
            return;
        sql(QString::fromUtf8(ShopSql));
        ASSERT_TRUE(dm->OpenAllQueries()) << qPrintable(dm->LastErrorText());
    }

    // The first match and every next one, from a list standing on its third row.
    static QList<Step> walk(TMSSQLADOQuery *list, Db::Dataset *twin, const QString &key, const QString &field,
                            const QString &text)
    {
        list->SetRecNo(3);
        QList<Step> steps;
        const Db::Field *column = field.isEmpty() ? nullptr : twin->FindField(field);
        bool found =
            column ? list->FindFirstInField(twin, key, text, column) : list->FindFirstInFields(twin, key, text);
        steps << Step{found, currentKey(list, key)};
        while (found && steps.size() < 500) {
            found = list->FindNextMatch();
            steps << Step{found, currentKey(list, key)};
        }
        return steps;
    }

    // Every column the search offers, and "Vše" (empty), each with texts
    // taken from the old twin's rows (whole, and a piece of a text) and one
    // that nothing holds; the same answers over the old twin and the new.
    void compareSearches(TMSSQLADOQuery *list, TMSSQLADOQuery *twin, const QString &oldSql, const QString &key)
    {
        Db::Dataset old;
        old.SetConnection(&dm->MSSQLADOConnection->Connection());
        old.SetSQL(oldSql);
        old.Open();
        ASSERT_GT(old.RecordCount(), 0);
        QStringList fields{QString()};
        for (const Db::Field *field : old.Fields())
            fields << field->FieldName();
        int found = 0;
        for (const QString &field : fields) {
            // Beside them texts the program's fold finds where the
            // database's lower() would not: µ for μ, ſ for s, σ for ς.
            QStringList texts{QStringLiteral("nic-takového"), QStringLiteral("7"), QStringLiteral("10 µF"),
                              QStringLiteral("ſKLO"), QStringLiteral("σοφιασ")};
            if (!field.isEmpty()) {
                for (int row : {2, old.RecordCount() / 2, old.RecordCount() - 1}) {
                    old.SetRecNo(row);
                    const QString value = old.FieldByName(field).AsString();
                    if (!value.isEmpty())
                        texts << value << value.mid(value.size() / 3, 3).toUpper();
                }
            }
            for (const QString &text : texts) {
                const QList<Step> before = walk(list, &old, key, field, text);
                const QList<Step> now = walk(list, twin, key, field, text);
                ASSERT_EQ(before.size(), now.size()) << qPrintable(field + u' ' + text);
                for (qsizetype i = 0; i < before.size(); ++i) {
                    EXPECT_TRUE(before[i] == now[i])
                        << qPrintable(QStringLiteral("%1 '%2' step %3: found %4 row %5, now found %6 row %7")
                                          .arg(field, text)
                                          .arg(i)
                                          .arg(before[i].found)
                                          .arg(before[i].row)
                                          .arg(now[i].found)
                                          .arg(now[i].row));
                }
                found += before.first().found ? 1 : 0;
            }
        }
        EXPECT_GT(found, fields.size()); // most columns find something
    }
};

} // namespace

TEST_F(SearchTwinTest, ItemSearchesAnswerAsOverEveryItemWithEveryLine)
{
    compareSearches(dm->MSSQLADOQuery_Polozka, dm->MSSQLADOQuery_Polozka_Hledat, QString::fromUtf8(OldItemTwin),
                    QStringLiteral("ID_POLOZKA"));
    // A search of an item's column reads no line; one of a line's column only
    // the lines that may hold the value.
    TMSSQLADOQuery *twin = dm->MSSQLADOQuery_Polozka_Hledat;
    ASSERT_TRUE(dm->MSSQLADOQuery_Polozka->FindFirstInField(twin, "ID_POLOZKA", "Z0011", twin->FindField("OZNACENI")));
    EXPECT_EQ(twin->snapshot()->rowCount(), 1);
    ASSERT_TRUE(
        dm->MSSQLADOQuery_Polozka->FindFirstInField(twin, "ID_POLOZKA", "Z0011", twin->FindField("DETAIL_OZNACENI")));
    EXPECT_EQ(twin->snapshot()->rowCount(), 1); // the item once, not each of its lines
}

// A text inside an item's label, code, name or description is looked up in
// the items' trigram index, not by reading every item.
TEST_F(SearchTwinTest, AnItemsTextIsLookedUpByItsIndex)
{
    sql("INSERT INTO tab_polozka (ID_SKLAD, ID_KATEGORIE, ID_DODAVATEL, ID_DPH, ID_JEDNOTKA, PATH_ID_KATEGORIE,"
        "  STATE_PLATNOST, OZNACENI, KOD, POLOZKA, SPECIFIKACE, ZARUKA, NAKUP, PRODEJ, SLEVA, MNOZSTVI, ZASOBA, "
        "MINIMUM,"
        "  NASOBNE)"
        " SELECT 1, 1, 1, 1, 1, tab_kategorie_func_PATH_ID_KATEGORIE(1), true, 'G' || lpad(i::text, 6, '0'), 'EAN9' || "
        "i,"
        "  'Výrobek ' || i, 'druh ' || i, 0, 1, 2, 0, 1, 0, 1, false FROM generate_series(1, 20000) i");
    // A plain vacuum moves the index's pending entries into it, as the
    // server's own vacuum does in a shop, so the plan does not hang on when
    // that last ran.
    sql("VACUUM ANALYZE tab_polozka");
    TMSSQLADOQuery *twin = dm->MSSQLADOQuery_Polozka_Hledat;
    for (const QString &field : QStringList{"OZNACENI", "KOD", "POLOZKA", "SPECIFIKACE"}) {
        for (const QString &text : QStringList{"12345", "ÝROBEK 12345"}) {
            dm->MSSQLADOQuery_Polozka->FindFirstInField(twin, "ID_POLOZKA", text, twin->FindField(field));
            Db::Dataset plan;
            plan.SetConnection(&dm->MSSQLADOConnection->Connection());
            plan.SetSQL(QStringLiteral("EXPLAIN ") + twin->SQL());
            for (Db::Parameter &p : plan.Params())
                p.SetText(twin->FindParam(p.Name)->Text());
            plan.Open();
            QStringList lines;
            for (; !plan.Eof(); plan.Next())
                lines << plan.Fields()[0]->AsString();
            EXPECT_TRUE(lines.join(u'\n').contains("index_hledat"))
                << qPrintable(field + u' ' + text + u'\n' + lines.join(u'\n'));
            EXPECT_FALSE(lines.join(u'\n').contains("Seq Scan on tab_polozka")) << qPrintable(field + u' ' + text);
        }
    }
}

// A found item is found where the list shows it, also after another till
// moved it in the list's order: the search walks the rows the list holds.
TEST_F(SearchTwinTest, AFoundItemIsFoundWhereTheListShowsIt)
{
    // Past the rows after the current one that the search asks first.
    sql("INSERT INTO tab_polozka (ID_SKLAD, ID_KATEGORIE, ID_DODAVATEL, ID_DPH, ID_JEDNOTKA, PATH_ID_KATEGORIE,"
        " STATE_PLATNOST, OZNACENI, KOD, POLOZKA, SPECIFIKACE, ZARUKA, NAKUP, PRODEJ, SLEVA, MNOZSTVI, ZASOBA,"
        " MINIMUM, NASOBNE) SELECT 1, 1, 1, 1, 1, tab_kategorie_func_PATH_ID_KATEGORIE(1), true,"
        " 'G' || lpad(i::text, 4, '0'), 'K' || i, 'Výrobek ' || i, '-', 0, 1, 2, 0, 1, 0, 1, false"
        " FROM generate_series(1, 100) i");
    TMSSQLADOQuery *items = dm->MSSQLADOQuery_Polozka;
    items->RefreshQuery();
    ASSERT_GT(items->RecordCount(), 100);
    items->Last();
    const auto last = currentKey(items, "ID_POLOZKA");
    sql(QStringLiteral("UPDATE tab_polozka SET OZNACENI = '0', POLOZKA = 'Přesunutá' WHERE ID_POLOZKA = %1").arg(last));
    items->First();
    TMSSQLADOQuery *twin = dm->MSSQLADOQuery_Polozka_Hledat;
    ASSERT_TRUE(items->FindFirstInField(twin, "ID_POLOZKA", "přesunutá", twin->FindField("POLOZKA")));
    EXPECT_EQ(currentKey(items, "ID_POLOZKA"), last);
    EXPECT_EQ(items->RecNo(), items->RecordCount());
}

TEST_F(SearchTwinTest, DocumentSearchesAnswerAsOverEveryLineAndReadOnlyTheListedDocuments)
{
    compareSearches(dm->MSSQLADOQuery_Doklad, dm->MSSQLADOQuery_Doklad_Hledat, QString::fromUtf8(OldDocumentTwin),
                    QStringLiteral("ID_DOKLAD"));
    // An older document is not listed, nor read by a search.
    sql("UPDATE tab_historie SET TIME = TIME - interval '10 days' WHERE ID_DOKLAD = 5");
    dm->MSSQLADOQuery_Doklad->RequeryQuery();
    TMSSQLADOQuery *twin = dm->MSSQLADOQuery_Doklad_Hledat;
    EXPECT_FALSE(
        dm->MSSQLADOQuery_Doklad->FindFirstInField(twin, "ID_DOKLAD", "UCT00005", twin->FindField("DOKLAD_NETISTENY")));
    EXPECT_EQ(QString::number(twin->snapshot()->rowCount()),
              scalar("SELECT count(*) FROM tab_historie WHERE ID_DOKLAD BETWEEN 1 AND 24 AND ID_DOKLAD <> 5"));
}
