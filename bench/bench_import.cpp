// A supplier's price list of 200,000 rows in an .xlsx (written here with
// libxlsxwriter, texts as shared strings): how long reading it takes and how
// much memory the reading needs above the program's idle size (measured in a
// child process of its own, so the writing does not count), and the import
// of every row into a fresh database on the test command's server (the PG*
// variables, TARMIL5_TEST_SERVER for the data module): its whole time and
// its time per row over the first and the last 10,000 rows.
//
// Run by hand, Release build: bench_import [rows]. Goals: reading at most
// 250 MB above idle; the import within 5 minutes, the last 10,000 rows at
// most 1.5 times as slow per row as the first.
#include "app/spreadsheet/itemimport.h"
#include "app/spreadsheet/spreadsheetsource.h"
#include "data/dm.h"
#include "platform/messages.h"
#include "shopdatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <libpq-fe.h>
#include <xlsxwriter.h>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kWindow = 10000;

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void writePriceList(const QString &file, int rows)
{
    lxw_workbook *workbook = workbook_new(file.toUtf8().constData());
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, nullptr);
    const char *titles[] = {"Označení",  "Kód",       "Název",   "Specifikace", "Záruka", "DPH",
                            "Kategorie", "Dodavatel", "Nákup",   "Prodej",      "Sleva",  "Množství",
                            "Zásoba",    "Jednotka",  "Minimum", "Násobně"};
    for (int c = 0; c < 16; ++c)
        worksheet_write_string(sheet, 0, lxw_col_t(c), titles[c], nullptr);
    for (int r = 1; r <= rows; ++r) {
        const QByteArray n = QByteArray::number(r);
        worksheet_write_string(sheet, lxw_row_t(r), 0, ("D" + n).constData(), nullptr);
        worksheet_write_string(sheet, lxw_row_t(r), 1, ("859" + n.rightJustified(10, '0')).constData(), nullptr);
        worksheet_write_string(sheet, lxw_row_t(r), 2, ("Šroub M" + n + " pozinkovaný").constData(), nullptr);
        worksheet_write_string(sheet, lxw_row_t(r), 3, ("DIN 933, balení " + n).constData(), nullptr);
        worksheet_write_number(sheet, lxw_row_t(r), 4, 24, nullptr);
        worksheet_write_number(sheet, lxw_row_t(r), 5, 20, nullptr);
        worksheet_write_string(sheet, lxw_row_t(r), 6, "?", nullptr);
        worksheet_write_string(sheet, lxw_row_t(r), 7, "-", nullptr);
        worksheet_write_number(sheet, lxw_row_t(r), 8, 10 + r % 1000 / 10.0, nullptr);
        worksheet_write_number(sheet, lxw_row_t(r), 9, 15 + r % 1000 / 10.0, nullptr);
        worksheet_write_number(sheet, lxw_row_t(r), 10, r % 20, nullptr);
        worksheet_write_number(sheet, lxw_row_t(r), 11, 100, nullptr);
        worksheet_write_number(sheet, lxw_row_t(r), 12, 10, nullptr);
        worksheet_write_string(sheet, lxw_row_t(r), 13, "ks", nullptr);
        worksheet_write_number(sheet, lxw_row_t(r), 14, 1, nullptr);
        worksheet_write_string(sheet, lxw_row_t(r), 15, r % 2 ? "A" : "N", nullptr);
    }
    if (workbook_close(workbook) != LXW_NO_ERROR) {
        std::fprintf(stderr, "the price list could not be written\n");
        std::exit(1);
    }
}

// The child: reads the sheet as the import does (every row's 16 cells).
int readPriceList(const QString &file)
{
    const long idle = peakKilobytes();
    QElapsedTimer timer;
    timer.start();
    WorkbookFileSource source(file);
    QString reason;
    if (!source.Reload(reason)) {
        std::fprintf(stderr, "%s\n", qPrintable(reason));
        return 1;
    }
    const qint64 opened = timer.elapsed();
    qint64 cells = 0;
    for (int row = 2; row <= source.LastUsedRow(); ++row)
        for (int column = 1; column <= 16; ++column)
            cells += source.Cell(row, column).isUnassigned() ? 0 : 1;
    std::printf("reading: opening (shared strings, checking walk) %.2f s, all rows %.2f s, %lld cells; "
                "peak memory %.0f MB above idle (%.0f MB) (goal: at most 250 MB)\n",
                opened / 1000.0, timer.elapsed() / 1000.0, static_cast<long long>(cells),
                (peakKilobytes() - idle) / 1024.0, idle / 1024.0);
    return 0;
}

