// Dataset speed on a 100,000-row list shaped like the item list, each
// operation also as a ratio to the time libpq alone needs to fetch the same
// rows ("x_libpq"). Needs a server: the PG* variables of the test command,
// or TARMIL5_TEST_SERVER; a throwaway database is made and dropped.
#include "data/mssqladoquery.h"
#include "platform/db/connection.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>

namespace {

constexpr int Rows = 100000;
const char *ItemList =
    "SELECT tab_polozka.ID_POLOZKA, tab_polozka.ID_SKLAD, tab_polozka.PATH_ID_KATEGORIE, "
    "tab_polozka.STATE_PLATNOST, tab_polozka.OZNACENI, tab_polozka.KOD, tab_polozka.POLOZKA, "
    "tab_polozka.SPECIFIKACE, tab_polozka.ZARUKA, tab_polozka.NAKUP, tab_polozka.PRODEJ, tab_polozka.SLEVA, "
    "tab_polozka.MNOZSTVI, tab_polozka.MINIMUM, tab_polozka.NASOBNE, tab_dph.DPH, "
    "tab_polozka.NAKUP * tab_polozka.MNOZSTVI AS NAKUP_CELKEM "
    "FROM tab_polozka LEFT JOIN tab_dph ON tab_dph.ID_DPH = tab_polozka.ID_DPH "
    "WHERE tab_polozka.ID_SKLAD = :ID_SKLAD AND tab_polozka.PATH_ID_KATEGORIE LIKE :PATH_ID_KATEGORIE";

QString g_server, g_database;
Db::Connection *g_connection = nullptr;
double g_libpqSeconds = 0; // one fetch of the list through libpq alone

double seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

QString plainSql()
{
    return QString::fromLatin1(ItemList)
               .replace(QStringLiteral(":ID_SKLAD"), QStringLiteral("1"))
               .replace(QStringLiteral(":PATH_ID_KATEGORIE"), QStringLiteral("'1%'")) +
           QStringLiteral(" ORDER BY tab_polozka.OZNACENI");
}

double libpqFetch()
{
    const QByteArray sql = plainSql().toUtf8();
    const auto start = std::chrono::steady_clock::now();
    PGresult *result = PQexec(g_connection->handle(), sql.constData());
    const int rows = PQntuples(result);
    PQclear(result);
    const double elapsed = seconds(std::chrono::steady_clock::now() - start);
    if (rows != Rows)
        std::fprintf(stderr, "unexpected row count %d\n", rows);
    return elapsed;
}

void setRatio(benchmark::State &state, double total)
{
    state.counters["x_libpq"] = total / double(state.iterations()) / g_libpqSeconds;
}

struct ItemQuery
{
    TMSSQLADOQuery query;
    ItemQuery()
    {
        query.SetConnection(g_connection);
        query.SetFormatSQL({QString::fromLatin1(ItemList), QStringLiteral("ORDER BY %ORDER_BY")});
        query.FormatParameters()
            .FindParameter(QStringLiteral("%ORDER_BY"))
            ->SetFormatParameterValue(QStringLiteral("tab_polozka.OZNACENI"));
        query.AddField(QStringLiteral("OZNACENI"))->Origin = QStringLiteral("tab_polozka");
        query.SetSQL(query.ApplyFormatParameters(query.FormatSQLText())); // lists the parameters
        query.ParamByName(QStringLiteral("ID_SKLAD")).SetAsInteger(1);
        query.ParamByName(QStringLiteral("PATH_ID_KATEGORIE")).SetAsString(QStringLiteral("1%"));
        query.RefreshQuery();
    }
};

void BM_LibpqFetch(benchmark::State &state)
{
    double total = 0;
    for (auto _ : state)
        total += libpqFetch();
    setRatio(state, total);
}

void BM_OpenAndWalk(benchmark::State &state)
{
    ItemQuery item;
    Db::Dataset &q = item.query;
    const Db::Field &id = q.FieldByName(QStringLiteral("ID_POLOZKA"));
    const Db::Field &name = q.FieldByName(QStringLiteral("POLOZKA"));
    const Db::Field &price = q.FieldByName(QStringLiteral("NAKUP"));
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        item.query.Close();
        item.query.RefreshQuery();
        qint64 ids = 0;
        Currency sum;
        int length = 0;
        for (q.First(); !q.Eof(); q.Next()) {
            ids += id.AsInteger();
            sum += price.AsCurrency();
            length += int(name.AsString().size());
        }
        benchmark::DoNotOptimize(ids + sum.raw() + length);
        total += seconds(std::chrono::steady_clock::now() - start);
    }
    setRatio(state, total);
}

