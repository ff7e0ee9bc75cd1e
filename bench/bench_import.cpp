// A supplier's price list of 200,000 rows in an .xlsx (written here with
// libxlsxwriter, texts as shared strings): how long reading it takes and how
// much memory the reading needs above the program's idle size (measured in a
// child process of its own, so the writing does not count), and the import
// of every row into a fresh database on the test command's server (the PG*
// variables, TARMIL5_TEST_SERVER for the data module): its whole time and
// its time per row over the first and the last 10,000 rows. Then the same
// sheet imported again with "Původní záznamy odebrat" over those items (one
// transaction: the removal and every row), while another till sells the
// items of another store, and its time beside the plain import's.
//
// Run by hand, Release build: bench_import [rows]. Goals: reading at most
// 250 MB above idle; the import within 5 minutes, the last 10,000 rows at
// most 1.5 times as slow per row as the first; the replace-all import at most
// 1.5 times as long as the plain one, every sale beside it going through.
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
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

constexpr int kWindow = 10000;

// A line of /proc/self/status in kilobytes: VmRSS now, VmHWM the peak. (The
// peak getrusage gives carries the parent's over exec.)
long statusKilobytes(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field)) + 1).trimmed().split(' ').first().toLong();
    }
    return 0;
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
    const long idle = statusKilobytes("VmRSS");
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
                (statusKilobytes("VmHWM") - idle) / 1024.0, idle / 1024.0);
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
    // Only the removal of the store's items is confirmed.
    bool showQuestion(const QString &heading, const QString &, bool) override
    {
        return heading.startsWith(QStringLiteral("Odebrat"));
    }
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

// Processor time in seconds: the server process's (it runs on this machine)
// and this program's. On a busy machine they tell the work from the waiting.
double serverSeconds(int pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = stat.readAll().split(' ');
    return fields.size() > 15 ? (fields[13].toDouble() + fields[14].toDouble()) / double(sysconf(_SC_CLK_TCK)) : 0;
}

double ownSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double perRowMicroseconds(const std::vector<qint64> &at, size_t from, size_t to)
{
    return double(at[to] - at[from]) / double(to - from) / 1000.0;
}

// Another till sells an item of another store, one piece a sale every tenth
// of a second (a busy till; the numbering series' width holds the day's
// documents), until told to stop.
struct Seller
{
    std::atomic<bool> stop = false;
    std::atomic<int> sold = 0, failed = 0;
    QString firstError;

    void run(const QString &server, const QString &database)
    {
        TDM till;
        if (!till.ConnectServer(server, qEnvironmentVariable("PGUSER"), qEnvironmentVariable("PGPASSWORD")) ||
            !till.SelectDatabase(database)) {
            firstError = till.LastErrorText();
            return;
        }
        TDMItem item;
        item.OZNACENI = item.KOD = item.POLOZKA = QStringLiteral("PRODEJ");
        item.SKLAD = QStringLiteral("Sklad-02");
        item.KATEGORIE = QStringLiteral("?");
        item.DODAVATEL = QStringLiteral("-");
        item.DPH = Currency::fromInt(20);
        item.NAKUP = Currency::fromInt(10);
        item.PRODEJ = Currency::fromInt(15);
        item.MNOZSTVI = Currency::fromInt(1000000);
        item.JEDNOTKA = QStringLiteral("ks");
        item.MINIMUM = Currency::fromInt(1);
        if (!till.NewItem(item)) {
            firstError = till.LastErrorText();
            return;
        }
        const Db::Result found = till.MSSQLADOConnection->Connection().exec(
            QStringLiteral("SELECT ID_POLOZKA FROM tab_polozka WHERE OZNACENI = 'PRODEJ'"));
        const int itemId = QByteArray(found.cellData(0, 0)).toInt();
        while (!stop) {
            int document = 0;
            if (till.AddOrEditBasketRow(itemId, 0, Currency::fromInt(1), true) &&
                till.SellBasket(3, false, QStringLiteral("-"), 0, document))
                ++sold;
            else if (++failed == 1)
                firstError = till.LastErrorText();
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
};

// The sheet imported again over the items the plain import stored, with
// their removal, beside a till that sells.
void replaceAll(TDM &dm, SpreadsheetSource &source, const QString &server, double plainSeconds)
{
    PGconn *conn = BenchConnect(TDM::DatabaseName());
    BenchRun(conn, QStringLiteral("INSERT INTO tab_sklad (ID_KATEGORIE, SKLAD) VALUES (1, 'Sklad-02')"));
    PQfinish(conn);
    Seller seller;
    std::thread till([&] { seller.run(server, TDM::DatabaseName()); });
    QElapsedTimer timer;
    timer.start();
    const ItemImportResult result = ItemImport(dm, source).Run(true);
    const double seconds = timer.elapsed() / 1000.0;
    seller.stop = true;
    till.join();
    std::printf("replace-all import: %d rows over as many in %.1f s = %.2f times the plain import (goal: at most "
                "1.5); beside it another till sold %d times, %d sales failed%s%s\n",
                result.imported, seconds, seconds / plainSeconds, int(seller.sold), int(seller.failed),
                seller.firstError.isEmpty() ? "" : ": ", qPrintable(seller.firstError));
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
        const int backend = PQbackendPID(dm.MSSQLADOConnection->Connection().handle());
        const double serverBefore = serverSeconds(backend), ownBefore = ownSeconds();
        QElapsedTimer timer;
        timer.start();
        const ItemImportResult result = ItemImport(dm, source).Run(false);
        const double seconds = timer.elapsed() / 1000.0;
        const double serverTime = serverSeconds(backend) - serverBefore, own = ownSeconds() - ownBefore;
        SetMessageService(before);
        const std::vector<qint64> &at = progress.at;
        const size_t rows = at.size() - 2; // records 1 .. last row - 1
        std::printf("import: %d rows in %.1f s (goal: at most 300 s), %.0f rows a second; processor time "
                    "per row: server %.0f us, program %.0f us\n",
                    result.imported, seconds, result.imported / seconds, serverTime * 1e6 / result.imported,
                    own * 1e6 / result.imported);
        if (rows > size_t(2 * kWindow)) {
            const double first = perRowMicroseconds(at, 1, kWindow + 1);
            const double last = perRowMicroseconds(at, rows - kWindow, rows);
            std::printf("per row: first %d rows %.0f us, last %d rows %.0f us = %.2f times the first "
                        "(goal: at most 1.5)\n",
                        kWindow, first, kWindow, last, last / first);
        }
        std::fflush(stdout);
        SetMessageService(&progress);
        replaceAll(dm, source, server, seconds);
        SetMessageService(before);
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
