// Preparing a report of 10,000 rows from a real query: two group levels with
// group-footer sums and a page footer with page numbers. Beside the time it
// prints the ratio to walking the same query and formatting its values
// without the engine ("x_walk", goal at most 3) and the prepared pages'
// memory, and the time printing the prepared pages into a PDF file takes
// beside the time preparing them ("pdf_ms", "x_prepare", goal at most 10).
// Needs a server: the PG* variables of the test command, or
// TARMIL5_TEST_SERVER; a throwaway database is made and dropped.
#include "benchdatabase.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/formatnumber.h"
#include "report/dbdataset.h"
#include "report/printer.h"
#include "report/vlbandview.h"
#include "report/vlmemoview.h"
#include "report/vlreport.h"

#include <QApplication>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>

namespace {

constexpr int Rows = 10000;
const char *Query = "SELECT ID, SKUPINA, PODSKUPINA, KOD, NAZEV, CENA FROM zbozi ORDER BY SKUPINA, PODSKUPINA, ID";

BenchDatabase *g_database = nullptr;
Db::Connection *g_connection = nullptr;
double g_walkSeconds = 0;

double seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

// The same query walked and formatted by hand: what any listing must do.
double walk()
{
    const auto start = std::chrono::steady_clock::now();
    Db::Dataset data;
    data.SetConnection(g_connection);
    data.SetSQL(QString::fromLatin1(Query));
    data.Open();
    Db::Field &code = data.FieldByName("KOD"), &name = data.FieldByName("NAZEV"), &price = data.FieldByName("CENA");
    qsizetype length = 0;
    for (data.First(); !data.Eof(); data.Next()) {
        length += code.AsString().size() + name.AsString().size();
        length += FormatFloat(QStringLiteral("0.00"), price.Value().toDouble()).size();
    }
    benchmark::DoNotOptimize(length);
    return seconds(std::chrono::steady_clock::now() - start);
}

struct Report
{
    QObject owner;
    Db::Dataset data;
    TvlDBDataSet rows{&owner};
    TvlReport report{&owner};

    Report()
    {
        owner.setObjectName("Prehled");
        data.SetConnection(g_connection);
        data.SetSQL(QString::fromLatin1(Query));
        rows.setObjectName("Zbozi");
        rows.SetDataSet(&data);
        report.ShowProgress = false;
        TvlPage *page = report.Pages.Add();
        band(page, btPageHeader, 20, 20);
        memo(page, 20, 20, 400, "Přehled zboží, strana [PAGE#]");
        band(page, btGroupHeader, 50, 20, "[SKUPINA]");
        memo(page, 20, 50, 400, "Skupina [SKUPINA]");
        band(page, btGroupHeader, 80, 20, "[PODSKUPINA]");
        memo(page, 40, 80, 400, "Podskupina [PODSKUPINA]");
        band(page, btMasterData, 110, 18, "Zbozi");
        memo(page, 60, 110, 80, "[KOD]");
        memo(page, 150, 110, 300, "[NAZEV]");
        memo(page, 460, 110, 100, "[CENA #N10,2]");
        band(page, btGroupFooter, 140, 20);
        memo(page, 40, 140, 500, "Podskupina celkem [SUM([CENA]) #N10,2]");
        band(page, btGroupFooter, 170, 20);
        memo(page, 20, 170, 500, "Skupina celkem [SUM([CENA]) #N10,2]");
        band(page, btPageFooter, 200, 20);
        memo(page, 20, 200, 400, "Strana [PAGE#]");
    }
    static void band(TvlPage *page, int type, int top, int height, const QString &source = {})
    {
        auto view = std::make_unique<TvlBandView>();
        view->SetBandType(type);
        view->SetBounds(0, top, 700, height);
        view->FormatText = source;
        page->Add(std::move(view));
    }
    static void memo(TvlPage *page, int left, int top, int width, const QString &text)
    {
        auto view = std::make_unique<TvlMemoView>();
        view->SetBounds(left, top, width, 18);
        view->Memo = {text};
        view->Flags = mfWordWrap;
        page->Add(std::move(view));
    }
};

void BM_PrepareReport(benchmark::State &state)
{
    Report r;
    double total = 0;
    qint64 bytes = 0;
    for (auto _ : state) {
        r.data.Close();
        const auto start = std::chrono::steady_clock::now();
        if (!r.report.PrepareReport())
            state.SkipWithError(qPrintable(r.report.ErrorText()));
        total += seconds(std::chrono::steady_clock::now() - start);
    }
    for (int i = 0; i < r.report.EMFPages.Count(); ++i)
        bytes += r.report.EMFPages[i]->Stream->data().size();
    const double prepare = total / double(state.iterations());
    state.counters["x_walk"] = prepare / g_walkSeconds;
    state.counters["pages"] = r.report.EMFPages.Count();
    state.counters["prepared_kB"] = double(bytes) / 1024;

    QTemporaryDir dir;
    vlPrinter().Printer()->setOutputFileName(dir.filePath(QStringLiteral("prehled.pdf")));
    double pdf = 1e9;
    for (int i = 0; i < 3; ++i) {
        const auto start = std::chrono::steady_clock::now();
        if (!r.report.PrintPreparedReport(QString(), 1))
            state.SkipWithError("printing failed");
        pdf = std::min(pdf, seconds(std::chrono::steady_clock::now() - start));
    }
    vlPrinter().Printer()->setOutputFileName(QString());
    state.counters["pdf_ms"] = pdf * 1000;
    state.counters["x_prepare"] = pdf / prepare;
}
BENCHMARK(BM_PrepareReport)->Unit(benchmark::kMillisecond)->MinTime(3);

bool setUpDatabase()
{
    g_database = new BenchDatabase(QStringLiteral("t5bench_report"));
    g_connection = &g_database->connection;
    return g_database->Fill(
        QStringLiteral("CREATE TABLE zbozi (ID integer PRIMARY KEY, SKUPINA varchar(20), PODSKUPINA varchar(20), "
                       " KOD varchar(16), NAZEV varchar(64), CENA numeric(19,4));"
                       "INSERT INTO zbozi SELECT g, 'Skupina ' || (g % 10), 'Podskupina ' || (g % 7), 'K' || g, "
                       " 'Položka číslo ' || g, g % 1000 + 0.5 FROM generate_series(1, %1) g; ANALYZE")
            .arg(Rows));
}

void tearDownDatabase()
{
    delete g_database;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (!setUpDatabase()) {
        tearDownDatabase();
        return 1;
    }
    double best = 1e9;
    for (int i = 0; i < 5; ++i)
        best = std::min(best, walk());
    g_walkSeconds = best;
    std::printf("walking and formatting the %d rows alone takes %.1f ms\n", Rows, best * 1000);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    tearDownDatabase();
    return 0;
}
