// A small shop against a large one: what the tills do all day, timed on both,
// with each large figure printed against its small one (goal: at most 1.5
// times). The small shop has 1,000 items in a tree two levels deep and 10,000
// history lines; the large one 100,000 items in a tree four levels deep,
// 1,000,000 history lines over five years, 200,000 documents and a cash book
// of 200,000 movements. Both sell about as many documents a day, and both
// trees end in categories of ten items, so the same screen shows as many rows
// in each. The databases are made by the program's creation script and
// filled by bulk statements that give the rows the procedures would; the
// server comes from the PG* variables (TARMIL5_TEST_SERVER), and both
// databases are dropped at the end, unless TARMIL5_BENCH_KEEP is set: then
// they are kept (as t5scale_small and t5scale_large) for a look with psql, and
// the next run that keeps them reuses them instead of building them anew
// (each run leaves its sales, items and saves in them: drop them now and then,
// and compare figures of runs on shops built alike). A kept shop is built by
// the creation script of its time: after a change to it, drop them.
#include "app/catalogue/itemcardsettings.h"
#include "app/main/notebook.h"
#include "app/main/tarmilform.h"
#include "app/search/form_hledat.h"
#include "app/spreadsheet/itemimport.h"
#include "app/spreadsheet/spreadsheetsource.h"
#include "data/dm.h"
#include "data/dmscreens.h"
#include "data/mssqladoconnection.h"
#include "data/mssqladoquery.h"
#include "platform/db/sqlparameters.h"
#include "platform/messages.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <libpq-fe.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include <unistd.h>

namespace {

struct ShopSize
{
    const char *name;
    int items, depth, documents, lines, days;
};
// Ten children to a category; five lines to a document; the small shop's
// documents span as many days as give the large one's daily count.
constexpr ShopSize Sizes[] = {{"small", 1000, 2, 1800, 10000, 18}, {"large", 100000, 4, 200000, 1000000, 1826}};
constexpr int ImportRows = 1000;
constexpr int SaleLines = 20;

// New labels, codes and names carry the run's process id, so that a kept shop
// takes the next run's new items as new.
QString runTag()
{
    return QString::number(QCoreApplication::applicationPid() % 100000);
}

// The filling statements; :N names a figure of the size.
QStringList fillStatements(const ShopSize &size)
{
    QStringList sql{
        // The indexes of the two large tables are built once after the load.
        "CREATE TEMP TABLE bench_indexes AS SELECT indexname, indexdef FROM pg_indexes"
        " WHERE tablename IN ('tab_polozka', 'tab_historie') AND indexname NOT LIKE '%pkey'",
        "DO $$ DECLARE r record; BEGIN FOR r IN SELECT indexname FROM bench_indexes LOOP"
        " EXECUTE 'DROP INDEX ' || r.indexname; END LOOP; END $$",
        "CREATE TEMP TABLE bench_level (id integer, level integer)",
        "INSERT INTO bench_level VALUES (1, 0)",
        "DO $$ DECLARE v integer; BEGIN FOR v IN 1 .. :DEPTH LOOP"
        " WITH ins AS (INSERT INTO tab_kategorie (ID_NADKATEGORIE, KATEGORIE, SPECIFIKACE)"
        "   SELECT l.id, 'Kategorie ' || v || '-' || n, '-' FROM bench_level l, generate_series(1, 10) n"
        "   WHERE l.level = v - 1 RETURNING ID_KATEGORIE)"
        " INSERT INTO bench_level SELECT ID_KATEGORIE, v FROM ins; END LOOP; END $$",
        "CREATE TEMP TABLE bench_leaf AS SELECT row_number() OVER (ORDER BY id) - 1 AS n, id,"
        " tab_kategorie_func_PATH_ID_KATEGORIE(id) AS path FROM bench_level WHERE level = :DEPTH",
        "INSERT INTO tab_polozka (ID_SKLAD, ID_KATEGORIE, ID_DODAVATEL, ID_DPH, ID_JEDNOTKA, PATH_ID_KATEGORIE,"
        " OZNACENI, KOD, POLOZKA, SPECIFIKACE, ZARUKA, NAKUP, PRODEJ, SLEVA, MNOZSTVI, ZASOBA, MINIMUM, NASOBNE)"
        " SELECT 1, l.id, 1, 3, 2, l.path, lpad(i::text, 8, '0'), (8590000000000 + i)::text, 'Položka ' || i, '-', 24,"
        " 50, 100, 0, 1000000, 0, 1, true"
        " FROM generate_series(1, :ITEMS) i JOIN bench_leaf l ON l.n = (i - 1) % (:ITEMS / 10)",
        "INSERT INTO tab_doklad (ID_DOKLAD, TIME, SLEVA) SELECT d,"
        " localtimestamp - make_interval(secs => (:DOCUMENTS - d) * (:DAYS * 86400.0 / :DOCUMENTS)), 0"
        " FROM generate_series(1, :DOCUMENTS) d",
        "SELECT setval(pg_get_serial_sequence('tab_doklad', 'id_doklad'), :DOCUMENTS)",
        // Each item's log row of its arrival, then the documents' lines.
        "SELECT tab_polozka_HISTORIE(ID_POLOZKA, 7) FROM tab_polozka",
        "UPDATE tab_historie SET TIME = localtimestamp - make_interval(days => :DAYS)",
        "INSERT INTO tab_historie (ID_DOKLAD, ID_POLOZKA, ID_OPERACE, ID_SKLAD, ID_KATEGORIE, ID_DODAVATEL,"
        " ID_ODBERATEL, ID_DPH, ID_JEDNOTKA, REF_ID_DOKLAD, TIME, DOKLAD_NETISTENY, DOKLAD_VYTISTENY, OZNACENI, KOD,"
        " POLOZKA, SPECIFIKACE, ZARUKA, NAKUP, PRODEJ, SLEVA, MNOZSTVI, ZASOBA, MINIMUM, NASOBNE, UZIVATEL)"
        " SELECT d.ID_DOKLAD, p.ID_POLOZKA, 1, 1, p.ID_KATEGORIE, 1, 1, 3, 2, 0, d.TIME, 'UCT' || d.ID_DOKLAD, '-',"
        " p.OZNACENI, p.KOD, p.POLOZKA, '-', 24, 50, 100, 0, 1, 0, 1, true, 'bench'"
        " FROM generate_series(1, :LINES - :ITEMS) h JOIN tab_doklad d ON d.ID_DOKLAD = 1 + (h - 1) % :DOCUMENTS"
        " JOIN tab_polozka p ON p.ID_POLOZKA = 1 + (h::bigint * 7919) % :ITEMS",
        // The next number after the documents, in a width that holds it.
        "UPDATE tab_oznaceni_doklad SET PORADI_DOKLAD_NETISTENY = :DOCUMENTS + 1, PORADI_ZAROVNANI = 8"
        " WHERE ID_OZNACENI_DOKLAD = 1",
        // A cash book of one movement for each document.
        "INSERT INTO tab_pokladna (ID_OPERACE, TIME_POKLADNA, DOKLAD_NETISTENY, DOKLAD_VYTISTENY, UZIVATEL, POHYB,"
        " STAV) SELECT 1, TIME, 'UCT' || ID_DOKLAD, '-', 'bench', 500, 500 * ID_DOKLAD FROM tab_doklad",
        "DO $$ DECLARE r record; BEGIN FOR r IN SELECT indexdef FROM bench_indexes LOOP"
        " EXECUTE r.indexdef; END LOOP; END $$",
        // As the server's own cleaning would leave them, and before the timing
        // starts, so that it does not run in the middle of it.
        "VACUUM ANALYZE",
        "CREATE TABLE bench_whole ()",
    };
    for (QString &statement : sql)
        statement.replace(":DEPTH", QString::number(size.depth))
            .replace(":ITEMS", QString::number(size.items))
            .replace(":DOCUMENTS", QString::number(size.documents))
            .replace(":LINES", QString::number(size.lines))
            .replace(":DAYS", QString::number(size.days));
    return sql;
}

QString serverName()
{
    const QString server = qEnvironmentVariable("TARMIL5_TEST_SERVER");
    return server.isEmpty() ? qEnvironmentVariable("PGHOST") + u':' + qEnvironmentVariable("PGPORT") : server;
}

[[noreturn]] void fail(const QString &what, const TDM &dm)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(what), qPrintable(dm.LastErrorText()));
    std::exit(1);
}

