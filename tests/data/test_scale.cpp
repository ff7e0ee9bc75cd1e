// A shop of some size: the look-ups the program makes by a typed value (label,
// code, name, category name) or by a date are planned on an index, never as a
// read of the whole table. Plans are read with EXPLAIN, and those of the
// statements inside the procedures through the server's plan logging, sent to
// this session as notices.
#include "data/dmquerydefs.h"
#include "data/rowkeytests.h"
#include "schema_session.h"

#include <QRegularExpression>

namespace {

// Two stores, a tree of 1,110 categories, 20,000 items (every tenth removed)
// and a year of sales up to today with an item log: enough rows that the
// planner takes an index wherever one fits, made in a few seconds.
const char *const FillSql = R"(
INSERT INTO tab_sklad (SKLAD, ID_KATEGORIE) VALUES ('Sklad-02', 1);
INSERT INTO tab_kategorie (ID_NADKATEGORIE, KATEGORIE, SPECIFIKACE)
  SELECT 1, 'A' || a, '-' FROM generate_series(1, 10) a;
INSERT INTO tab_kategorie (ID_NADKATEGORIE, KATEGORIE, SPECIFIKACE)
  SELECT k.ID_KATEGORIE, 'B' || b, '-' FROM tab_kategorie k, generate_series(1, 10) b WHERE k.ID_NADKATEGORIE = 1;
INSERT INTO tab_kategorie (ID_NADKATEGORIE, KATEGORIE, SPECIFIKACE)
  SELECT k.ID_KATEGORIE, 'C' || c, '-' FROM tab_kategorie k JOIN tab_kategorie n ON n.ID_KATEGORIE = k.ID_NADKATEGORIE,
    generate_series(1, 10) c WHERE n.ID_NADKATEGORIE = 1;
CREATE TEMP TABLE list AS
  SELECT row_number() OVER (ORDER BY ID_KATEGORIE) - 1 AS n, ID_KATEGORIE AS id,
         tab_kategorie_func_PATH_ID_KATEGORIE(ID_KATEGORIE) AS path
  FROM tab_kategorie WHERE ID_KATEGORIE > 111;
INSERT INTO tab_polozka (ID_SKLAD, ID_KATEGORIE, ID_DODAVATEL, ID_DPH, ID_JEDNOTKA, PATH_ID_KATEGORIE, STATE_PLATNOST,
    OZNACENI, KOD, POLOZKA, SPECIFIKACE, ZARUKA, NAKUP, PRODEJ, SLEVA, MNOZSTVI, ZASOBA, MINIMUM, NASOBNE)
  SELECT 1 + (i % 7 = 0)::int, l.id, 1, 3, 2, l.path, i % 10 <> 0, lpad(i::text, 8, '0'), 'EAN' || i, 'Položka ' || i,
         '-', 24, 50, 100, 0, 1000, 0, 1, true
  FROM generate_series(1, 20000) i JOIN list l ON l.n = i % 1000;
INSERT INTO tab_doklad (ID_DOKLAD, TIME, SLEVA)
  SELECT d, localtimestamp - make_interval(secs => (12000 - d) * 2628), 0 FROM generate_series(1, 12000) d;
INSERT INTO tab_historie (ID_DOKLAD, ID_POLOZKA, ID_OPERACE, ID_SKLAD, ID_KATEGORIE, ID_DODAVATEL, ID_ODBERATEL, ID_DPH,
    ID_JEDNOTKA, REF_ID_DOKLAD, TIME, DOKLAD_NETISTENY, DOKLAD_VYTISTENY, OZNACENI, KOD, POLOZKA, SPECIFIKACE, ZARUKA,
    NAKUP, PRODEJ, SLEVA, MNOZSTVI, ZASOBA, MINIMUM, NASOBNE, UZIVATEL)
  SELECT CASE WHEN h % 10 = 0 THEN 0 ELSE d.ID_DOKLAD END, p.ID_POLOZKA, CASE WHEN h % 10 = 0 THEN 9 ELSE 1 END,
         p.ID_SKLAD, p.ID_KATEGORIE, 1, 1, 3, 2, 0, d.TIME, 'UCT' || d.ID_DOKLAD, '-', p.OZNACENI, p.KOD, p.POLOZKA,
         '-', 24, 50, 100, 0, 1, 0, 1, true, 'test'
  FROM generate_series(1, 60000) h
    JOIN tab_doklad d ON d.ID_DOKLAD = 1 + h % 12000
    JOIN tab_polozka p ON p.ID_POLOZKA = 1 + (h * 7919) % 20000;
ANALYZE;
)";

