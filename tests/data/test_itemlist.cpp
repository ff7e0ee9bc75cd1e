// The item list reads each item once: the same rows, columns and order as the
// list that joined every history line to its item and cut the rows back with
// DISTINCT, for the whole store with no filter and with every saved filter,
// sorted both ways by each of its columns; the category's path is walked once
// for each category, not once for each item.
#include "data/dmquerydefs.h"
#include "data/rowkeytests.h"
#include "platform/db/sqlparameters.h"
#include "schema_session.h"

#include <QFile>
#include <QRegularExpression>

#include <algorithm>

namespace {

// The list as it was: the lines joined to the items, one row per line, cut
// back to one per item by DISTINCT.
const char *const JoinedList =
    R"(SELECT DISTINCT tab_polozka.ID_POLOZKA, tab_polozka.ID_SKLAD, tab_polozka.ID_KATEGORIE,
  tab_polozka.ID_DODAVATEL, tab_polozka.ID_DPH, tab_polozka.ID_JEDNOTKA,
  tab_polozka.PATH_ID_KATEGORIE, tab_polozka.STATE_PLATNOST,
  tab_polozka.OZNACENI, tab_polozka.KOD, tab_polozka.POLOZKA, tab_polozka.SPECIFIKACE,
  tab_polozka.ZARUKA, tab_polozka.NAKUP, tab_polozka.PRODEJ, tab_polozka.SLEVA,
  tab_polozka.MNOZSTVI, tab_polozka.MINIMUM, tab_polozka.NASOBNE, tab_polozka.ZASOBA,
  tab_dph.DPH, tab_sklad.SKLAD,
  tab_kategorie_func_PATH_KATEGORIE(tab_polozka.ID_KATEGORIE) AS KATEGORIE,
  tab_kontakt.KONTAKT AS DODAVATEL, tab_jednotka.JEDNOTKA,
  CAST(tab_polozka.NAKUP * func_MNOZSTVI_PRESNE(tab_polozka.MNOZSTVI) AS numeric(19,4)) AS NAKUP_CELKEM
FROM tab_polozka
  LEFT JOIN tab_dph ON tab_dph.ID_DPH = tab_polozka.ID_DPH
  LEFT JOIN tab_sklad ON tab_sklad.ID_SKLAD = tab_polozka.ID_SKLAD
  LEFT JOIN tab_kategorie ON tab_kategorie.ID_KATEGORIE = tab_polozka.ID_KATEGORIE
  LEFT JOIN tab_kontakt ON tab_kontakt.ID_KONTAKT = tab_polozka.ID_DODAVATEL
  LEFT JOIN tab_jednotka ON tab_jednotka.ID_JEDNOTKA = tab_polozka.ID_JEDNOTKA
  LEFT JOIN tab_historie ON tab_historie.ID_POLOZKA = tab_polozka.ID_POLOZKA
WHERE tab_polozka.STATE_PLATNOST AND tab_polozka.ID_SKLAD = :ID_SKLAD
  AND tab_polozka.PATH_ID_KATEGORIE LIKE :PATH_ID_KATEGORIE ESCAPE ''
  AND (%WHERE_FILTER)
ORDER BY %ORDER_BY, tab_polozka.ID_POLOZKA)";

// Two stores, a tree of 111 categories, 1,500 items (every ninth removed, a
// fifth without a line) with names, prices and quantities that tie, and 5,000
// lines of every operation over two years up to today, some of today, some
// cancelled, some printed. Then the tree's odd shapes, which the paths must
// name as the path function does (the tree's checks off, as a damaged
// database can have them): a category without a name and one below it, a
// chain as deep as a path may be and one step deeper, two categories that are
// each other's parent, and items of a category that is gone.
const char *const FillSql = R"(
INSERT INTO tab_sklad (SKLAD, ID_KATEGORIE) VALUES ('Sklad-02', 1);
INSERT INTO tab_kontakt (STATE_DODAVATEL, STATE_ODBERATEL, KONTAKT, IC, DIC, ADRESA, TELEFON, MOBIL, EMAIL, WWW,
    OSOBA, POZNAMKA) SELECT true, true, k, '-', '-', '-', '-', '-', '-', '-', '-', '-'
  FROM unnest(ARRAY['Řezník', 'Ančerl', 'Chalupa']) k;