// One shop: its database, and a data module on it as a till has it, with the
// item list on the category of the item it works with, the basket and today's
// documents open.
class Shop
{
public:
    explicit Shop(const ShopSize &size)
        : m_keep(qEnvironmentVariableIsSet("TARMIL5_BENCH_KEEP"))
        , m_database(m_keep ? QStringLiteral("t5scale_%1").arg(size.name)
                            : QStringLiteral("t5scale_%1_%2").arg(size.name).arg(QCoreApplication::applicationPid()))
    {
        if (!dm.ConnectServer(serverName(), qEnvironmentVariable("PGUSER"), qEnvironmentVariable("PGPASSWORD")))
            fail(QStringLiteral("the server"), dm);
        if (m_keep && whole())
            std::fprintf(stderr, "reusing the %s shop %s...\n", size.name, qPrintable(m_database));
        else
            build(size);
        item = size.items / 2;
        TDMItemOrigin origin;
        if (!dm.ReadItem(item, card, origin) || !dm.OpenBasket() || !dm.OpenDocuments())
            fail(QStringLiteral("the lists"), dm);
        leafPath = dm.CategoryIdPath(dm.CategoryIdByPath(card.KATEGORIE));
        // A leaf that no figure sells from or adds to: its rows and their
        // history lines are as the shop was made, in either shop.
        TDMItem quiet;
        if (!dm.ReadItem(size.items - 5, quiet, origin))
            fail(QStringLiteral("the quiet item"), dm);
        quietLeafPath = dm.CategoryIdPath(dm.CategoryIdByPath(quiet.KATEGORIE));
        if (!dm.OpenItems()) // the whole store
            fail(QStringLiteral("the item list"), dm);
    }
    ~Shop()
    {
        dm.MSSQLADOConnection->Connection().close();
        if (m_keep)
            return;
        Db::Connection server;
        if (server.open(serverName(), QStringLiteral("postgres"), qEnvironmentVariable("PGUSER"),
                        qEnvironmentVariable("PGPASSWORD"))) {
            server.exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_database));
            server.exec(QStringLiteral("DROP ROLE IF EXISTS %1").arg(m_database));
        }
    }
    TDM dm;
    int item = 0;
    TDMItem card; // the item as its card shows it
    QString leafPath;
    QString quietLeafPath;

private:
    // A kept shop is whole once its last statement made the table bench_whole.
    bool whole()
    {
        return dm.MSSQLADOConnection->DatabaseExists(m_database) && dm.SelectDatabase(m_database) &&
               dm.MSSQLADOConnection->Connection().exec("SELECT 1 FROM bench_whole").succeeded();
    }
    void build(const ShopSize &size)
    {
        std::fprintf(stderr, "building the %s shop...\n", size.name);
        if (!dm.MSSQLADOConnection->CreateDatabase(m_database) || !dm.SelectDatabase(m_database))
            fail(QStringLiteral("the database"), dm);
        Db::Connection &connection = dm.MSSQLADOConnection->Connection();
        for (const QString &statement : fillStatements(size))
            if (!connection.exec(statement).succeeded())
                fail(statement.left(120), dm);
    }

    bool m_keep;
    QString m_database;
};

std::map<int, std::unique_ptr<Shop>> g_shops;

Shop &shop(const benchmark::State &state)
{
    auto &slot = g_shops[int(state.range(0))];
    if (!slot)
        slot = std::make_unique<Shop>(Sizes[state.range(0)]);
    return *slot;
}

// Keeps a shop at its size: the items a figure adds (and their history
// lines) are taken out again when it asks, and at the latest when it ends,
// so every round measures the shop it was built as.
class ShopSizeKept
{
public:
    explicit ShopSizeKept(Shop &s)
        : m_shop(s)
        , m_last(lastItem())
    {}
    ~ShopSizeKept() { trim(); }
    void trim()
    {
        Db::Connection &connection = m_shop.dm.MSSQLADOConnection->Connection();
        const QString added = QStringLiteral("SELECT ID_POLOZKA FROM tab_polozka WHERE ID_POLOZKA > %1").arg(m_last);
        if (!connection.exec(QStringLiteral("DELETE FROM tab_prodej WHERE ID_POLOZKA IN (%1)").arg(added))
                 .succeeded() ||
            !connection.exec(QStringLiteral("DELETE FROM tab_historie WHERE ID_POLOZKA IN (%1)").arg(added))
                 .succeeded() ||
            !connection.exec(QStringLiteral("DELETE FROM tab_polozka WHERE ID_POLOZKA > %1").arg(m_last)).succeeded())
            fail(QStringLiteral("taking the added items out"), m_shop.dm);
        m_shop.dm.RequeryItems();
    }

private:
    int lastItem()
    {
        const Db::Result r =
            m_shop.dm.MSSQLADOConnection->Connection().exec(QStringLiteral("SELECT max(ID_POLOZKA) FROM tab_polozka"));
        return r.rowCount() == 1 ? r.cellText(0, 0).toInt() : 0;
    }
    Shop &m_shop;
    int m_last;
};

// The item card opened, its three checks, and the save (the list brought up to date).
void BM_ItemCardSave(benchmark::State &state)
{
    Shop &s = shop(state);
    TDM &dm = s.dm;
    const int store = dm.IdSklad;
    int round = 0;
    for (auto _ : state) {
        TDMItem item;
        TDMItemOrigin origin;
        if (!dm.ReadItem(s.item, item, origin))
            fail(QStringLiteral("reading the item"), dm);
        benchmark::DoNotOptimize(dm.ItemMarkExistsOther(store, s.item, item.OZNACENI) ||
                                 dm.ItemCodeExistsOther(store, s.item, item.KOD) ||
                                 dm.ItemNameExistsOther(store, s.item, item.POLOZKA));
        item.PRODEJ = Currency::fromInt(100 + ++round % 2);
        if (!dm.EditItem(s.item, item, origin))
            fail(QStringLiteral("saving the item"), dm);
    }
}

// A new item: the card's checks and the insert (the list brought up to date).
void BM_NewItem(benchmark::State &state)
{
    Shop &s = shop(state);
    TDM &dm = s.dm;
    static int serial = 0;
    const ShopSizeKept size(s);
    for (auto _ : state) {
        TDMItem item = s.card;
        const QString key = runTag() + u'-' + QString::number(++serial);
        item.OZNACENI = u'N' + key;
        item.KOD = u'K' + key;
        item.POLOZKA = QStringLiteral("Nová položka ") + key;
        item.KATEGORIE = QStringLiteral("?");
        benchmark::DoNotOptimize(dm.ItemMarkExists(dm.IdSklad, item.OZNACENI) ||
                                 dm.ItemCodeExists(dm.IdSklad, item.KOD) ||
                                 dm.ItemNameExists(dm.IdSklad, item.POLOZKA));
        if (!dm.NewItem(item))
            fail(QStringLiteral("a new item"), dm);
    }
}