class ShopAtSize : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        db = new SchemaDatabase;
        s = db->session().release();
        s->script(QString::fromUtf8(FillSql));
        ASSERT_EQ(s->error(), "");
        s->logPlans();
    }
    static void TearDownTestSuite()
    {
        delete s;
        delete db;
    }

    // The plans of the call and of every statement it ran.
    static QString plansOfCall(const QString &call, const QVariantList &params = {})
    {
        s->clearPlans();
        s->value("SELECT " + call, params);
        EXPECT_EQ(s->error(), "") << qPrintable(call);
        return s->plans();
    }
    // A list's statement: its template with the placeholders filled.
    static QString listSql(const QString &component, const QString &filter)
    {
        const TDMQueryDef *def = FindQueryDef(component);
        QString sql = QueryTemplateLines(*def).join(u'\n');
        EXPECT_FALSE(sql.isEmpty()) << qPrintable(def->resource);
        sql.replace("%WHERE_FILTER", ListFilterText(*def, filter)).replace("%ORDER_BY", def->defaultValue("%ORDER_BY"));
        // The whole list; its parameters in the order the definition names them.
        sql = StateRowKeyTests(sql, RowKeysRead::WholeList).text.replace(":KLICE", "CAST(NULL AS integer[])");
        for (int i = 0; i < def->parameters.size(); ++i)
            sql.replace(':' + def->parameters[i], '$' + QString::number(i + 1));
        return sql;
    }
    // The first column of the list's rows, or with an EXPLAIN in front its plan.
    static QStringList runList(const QString &component, const QString &filter, const QVariantList &params = {},
                               const QString &explain = "")
    {
        s->clearPlans();
        const QStringList rows = s->column(explain + listSql(component, filter), params);
        EXPECT_EQ(s->error(), "") << qPrintable(filter);
        return rows;
    }
    static QString planOfList(const QString &component, const QString &filter, const QVariantList &params = {})
    {
        return runList(component, filter, params, "EXPLAIN ").join('\n');
    }
    static QString storedFilter(int id) { return s->value("SELECT SCRIPT FROM tab_filtr WHERE ID_FILTR = $1", {id}); }

    static SchemaDatabase *db;
    static Session *s;
};

SchemaDatabase *ShopAtSize::db = nullptr;
Session *ShopAtSize::s = nullptr;

// The tables a plan reads whole, one "Seq Scan on" line each.
QString wholeReads(const QString &plan)
{
    QStringList scans;
    for (const QString &line : plan.split('\n'))
        if (line.contains("Seq Scan on "))
            scans << line.trimmed();
    return scans.join("; ");
}

// The rows that the scans of the items table and its indexes read in plans
// with analysis: what each returned, and what each read only to throw away.
int itemRowsRead(const QString &plans)
{
    static const QRegularExpression scan(
        "Scan.* on (\\S+)(?: \\S+)?  \\(cost=.*actual time=\\S+ rows=(\\d+) loops=(\\d+)");
    static const QRegularExpression removed("Rows Removed by (?:Filter|Index Recheck): (\\d+)");
    int rows = 0;
    bool items = false; // whether the last node read the items table or an index
    for (const QString &line : plans.split('\n')) {
        if (line.contains("actual time=")) {
            const QRegularExpressionMatch m = scan.match(line);
            items = m.hasMatch() && (m.captured(1) == "tab_polozka" || m.captured(1).startsWith("index_"));
            if (items)
                rows += m.captured(2).toInt() * m.captured(3).toInt();
        } else if (const QRegularExpressionMatch m = removed.match(line); items && m.hasMatch()) {
            rows += m.captured(1).toInt();
        }
    }
    return rows;
}

} // namespace