INSERT INTO tab_kategorie (ID_NADKATEGORIE, KATEGORIE, SPECIFIKACE)
  SELECT 1, (ARRAY['Šrouby', 'Čaje', 'Hřebíky', 'Chmel', 'ch', 'Áčka', 'a', 'Z', 'ž', 'Ďas'])[a], '-'
  FROM generate_series(1, 10) a;
INSERT INTO tab_kategorie (ID_NADKATEGORIE, KATEGORIE, SPECIFIKACE)
  SELECT k.ID_KATEGORIE, 'Pod ' || b, '-' FROM tab_kategorie k, generate_series(1, 10) b WHERE k.ID_NADKATEGORIE = 1;
CREATE TEMP TABLE list AS
  SELECT row_number() OVER (ORDER BY ID_KATEGORIE) - 1 AS n, ID_KATEGORIE AS id,
         tab_kategorie_func_PATH_ID_KATEGORIE(ID_KATEGORIE) AS path
  FROM tab_kategorie;
INSERT INTO tab_polozka (ID_SKLAD, ID_KATEGORIE, ID_DODAVATEL, ID_DPH, ID_JEDNOTKA, PATH_ID_KATEGORIE, STATE_PLATNOST,
    OZNACENI, KOD, POLOZKA, SPECIFIKACE, ZARUKA, NAKUP, PRODEJ, SLEVA, MNOZSTVI, ZASOBA, MINIMUM, NASOBNE)
  SELECT 1 + (i % 7 = 0)::int, l.id, 1 + i % 4, 1 + i % 3, 1 + i % 6, l.path, i % 9 <> 0,
         CASE WHEN i % 5 = 0 THEN 'č' || (i % 50) ELSE lpad((i % 700)::text, 4, '0') END, 'EAN' || (i % 300),
         (ARRAY['Čaj', 'čaj', 'Chléb', 'hřebík', 'Hřebík', 'Šroub', 'sroub', 'Ábel', 'abel', ''])[1 + i % 10] || (i % 13),
         CASE WHEN i % 3 = 0 THEN '' ELSE 'Popis ' || (i % 17) END, (i % 4) * 12, (i % 23) * 1.25, (i % 19) * 2.5,
         i % 5, (i % 11) * 0.5, i % 6, 1 + i % 2, i % 2 = 0
  FROM generate_series(1, 1500) i JOIN list l ON l.n = i % 111;
INSERT INTO tab_historie (ID_DOKLAD, ID_POLOZKA, ID_OPERACE, ID_SKLAD, ID_KATEGORIE, ID_DODAVATEL, ID_ODBERATEL, ID_DPH,
    ID_JEDNOTKA, REF_ID_DOKLAD, TIME, STATE_STAV, DOKLAD_NETISTENY, DOKLAD_VYTISTENY, OZNACENI, KOD, POLOZKA,
    SPECIFIKACE, ZARUKA, NAKUP, PRODEJ, SLEVA, MNOZSTVI, ZASOBA, MINIMUM, NASOBNE, UZIVATEL)
  SELECT CASE WHEN h % 10 < 6 THEN 1 + h / 3 ELSE 0 END, p.ID_POLOZKA, 1 + h % 10, p.ID_SKLAD, p.ID_KATEGORIE, 1, 1,
         3, 2, 0,
         CASE WHEN h % 17 = 0 THEN localtimestamp - make_interval(mins => h % 300)
              ELSE localtimestamp - make_interval(hours => (h * 37) % 17520) END,
         h % 13 <> 0, 'UCT' || h, CASE WHEN h % 4 = 0 THEN 'F' || h ELSE '-' END, p.OZNACENI, p.KOD, p.POLOZKA,
         '-', 24, 50, 100, 0, 1, 0, 1, true, 'test'
  FROM generate_series(1, 5000) h
    JOIN tab_polozka p ON p.ID_POLOZKA = 1 + (h * 7919) % 1200;
SET session_replication_role = replica;
INSERT INTO tab_kategorie (ID_KATEGORIE, ID_NADKATEGORIE, KATEGORIE, SPECIFIKACE)
  VALUES (400001, 1, '', '-'), (400002, 400001, 'Pod prázdnou', '-'), (300001, 300002, 'Kruh A', '-'),
         (300002, 300001, 'Kruh B', '-');