// What the new item's card proposes as its label.
void BM_SmallestFreeLabel(benchmark::State &state)
{
    Shop &s = shop(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(s.dm.SmallestFreeItemMark(s.dm.IdSklad, 8));
}

// A sheet of new items in memory, new labels at every reading; the labels
// begin with the mark.
class GeneratedSheet : public SpreadsheetSource
{
public:
    explicit GeneratedSheet(int rows = ImportRows, QChar mark = u'I')
        : m_rows(rows)
        , m_mark(mark)
    {}
    bool Reload(QString &) override
    {
        ++m_run;
        return true;
    }
    int LastUsedRow() const override { return m_rows + 1; }
    Variant Cell(int row, int column) const override
    {
        const QString key = QStringLiteral("%1.%2-%3").arg(runTag()).arg(m_run).arg(row);
        switch (column) {
        case 1:
            return m_mark + key;
        case 2:
            return QStringLiteral("C%1").arg(key);
        case 3:
            return QStringLiteral("Importovaná %1").arg(key);
        case 4:
            return QStringLiteral("-");
        case 5:
            return 24.0;
        case 6:
            return 20.0;
        case 7:
            return QStringLiteral("?");
        case 8:
            return QStringLiteral("-");
        case 9:
            return 50.0;
        case 10:
            return 100.0;
        case 11:
            return 0.0;
        case 12:
            return 10.0;
        case 13:
            return 1.0;
        case 14:
            return QStringLiteral("ks");
        case 15:
            return 1.0;
        default:
            return QStringLiteral("A");
        }
    }

private:
    int m_rows;
    QChar m_mark;
    int m_run = 0;
};

void BM_Import1000Rows(benchmark::State &state)
{
    Shop &s = shop(state);
    static GeneratedSheet sheet;
    ShopSizeKept size(s);
    for (auto _ : state) {
        if (ItemImport(s.dm, sheet).Run(false).imported != ImportRows)
            fail(QStringLiteral("the import"), s.dm);
        state.PauseTiming();
        size.trim();
        state.ResumeTiming();
    }
}

// The documents page opened on today's documents, and refreshed.
void BM_TodaysDocuments(benchmark::State &state)
{
    Shop &s = shop(state);
    for (auto _ : state) {
        s.dm.MSSQLADOQuery_Doklad->Close();
        if (!s.dm.OpenDocuments())
            fail(QStringLiteral("the documents"), s.dm);
        s.dm.RequeryDocuments();
    }
    state.counters["documents"] = s.dm.MSSQLADOQuery_Doklad->RecordCount();
}

// The documents page under the saved filter of this month's sales and
// cancellations (the small shop's month holds fewer documents than the large
// one's: the table prints the cost of a document shown too).
void BM_MonthsDocuments(benchmark::State &state)
{
    Shop &s = shop(state);
    TMSSQLADOQuery *documents = s.dm.MSSQLADOQuery_Doklad;
    TFormatParameter *filter = documents->FormatParameters().FindParameter(QStringLiteral("%WHERE_FILTER"));
    const QString today = filter->Value();
    const Db::Result month =
        s.dm.MSSQLADOConnection->Connection().exec(QStringLiteral("SELECT SCRIPT FROM tab_filtr WHERE ID_FILTR = 8"));
    if (!month.succeeded() || month.rowCount() != 1)
        fail(QStringLiteral("the month's filter"), s.dm);
    filter->SetFormatParameterValue(month.cellText(0, 0));
    for (auto _ : state) {
        documents->Close();
        documents->RefreshQuery();
    }
    state.counters["documents"] = documents->RecordCount();
    filter->SetFormatParameterValue(today);
    documents->Close();
    documents->RefreshQuery();
}

// Moving between two items of the category's list: the item history follows
// the current row. Not the item the card benchmarks save, whose history grows
// by a line at each save: the two first others, about ten lines each.
void BM_ItemHistory(benchmark::State &state)
{
    Shop &s = shop(state);
    TMSSQLADOQuery *items = s.dm.MSSQLADOQuery_Polozka;
    std::vector<int> rows;
    for (items->First(); !items->Eof() && rows.size() < 2; items->Next())
        if (items->FieldByName(QStringLiteral("ID_POLOZKA")).AsInteger() != s.item)
            rows.push_back(items->RecNo());
    if (rows.size() < 2)
        fail(QStringLiteral("two items of the category"), s.dm);
    int lines = 0;
    for (auto _ : state) {
        lines = 0;
        for (int row : rows) {
            items->SetRecNo(row);
            lines += s.dm.MSSQLADOQuery_PolozkaHistorie->RecordCount();
        }
    }
    state.counters["lines"] = lines;
}

// The cash balance of the status label, and the cash book's history opened.
void BM_CashBalance(benchmark::State &state)
{
    Shop &s = shop(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(s.dm.CashBalance());
}

// The history's list opened: its first page read.
void BM_CashBookOpened(benchmark::State &state)
{
    Shop &s = shop(state);
    for (auto _ : state) {
        s.dm.MSSQLADOQuery_Pokladna->RefreshQuery();
        s.dm.MSSQLADOQuery_Pokladna->Close();
    }
}

// The history's Ctrl+End: its last page read from the end of the book.
void BM_CashBookLast(benchmark::State &state)
{
    Shop &s = shop(state);
    for (auto _ : state) {
        state.PauseTiming();
        s.dm.MSSQLADOQuery_Pokladna->RefreshQuery();
        state.ResumeTiming();
        s.dm.MSSQLADOQuery_Pokladna->Last();
        state.PauseTiming();
        s.dm.MSSQLADOQuery_Pokladna->Close();
        state.ResumeTiming();
    }
}

// Where the cash book's time goes: the statement of its first page alone as
// libpq reads it (without the dataset), and only the server's part of it (the
// rows made and sorted, none sent).
void cashBookStatement(benchmark::State &state, const QString &around)
{
    Shop &s = shop(state);
    s.dm.MSSQLADOQuery_Pokladna->RefreshQuery();
    const QString page = QStringLiteral("\nLIMIT %1 OFFSET 0").arg(s.dm.MSSQLADOQuery_Pokladna->pageRows());
    const QString sql = around.arg(s.dm.MSSQLADOQuery_Pokladna->SQL() + page);
    s.dm.MSSQLADOQuery_Pokladna->Close();
    for (auto _ : state)
        benchmark::DoNotOptimize(s.dm.MSSQLADOConnection->Connection().exec(sql).rowCount());
}
void BM_CashBookStatement(benchmark::State &state)
{
    cashBookStatement(state, QStringLiteral("%1"));
}
void BM_CashBookServer(benchmark::State &state)
{
    cashBookStatement(state, QStringLiteral("SELECT count(*) FROM (%1) AS book"));
}

// The category picker opened (the root and its children) and one node of the
// deepest level expanded, as the picker asks for them.
void expandNode(TDM &dm, int id, int defaultId)
{
    for (const QString &child : dm.SubcategoryIdList(id).split(u'\r', Qt::SkipEmptyParts)) {
        benchmark::DoNotOptimize(dm.CategoryName(child.toInt()));
        benchmark::DoNotOptimize(dm.SubcategoryCount(child.toInt()) + defaultId);
    }
}

void BM_CategoryTree(benchmark::State &state)
{
    Shop &s = shop(state);
    TDM &dm = s.dm;
    const QStringList path = s.leafPath.split(u'\\', Qt::SkipEmptyParts);
    const int deepest = path.at(path.size() - 2).toInt();
    for (auto _ : state) {
        const int defaultId = dm.DefaultCategoryId();
        benchmark::DoNotOptimize(dm.CategoryName(1));
        benchmark::DoNotOptimize(dm.SubcategoryCount(1));
        expandNode(dm, 1, defaultId);
        expandNode(dm, deepest, defaultId);
    }
}

// A sale of 20 lines as the till makes it: the basket filled line by line,
// then sold (the lists brought up to date each time).
void BM_Sale20Lines(benchmark::State &state)
{
    Shop &s = shop(state);
    for (auto _ : state) {
        for (int i = 0; i < SaleLines; ++i)
            if (!s.dm.AddOrEditBasketRow(1 + i * 37, 0, Currency::fromInt(1), false))
                fail(QStringLiteral("a basket line"), s.dm);
        int document = 0;
        if (!s.dm.SellBasket(1, false, QStringLiteral("-"), 0, document))
            fail(QStringLiteral("the sale"), s.dm);
    }
}

// ---- the search dialogs, as a cashier uses them: the column chosen, the
// text typed, Enter

// The item search on the name's column for the number of the item the
// figures work with ("Položka 500" in the small shop, "Položka 50000" in the
// large), and the document search on the lines' label for that item's label
// (its lines are on older documents than today's: not found). Each on the
// shop's own module (a later search), or on a module connected anew for each
// search, its lists open (the first search of a session).
// Beside them, "Vše" for the item's name, for a text found nowhere, and a
// text on every history line (the cashier's name) in its column and under
// "Vše"; with each, how much the program's memory grew.
struct SearchCase
{
    bool documents;
    QString column; // empty: "Vše"
    QString fixedText = QString();
    QString text(const Shop &s) const
    {
        if (!fixedText.isEmpty())
            return fixedText;
        if (column.isEmpty())
            return QStringLiteral("Položka %1").arg(s.item);
        return documents ? QStringLiteral("%1").arg(s.item, 8, 10, QLatin1Char('0')) : QString::number(s.item);
    }
};

// The program's resident memory in MB.
double residentMB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / 1048576.0 : 0;
}

bool searchOnce(TDM &dm, const SearchCase &search, const QString &text)
{
    std::unique_ptr<TForm_HledatSeznam> dialog;
    if (search.documents)
        dialog = std::make_unique<TForm_HledatDoklad>(dm);
    else
        dialog = std::make_unique<TForm_HledatPolozku>(dm);
    const auto &fields = dialog->SearchQuery()->Fields();
    dialog->ComboBox_Prohledavat->setCurrentIndex(0);
    for (int i = 0; i < int(fields.size()); ++i)
        if (!search.column.isEmpty() && fields[size_t(i)]->FieldName().compare(search.column, Qt::CaseInsensitive) == 0)
            dialog->ComboBox_Prohledavat->setCurrentIndex(dialog->ComboBox_Prohledavat->findData(i));
    dialog->ComboBox_Hledat->setEditText(text);
    dialog->Button_HledatClick();
    return dialog->Found();
}

void timeSearch(benchmark::State &state, const SearchCase &search, bool firstOfSession)
{
    Shop &s = shop(state);
    const QString text = search.text(s);
    const QString database = s.dm.MSSQLADOConnection->Connection().database();
    int found = 0;
    // What the searches themselves leave in the program's memory (not the
    // modules a first search of a session is made on).
    double kept = 0;
    auto measured = [&kept](TDM &dm, const SearchCase &search, const QString &text) {
        const double before = residentMB();
        const bool found = searchOnce(dm, search, text);
        kept += residentMB() - before;
        return found;
    };
    for (auto _ : state) {
        if (!firstOfSession) {
            found += measured(s.dm, search, text);
            continue;
        }
        state.PauseTiming();
        {
            TDM module;
            if (!module.ConnectServer(serverName(), qEnvironmentVariable("PGUSER"),
                                      qEnvironmentVariable("PGPASSWORD")) ||
                !module.SelectDatabase(database) || !module.OpenItems() || !module.OpenDocuments())
                fail(QStringLiteral("a module for the search"), module);
            state.ResumeTiming();
            found += measured(module, search, text);
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
    state.counters["found"] = double(found) / double(state.iterations());
    state.counters["MB_kept"] = kept;
}
const SearchCase ItemByName{false, QStringLiteral("POLOZKA")};
const SearchCase DocumentByLineLabel{true, QStringLiteral("DETAIL_OZNACENI")};
void BM_ItemSearchFirst(benchmark::State &state)
{
    timeSearch(state, ItemByName, true);
}
void BM_ItemSearch(benchmark::State &state)
{
    timeSearch(state, ItemByName, false);
}
void BM_DocumentSearchFirst(benchmark::State &state)
{
    timeSearch(state, DocumentByLineLabel, true);
}
void BM_DocumentSearch(benchmark::State &state)
{
    timeSearch(state, DocumentByLineLabel, false);
}
void BM_ItemSearchAll(benchmark::State &state)
{
    timeSearch(state, SearchCase{false, QString()}, false);
}
void BM_ItemSearchAllNotFound(benchmark::State &state)
{
    timeSearch(state, SearchCase{false, QString(), QStringLiteral("Nikde")}, false);
}
void BM_ItemSearchCommon(benchmark::State &state)
{
    timeSearch(state, SearchCase{false, QStringLiteral("DETAIL_UZIVATEL"), QStringLiteral("bench")}, false);
}
void BM_ItemSearchAllCommon(benchmark::State &state)
{
    timeSearch(state, SearchCase{false, QString(), QStringLiteral("bench")}, false);
}
const char *const SearchFigures[] = {"ItemSearchFirst",  "ItemSearch",         "DocumentSearchFirst",
                                     "DocumentSearch",   "ItemSearchAll",      "ItemSearchAllNotFound",
                                     "ItemSearchCommon", "ItemSearchAllCommon"};

// Each search against the refresh of the whole store (at most that) and
// against the small shop's search (at most 1.5 times).
void printSearchGoals(const std::function<double(const std::string &, int)> &median)
{
    for (const char *name : SearchFigures)
        if (median(name, 1) > 0)
            std::printf("  large: %s %.1f ms, whole store refreshed %.1f ms (at most that), %.2f times the small "
                        "shop's %.1f ms (at most 1.5)\n",
                        name, median(name, 1), median("WholeStoreRefreshed", 1), median(name, 1) / median(name, 0),
                        median(name, 0));
}

// ---- the whole store's list, against a plain fetch of its rows

// The list opened (as at the start-up) and refreshed (as F5 refreshes it),
// with the main window's grids on it.
void BM_WholeStoreOpened(benchmark::State &state);
void BM_WholeStoreRefreshed(benchmark::State &state);

// The same rows and columns in the same order read by libpq alone: the
// category's own name for its path, no dataset, no grid.
const char *const PlainItems =
    "SELECT tab_polozka.ID_POLOZKA, tab_polozka.ID_SKLAD, tab_polozka.ID_KATEGORIE, tab_polozka.ID_DODAVATEL,"
    " tab_polozka.ID_DPH, tab_polozka.ID_JEDNOTKA, tab_polozka.PATH_ID_KATEGORIE, tab_polozka.STATE_PLATNOST,"
    " tab_polozka.OZNACENI, tab_polozka.KOD, tab_polozka.POLOZKA, tab_polozka.SPECIFIKACE, tab_polozka.ZARUKA,"
    " tab_polozka.NAKUP, tab_polozka.PRODEJ, tab_polozka.SLEVA, tab_polozka.MNOZSTVI, tab_polozka.MINIMUM,"
    " tab_polozka.NASOBNE, tab_polozka.ZASOBA, tab_dph.DPH, tab_sklad.SKLAD, tab_kategorie.KATEGORIE,"
    " tab_kontakt.KONTAKT AS DODAVATEL, tab_jednotka.JEDNOTKA, tab_polozka.NAKUP * tab_polozka.MNOZSTVI"
    " FROM tab_polozka LEFT JOIN tab_dph ON tab_dph.ID_DPH = tab_polozka.ID_DPH"
    " LEFT JOIN tab_sklad ON tab_sklad.ID_SKLAD = tab_polozka.ID_SKLAD"
    " LEFT JOIN tab_kategorie ON tab_kategorie.ID_KATEGORIE = tab_polozka.ID_KATEGORIE"
    " LEFT JOIN tab_kontakt ON tab_kontakt.ID_KONTAKT = tab_polozka.ID_DODAVATEL"
    " LEFT JOIN tab_jednotka ON tab_jednotka.ID_JEDNOTKA = tab_polozka.ID_JEDNOTKA"
    " WHERE tab_polozka.STATE_PLATNOST AND tab_polozka.ID_SKLAD = 1 ORDER BY tab_polozka.OZNACENI";

void plainFetch(benchmark::State &state, const QByteArray &sql)
{
    Shop &s = shop(state);
    PGconn *conn = s.dm.MSSQLADOConnection->Connection().handle();
    for (auto _ : state) {
        PGresult *result = PQexec(conn, sql.constData());
        if (PQresultStatus(result) != PGRES_TUPLES_OK)
            fail(QString::fromUtf8(PQresultErrorMessage(result)), s.dm);
        benchmark::DoNotOptimize(PQntuples(result));
        PQclear(result);
    }
}
void BM_WholeStorePlainFetch(benchmark::State &state)
{
    plainFetch(state, PlainItems);
}
// The same with the category's path for its name, walked once for each
// category (the cost the list cannot leave out).
void BM_WholeStorePlainFetchPaths(benchmark::State &state)
{
    plainFetch(state,
               QByteArray(PlainItems)
                   .replace("tab_kategorie.KATEGORIE,", "cesta.KATEGORIE,")
                   .replace(" WHERE tab_polozka.STATE_PLATNOST",
                            " LEFT JOIN (SELECT k.ID_KATEGORIE AS ID, tab_kategorie_func_PATH_KATEGORIE("
                            "k.ID_KATEGORIE) AS KATEGORIE FROM (SELECT DISTINCT ID_KATEGORIE FROM tab_polozka"
                            " WHERE STATE_PLATNOST AND ID_SKLAD = 1) k) cesta ON cesta.ID = tab_polozka.ID_KATEGORIE"
                            " WHERE tab_polozka.STATE_PLATNOST"));
}

// The list's own statement read by libpq alone: what of the list's time is
// the server's and the transfer's, and what the dataset's and the window's.
void BM_WholeStoreListFetch(benchmark::State &state)
{
    Shop &s = shop(state);
    TMSSQLADOQuery *items = s.dm.MSSQLADOQuery_Polozka;
    QString sql = items->SQL();
    sql.replace(QStringLiteral(":ID_SKLAD"), QString::number(s.dm.IdSklad), Qt::CaseInsensitive)
        .replace(QStringLiteral(":PATH_ID_KATEGORIE"), QStringLiteral("'1%'"), Qt::CaseInsensitive)
        .replace(QStringLiteral(":KLICE"), QStringLiteral("CAST(NULL AS integer[])"), Qt::CaseInsensitive);
    plainFetch(state, sql.toUtf8());
}

// Each saved filter of the history lines on the whole store: the server's
// time for the list's statement (EXPLAIN ANALYZE without timing each step:
// every row made and sorted, none sent).
void BM_HistoryFilter(benchmark::State &state, int filterId)
{
    Shop &s = shop(state);
    TMSSQLADOQuery *items = s.dm.MSSQLADOQuery_Polozka;
    Db::Connection &connection = s.dm.MSSQLADOConnection->Connection();
    const Db::Result script =
        connection.exec(QStringLiteral("SELECT SCRIPT FROM tab_filtr WHERE ID_FILTR = %1").arg(filterId));
    if (!script.hasRows() || script.rowCount() != 1)
        fail(QStringLiteral("the filter"), s.dm);
    TFormatParameter *filter = items->FormatParameters().FindParameter(QStringLiteral("%WHERE_FILTER"));
    const QString shown = filter->Value();
    filter->SetFormatParameterValue(script.cellText(0, 0));
    const Db::TranslatedSql sql = Db::TranslateParameters(items->ApplyFormatParameters(items->FormatSQLText()));
    filter->SetFormatParameterValue(shown);
    QList<Db::Param> params;
    for (const QString &name : sql.names)
        params << (name.compare(QStringLiteral("ID_SKLAD"), Qt::CaseInsensitive) == 0
                       ? Db::Param::of(QString::number(s.dm.IdSklad))
                   : name.compare(QLatin1String(TMSSQLADOQuery::RowKeysParameter), Qt::CaseInsensitive) == 0
                       ? Db::Param::null()
                       : Db::Param::of(QStringLiteral("1%")));
    int rows = 0;
    for (auto _ : state) {
        const Db::Result plan = connection.exec(QStringLiteral("EXPLAIN (ANALYZE, TIMING OFF) ") + sql.sql, params);
        double ms = -1;
        for (int row = 0; plan.hasRows() && row < plan.rowCount(); ++row) {
            const QString line = plan.cellText(row, 0);
            if (line.startsWith(QStringLiteral("Execution Time: ")))
                ms = line.section(u' ', 2, 2).toDouble();
            if (row == 0)
                rows = line.section(QStringLiteral("rows="), 2, 2).section(u' ', 0, 0).toInt();
        }
        if (ms < 0)
            fail(QStringLiteral("the filter's plan"), s.dm);
        state.SetIterationTime(ms / 1000);
    }
    state.counters["rows"] = rows;
}

// ---- the main window of a till, offscreen, its dialogs answered

class Yes : public ConsoleMessageService
{
public:
    void showInformation(const QString &, const QString &, bool) override {}
    bool showQuestion(const QString &, const QString &, bool) override { return true; }
};

class NoPreview : public TDMPreview
{
public:
    void PrintDocument(int, int, const QString &, bool, bool) override {}
    void ShowItemOverview() override {}
    void ShowDocumentOverview() override {}
};

// The dialogs as a user fills them: the card's selling price changed, one
// of the item into the basket, a cash receipt not printed.
class TillWindow : public TForm_Tarmil
{
public:
    // The card writes on its Ok, with the values the settings require unique
    // tested again as it writes.
    bool ShowEditItemDialog(int itemId,
                            const std::function<bool(const TDMItem &, const TDMItemOrigin &)> &write) override
    {
        TDMItem item;
        TDMItemOrigin origin;
        if (!DM->ReadItem(itemId, item, origin))
            return false;
        item.PRODEJ = Currency::fromInt(100 + ++m_saves % 2);
        const ItemCardSettings settings = ReadItemCardSettings();
        item.OZNACENI_POVINNE = settings.markRequired;
        item.KOD_POVINNE = settings.codeRequired;
        item.POLOZKA_POVINNE = settings.nameRequired;
        return write(item, origin);
    }
    bool ShowDiscountQuantityDialog(int &discount, double &quantity) override
    {
        discount = 0;
        quantity = 1;
        return true;
    }
    bool ShowSaleDialog(TSaleChoice &choice) override
    {
        choice = TSaleChoice();
        choice.customer = QStringLiteral("-");
        choice.print = false;
        return true;
    }
    std::unique_ptr<TDMPreview> CreatePreview() override { return std::make_unique<NoPreview>(); }

private:
    int m_saves = 0;
};

std::map<int, std::unique_ptr<TillWindow>> g_windows;

// The shop's till: its data module the program's, its main window shown on
// the items page over the whole store.
TillWindow &till(const benchmark::State &state)
{
    Shop &s = shop(state);
    DM = &s.dm;
    auto &window = g_windows[int(state.range(0))];
    if (!window) {
        window = std::make_unique<TillWindow>();
        window->Notebook->SetPageIndex(0);
        window->show();
        QApplication::processEvents();
    }
    SetDataModuleScreens(window.get());
    return *window;
}

void standOnItem(TillWindow &window, int item)
{
    if (!DM->MSSQLADOQuery_Polozka->LocateInteger(QStringLiteral("ID_POLOZKA"), item))
        fail(QStringLiteral("the item in the list"), *DM);
    QApplication::processEvents();
    window.KxDBGrid_Polozka->repaint();
}

void BM_WholeStoreOpened(benchmark::State &state)
{
    TillWindow &window = till(state);
    for (auto _ : state) {
        DM->MSSQLADOQuery_Polozka->Close();
        if (!DM->OpenItems())
            fail(QStringLiteral("the item list"), *DM);
        window.KxDBGrid_Polozka->repaint();
    }
    state.counters["rows"] = DM->MSSQLADOQuery_Polozka->RecordCount();
}

void BM_WholeStoreRefreshed(benchmark::State &state)
{
    TillWindow &window = till(state);
    for (auto _ : state) {
        DM->RequeryItems();
        window.KxDBGrid_Polozka->repaint();
    }
}

// The list of a category of ten items (in either shop) chosen in the
// category tree, the history of its first item following it: the list of a
// branch costs what its rows cost, not what the store holds. The whole store
// is listed again afterwards, untimed.
void BM_CategoryItems(benchmark::State &state)
{
    Shop &s = shop(state);
    for (auto _ : state)
        s.dm.SetCategoryPath(s.quietLeafPath);
    state.counters["rows"] = s.dm.MSSQLADOQuery_Polozka->RecordCount();
    s.dm.SetCategoryPath(QStringLiteral("1"));
}

// The item card's Ok on an item of the list: the save and the list after it.
void BM_WindowItemCardOk(benchmark::State &state)
{
    TillWindow &window = till(state);
    const int item = shop(state).item;
    for (auto _ : state) {
        state.PauseTiming(); // the user's click on the row
        standOnItem(window, item);
        state.ResumeTiming();
        window.Action_PolozkaEditaceExecute();
        window.KxDBGrid_Polozka->repaint();
    }
}

// A sale of so many lines: each item found in the list and put into the
// basket by its action, then sold by the sale's action.
void windowSale(benchmark::State &state, int lines)
{
    TillWindow &window = till(state);
    for (auto _ : state) {
        for (int i = 0; i < lines; ++i) {
            state.PauseTiming(); // the user's click on the row
            standOnItem(window, 1 + i * 37);
            state.ResumeTiming();
            window.Action_ProdejPridatExecute();
        }
        window.Action_ProdejProdatExecute();
        window.KxDBGrid_Polozka->repaint();
        if (!DM->MSSQLADOQuery_Prodej->IsEmpty())
            fail(QStringLiteral("the sale"), *DM);
    }
}
void BM_WindowSale3Lines(benchmark::State &state)
{
    windowSale(state, 3);
}
void BM_WindowSale20Lines(benchmark::State &state)
{
    windowSale(state, SaleLines);
}

// A document of three lines cancelled by the cancellation's action (the sale
// before it is not timed).
void BM_WindowCancellation(benchmark::State &state)
{
    TillWindow &window = till(state);
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < 3; ++i)
            if (!DM->AddOrEditBasketRow(5 + i * 41, 0, Currency::fromInt(1), false))
                fail(QStringLiteral("a basket line"), *DM);
        int document = 0;
        if (!DM->SellBasket(1, false, QStringLiteral("-"), 0, document) ||
            !DM->MSSQLADOQuery_Doklad->LocateInteger(QStringLiteral("ID_DOKLAD"), document))
            fail(QStringLiteral("the sale"), *DM);
        QApplication::processEvents();
        state.ResumeTiming();
        window.Action_DokladStornoExecute();
        window.KxDBGrid_Polozka->repaint();
    }
}

// From the login to the main window shown: the connection, the database,
// its lists (the whole store), the window made, shown and painted.
void BM_StartUp(benchmark::State &state)
{
    Shop &s = shop(state);
    TDM *const kept = DM;
    const QString database = s.dm.MSSQLADOConnection->Connection().database();
    for (auto _ : state) {
        TDM module;
        DM = &module;
        if (!module.ConnectServer(serverName(), qEnvironmentVariable("PGUSER"), qEnvironmentVariable("PGPASSWORD")) ||
            !module.SelectDatabase(database) || !module.OpenAllQueries())
            fail(QStringLiteral("the start-up"), module);
        auto window = std::make_unique<TillWindow>();
        window->Notebook->SetPageIndex(0);
        window->show();
        QApplication::processEvents();
        window->repaint();
        state.PauseTiming();
        window.reset();
        QApplication::processEvents();
        DM = kept;
        state.ResumeTiming();
    }
}

// ---- the item list after an import

// An import of so many rows into the whole store's list, the import itself
// not timed: the list brought up to date as the import's action leaves it.
// Beside it, untimed, a whole re-query of the same list (the figure's
// counter WholeStoreRefreshed). The imported items are taken out again, so
// the shop keeps its size from round to round.
void importRefresh(benchmark::State &state, int rows)
{
    TillWindow &window = till(state);
    Shop &s = shop(state);
    TMSSQLADOQuery *items = s.dm.MSSQLADOQuery_Polozka;
    GeneratedSheet sheet(rows, u'R');
    const QString imported =
        QStringLiteral("SELECT ID_POLOZKA FROM tab_polozka WHERE OZNACENI LIKE 'R%1.%'").arg(runTag());
    std::vector<double> whole;
    for (auto _ : state) {
        state.PauseTiming();
        s.dm.RefreshImportedItems(); // what an import of another figure left
        const int listed = items->RecordCount();
        if (ItemImport(s.dm, sheet).Run(false).imported != rows)
            fail(QStringLiteral("the import"), s.dm);
        state.ResumeTiming();
        s.dm.RefreshImportedItems();
        window.KxDBGrid_Polozka->repaint();
        state.PauseTiming();
        if (items->RecordCount() != listed + rows)
            fail(QStringLiteral("the imported rows in the list"), s.dm);
        QElapsedTimer timer;
        timer.start();
        s.dm.RequeryItems();
        window.KxDBGrid_Polozka->repaint();
        whole.push_back(double(timer.nsecsElapsed()) / 1e6);
        Db::Connection &connection = s.dm.MSSQLADOConnection->Connection();
        if (!connection.exec(QStringLiteral("DELETE FROM tab_historie WHERE ID_POLOZKA IN (%1)").arg(imported))
                 .succeeded() ||
            !connection.exec(QStringLiteral("DELETE FROM tab_polozka WHERE ID_POLOZKA IN (%1)").arg(imported))
                 .succeeded())
            fail(QStringLiteral("taking the imported items out"), s.dm);
        s.dm.RequeryItems();
        state.ResumeTiming();
    }
    std::sort(whole.begin(), whole.end());
    state.counters["WholeStoreRefreshed"] = whole.empty() ? 0 : whole[whole.size() / 2];
}
void BM_ImportRefresh20Rows(benchmark::State &state)
{
    importRefresh(state, 20);
}
void BM_ImportRefresh1000Rows(benchmark::State &state)
{
    importRefresh(state, 1000);
}
void BM_ImportRefresh5000Rows(benchmark::State &state)
{
    importRefresh(state, 5000);
}
const char *const ImportRefreshFigures[] = {"ImportRefresh20Rows", "ImportRefresh1000Rows", "ImportRefresh5000Rows"};

// Each refresh after an import against the whole re-query of the same list.
void printImportRefreshGoals(const std::function<double(const std::string &, int)> &median)
{
    for (const char *name : ImportRefreshFigures)
        if (median(name, 1) > 0)
            std::printf("  large: %s %.0f ms, a whole re-query of the same list %.0f ms (at most that)\n", name,
                        median(name, 1), median(std::string(name) + " WholeStoreRefreshed", 1));
}

// ---- a start-up with the default settings, and the tills beside one

// The three maintenance steps of a start-up, each checked on by default, on
// the shop's database (the data module's own steps name the program's).
bool maintain(TDM &module, int step)
{
    TMSSQLADOConnection &connection = *module.MSSQLADOConnection;
    const QString database = connection.Connection().database();
    switch (step) {
    case 0:
        return connection.ReindexDatabase();
    case 1:
        return connection.TruncateLog(database);
    default:
        return connection.ShrinkDatabase(database);
    }
}

// From the login to the lists open, with the default settings: the
// connection, the database, the three maintenance steps, the lists.
bool startUpWithDefaults(TDM &module, const QString &database)
{
    if (!module.ConnectServer(serverName(), qEnvironmentVariable("PGUSER"), qEnvironmentVariable("PGPASSWORD")) ||
        !module.SelectDatabase(database))
        return false;
    for (int step = 0; step < 3; ++step)
        if (!maintain(module, step))
            std::fprintf(stderr, "maintenance step %d: %s\n", step, qPrintable(module.LastErrorText()));
        else if (!module.MSSQLADOConnection->maintenanceLeft().isEmpty())
            std::fprintf(stderr, "maintenance step %d left: %s\n", step,
                         qPrintable(module.MSSQLADOConnection->maintenanceLeft()));
    return module.OpenAllQueries();
}

// One start-up with the default settings, by a data module of its own.
void startUpOnce(const QString &database)
{
    TDM *const kept = DM;
    TDM module;
    DM = &module;
    const bool started = startUpWithDefaults(module, database);
    DM = kept;
    if (!started)
        fail(QStringLiteral("the start-up"), module);
}

void BM_StartUpDefaultSettings(benchmark::State &state)
{
    const QString database = shop(state).dm.MSSQLADOConnection->Connection().database();
    for (auto _ : state)
        startUpOnce(database);
}

// One maintenance step alone, as a start-up with the default settings runs it.
void maintenanceStep(benchmark::State &state, int step)
{
    Shop &s = shop(state);
    for (auto _ : state)
        if (!maintain(s.dm, step))
            fail(QStringLiteral("a maintenance step"), s.dm);
}
void BM_StartUpReindex(benchmark::State &state)
{
    maintenanceStep(state, 0);
}
void BM_StartUpLogTruncation(benchmark::State &state)
{
    maintenanceStep(state, 1);
}
void BM_StartUpShrink(benchmark::State &state)
{
    maintenanceStep(state, 2);
}

// ---- a start-up with work to do, alone and beside another till's transaction

// Work for the start-up's maintenance, made anew before each start: a table
// of the shop whose rows have all changed twice (its index on the changed
// column three times what a rebuild gives, two dead rows to each live one),
// with the server's own vacuum kept off it so that the work waits for the
// start-up. What the last start left is done first, by the program's steps.
void makeStartUpWork(Shop &s, int rows)
{
    TMSSQLADOConnection &connection = *s.dm.MSSQLADOConnection;
    if (!connection.ReindexDatabase() || !connection.ShrinkDatabase(connection.Connection().database()))
        fail(QStringLiteral("the maintenance before the work"), s.dm);
    const QStringList sql{
        QStringLiteral("CREATE TABLE IF NOT EXISTS bench_churn (id integer PRIMARY KEY, x integer) "
                       "WITH (autovacuum_enabled = false)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS bench_churn_x ON bench_churn (x)"),
        QStringLiteral("INSERT INTO bench_churn SELECT i, i FROM generate_series(1, %1) i ON CONFLICT DO NOTHING")
            .arg(rows),
        QStringLiteral("ANALYZE bench_churn"),
        QStringLiteral("UPDATE bench_churn SET x = x + 1"),
        QStringLiteral("UPDATE bench_churn SET x = x + 1"),
        QStringLiteral("SELECT pg_stat_force_next_flush()"),
    };
    for (const QString &statement : sql)
        if (!connection.Connection().exec(statement).succeeded())
            fail(statement, s.dm);
}

// Another till's transaction, open for five seconds from the moment the
// object is made, having read the table the start-up has work on.
class OpenTransaction
{
public:
    explicit OpenTransaction(const QString &database)
    {
        std::promise<void> begun;
        std::future<void> started = begun.get_future();
        m_till = std::thread([database, &begun] {
            Db::Connection till;
            if (!till.open(serverName(), database, qEnvironmentVariable("PGUSER"),
                           qEnvironmentVariable("PGPASSWORD")) ||
                !till.beginTransaction() ||
                !till.exec(QStringLiteral("SELECT count(*) FROM bench_churn WHERE id <= 100")).succeeded())
                std::fprintf(stderr, "the other till: %s\n", qPrintable(till.lastErrorText()));
            begun.set_value();
            till.exec(QStringLiteral("SELECT pg_sleep(5)"));
            till.commit();
        });
        started.wait();
    }
    ~OpenTransaction() { m_till.join(); }
    OpenTransaction(const OpenTransaction &) = delete;
    OpenTransaction &operator=(const OpenTransaction &) = delete;

private:
    std::thread m_till;
};

void startUpWithWork(benchmark::State &state, bool beside)
{
    Shop &s = shop(state);
    const QString database = s.dm.MSSQLADOConnection->Connection().database();
    for (auto _ : state) {
        state.PauseTiming();
        makeStartUpWork(s, state.range(0) ? 200000 : 20000);
        std::unique_ptr<OpenTransaction> other;
        if (beside)
            other = std::make_unique<OpenTransaction>(database);
        state.ResumeTiming();
        startUpOnce(database);
        state.PauseTiming();
        other.reset();
        state.ResumeTiming();
    }
}
void BM_StartUpWithWork(benchmark::State &state)
{
    startUpWithWork(state, false);
}
void BM_StartUpWithWorkBeside(benchmark::State &state)
{
    startUpWithWork(state, true);
}

// Another till starting up again and again with the default settings: this
// program run as "--start-up-loop <database>", ended when the figure ends.
class StartingTill
{
public:
    explicit StartingTill(const QString &database)
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--start-up-loop"), database});
        // Its first start-up under way before the timing begins.
        if (!m_process.waitForReadyRead(60000))
            std::fprintf(stderr, "the starting till did not start\n");
    }
    ~StartingTill()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

private:
    QProcess m_process;
};

