// Selling a 20-line basket as a cash receipt, from one till and from ten at
// once, next to bare round trips to the same server; filling a basket line by
// line (the time per line should stay within three round trips whatever the
// basket's size), by the procedure alone up to 3000 lines and through the
// data module as the till does it (the call and the basket list brought up to
// date) up to 10, 200 and 3000 lines; and the sale alone (the sell call and
// its commit) next to a committed one-row insert. The figures are printed at the end. The server comes from
// the PG* variables (TARMIL5_TEST_SERVER for the data module); the benchmark
// creates its own database from the creation script and drops it (with its
// group role) at the end.
#include "data/dm.h"
#include "shopdatabase.h"

#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <QStringList>
#include <benchmark/benchmark.h>
#include <libpq-fe.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <unistd.h>
#include <utility>

namespace {

QString g_database;
constexpr int kLines = 20;
constexpr int kTills = 10;
constexpr int kLargeBasket = 3000;
// Basket sizes filled through the data module, with the fills timed of each.
constexpr std::pair<int, int> kModuleBaskets[] = {{10, 100}, {200, 10}, {kLargeBasket, 3}};

void createDatabase()
{
    PGconn *conn = CreateShopDatabase(g_database);
    // Items enough for every till's basket, with stock that lasts the whole run.
    BenchRun(
        conn,
        QStringLiteral(
            "SELECT tab_polozka_NOVA_POLOZKA(n::varchar, n::varchar, 'Položka ' || n, '-', 0, 'Sklad-01', '?', '-',"
            " 20, 10, 25, 0, 100000000, 0, 'ks', 1, true) FROM generate_series(1, %1) n")
            .arg(std::max(kLines * kTills, kLargeBasket)));
    BenchRun(conn, QStringLiteral("CREATE TABLE bench_insert (n integer)"));
    // With the statistics the server gathers by itself a while after such a load.
    BenchRun(conn, QStringLiteral("ANALYZE"));
    PQfinish(conn);
}

void dropDatabase()
{
    DropShopDatabase(g_database);
}

// The server process's processor time in microseconds (the server runs on
// this machine): on a busy machine it tells the server's own work from the
// waiting that the wall clock adds.
double serverMicroseconds(int pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = stat.readAll().split(' '); // the name has no blanks
    return fields.size() > 15 ? (fields[13].toDouble() + fields[14].toDouble()) * 1e6 / sysconf(_SC_CLK_TCK) : 0;
}

double serverMicroseconds(PGconn *conn)
{
    return serverMicroseconds(PQbackendPID(conn));
}

const char *const SaleStatement = "tarmil_prodat";

// The sale's call, prepared once per connection as the data module does.
PGconn *connectToSell(const QString &database)
{
    PGconn *conn = BenchConnect(database);
    PQclear(PQprepare(conn, SaleStatement, "SELECT * FROM tab_prodej_PRODAT(1, false, '-', 0)", 0, nullptr));
    return conn;
}

// A sale as the data module makes it: the prepared call alone, which the
// server runs as a transaction of its own. Ends the program on an error.
void sell(PGconn *conn)
{
    PGresult *res = PQexecPrepared(conn, SaleStatement, 0, nullptr, nullptr, nullptr, 0);
    if (PQresultStatus(res) != PGRES_TUPLES_OK) {
        std::fprintf(stderr, "%s\n", PQresultErrorMessage(res));
        std::exit(1);
    }
    PQclear(res);
}

void BM_RoundTrip(benchmark::State &state)
{
    PGconn *conn = BenchConnect(g_database);
    const double cpu = serverMicroseconds(conn);
    for (auto _ : state)
        BenchRun(conn, QStringLiteral("SELECT 1"));
    state.counters["server us"] = (serverMicroseconds(conn) - cpu) / double(state.iterations());
    state.counters["round trips/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["s/round trip"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    PQfinish(conn);
}

// A 3000-line basket filled one line at a time; emptied outside the timing.
void BM_FillLargeBasket(benchmark::State &state)
{
    PGconn *conn = BenchConnect(g_database);
    const double cpu = serverMicroseconds(conn);
    for (auto _ : state) {
        for (int i = 1; i <= kLargeBasket; ++i)
            BenchRun(conn, QStringLiteral("SELECT tab_prodej_PRIDAT_EDITOVAT(%1, 0, 1, true)").arg(i));
        state.PauseTiming();
        BenchRun(conn, QStringLiteral("DELETE FROM tab_prodej WHERE ID_PROCESS = pg_backend_pid()"));
        state.ResumeTiming();
    }
    state.counters["s/line"] = benchmark::Counter(double(state.iterations()) * kLargeBasket,
                                                  benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    // The emptying is counted too: a delete of one line's row.
    state.counters["server us"] = (serverMicroseconds(conn) - cpu) / double(state.iterations() * kLargeBasket);
    PQfinish(conn);
}

// The basket filled through the data module, line by line, as the till
// does it: the call and the basket list brought up to date. The argument is
// the basket's size; the time is per line. A bare round trip on the same
// connection is timed after every line, outside the line's time, so the
// ratio of the two comes from moments of the same load on a shared machine.
void BM_ModuleBasketLine(benchmark::State &state)
{
    qputenv("TARMIL5_DATABASE", g_database.toUtf8());
    QString server = qEnvironmentVariable("TARMIL5_TEST_SERVER");
    if (server.isEmpty())
        server = qEnvironmentVariable("PGHOST") + u':' + qEnvironmentVariable("PGPORT");
    TDM dm;
    if (!dm.ConnectServer(server, qEnvironmentVariable("PGUSER"), qEnvironmentVariable("PGPASSWORD")) ||
        !dm.SelectDatabase(g_database) || !dm.OpenBasket()) {
        state.SkipWithError(qPrintable(dm.LastErrorText()));
        return;
    }
    using Clock = std::chrono::steady_clock;
    const int lines = int(state.range(0));
    const Db::Connection &connection = dm.MSSQLADOConnection->Connection();
    PGconn *handle = connection.handle();
    const int pid = PQbackendPID(handle);
    quint64 roundTrips = 0;
    double cpu = 0;
    std::chrono::duration<double> lineTime{}, bareTime{};
    for (auto _ : state) {
        const double cpuBefore = serverMicroseconds(pid);
        const quint64 before = connection.roundTrips();
        std::chrono::duration<double> fill{};
        for (int i = 1; i <= lines; ++i) {
            const auto start = Clock::now();
            if (!dm.AddOrEditBasketRow(i, 0, Currency::fromInt(1), false))
                state.SkipWithError(qPrintable(dm.LastErrorText()));
            const auto lineEnd = Clock::now();
            PQclear(PQexec(handle, "SELECT 1"));
            bareTime += Clock::now() - lineEnd;
            fill += lineEnd - start;
        }
        roundTrips += connection.roundTrips() - before;
        cpu += serverMicroseconds(pid) - cpuBefore;
        lineTime += fill;
        state.SetIterationTime(fill.count());
        dm.MSSQLADOConnection->Connection().exec(
            QStringLiteral("DELETE FROM tab_prodej WHERE ID_PROCESS = pg_backend_pid()"));
        dm.RequeryBasket();
    }
    state.counters["round trips/line"] = double(roundTrips) / double(state.iterations() * lines);
    // The bare round trips' processor time is in it too.
    state.counters["server us"] = cpu / double(state.iterations() * lines);
    state.counters["line/round trip"] = lineTime / bareTime;
}

// The sale alone (as the data module makes it): the basket is filled outside
// the timing (and outside the server's processor time counted). A committed
// one-row insert on the same connection is timed before every sale, outside
// the sale's time, so the ratio of the two comes from moments of the same
// load on a shared machine.
void BM_SellOnly(benchmark::State &state)
{
    using Clock = std::chrono::steady_clock;
    PGconn *conn = connectToSell(g_database);
    double cpu = 0;
    std::chrono::duration<double> saleTime{}, insertTime{};
    for (auto _ : state) {
        for (int i = 1; i <= kLines; ++i)
            BenchRun(conn, QStringLiteral("SELECT tab_prodej_PRIDAT_EDITOVAT(%1, 0, 1, true)").arg(i));
        const auto insertStart = Clock::now();
        BenchRun(conn, QStringLiteral("INSERT INTO bench_insert VALUES (1)"));
        const auto start = Clock::now();
        const double before = serverMicroseconds(conn);
        sell(conn);
        const auto end = Clock::now();
        cpu += serverMicroseconds(conn) - before;
        insertTime += start - insertStart;
        saleTime += end - start;
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    state.counters["server us"] = cpu / double(state.iterations());
    state.counters["sale/insert"] = saleTime / insertTime;
    PQfinish(conn);
}

void BM_CommittedInsert(benchmark::State &state)
{
    PGconn *conn = BenchConnect(g_database);
    const double cpu = serverMicroseconds(conn);
    for (auto _ : state)
        BenchRun(conn, QStringLiteral("INSERT INTO bench_insert VALUES (1)"));
    state.counters["server us"] = (serverMicroseconds(conn) - cpu) / double(state.iterations());
    PQfinish(conn);
}

// One sale as the till makes it: the basket filled line by line, then sold.
void BM_SellBasket(benchmark::State &state)
{
    PGconn *conn = connectToSell(g_database);
    const int firstItem = 1 + state.thread_index() * kLines;
    for (auto _ : state) {
        for (int i = 0; i < kLines; ++i)
            BenchRun(conn, QStringLiteral("SELECT tab_prodej_PRIDAT_EDITOVAT(%1, 0, 1, true)").arg(firstItem + i));
        sell(conn);
    }
    state.counters["sales/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    PQfinish(conn);
}

BENCHMARK(BM_RoundTrip)->UseRealTime()->Threads(1)->Threads(kTills);
BENCHMARK(BM_SellBasket)->UseRealTime()->Threads(1)->Threads(kTills);
BENCHMARK(BM_FillLargeBasket)->UseRealTime()->Iterations(2);
BENCHMARK(BM_ModuleBasketLine)->UseManualTime()->Arg(kModuleBaskets[0].first)->Iterations(kModuleBaskets[0].second);
BENCHMARK(BM_ModuleBasketLine)->UseManualTime()->Arg(kModuleBaskets[1].first)->Iterations(kModuleBaskets[1].second);
BENCHMARK(BM_ModuleBasketLine)->UseManualTime()->Arg(kModuleBaskets[2].first)->Iterations(kModuleBaskets[2].second);
BENCHMARK(BM_SellOnly)->UseManualTime();
BENCHMARK(BM_CommittedInsert)->UseRealTime();

// The console's table, and each run's time per iteration kept by name for
// the figures.
class FigureReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &reports) override
    {
        for (const Run &run : reports) {
            m_nanoseconds[run.benchmark_name()] =
                run.GetAdjustedRealTime() * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
            for (const auto &[name, counter] : run.counters)
                m_counters[run.benchmark_name() + '|' + name] = counter.value;
        }
        ConsoleReporter::ReportRuns(reports);
    }
    // By the run's full name ("BM_SellOnly/real_time"); 0 when it did not run.
    double nanoseconds(const std::string &run) const
    {
        const auto found = m_nanoseconds.find(run);
        return found == m_nanoseconds.end() ? 0 : found->second;
    }
    double counter(const std::string &run, const std::string &counter) const
    {
        const auto found = m_counters.find(run + '|' + counter);
        return found == m_counters.end() ? 0 : found->second;
    }

private:
    std::map<std::string, double> m_nanoseconds, m_counters;
};

void printFigures(const FigureReporter &figures)
{
    const double roundTrip = figures.nanoseconds("BM_RoundTrip/real_time/threads:1") / 1000;
    const double line = figures.nanoseconds("BM_FillLargeBasket/iterations:2/real_time") / kLargeBasket / 1000;
    const double sale = figures.nanoseconds("BM_SellOnly/manual_time") / 1000;
    const double insert = figures.nanoseconds("BM_CommittedInsert/real_time") / 1000;
    if (roundTrip <= 0 || insert <= 0)
        return;
    std::printf("\nbare round trip:                          %8.1f us\n", roundTrip);
    std::printf("basket line, procedure, %d-line basket: %8.1f us = %.1f round trips (goal: at most 3)\n", kLargeBasket,
                line, line / roundTrip);
    const double serverRoundTrip = figures.counter("BM_RoundTrip/real_time/threads:1", "server us");
    if (serverRoundTrip > 0)
        std::printf("  server's processor time: %.1f us per line, %.1f us per bare round trip\n",
                    figures.counter("BM_FillLargeBasket/iterations:2/real_time", "server us"), serverRoundTrip);
    for (const auto &[lines, fills] : kModuleBaskets) {
        const std::string run =
            "BM_ModuleBasketLine/" + std::to_string(lines) + "/iterations:" + std::to_string(fills) + "/manual_time";
        const double moduleLine = figures.nanoseconds(run) / lines / 1000;
        std::printf("basket line, data module, %4d-line basket: %7.1f us = %.1f round trips timed alongside "
                    "(%.1f by the bare round trip above), %.1f statements, server %.1f us with the round trip's\n",
                    lines, moduleLine, figures.counter(run, "line/round trip"), moduleLine / roundTrip,
                    figures.counter(run, "round trips/line"), figures.counter(run, "server us"));
    }
    std::printf("sale of %d lines alone (its call, committed): %8.1f us = %.1f committed one-row inserts timed "
                "alongside (%.1f by the insert of %.1f us below; goal: at most 10)\n",
                kLines, sale, figures.counter("BM_SellOnly/manual_time", "sale/insert"), sale / insert, insert);
    const double serverSale = figures.counter("BM_SellOnly/manual_time", "server us");
    const double serverInsert = figures.counter("BM_CommittedInsert/real_time", "server us");
    if (serverInsert > 0)
        std::printf("  server's processor time: %.1f us per sale = %.1f inserts' (%.1f us per insert)\n", serverSale,
                    serverSale / serverInsert, serverInsert);
    const double oneTill = figures.counter("BM_SellBasket/real_time/threads:1", "sales/s");
    const double tenTills = figures.counter("BM_SellBasket/real_time/threads:10", "sales/s");
    if (oneTill > 0)
        std::printf("sales of %d lines a second: one till %.0f, ten tills %.0f = %.1f times one (goal: at least 3)\n",
                    kLines, oneTill, tenTills, tenTills / oneTill);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    g_database = QStringLiteral("t5bench_%1").arg(QCoreApplication::applicationPid());
    benchmark::Initialize(&argc, argv);
    createDatabase();
    FigureReporter figures;
    benchmark::RunSpecifiedBenchmarks(&figures);
    printFigures(figures);
    benchmark::Shutdown();
    dropDatabase();
    return 0;
}