INSERT INTO tab_kategorie (ID_KATEGORIE, ID_NADKATEGORIE, KATEGORIE, SPECIFIKACE)
  SELECT 100000 + d, CASE WHEN d = 1 THEN 1 ELSE 100000 + d - 1 END, 'h' || d % 10, '-'
  FROM generate_series(1, 1001) d;
INSERT INTO tab_polozka (ID_SKLAD, ID_KATEGORIE, ID_DODAVATEL, ID_DPH, ID_JEDNOTKA, PATH_ID_KATEGORIE, STATE_PLATNOST,
    OZNACENI, KOD, POLOZKA, SPECIFIKACE, ZARUKA, NAKUP, PRODEJ, SLEVA, MNOZSTVI, ZASOBA, MINIMUM, NASOBNE)
  SELECT 1, c, 1, 1, 1, '1\9999\', true, 'Z' || c, 'EAN' || c, 'Zvláštní ' || c, '', 0, 1.5, 3, 0, 2, 0, 1, false
  FROM unnest(ARRAY[400001, 400002, 300001, 100999, 101000, 101001, 200000, 200000]) c;
RESET session_replication_role;
ANALYZE;
)";

class ItemList : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        db = new SchemaDatabase;
        s = db->session().release();
        s->script(QString::fromUtf8(FillSql));
        ASSERT_EQ(s->error(), "");
    }
    static void TearDownTestSuite()
    {
        delete s;
        delete db;
    }

    static const TDMQueryDef &def() { return *FindQueryDef("MSSQLADOQuery_Polozka"); }
    // The list's statement as the data module makes it, and as it was.
    static QString listSql(const QString &filter, const QString &order, const QString &keys = QString())
    {
        QFile file(def().resource);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        QString sql = QString::fromUtf8(file.readAll());
        sql.replace("%WHERE_FILTER", ListFilterText(def(), filter)).replace("%ORDER_BY", order);
        // The whole list, as every list leaves its keys' parameter; or the
        // rows of the keys given.
        sql = StateRowKeyTests(sql, RowKeysRead::WholeList).text;
        sql.replace(":KLICE", keys.isEmpty() ? "CAST(NULL AS integer[])" : "CAST('{" + keys + "}' AS integer[])");
        return sql.replace(":ID_SKLAD", "$1").replace(":PATH_ID_KATEGORIE", "$2");
    }
    static QString joinedSql(const QString &filter, const QString &order)
    {
        QString sql = QString::fromUtf8(JoinedList);
        sql.replace("%WHERE_FILTER", filter).replace("%ORDER_BY", order);
        return Db::TranslateParameters(sql).sql;
    }
    // Every row with its column names, in order: a digest and the count.
    static QString digest(const QString &sql, const QVariantList &params)
    {
        const QString rows =
            s->value("SELECT count(*) || ' ' || coalesce(md5(string_agg(row_to_json(t)::text, E'\\n')), '-') FROM (" +
                         sql + ") t",
                     params);
        return s->error().isEmpty() ? rows : s->error();
    }
    // The sort orders the grid's titles give: every column, both ways.
    static QStringList sortOrders()
    {
        QStringList orders;
        for (const TDMFieldDef &field : def().fields) {
            const QString column = field.origin.isEmpty() ? field.name : field.origin + '.' + field.name;
            orders << column << column + " DESC";
        }
        return orders;
    }

    static SchemaDatabase *db;
    static Session *s;
};

SchemaDatabase *ItemList::db = nullptr;
Session *ItemList::s = nullptr;

} // namespace

TEST_F(ItemList, ListsWhatTheJoinedLinesListedForEveryFilterAndOrder)
{
    const QStringList filters = s->column("SELECT SCRIPT FROM tab_filtr ORDER BY ID_FILTR");
    ASSERT_EQ(filters.size(), 22);
    // The whole store walks the tree down; a branch walks up from its items'
    // categories: one with the tree's odd shapes (stored under a path of
    // its own).
    const QVariantList wholeStore{1, "1%"},
        category{1, s->value("SELECT tab_kategorie_func_PATH_ID_KATEGORIE(3)") + "%"}, odd{1, "1\\9999\\%"};
    int listed = 0;
    for (const QString &filter : filters) {
        for (const QString &order : sortOrders()) {
            for (const QVariantList &params : {wholeStore, category, odd}) {
                if (params != wholeStore && order != sortOrders().first())
                    continue;
                const QString before = digest(joinedSql(filter, order), params);
                EXPECT_EQ(digest(listSql(filter, order), params), before) << qPrintable(filter + " / " + order);
                listed += before.section(' ', 0, 0).toInt();
            }
        }
    }
    EXPECT_GT(listed, 52 * 1000); // the filters do list rows
    EXPECT_EQ(digest(listSql("1=1", sortOrders().first()), odd).section(' ', 0, 0), "8");
}