int startUpLoop(const QString &database)
{
    for (bool first = true;; first = false) {
        TDM module;
        DM = &module;
        if (first) {
            std::printf("starting\n");
            std::fflush(stdout);
        }
        if (!startUpWithDefaults(module, database)) {
            std::fprintf(stderr, "start-up: %s\n", qPrintable(module.LastErrorText()));
            return 1;
        }
        DM = nullptr;
    }
}

void BM_SaleBesideStartUp(benchmark::State &state)
{
    StartingTill other(shop(state).dm.MSSQLADOConnection->Connection().database());
    windowSale(state, 3);
}

void BM_F5BesideStartUp(benchmark::State &state)
{
    StartingTill other(shop(state).dm.MSSQLADOConnection->Connection().database());
    BM_WholeStoreRefreshed(state);
}

// ---- rounds and the closing table

struct Figure
{
    std::string name;
    std::function<void(benchmark::State &)> run;
    int iterations = 0; // 0: as many as the time asks
    double minTime = 0; // seconds, 0: the library's own
    bool manualTime = false;
};

std::vector<Figure> figures()
{
    std::vector<Figure> list{
        {"WholeStoreOpened", BM_WholeStoreOpened, 2},
        {"WholeStoreRefreshed", BM_WholeStoreRefreshed, 2},
        {"WholeStorePlainFetch", BM_WholeStorePlainFetch, 2},
        {"WholeStorePlainFetchPaths", BM_WholeStorePlainFetchPaths, 2},
        {"WholeStoreListFetch", BM_WholeStoreListFetch, 2},
        {"CategoryItems", BM_CategoryItems, 20},
        {"StartUp", BM_StartUp, 1},
        {"StartUpDefaultSettings", BM_StartUpDefaultSettings, 1},
        {"StartUpReindex", BM_StartUpReindex, 3},
        {"StartUpLogTruncation", BM_StartUpLogTruncation, 3},
        {"StartUpShrink", BM_StartUpShrink, 3},
        {"StartUpWithWork", BM_StartUpWithWork, 1},
        {"StartUpWithWorkBeside", BM_StartUpWithWorkBeside, 1},
        {"SaleBesideStartUp", BM_SaleBesideStartUp, 0, 2},
        {"F5BesideStartUp", BM_F5BesideStartUp, 0, 2},
        {"WindowItemCardOk", BM_WindowItemCardOk, 0, 0.3},
        {"WindowSale3Lines", BM_WindowSale3Lines, 0, 0.3},
        {"WindowSale20Lines", BM_WindowSale20Lines, 0, 0.3},
        {"WindowCancellation", BM_WindowCancellation, 0, 0.3},
        {"ItemCardSave", BM_ItemCardSave, 0, 0.3},
        {"NewItem", BM_NewItem, 0, 0.3},
        {"SmallestFreeLabel", BM_SmallestFreeLabel},
        {"Import1000Rows", BM_Import1000Rows, 1},
        {"TodaysDocuments", BM_TodaysDocuments},
        {"MonthsDocuments", BM_MonthsDocuments},
        {"ItemHistory", BM_ItemHistory},
        {"CashBalance", BM_CashBalance},
        {"CashBookOpened", BM_CashBookOpened, 3},
        {"CashBookLast", BM_CashBookLast, 3},
        {"CashBookStatement", BM_CashBookStatement, 3},
        {"CashBookServer", BM_CashBookServer, 3},
        {"CategoryTree", BM_CategoryTree},
        {"Sale20Lines", BM_Sale20Lines},
        {"ImportRefresh20Rows", BM_ImportRefresh20Rows, 3},
        {"ImportRefresh1000Rows", BM_ImportRefresh1000Rows, 1},
        {"ImportRefresh5000Rows", BM_ImportRefresh5000Rows, 1},
        {"ItemSearchFirst", BM_ItemSearchFirst, 3},
        {"ItemSearch", BM_ItemSearch, 5},
        {"DocumentSearchFirst", BM_DocumentSearchFirst, 3},
        {"DocumentSearch", BM_DocumentSearch, 5},
        {"ItemSearchAll", BM_ItemSearchAll, 3},
        {"ItemSearchAllNotFound", BM_ItemSearchAllNotFound, 3},
        {"ItemSearchCommon", BM_ItemSearchCommon, 3},
        {"ItemSearchAllCommon", BM_ItemSearchAllCommon, 3},
    };
    static std::vector<std::string> filterNames;
    for (int id = 2; id <= 22; ++id) {
        filterNames.push_back(QStringLiteral("HistoryFilter%1").arg(id, 2, 10, QLatin1Char('0')).toStdString());
        list.push_back(
            {filterNames.back().c_str(), [id](benchmark::State &state) { BM_HistoryFilter(state, id); }, 1, 0, true});
    }
    return list;
}

