#include "platform/printers.h"
#include "report/papers.h"
#include "report/printer.h"

#include <QPrinter>
#include <gtest/gtest.h>

namespace {

// Counts how often the device is set up, to see which calls reach it.
class CountingBackend : public FixedPrinterBackend
{
public:
    using FixedPrinterBackend::FixedPrinterBackend;
    bool configure(QPrinter &target, const QString &printer, const QPageSize &paper,
                   QPageLayout::Orientation orientation) const override
    {
        ++configured;
        return FixedPrinterBackend::configure(target, printer, paper, orientation);
    }
    mutable int configured = 0;
};

FixedPrinterBackend::Printer office()
{
    FixedPrinterBackend::Printer p;
    p.description.name = "kancelar";
    p.papers = {QPageSize(QPageSize::A5), QPageSize(QPageSize::A4), QPageSize(QPageSize::Letter),
                QPageSize(QSizeF(100, 150), QPageSize::Millimeter, "Štítek 100 x 150")};
    p.defaultPaper = QPageSize(QPageSize::A4);
    p.customSizes = true;
    p.dpiX = p.dpiY = 600;
    p.minimumMargins = QMarginsF(5, 5, 5, 5);
    return p;
}

FixedPrinterBackend::Printer receipts()
{
    FixedPrinterBackend::Printer p;
    p.description.name = "pokladna";
    p.description.isDefault = true;
    p.papers = {QPageSize(QSizeF(80, 297), QPageSize::Millimeter, "Role 80 mm")};
    p.dpiX = p.dpiY = 203;
    return p;
}

struct Installed
{
    explicit Installed(QList<FixedPrinterBackend::Printer> printers)
        : backend(new CountingBackend(std::move(printers)))
        , scope(std::unique_ptr<PrinterBackend>(backend))
    {
        printer.SetPrinter(nullptr);
    }
    CountingBackend *backend;
    ScopedPrinterBackend scope;
    TvlPrinter printer;
};

} // namespace

TEST(PaperTable, HoldsTheSixtySevenPapers)
{
    const QList<TvlPaper> &table = vlPapers::table();
    ASSERT_EQ(table.size(), 67);
    EXPECT_EQ(table.first().code, 1);
    EXPECT_EQ(table.last().code, 256);
    EXPECT_EQ(vlPapers::find(48), nullptr);
    EXPECT_EQ(vlPapers::find(49), nullptr);
    const TvlPaper *a4 = vlPapers::find(9);
    ASSERT_NE(a4, nullptr);
    EXPECT_STREQ(a4->name, "A4 210 x 297 mm");
    EXPECT_EQ(a4->width, 2100);
    EXPECT_EQ(a4->height, 2970);
    EXPECT_STREQ(vlPapers::find(20)->name, "#10 Envelope, 4 1/8  x 9 1/2\"");
}

TEST(PaperTable, PrinterPapersMatchedBySize)
{
    EXPECT_EQ(vlPapers::codeOf(QPageSize(QPageSize::A4)), 9);
    EXPECT_EQ(vlPapers::codeOf(QPageSize(QPageSize::Letter)), 1);
    EXPECT_EQ(vlPapers::codeOf(QPageSize(QPageSize::A3)), 8);
    // Same sheet as A4 under another name: the first row of that size.
    EXPECT_EQ(vlPapers::codeOf(QPageSize(QSizeF(210, 297), QPageSize::Millimeter, "Můj A4")), 9);
    EXPECT_EQ(vlPapers::codeOf(QPageSize(QSizeF(80, 297), QPageSize::Millimeter, "Role")), 0);
    EXPECT_EQ(vlPapers::codeOf(QPageSize()), 0);
}

TEST(VirtualPrinter, StandsAloneWithoutInstalledPrinters)
{
    Installed s({});
    EXPECT_EQ(s.printer.Printers(), QStringList{"Výchozí tiskárna"});
    EXPECT_TRUE(s.printer.IsVirtual());
    EXPECT_EQ(s.printer.PaperSizesNum(), 67);
    EXPECT_EQ(s.printer.PaperNames().at(8), "A4 210 x 297 mm");

    s.printer.SetPrinterInfo(9, 0, 0, poPortrait);
    TvlPrnInfo info;
    info.DevicePageWidth = 999; // nothing of an earlier printer survives
    s.printer.FillPrnInfo(info);
    EXPECT_EQ(info.PageWidth, 752);
    EXPECT_EQ(info.PageHeight, 1071);
    EXPECT_EQ(info.OffsetX, 18);
    EXPECT_EQ(info.OffsetY, 18);
    EXPECT_EQ(info.PrintableWidth, 752 - 36);
    EXPECT_EQ(info.PrintableHeight, 1071 - 36);
    EXPECT_EQ(info.DevicePageWidth, 0);
}