// Conditions written by hand: the lines' columns named without their table,
// a condition on the item and its lines together, one that takes the items
// without lines, and one that names no line at all.
TEST_F(ItemList, HandWrittenConditionsKeepTheirMeaning)
{
    const QVariantList params{1, "1%"};
    for (const QString filter : {
             "ID_OPERACE = 9 AND DOKLAD_VYTISTENY = '-'",
             "tab_historie.ID_OPERACE BETWEEN 1 AND 3 AND tab_polozka.MNOZSTVI > 2 AND tab_dph.DPH > 0",
             "tab_historie.ID_HISTORIE IS NULL",
             "tab_historie.ID_HISTORIE IS NULL OR tab_historie.STATE_STAV = false",
             "NOT tab_historie.STATE_STAV IS TRUE",
             "tab_kategorie.KATEGORIE LIKE 'Pod%' AND tab_kontakt.KONTAKT <> 'Řezník'",
             "tab_polozka.MNOZSTVI < tab_polozka.ZASOBA",
             "EXISTS (SELECT 1 FROM tab_historie h WHERE h.ID_POLOZKA = tab_polozka.ID_POLOZKA AND h.ID_OPERACE = 2)",
         }) {
        const QString before = digest(joinedSql(filter, "tab_polozka.POLOZKA DESC"), params);
        EXPECT_EQ(digest(listSql(filter, "tab_polozka.POLOZKA DESC"), params), before) << qPrintable(filter);
        EXPECT_NE(before.section(' ', 0, 0), "0") << qPrintable(filter);
    }
    // A column both the item and its line have is as ambiguous as it was.
    digest(listSql("MNOZSTVI > 0", "tab_polozka.OZNACENI"), params);
    EXPECT_EQ(s->sqlState(), "42702");
}

TEST(ItemListFilter, TellsAConditionThatNamesALine)
{
    for (const char *line :
         {"tab_historie.ID_OPERACE = 1", "TAB_HISTORIE.time > now()", "\"tab_historie\".TIME IS NULL", "id_operace = 1",
          "UZIVATEL = 'x'", "MNOZSTVI > 0", "x.POLOZKA = 'a' OR kod = '1'", "public.tab_historie.STATE_STAV"})
        EXPECT_TRUE(NamesHistoryLine(line)) << line;
    for (const char *item : {"1=1", "tab_polozka.MNOZSTVI < tab_polozka.ZASOBA", "tab_dph.DPH = 21",
                             "tab_polozka.POLOZKA = 'tab_historie.TIME'", "tab_polozka . KOD LIKE 'a%'", ""})
        EXPECT_FALSE(NamesHistoryLine(item)) << item;
}

// What the server did for the list's statement, from its plan with the rows
// each step made: how many statements ran (a function called for a row runs
// its own), and the first step's name and rows.
struct ListPlan
{
    int statements = 0;
    QString top;
    int topRows = 0;
    int walked = -1; // rows of the paths' walks, -1: no walk
    bool readsLines = false;

    explicit ListPlan(const QString &plans)
    {
        statements = int(plans.count("Query Text:"));
        const QRegularExpression step(
            R"(\n\s*(?:->\s*)?([A-Z][A-Za-z ]+?)  \(cost=[^)]*\) \(actual time=\S+ rows=(\d+) loops=(\d+)\))");
        const QRegularExpressionMatch first = step.match(plans);
        if (first.hasMatch()) {
            top = first.captured(1);
            topRows = first.captured(2).toInt() * first.captured(3).toInt();
        }
        const QRegularExpression walk(R"(Recursive Union  \(cost=[^)]*\) \(actual time=\S+ rows=(\d+) loops=1\))");
        for (auto it = walk.globalMatch(plans); it.hasNext();)
            walked = std::max(walked, 0) + it.next().captured(1).toInt();
        readsLines = plans.contains("tab_historie");
    }
};

