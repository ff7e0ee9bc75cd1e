// Selling a 20-line basket as a cash receipt, from one till and from ten at
// once, next to bare round trips to the same server; filling a 3000-line
// basket line by line (the time per line should stay within three round
// trips whatever the basket's size); and the sale alone (the sell call and
// its commit) next to a committed one-row insert. The server comes from
// the PG* variables; the benchmark creates its own database from the creation
// script and drops it (with its group role) at the end.
#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <QStringList>
#include <benchmark/benchmark.h>
#include <libpq-fe.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

QString g_database;
constexpr int kLines = 20;
constexpr int kTills = 10;
constexpr int kLargeBasket = 3000;

PGconn *connectTo(const QString &database)
{
    const QByteArray db = database.toUtf8();
    const char *keys[] = {"dbname", "application_name", nullptr};
    const char *values[] = {db.constData(), "Tarmil", nullptr};
    PGconn *conn = PQconnectdbParams(keys, values, 1);
    if (PQstatus(conn) != CONNECTION_OK) {
        std::fprintf(stderr, "%s", PQerrorMessage(conn));
        std::exit(1);
    }
    return conn;
}

// Runs SQL; ends the program on an error (a benchmark of failures measures nothing).
void run(PGconn *conn, const QString &sql)
{
    PGresult *res = PQexec(conn, sql.toUtf8().constData());
    const auto status = PQresultStatus(res);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        std::fprintf(stderr, "%s\n%s\n", PQresultErrorMessage(res), qPrintable(sql.left(200)));
        std::exit(1);
    }
    PQclear(res);
}

// The creation script: its first batch on the maintenance database, the rest on the new one.
void createDatabase()
{
    QFile file(QStringLiteral(":/sql/create_database.sql"));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "the creation script is missing\n");
        std::exit(1);
    }
    const QStringList batches = QString::fromUtf8(file.readAll()).split(QStringLiteral("\nGO\n"));
    PGconn *postgres = connectTo(QStringLiteral("postgres"));
    run(postgres, QString(batches.first()).replace(QStringLiteral("%DATABASE%"), '"' + g_database + '"'));
    PQfinish(postgres);
    PGconn *conn = connectTo(g_database);
    for (int i = 1; i < batches.size(); ++i)
        if (!batches.at(i).trimmed().isEmpty())
            run(conn, batches.at(i));
    // Items enough for every till's basket, with stock that lasts the whole run.
    run(conn,
        QStringLiteral(
            "SELECT tab_polozka_NOVA_POLOZKA(n::varchar, n::varchar, 'Položka ' || n, '-', 0, 'Sklad-01', '?', '-',"
            " 20, 10, 25, 0, 100000000, 0, 'ks', 1, true) FROM generate_series(1, %1) n")
            .arg(std::max(kLines * kTills, kLargeBasket)));
    run(conn, QStringLiteral("CREATE TABLE bench_insert (n integer)"));
    PQfinish(conn);
}

void dropDatabase()
{
    PGconn *postgres = connectTo(QStringLiteral("postgres"));
    run(postgres, QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)").arg(g_database));
    run(postgres, QStringLiteral("DROP ROLE IF EXISTS \"%1\"").arg(g_database));
    PQfinish(postgres);
}

void BM_RoundTrip(benchmark::State &state)
{
    PGconn *conn = connectTo(g_database);
    for (auto _ : state)
        run(conn, QStringLiteral("SELECT 1"));
    state.counters["round trips/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["s/round trip"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    PQfinish(conn);
}

// A 3000-line basket filled one line at a time; emptied outside the timing.
void BM_FillLargeBasket(benchmark::State &state)
{
    PGconn *conn = connectTo(g_database);
    for (auto _ : state) {
        for (int i = 1; i <= kLargeBasket; ++i)
            run(conn, QStringLiteral("SELECT tab_prodej_PRIDAT_EDITOVAT(%1, 0, 1, true)").arg(i));
        state.PauseTiming();
        run(conn, QStringLiteral("DELETE FROM tab_prodej WHERE ID_PROCESS = pg_backend_pid()"));
        state.ResumeTiming();
    }
    state.counters["s/line"] = benchmark::Counter(double(state.iterations()) * kLargeBasket,
                                                  benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    PQfinish(conn);
}

// The sale alone: the basket is filled outside the timing.
void BM_SellOnly(benchmark::State &state)
{
    PGconn *conn = connectTo(g_database);
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 1; i <= kLines; ++i)
            run(conn, QStringLiteral("SELECT tab_prodej_PRIDAT_EDITOVAT(%1, 0, 1, true)").arg(i));
        state.ResumeTiming();
        run(conn, QStringLiteral("BEGIN"));
        run(conn, QStringLiteral("SELECT tab_prodej_PRODAT(1, false, '-', 0)"));
        run(conn, QStringLiteral("COMMIT"));
    }
    PQfinish(conn);
}

void BM_CommittedInsert(benchmark::State &state)
{
    PGconn *conn = connectTo(g_database);
    for (auto _ : state)
        run(conn, QStringLiteral("INSERT INTO bench_insert VALUES (1)"));
    PQfinish(conn);
}

// One sale as the till makes it: the basket filled line by line, then sold
// inside a transaction.
void BM_SellBasket(benchmark::State &state)
{
    PGconn *conn = connectTo(g_database);
    const int firstItem = 1 + state.thread_index() * kLines;
    for (auto _ : state) {
        for (int i = 0; i < kLines; ++i)
            run(conn, QStringLiteral("SELECT tab_prodej_PRIDAT_EDITOVAT(%1, 0, 1, true)").arg(firstItem + i));
        run(conn, QStringLiteral("BEGIN"));
        run(conn, QStringLiteral("SELECT tab_prodej_PRODAT(1, false, '-', 0)"));
        run(conn, QStringLiteral("COMMIT"));
    }
    state.counters["sales/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    PQfinish(conn);
}

BENCHMARK(BM_RoundTrip)->UseRealTime()->Threads(1)->Threads(kTills);
BENCHMARK(BM_SellBasket)->UseRealTime()->Threads(1)->Threads(kTills);
BENCHMARK(BM_FillLargeBasket)->UseRealTime()->Iterations(2);
BENCHMARK(BM_SellOnly)->UseRealTime();
BENCHMARK(BM_CommittedInsert)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    g_database = QStringLiteral("t5bench_%1").arg(QCoreApplication::applicationPid());
    benchmark::Initialize(&argc, argv);
    createDatabase();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    dropDatabase();
    return 0;
}