TEST(VirtualPrinter, LandscapeSwapsBeforeConverting)
{
    Installed s({});
    s.printer.SetPrinterInfo(9, 0, 0, poLandscape);
    EXPECT_EQ(s.printer.PaperWidth(), 2970);
    EXPECT_EQ(s.printer.PaperHeight(), 2100);
    TvlPrnInfo info;
    s.printer.FillPrnInfo(info);
    EXPECT_EQ(info.PageWidth, 1064);
    EXPECT_EQ(info.PageHeight, 758);
    EXPECT_EQ(s.printer.Printer()->pageLayout().orientation(), QPageLayout::Landscape);
}

TEST(VirtualPrinter, CustomSizeAndAbsentCodes)
{
    Installed s({});
    s.printer.SetPrinterInfo(256, 1000, 1500, poPortrait);
    EXPECT_EQ(s.printer.PaperWidth(), 1000);
    EXPECT_EQ(s.printer.PaperHeight(), 1500);
    TvlPrnInfo info;
    s.printer.FillPrnInfo(info);
    EXPECT_EQ(info.PageWidth, 358);
    EXPECT_EQ(info.PageHeight, 541);
    EXPECT_EQ(s.printer.PaperIndexOf(48), 66);
    EXPECT_EQ(s.printer.PaperIndexOf(9), 8);

    EXPECT_TRUE(s.printer.IsEqual(256, 1000, 1500, poPortrait));
    EXPECT_FALSE(s.printer.IsEqual(256, 1000, 1501, poPortrait));
    s.printer.SetPrinterInfo(9, 1, 2, poPortrait);
    EXPECT_TRUE(s.printer.IsEqual(9, 5, 6, poPortrait)); // sizes count only for custom papers
    EXPECT_FALSE(s.printer.IsEqual(9, 2100, 2970, poLandscape));
}

TEST(RealPrinter, ListsPrintersSelectsDefaultAndReadsItsPapers)
{
    Installed s({office(), receipts()});
    EXPECT_EQ(s.printer.Printers(), QStringList({"kancelar", "pokladna", "Výchozí tiskárna"}));
    EXPECT_EQ(s.printer.VirtualPrinterIndex(), 2);
    EXPECT_EQ(s.printer.PrinterIndex(), 1); // the system's default

    s.printer.SetPrinterIndex(0);
    EXPECT_EQ(s.printer.PaperSizes(), QList<int>({11, 9, 1, 257, 256}));
    EXPECT_EQ(s.printer.PaperNames().at(3), "Štítek 100 x 150");
    EXPECT_EQ(s.printer.PaperNames().last(), "Custom");
    EXPECT_EQ(s.printer.PaperSize(), 9); // its default paper
    EXPECT_EQ(s.printer.PaperWidth(), 2100);
    EXPECT_EQ(s.printer.PaperHeight(), 2970);
    // A4 small is the A4 sheet; a code nobody offers falls to "Custom".
    EXPECT_EQ(s.printer.PaperIndexOf(10), 1);
    EXPECT_EQ(s.printer.PaperIndexOf(48), 4);

    TvlPrnInfo info;
    s.printer.FillPrnInfo(info);
    EXPECT_EQ(info.DevicePageWidth, 4961);
    EXPECT_EQ(info.DevicePageHeight, 7016);
    EXPECT_EQ(info.DeviceOffsetX, 118);
    EXPECT_EQ(info.PageWidth, 752);
    EXPECT_EQ(info.PageHeight, 1071);
    EXPECT_EQ(info.OffsetX, 18);
    EXPECT_EQ(info.OffsetY, 18);
    EXPECT_EQ(info.PrintableWidth, 717);
    EXPECT_EQ(info.PrintableHeight, 1035);

    EXPECT_THROW(s.printer.SetPrinterIndex(3), EPrinterError);
}