void BM_LocateByKey(benchmark::State &state)
{
    ItemQuery item;
    double total = 0;
    for (auto _ : state) {
        const int key = Rows - int(QRandomGenerator::global()->bounded(1000));
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(item.query.LocateInteger(QStringLiteral("ID_POLOZKA"), key));
        total += seconds(std::chrono::steady_clock::now() - start);
    }
    setRatio(state, total);
}

void BM_RequeryKeepingRow(benchmark::State &state)
{
    ItemQuery item;
    item.query.LocateInteger(QStringLiteral("ID_POLOZKA"), Rows / 2);
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        item.query.SavePosition(QStringLiteral("ID_POLOZKA"));
        item.query.RequeryQuery();
        item.query.RestorePosition();
        total += seconds(std::chrono::steady_clock::now() - start);
    }
    setRatio(state, total);
}

void BM_SortToggle(benchmark::State &state)
{
    ItemQuery item;
    item.query.LocateInteger(QStringLiteral("ID_POLOZKA"), Rows / 3);
    Db::Field *mark = item.query.FindField(QStringLiteral("OZNACENI"));
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        item.query.SortByColumn(QStringLiteral("ID_POLOZKA"), mark, QStringLiteral("%ORDER_BY"));
        total += seconds(std::chrono::steady_clock::now() - start);
    }
    setRatio(state, total);
}

BENCHMARK(BM_LibpqFetch)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_OpenAndWalk)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_LocateByKey)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RequeryKeepingRow)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_SortToggle)->Unit(benchmark::kMillisecond)->MinTime(2);

bool setUpDatabase()
{
    Db::Connection server;
    g_server = qEnvironmentVariable("TARMIL5_TEST_SERVER");
    if (!server.open(g_server, QStringLiteral("postgres"), qEnvironmentVariable("PGUSER"),
                     qEnvironmentVariable("PGPASSWORD"))) {
        std::fprintf(stderr, "no server: %s\n", qPrintable(server.lastErrorText()));
        return false;
    }
    g_database = QStringLiteral("t5bench_%1").arg(QCoreApplication::applicationPid());
    server.exec(QStringLiteral("CREATE DATABASE %1 TEMPLATE template0 ENCODING 'UTF8'").arg(g_database));
    g_connection = new Db::Connection;
    if (!g_connection->open(g_server, g_database, qEnvironmentVariable("PGUSER"), qEnvironmentVariable("PGPASSWORD")))
        return false;
    const Db::Result made = g_connection->exec(
        QStringLiteral(
            "CREATE TABLE tab_dph (ID_DPH integer PRIMARY KEY, DPH numeric(19,4));"
            "INSERT INTO tab_dph VALUES (1, 0), (2, 12), (3, 21);"
            "CREATE TABLE tab_polozka (ID_POLOZKA integer PRIMARY KEY, ID_SKLAD integer, ID_DPH integer, "
            " PATH_ID_KATEGORIE varchar(256), STATE_PLATNOST boolean, OZNACENI varchar(16), KOD varchar(16), "
            " POLOZKA varchar(64), SPECIFIKACE varchar(128), ZARUKA integer, NAKUP numeric(19,4), "
            " PRODEJ numeric(19,4), SLEVA integer, MNOZSTVI real, MINIMUM real, NASOBNE boolean);"
            "INSERT INTO tab_polozka SELECT g, 1, 1 + g % 3, '1\\' || (g % 50) || '\\', true, "
            " lpad((g * 7919 % 100000)::text, 8, '0'), 'K' || g, 'Položka číslo ' || g, 'Specifikace ' || g, 24, "
            " g % 1000 + 0.1234, g % 1000 + 10.5, g % 10, (g % 17) + 0.5, 1, g % 2 = 0 "
            "FROM generate_series(1, %1) g; ANALYZE")
            .arg(Rows));
    return made.succeeded();
}

void tearDownDatabase()
{
    delete g_connection;
    Db::Connection server;
    if (server.open(g_server, QStringLiteral("postgres"), qEnvironmentVariable("PGUSER"),
                    qEnvironmentVariable("PGPASSWORD")))
        server.exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(g_database));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (!setUpDatabase()) {
        tearDownDatabase();
        return 1;
    }
    double best = 1e9;
    for (int i = 0; i < 5; ++i)
        best = std::min(best, libpqFetch());
    g_libpqSeconds = best;
    std::printf("libpq alone fetches the %d rows in %.1f ms\n", Rows, best * 1000);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    tearDownDatabase();
    return 0;
}