// The progress steps of the import, timed: one per row, in order.
class TimedProgress : public MessageService
{
public:
    void showWarning(const QString &heading, const QString &detail, const QString &description) override
    {
        std::fprintf(stderr, "warning: %s %s %s\n", qPrintable(heading), qPrintable(detail), qPrintable(description));
    }
    void showInformation(const QString &heading, const QString &detail, bool) override
    {
        std::fprintf(stderr, "%s %s\n", qPrintable(heading), qPrintable(detail));
    }
    bool showQuestion(const QString &, const QString &, bool) override { return false; }
    void showWait(const QString &) override {}
    void hideWait() override {}
    void showProgress(const QString &) override { m_timer.start(); }
    void setProgressMaximum(int maximum) override { at.assign(size_t(maximum) + 1, 0); }
    bool stepProgress(const QString &, int position) override
    {
        if (position >= 0 && size_t(position) < at.size())
            at[size_t(position)] = m_timer.nsecsElapsed();
        return true;
    }
    bool progressInterrupted() const override { return false; }
    void hideProgress() override {}

    std::vector<qint64> at; // nanoseconds from the start at each row's step

private:
    QElapsedTimer m_timer;
};

void createDatabase(const QString &database)
{
    PGconn *conn = CreateShopDatabase(database);
    // Extra set-up SQL for a measurement (BENCH_IMPORT_SQL), e.g. indexes under trial.
    const QString extra = qEnvironmentVariable("BENCH_IMPORT_SQL");
    if (!extra.isEmpty())
        BenchRun(conn, extra);
    PQfinish(conn);
}

double perRowMicroseconds(const std::vector<qint64> &at, size_t from, size_t to)
{
    return double(at[to] - at[from]) / double(to - from) / 1000.0;
}

void importPriceList(const QString &file)
{
    const QString database = QStringLiteral("t5bench_import_%1").arg(QCoreApplication::applicationPid());
    createDatabase(database);
    qputenv("TARMIL5_DATABASE", database.toUtf8());
    QString server = qEnvironmentVariable("TARMIL5_TEST_SERVER");
    if (server.isEmpty())
        server = qEnvironmentVariable("PGHOST") + u':' + qEnvironmentVariable("PGPORT");
    {
        TDM dm;
        if (!dm.ConnectServer(server, qEnvironmentVariable("PGUSER"), qEnvironmentVariable("PGPASSWORD")) ||
            !dm.SelectDatabase(database)) {
            std::fprintf(stderr, "%s\n", qPrintable(dm.LastErrorText()));
            DropShopDatabase(database);
            std::exit(1);
        }
        TimedProgress progress;
        MessageService *before = SetMessageService(&progress);
        WorkbookFileSource source(file);
        QElapsedTimer timer;
        timer.start();
        const ItemImportResult result = ItemImport(dm, source).Run(false);
        const double seconds = timer.elapsed() / 1000.0;
        SetMessageService(before);
        const std::vector<qint64> &at = progress.at;
        const size_t rows = at.size() - 2; // records 1 .. last row - 1
        std::printf("import: %d rows in %.1f s (goal: at most 300 s), %.0f rows a second\n", result.imported, seconds,
                    result.imported / seconds);
        if (rows > size_t(2 * kWindow)) {
            const double first = perRowMicroseconds(at, 1, kWindow + 1);
            const double last = perRowMicroseconds(at, rows - kWindow, rows);
            std::printf("per row: first %d rows %.0f us, last %d rows %.0f us = %.2f times the first "
                        "(goal: at most 1.5)\n",
                        kWindow, first, kWindow, last, last / first);
        }
    }
    DropShopDatabase(database);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == u"--read")
        return readPriceList(args[2]);
    const int rows = args.size() > 1 ? args[1].toInt() : 200000;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("cenik.xlsx"));
    QElapsedTimer timer;
    timer.start();
    writePriceList(file, rows);
    std::printf("price list of %d rows written in %.1f s, %.1f MB\n", rows, timer.elapsed() / 1000.0,
                QFile(file).size() / 1048576.0);
    std::fflush(stdout);
    QProcess reader;
    reader.setProcessChannelMode(QProcess::ForwardedChannels);
    reader.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--read"), file});
    reader.waitForFinished(-1);
    importPriceList(file);
    return 0;
}