TEST(RealPrinter, PaperReachesTheDeviceOnlyWhenItChanges)
{
    Installed s({office()});
    const int before = s.backend->configured;
    s.printer.SetPrinterInfo(9, 2100, 2970, poPortrait);
    EXPECT_EQ(s.backend->configured, before);

    s.printer.SetPrinterInfo(11, 1480, 2100, poLandscape);
    EXPECT_EQ(s.backend->configured, before + 1);
    EXPECT_EQ(s.printer.Printer()->pageLayout().pageSize().id(), QPageSize::A5);
    EXPECT_EQ(s.printer.Printer()->pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(s.printer.PaperWidth(), 2100); // read back from the device, as oriented
    EXPECT_EQ(s.printer.PaperHeight(), 1480);
    EXPECT_TRUE(s.printer.PaperProblem().isEmpty());
}

TEST(RealPrinter, SameSheetUnderAnotherCodeIsAdopted)
{
    Installed s({office()});
    s.printer.SetPrinterIndex(0);
    s.printer.SetPrinterInfo(2, 2159, 2794, poPortrait); // Letter small: the printer has Letter
    EXPECT_EQ(s.printer.PaperSize(), 1);
    EXPECT_TRUE(s.printer.PaperProblem().isEmpty());
}

TEST(RealPrinter, MissingPaperTakesCustomSheetWhenThePrinterAllowsIt)
{
    Installed s({office()});
    s.printer.SetPrinterInfo(8, 2970, 4200, poPortrait); // A3
    EXPECT_EQ(s.printer.PaperSize(), 8);
    EXPECT_EQ(s.printer.PaperWidth(), 2970);
    EXPECT_EQ(s.printer.PaperHeight(), 4200);
    EXPECT_TRUE(s.printer.PaperProblem().isEmpty());

    s.printer.SetPrinterInfo(256, 1200, 800, poLandscape);
    EXPECT_EQ(s.printer.PaperSize(), 256);
    EXPECT_EQ(s.printer.PaperWidth(), 1200);
    EXPECT_EQ(s.printer.PaperHeight(), 800);

    // An own size that happens to be a listed sheet stays an own size.
    const int before = s.backend->configured;
    s.printer.SetPrinterInfo(256, 2970, 2100, poLandscape);
    EXPECT_EQ(s.printer.PaperSize(), 256);
    EXPECT_EQ(s.printer.PaperWidth(), 2970);
    EXPECT_EQ(s.printer.PaperHeight(), 2100);
    EXPECT_TRUE(s.printer.IsEqual(256, 2970, 2100, poLandscape));
    EXPECT_EQ(s.backend->configured, before + 1);
}

TEST(RealPrinter, MissingPaperIsReportedAndKept)
{
    Installed s({receipts()});
    QStringList reported;
    s.printer.OnPaperProblem = [&](const QString &text) { reported << text; };
    const int before = s.backend->configured;
    s.printer.SetPrinterInfo(9, 2100, 2970, poPortrait);
    EXPECT_EQ(s.backend->configured, before); // the device keeps its roll
    ASSERT_EQ(reported.size(), 1);
    EXPECT_EQ(reported.first(), "Tiskárna „pokladna“ nemá papír „A4 210 x 297 mm“.");
    EXPECT_EQ(s.printer.PaperProblem(), reported.first());
    EXPECT_EQ(s.printer.PaperSize(), 9);
    EXPECT_EQ(s.printer.PaperWidth(), 2100);
    EXPECT_EQ(s.printer.PaperHeight(), 2970);

    TvlPrnInfo info; // the page is laid out on the paper it asked for
    s.printer.FillPrnInfo(info);
    EXPECT_EQ(info.PageWidth, 752);
    EXPECT_EQ(info.DevicePageWidth, qRound(210 * 203 / 25.4));

    s.printer.SetPrinterInfo(257, 800, 2970, poPortrait);
    EXPECT_TRUE(s.printer.PaperProblem().isEmpty());
    EXPECT_EQ(s.printer.PaperSize(), 257);
}

TEST(RealPrinter, EngineInstanceFollowsTheBackend)
{
    ScopedPrinterBackend scope(std::make_unique<FixedPrinterBackend>(QList{office()}));
    vlFreePrinter();
    EXPECT_EQ(vlPrinter().Printers(), QStringList({"kancelar", "Výchozí tiskárna"}));
    EXPECT_EQ(vlPrinter().PrinterIndex(), 0);
    vlFreePrinter();
}

TEST(RealPrinter, PrinterThatVanishedIsRefused)
{
    Installed s({office(), receipts()});
    s.printer.SetPrinterIndex(0);
    {
        ScopedPrinterBackend gone(std::make_unique<FixedPrinterBackend>(QList{receipts()}));
        try {
            s.printer.SetPrinterIndex(0);
            FAIL() << "a printer that is gone was selected";
        } catch (const EPrinterError &error) {
            EXPECT_EQ(error.text(), "Tiskárna „kancelar“ není dostupná.");
        }
        EXPECT_EQ(s.printer.PrinterIndex(), 0);
        s.printer.SetPrinterIndex(2); // the virtual printer is always there
        EXPECT_TRUE(s.printer.IsVirtual());
        EXPECT_EQ(s.printer.PaperSizesNum(), 67);
    }
}