// Each run's time per iteration kept by name and shop; the table gives the
// median of the rounds, and a list that counts its documents the time of one
// document too.
class FigureReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &reports) override
    {
        for (const Run &run : reports) {
            const int size = int(run.run_name.args == "1");
            const std::string &name = run.run_name.function_name;
            const double ms = run.GetAdjustedRealTime() * 1e3 / benchmark::GetTimeUnitMultiplier(run.time_unit);
            m_ms[name][size].push_back(ms);
            const auto documents = run.counters.find("documents");
            if (documents != run.counters.end() && documents->second.value > 0)
                m_ms[name + " per document"][size].push_back(ms / documents->second.value);
            // A figure timed beside a whole re-query of its list: that one too.
            const auto whole = run.counters.find("WholeStoreRefreshed");
            if (whole != run.counters.end())
                m_ms[name + " WholeStoreRefreshed"][size].push_back(whole->second.value);
        }
        ConsoleReporter::ReportRuns(reports);
    }
    double median(const std::string &name, int size) const
    {
        const auto it = m_ms.find(name);
        if (it == m_ms.end() || it->second[size].empty())
            return 0;
        std::vector<double> values = it->second[size];
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    }
    void printFigures() const
    {
        std::printf("\n%-32s %12s %12s %8s   (medians of the rounds)\n", "", "small [ms]", "large [ms]", "large/small");
        for (const auto &[name, ms] : m_ms) {
            const double small = median(name, 0), large = median(name, 1);
            std::printf("%-32s %12.3f %12.3f %8.2f\n", name.c_str(), small, large, small > 0 ? large / small : 0);
        }
        std::printf("\nGoals:\n");
        for (int size : {0, 1}) {
            const char *shop = size ? "large" : "small";
            const double plain = median("WholeStorePlainFetch", size);
            const double paths = median("WholeStorePlainFetchPaths", size);
            if (plain > 0 && paths > 0)
                std::printf("  %s: whole store opened %.2f, refreshed %.2f times a plain fetch (at most 1.5);"
                            " %.2f and %.2f times one with the paths\n",
                            shop, median("WholeStoreOpened", size) / plain, median("WholeStoreRefreshed", size) / plain,
                            median("WholeStoreOpened", size) / paths, median("WholeStoreRefreshed", size) / paths);
        }
        double slowest = 0;
        std::string slowestName;
        for (const auto &[name, ms] : m_ms)
            if (name.rfind("HistoryFilter", 0) == 0 && median(name, 1) > slowest)
                std::tie(slowest, slowestName) = std::pair(median(name, 1), name);
        if (!slowestName.empty())
            std::printf("  large: slowest saved history filter %s %.0f ms on the server (at most 1000)\n",
                        slowestName.c_str(), slowest);
        if (median("StartUp", 0) > 0)
            std::printf("  large: start-up %.0f ms, small start-up + whole store opened %.0f ms (at most that)\n",
                        median("StartUp", 1), median("StartUp", 0) + median("WholeStoreOpened", 1));
        printStartUpGoals();
        for (const char *name : {"WindowItemCardOk", "WindowSale3Lines", "WindowSale20Lines", "WindowCancellation"})
            if (median(name, 0) > 0)
                std::printf("  %s: large %.2f times small (at most 1.5)\n", name, median(name, 1) / median(name, 0));
        printImportRefreshGoals([this](const std::string &name, int size) { return median(name, size); });
        printSearchGoals([this](const std::string &name, int size) { return median(name, size); });
    }