// The item card's and the import's uniqueness tests, the test the write
// makes of them, the look-up of an item by name, the new item's proposed
// label and the walk down a path of category names: each through the index
// made for it, reading a few rows, never the whole table or the whole store.
TEST_F(ShopAtSize, ItemChecksAndNameLookupsUseTheirIndexesAndReadFewRows)
{
    const QVariantList label{1, "00000778"}, code{1, "ean778"}, name{1, "POLOŽKA 778"};
    s->logPlans(true);
    // The call, its indexes, the rows it may read.
    struct Lookup
    {
        QString call;
        QVariantList params;
        QStringList indexes;
        int rows;
    };
    for (const Lookup &lookup : std::initializer_list<Lookup>{
             {"tab_polozka_OZNACENI_EXISTUJE($1, $2)", label, {"index_oznaceni"}, 2},
             {"tab_polozka_OZNACENI_EXISTUJE_2($1, 5, $2)", label, {"index_oznaceni"}, 2},
             {"tab_polozka_KOD_EXISTUJE($1, $2)", code, {"index_kod"}, 2},
             {"tab_polozka_KOD_EXISTUJE_2($1, 5, $2)", code, {"index_kod"}, 2},
             {"tab_polozka_POLOZKA_EXISTUJE($1, $2)", name, {"index_polozka"}, 2},
             {"tab_polozka_POLOZKA_EXISTUJE_2($1, 5, $2)", name, {"index_polozka"}, 2},
             {"tab_polozka_func_IMPORT_EXISTUJE($1, 1, ARRAY[$2])", label, {"index_oznaceni"}, 2},
             // a removed item's values: free again
             {"tab_polozka_func_JEDINECNE($1, NULL, '00000780', 'ean780', $2, true, true, true)",
              {1, "položka 780"},
              {"index_oznaceni", "index_kod", "index_polozka"},
              3},
             {"tab_polozka_ID_POLOZKA($1)", {"položka 778"}, {"index_polozka"}, 2},
             // 1 to 6 and 8, the first gap
             {"tab_polozka_func_OZNACENI_NEJMENSI_VOLNE($1, 8)", {1}, {"index_oznaceni_cislo"}, 10},
         }) {
        const QString plans = plansOfCall(lookup.call, lookup.params);
        EXPECT_TRUE(plans.contains("on tab_polozka")) << qPrintable(lookup.call); // the plans did come
        for (const QString &index : lookup.indexes)
            EXPECT_TRUE(plans.contains(QRegularExpression("(using|on) " + index + "\\b")))
                << qPrintable(lookup.call + " without " + index + ":\n" + plans);
        EXPECT_LE(itemRowsRead(plans), lookup.rows) << qPrintable(lookup.call + ":\n" + plans);
    }
    s->logPlans(false);
    EXPECT_EQ(s->integer("SELECT tab_polozka_OZNACENI_EXISTUJE(1, '00000778')"), 1);
    EXPECT_EQ(s->integer("SELECT tab_polozka_OZNACENI_EXISTUJE(1, '00000780')"), 0); // removed
    EXPECT_EQ(s->integer("SELECT tab_polozka_KOD_EXISTUJE(2, 'EAN777')"), 1);
    // Every seventh item is in the other store.
    EXPECT_EQ(s->value("SELECT tab_polozka_func_OZNACENI_NEJMENSI_VOLNE(1, 8)"), "00000007");
    const QString walk = wholeReads(plansOfCall("tab_kategorie_ID_KATEGORIE_EXISTUJE('?\\a3\\b5\\c7')"));
    EXPECT_FALSE(walk.contains("tab_kategorie")) << qPrintable(walk);
    EXPECT_GT(s->integer("SELECT tab_kategorie_ID_KATEGORIE_EXISTUJE('?\\a3\\b5\\c7')"), 111);
}

