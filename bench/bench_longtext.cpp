// Preparing one long memo bound to a field: a text of 16 kB, 256 kB and 1 MB,
// once as one paragraph without line breaks and once in lines of about 80
// characters. The memo stretches and its band splits across pages. Beside
// the time it prints the time per kB ("ms_per_kB"), which should stay flat as
// the text grows: word wrap, measuring and drawing grow with the length.
// Printing the prepared pages into a PDF file is timed as well ("pdf_ms").
#include "report/dataset.h"
#include "report/printer.h"
#include "report/vlbandview.h"
#include "report/vlmemoview.h"
#include "report/vlreport.h"

#include <QApplication>
#include <QPrinter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>

namespace {

double seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

// Words of 2 to 11 letters, Czech letters among them; with breaks, a line
// break after about every 80 characters.
QString makeText(qsizetype kilobytes, bool breaks)
{
    static const QString letters = QStringLiteral("abcdeéěfghiíjklmnňoprřsštťuúůvyýzž");
    QRandomGenerator random(kilobytes);
    QString text;
    const qsizetype size = kilobytes * 1024;
    text.reserve(size + 16);
    qsizetype lineStart = 0;
    while (text.size() < size) {
        const int length = 2 + int(random.bounded(10));
        for (int i = 0; i < length; ++i)
            text += letters[random.bounded(int(letters.size()))];
        if (breaks && text.size() - lineStart > 80) {
            text += u'\n';
            lineStart = text.size();
        } else {
            text += u' ';
        }
    }
    return text;
}

struct LongMemoReport
{
    QObject owner;
    TdiRazaDataset rows{&owner};
    TvlReport report{&owner};
    QString text;

    explicit LongMemoReport(QString content)
        : text(std::move(content))
    {
        owner.setObjectName("Dlouhy");
        rows.setObjectName("Text");
        rows.SetRangeEnd(TvlDataset::reCount);
        rows.SetRangeEndCount(1);
        report.ShowProgress = false;
        report.OnGetValue = [this](const QString &name, Variant &value) {
            if (name.compare(QLatin1String("Obsah"), Qt::CaseInsensitive) == 0)
                value = Variant(text);
        };
        TvlPage *page = report.Pages.Add();
        auto band = std::make_unique<TvlBandView>();
        band->SetBandType(btMasterData);
        band->SetBounds(0, 20, 700, 40);
        band->FormatText = QStringLiteral("Text");
        band->Flags = bfStretched | bfAllowSplit;
        page->Add(std::move(band));
        auto memo = std::make_unique<TvlMemoView>();
        memo->SetBounds(20, 20, 600, 20);
        memo->Memo = {QStringLiteral("[Obsah]")};
        memo->Flags = mfStretched | mfWordWrap;
        page->Add(std::move(memo));
    }
};

void BM_LongMemo(benchmark::State &state)
{
    const qsizetype kilobytes = state.range(0);
    const bool breaks = state.range(1) != 0;
    LongMemoReport r(makeText(kilobytes, breaks));
    r.report.PrepareReport(); // fonts and measurers loaded once, outside the timing
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (!r.report.PrepareReport())
            state.SkipWithError(qPrintable(r.report.ErrorText()));
        total += seconds(std::chrono::steady_clock::now() - start);
    }
    const double each = total / double(state.iterations());
    state.counters["pages"] = r.report.EMFPages.Count();
    state.counters["ms_per_kB"] = each * 1000 / double(kilobytes);

    // The same pages printed into a PDF file.
    QTemporaryDir dir;
    vlPrinter().Printer()->setOutputFileName(dir.filePath(QStringLiteral("dlouhy.pdf")));
    const auto start = std::chrono::steady_clock::now();
    if (!r.report.PrintPreparedReport(QString(), 1))
        state.SkipWithError("printing failed");
    state.counters["pdf_ms"] = seconds(std::chrono::steady_clock::now() - start) * 1000;
    vlPrinter().Printer()->setOutputFileName(QString());
    state.SetLabel(breaks ? "with line breaks" : "one paragraph");
}
BENCHMARK(BM_LongMemo)->ArgsProduct({{16, 256, 1024}, {1, 0}})->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