// Each item is read once: with no condition on the lines the list reads none,
// and with one it sorts the items it lists, not a row for each of their lines.
TEST_F(ItemList, SortsEachListedItemOnce)
{
    s->logPlans(true);
    const QStringList lineFilters = s->column("SELECT SCRIPT FROM tab_filtr WHERE SCRIPT LIKE '%tab_historie%'");
    ASSERT_GT(lineFilters.size(), 10);
    for (const QString &filter : QStringList{"1=1", "tab_polozka.MNOZSTVI < tab_polozka.ZASOBA"} + lineFilters) {
        s->clearPlans();
        const int listed = int(s->column(listSql(filter, "tab_polozka.POLOZKA"), {1, "1%"}).size());
        const ListPlan plan(s->plans());
        EXPECT_EQ(plan.statements, 1) << qPrintable(filter);
        EXPECT_EQ(plan.top.toStdString(), "Sort") << qPrintable(filter + "\n" + s->plans());
        EXPECT_EQ(plan.topRows, listed) << qPrintable(filter);
        if (!lineFilters.contains(filter)) {
            EXPECT_FALSE(plan.readsLines) << qPrintable(filter);
        }
    }
}

// The path of an item's category is walked once for each category listed, in
// the list's own statement: no function runs a walk of its own for an item.
// A branch of eleven categories holds about 150 items; the whole store's list
// walks the tree once.
TEST_F(ItemList, WalksEachCategorysPathOnce)
{
    const QString branch = s->value("SELECT tab_kategorie_func_PATH_ID_KATEGORIE(2)") + "%";
    const QString listed =
        "FROM tab_polozka WHERE STATE_PLATNOST AND ID_SKLAD = 1 AND PATH_ID_KATEGORIE LIKE $1 ESCAPE ''";
    const int items = s->integer("SELECT count(*) " + listed, {branch});
    // A walk reads the category and each of its ancestors: as many look-ups
    // as its path has ids.
    const int lookups = s->integer("SELECT sum(length(p) - length(replace(p, '\\', ''))) FROM"
                                   " (SELECT DISTINCT PATH_ID_KATEGORIE AS p " +
                                       listed + ") c",
                                   {branch});
    ASSERT_GT(items, 100);
    ASSERT_LT(lookups, items);
    s->logPlans(true);
    s->clearPlans();
    EXPECT_EQ(s->column(listSql("1=1", "tab_polozka.OZNACENI"), {1, branch}).size(), items);
    const ListPlan plan(s->plans());
    EXPECT_EQ(plan.statements, 1) << qPrintable(s->plans());
    EXPECT_EQ(plan.walked, lookups) << qPrintable(s->plans());

    s->clearPlans();
    EXPECT_GT(s->column(listSql("1=1", "tab_polozka.OZNACENI"), {1, "1%"}).size(), 1000);
    const ListPlan whole(s->plans());
    EXPECT_EQ(whole.statements, 1) << qPrintable(s->plans());
    EXPECT_GT(whole.walked, 100);
    EXPECT_LE(whole.walked, s->integer("SELECT count(*) FROM tab_kategorie")) << qPrintable(s->plans());

    // The rows of two items of the whole store, read by their keys, walk up
    // from their own categories alone.
    const QStringList two = s->column("SELECT ID_POLOZKA::text FROM tab_polozka WHERE STATE_PLATNOST AND ID_SKLAD = 1"
                                      " AND PATH_ID_KATEGORIE LIKE $1 ESCAPE '' ORDER BY ID_POLOZKA LIMIT 2",
                                      {branch});
    ASSERT_EQ(two.size(), 2);
    s->clearPlans();
    EXPECT_EQ(s->column(listSql("1=1", "tab_polozka.OZNACENI", two.join(',')), {1, "1%"}).size(), 2);
    const ListPlan keyed(s->plans());
    EXPECT_EQ(keyed.walked, s->integer("SELECT sum(length(p) - length(replace(p, '\\', ''))) FROM"
                                       " (SELECT DISTINCT PATH_ID_KATEGORIE AS p FROM tab_polozka"
                                       " WHERE ID_POLOZKA IN (" +
                                       two.join(',') + ")) c"))
        << qPrintable(s->plans());
}
