// Prepared pages printed from the preview keep each page's own paper.
#include "report/printer.h"
#include "report/vlprintpages.h"
#include "reportbuild.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(PrintPages, EveryPageTakesItsOwnPaper)
{
    QTemporaryDir dir;
    TestReport t;
    t.Memo(20, 20, 200, 18, {"Strana A4"});
    TvlPage *a5 = t.report->Pages.Add();
    a5->ChangePaper(11, 1480, 2100, poPortrait);
    t.Memo(20, 20, 200, 18, {"Strana A5"}, a5);
    ASSERT_TRUE(t.report->PrepareReport());
    ASSERT_EQ(t.report->EMFPages.Count(), 2);
    const QString pdf = dir.filePath("papiry.pdf");
    vlPrinter().Printer()->setOutputFileName(pdf);
    ASSERT_TRUE(vlPrintPreparedPages(t.report->EMFPages, {1, 0, 1}, 1));
    QProcess info;
    info.start("pdfinfo", {"-f", "1", "-l", "3", pdf});
    ASSERT_TRUE(info.waitForFinished());
    QStringList sizes;
    auto it = QRegularExpression("size:\\s+([\\d.]+) x ([\\d.]+) pts")
                  .globalMatch(QString::fromUtf8(info.readAllStandardOutput()));
    while (it.hasNext()) {
        const auto match = it.next();
        sizes << QStringLiteral("%1x%2")
                     .arg(qRound(match.captured(1).toDouble()))
                     .arg(qRound(match.captured(2).toDouble()));
    }
    EXPECT_EQ(sizes, QStringList({"420x595", "595x842", "420x595"}));
}

// Without a real printer behind the print the user learns that, not the name
// of the engine's stand-in printer.
TEST(PrintPages, WithoutARealPrinterTheRefusalSaysSo)
{
    TestReport t;
    t.Memo(20, 20, 200, 18, {"Strana"});
    ASSERT_TRUE(t.report->PrepareReport());
    TvlPrinter &engine = vlPrinter();
    const int before = engine.PrinterIndex();
    engine.SetPrinterIndex(engine.VirtualPrinterIndex());
    engine.Printer()->setOutputFileName(QString());
    QString error;
    const bool printed = vlPrintPreparedPages(t.report->EMFPages, {0}, 1, &error);
    engine.SetPrinterIndex(before);
    if (printed)
        GTEST_SKIP() << "this machine's print service took the page without a printer";
    EXPECT_TRUE(error.startsWith(QStringLiteral("Není vybrána žádná tiskárna"))) << qPrintable(error);
    EXPECT_FALSE(error.contains(TvlPrinter::VirtualPrinterName));
}