// The documents page opens on today's documents; the saved filters compare the
// day, the week, the month or a period of a line, on the documents page and in
// the item list. The item list of a category and an item's history too.
TEST_F(ShopAtSize, DateFiltersCategoryListsAndHistoryUseIndexes)
{
    const QString today = FindQueryDef("MSSQLADOQuery_Doklad")->defaultValue("%WHERE_FILTER");
    const QString documents = wholeReads(planOfList("MSSQLADOQuery_Doklad", today));
    EXPECT_FALSE(documents.contains("tab_historie")) << qPrintable(documents);
    // Day, week and month of item changes and of sales, and the three periods.
    for (int id : {2, 3, 4, 6, 7, 8, 10, 13, 15}) {
        const QString filter = storedFilter(id);
        for (const QString &scans : {wholeReads(planOfList("MSSQLADOQuery_Doklad", filter)),
                                     wholeReads(planOfList("MSSQLADOQuery_Polozka", filter, {1, "1\\%"}))})
            EXPECT_FALSE(scans.contains("tab_historie")) << qPrintable(filter + ": " + scans);
    }
    const QString leaf = s->value("SELECT PATH_ID_KATEGORIE FROM tab_polozka WHERE ID_POLOZKA = 77") + "%";
    const QString category = wholeReads(planOfList("MSSQLADOQuery_Polozka", "1=1", {1, leaf}));
    EXPECT_FALSE(category.contains("tab_polozka")) << qPrintable(category);
    const QString history = wholeReads(planOfList("MSSQLADOQuery_PolozkaHistorie", "", {77}));
    EXPECT_FALSE(history.contains("tab_historie")) << qPrintable(history);
}

// The documents page reads each document once: its header and its lines for
// the totals once for each document listed (not once for every line the
// filter matched, nor all the headers of the shop); the saved day, week and
// month filters find their lines through the indexes of their comparisons.
TEST_F(ShopAtSize, EachDocumentIsReadOnceAndTheDateFiltersUseTheirIndexes)
{
    const QString month =
        "(tab_historie.ID_OPERACE BETWEEN 1 AND 6) AND tab_historie.TIME > LOCALTIMESTAMP - interval '30 days'";
    const int documents =
        s->integer("SELECT count(DISTINCT ID_DOKLAD) FROM tab_historie"
                   " WHERE ID_OPERACE BETWEEN 1 AND 6 AND TIME > LOCALTIMESTAMP - interval '30 days'");
    ASSERT_GT(documents, 500);
    EXPECT_EQ(runList("MSSQLADOQuery_Doklad", month).size(), documents);
    const QStringList plan = runList("MSSQLADOQuery_Doklad", month, {}, "EXPLAIN ANALYZE ");
    const QRegularExpression actual("actual time=\\S+ rows=(\\d+) loops=(\\d+)");
    int headers = 0, totals = 0;
    for (const QString &node : plan) {
        const QRegularExpressionMatch rows = actual.match(node);
        if (node.contains(" on tab_doklad") && rows.hasMatch())
            headers += rows.captured(1).toInt() * rows.captured(2).toInt();
        if (node.contains(QRegularExpression("Index Scan (using|on) index_id_doklad\\b")) && rows.hasMatch())
            totals += rows.captured(2).toInt();
    }
    EXPECT_EQ(headers, documents) << qPrintable(plan.join('\n'));
    EXPECT_EQ(totals, documents) << qPrintable(plan.join('\n'));
    for (const auto &[id, index] : {std::pair{6, "index_time_den"}, {7, "index_time_tyden"}, {8, "index_time_mesic"}})
        EXPECT_TRUE(planOfList("MSSQLADOQuery_Doklad", storedFilter(id)).contains(index)) << index;
}

// An item's history names each line's category by its path: the path is
// walked up the tree once for the item's category, not once for every line.
TEST_F(ShopAtSize, AnItemsHistoryWalksItsCategoryPathOnce)
{
    ASSERT_EQ(runList("MSSQLADOQuery_PolozkaHistorie", "", {77}).size(), 3);
    // The category is three levels below the root: four steps of the walk.
    EXPECT_EQ(s->plans().count("on tab_kategorie"), 4) << qPrintable(s->plans());
}