private:
    // What a start with the default settings costs, step by step, and what
    // it costs the tills beside it.
    void printStartUpGoals() const
    {
        for (int size : {0, 1})
            if (median("StartUpDefaultSettings", size) > 0)
                std::printf("  %s: start-up with the default settings %.0f ms (reindex %.0f, log truncation %.0f, "
                            "shrink %.0f)\n",
                            size ? "large" : "small", median("StartUpDefaultSettings", size),
                            median("StartUpReindex", size), median("StartUpLogTruncation", size),
                            median("StartUpShrink", size));
        for (int size : {0, 1})
            if (median("StartUpWithWorkBeside", size) > 0)
                std::printf("  %s: start-up with work to do beside another till's open transaction: %.0f ms, "
                            "without it: %.0f ms (at most 1500 more)\n",
                            size ? "large" : "small", median("StartUpWithWorkBeside", size),
                            median("StartUpWithWork", size));
        for (int size : {0, 1}) {
            const char *name = size ? "large" : "small";
            if (median("WindowSale3Lines", size) > 0 && median("SaleBesideStartUp", size) > 0)
                std::printf("  %s: sale beside a start-up: %.2f times without (at most 1.5)\n", name,
                            median("SaleBesideStartUp", size) / median("WindowSale3Lines", size));
            if (median("WholeStoreRefreshed", size) > 0 && median("F5BesideStartUp", size) > 0)
                std::printf("  %s: F5 beside a start-up: %.2f times without (at most 1.5)\n", name,
                            median("F5BesideStartUp", size) / median("WholeStoreRefreshed", size));
        }
    }

    std::map<std::string, std::array<std::vector<double>, 2>> m_ms;
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home; // the settings the main window reads and writes
    qputenv("TARMIL5_HOME", home.path().toUtf8());
    QApplication app(argc, argv);
    Yes yes;
    SetMessageService(&yes);
    if (argc == 3 && qstrcmp(argv[1], "--start-up-loop") == 0)
        return startUpLoop(QString::fromLocal8Bit(argv[2]));
    benchmark::Initialize(&argc, argv);
    const int rounds = qEnvironmentVariableIsSet("TARMIL5_BENCH_ROUNDS")
                           ? std::max(1, qEnvironmentVariableIntValue("TARMIL5_BENCH_ROUNDS"))
                           : 5;
    // Small, large, small, large ...: each round every figure once.
    for (int round = 0; round < rounds; ++round)
        for (int size : {0, 1})
            for (const Figure &figure : figures()) {
                benchmark::internal::Benchmark *b = benchmark::RegisterBenchmark(figure.name.c_str(), figure.run);
                b->Arg(size)->Unit(benchmark::kMillisecond);
                figure.manualTime ? b->UseManualTime() : b->UseRealTime();
                if (figure.iterations > 0)
                    b->Iterations(figure.iterations);
                else if (figure.minTime > 0)
                    b->MinTime(figure.minTime);
            }
    FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printFigures();
    benchmark::Shutdown();
    g_windows.clear();
    g_shops.clear();
    return 0;
}
