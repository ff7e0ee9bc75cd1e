// The main window over 100,000 items: its first show after the login (the
// lists opened, the window made, shown and painted) and a sort toggle of the
// item list by a title, each beside the dataset layer's own open and sort of
// the same list (goal: at most 1.3 times as long). The server comes from the
// PG* variables; the benchmark creates its own database through the data
// module and drops it at the end. Runs offscreen unless a platform is set.
#include "app/main/notebook.h"
#include "app/main/tarmilform.h"
#include "data/dm.h"
#include "platform/db/dataset.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <libpq-fe.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

constexpr int kItems = 100000;
QString g_database;
TDM *g_dm = nullptr;

void fail(const QString &what)
{
    std::fprintf(stderr, "%s\n", qPrintable(what));
    std::exit(1);
}

void runOn(const QString &database, const QString &sql)
{
    const QByteArray db = database.toUtf8();
    const char *keys[] = {"dbname", nullptr};
    const char *values[] = {db.constData(), nullptr};
    PGconn *conn = PQconnectdbParams(keys, values, 1);
    PGresult *res = PQexec(conn, sql.toUtf8().constData());
    const auto status = PQresultStatus(res);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        fail(QString::fromUtf8(PQresultErrorMessage(res)));
    PQclear(res);
    PQfinish(conn);
}

void createDatabase()
{
    qputenv("TARMIL5_DATABASE", g_database.toUtf8());
    const QString server = qEnvironmentVariable("PGHOST") + u':' + qEnvironmentVariable("PGPORT", "5432");
    g_dm = new TDM;
    if (!g_dm->ConnectServer(server, qEnvironmentVariable("PGUSER"), qEnvironmentVariable("PGPASSWORD")) ||
        !g_dm->CreateDatabase() || !g_dm->SelectDatabase(g_database))
        fail(g_dm->LastErrorText());
    runOn(g_database, QStringLiteral("SELECT tab_polozka_NOVA_POLOZKA(lpad(n::varchar, 6, '0'), 'K' || n,"
                                     " 'Položka číslo ' || n, '-', 24, 'Sklad-01', '?', '-', 20, n % 1000, "
                                     "(n % 1000) * 1.25, 0, n % 50, 0, 'ks', 1, true) FROM generate_series(1, %1) n")
                          .arg(kItems));
    runOn(g_database, QStringLiteral("ANALYZE"));
}

void dropDatabase()
{
    delete g_dm;
    runOn(QStringLiteral("postgres"), QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)").arg(g_database));
    runOn(QStringLiteral("postgres"), QStringLiteral("DROP ROLE IF EXISTS \"%1\"").arg(g_database));
}

// The item list's SQL as the data module opens it.
QString itemSql()
{
    TMSSQLADOQuery *items = g_dm->MSSQLADOQuery_Polozka;
    return items->ApplyFormatParameters(items->FormatSQLText());
}

void openItemsAlone(Db::Dataset &dataset, const QString &sql)
{
    dataset.SetConnection(&g_dm->MSSQLADOConnection->Connection());
    dataset.SetSQL(sql);
    dataset.ParamByName(QStringLiteral("ID_SKLAD")).SetAsInteger(1);
    dataset.ParamByName(QStringLiteral("PATH_ID_KATEGORIE")).SetAsString(QStringLiteral("1%"));
    dataset.Open();
}

// The lists opened after the login, the window made, shown and painted.
void BM_WindowFirstShow(benchmark::State &state)
{
    for (auto _ : state) {
        g_dm->MSSQLADOQuery_Polozka->Close();
        if (!g_dm->OpenItems())
            fail(g_dm->LastErrorText());
        auto window = std::make_unique<TForm_Tarmil>();
        window->Notebook->SetPageIndex(0);
        window->show();
        QApplication::processEvents();
        window->repaint();
        state.PauseTiming();
        window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_DatasetOpen(benchmark::State &state)
{
    const QString sql = itemSql();
    for (auto _ : state) {
        Db::Dataset dataset;
        openItemsAlone(dataset, sql);
        benchmark::DoNotOptimize(dataset.RecordCount());
    }
}

// A title click on the item grid: the list sorted anew, the grid repainted.
void BM_WindowSortToggle(benchmark::State &state)
{
    if (!g_dm->MSSQLADOQuery_Polozka->Active() && !g_dm->OpenItems())
        fail(g_dm->LastErrorText());
    TForm_Tarmil window;
    window.Notebook->SetPageIndex(0);
    window.show();
    QApplication::processEvents();
    Db::Field *name = g_dm->MSSQLADOQuery_Polozka->FindField(QStringLiteral("POLOZKA"));
    for (auto _ : state) {
        window.KxDBGridTitleBtnClick(window.KxDBGrid_Polozka, name);
        window.KxDBGrid_Polozka->repaint();
    }
}

void BM_DatasetSortToggle(benchmark::State &state)
{
    const QString sql = itemSql();
    const int order = int(sql.indexOf(QStringLiteral("ORDER BY")));
    const QString head = sql.left(order);
    bool descending = false;
    for (auto _ : state) {
        Db::Dataset dataset;
        descending = !descending;
        openItemsAlone(dataset, head + QStringLiteral("ORDER BY tab_polozka.POLOZKA") +
                                    (descending ? QStringLiteral(" DESC") : QString()));
        benchmark::DoNotOptimize(dataset.RecordCount());
    }
}

BENCHMARK(BM_WindowFirstShow)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DatasetOpen)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WindowSortToggle)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DatasetSortToggle)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    g_database = QStringLiteral("t5benchmw_%1").arg(QCoreApplication::applicationPid());
    benchmark::Initialize(&argc, argv);
    createDatabase();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    dropDatabase();
    return 0;
}
