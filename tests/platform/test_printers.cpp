#include "platform/printers.h"

#include <QPrinter>
#include <gtest/gtest.h>

namespace {

FixedPrinterBackend::Printer officePrinter()
{
    FixedPrinterBackend::Printer p;
    p.description.name = "kancelar";
    p.description.location = "Sklad";
    p.description.isDefault = true;
    p.papers = {QPageSize(QPageSize::A4), QPageSize(QPageSize::A5)};
    p.dpiX = 600;
    p.dpiY = 300;
    p.minimumMargins = QMarginsF(5, 4, 3, 2);
    return p;
}

FixedPrinterBackend::Printer receiptPrinter()
{
    FixedPrinterBackend::Printer p;
    p.description.name = "pokladna";
    p.description.isRemote = true;
    p.papers = {QPageSize(QSizeF(80, 200), QPageSize::Millimeter, "Roll 80 mm")};
    p.dpiX = p.dpiY = 203;
    return p;
}

} // namespace

TEST(PrinterBackend, FixedBackendListsItsPrintersAndPapers)
{
    FixedPrinterBackend backend({receiptPrinter(), officePrinter()});
    EXPECT_EQ(backend.printerNames(), QStringList({"pokladna", "kancelar"}));
    EXPECT_EQ(backend.defaultPrinterName(), "kancelar");
    EXPECT_EQ(backend.indexOf("kancelar"), 1);
    EXPECT_EQ(backend.indexOf("jinde"), -1);
    EXPECT_EQ(backend.supportedPageSizes("kancelar").size(), 2);
    EXPECT_EQ(backend.defaultPageSize("pokladna").name(), "Roll 80 mm");
    EXPECT_TRUE(backend.supportedPageSizes("jinde").isEmpty());
    EXPECT_FALSE(backend.pageGeometry("jinde", QPageSize(QPageSize::A4), QPageLayout::Portrait).isValid());
}

TEST(PrinterBackend, GeometryFollowsResolutionMarginsAndOrientation)
{
    FixedPrinterBackend backend({officePrinter()});
    PrinterPageGeometry g = backend.pageGeometry("kancelar", QPageSize(QPageSize::A4), QPageLayout::Portrait);
    ASSERT_TRUE(g.isValid());
    EXPECT_EQ(g.paper, QRect(0, 0, 4961, 3508));       // 210 mm at 600 dpi, 297 mm at 300 dpi
    EXPECT_EQ(g.printable.topLeft(), QPoint(118, 47)); // 5 mm and 4 mm
    EXPECT_EQ(g.printable.width(), 4961 - 118 - 71);   // less 5 mm and 3 mm
    EXPECT_EQ(g.printable.height(), 3508 - 47 - 24);   // less 4 mm and 2 mm

    g = backend.pageGeometry("kancelar", QPageSize(QPageSize::A4), QPageLayout::Landscape);
    EXPECT_EQ(g.paper, QRect(0, 0, 7016, 2480));
    EXPECT_EQ(g.printable.topLeft(), QPoint(94, 35)); // the portrait top border is now on the left
}

TEST(PrinterBackend, ScopedBackendIsRestored)
{
    PrinterBackend *before = &printerBackend();
    {
        ScopedPrinterBackend scope(std::make_unique<FixedPrinterBackend>(QList{officePrinter()}));
        EXPECT_EQ(printerBackend().printerNames(), QStringList{"kancelar"});
        QPrinter printer;
        EXPECT_TRUE(printerBackend().configure(printer, "kancelar", QPageSize(QPageSize::A5), QPageLayout::Landscape));
        EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A5);
        EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
        EXPECT_FALSE(printerBackend().configure(printer, "jinde", QPageSize(QPageSize::A4), QPageLayout::Portrait));
    }
    EXPECT_EQ(&printerBackend(), before);
}

TEST(PrinterBackend, QtBackendRefusesUnknownPrinter)
{
    QtPrinterBackend backend;
    QPrinter printer;
    EXPECT_FALSE(
        backend.configure(printer, "tiskarna-ktera-neexistuje", QPageSize(QPageSize::A4), QPageLayout::Portrait));
    EXPECT_FALSE(
        backend.pageGeometry("tiskarna-ktera-neexistuje", QPageSize(QPageSize::A4), QPageLayout::Portrait).isValid());
    for (const PrinterDescription &p : backend.printers())
        EXPECT_FALSE(p.name.isEmpty());
}

TEST(PrinterBackend, GeometryOfAConfiguredQPrinter)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(300);
    printer.setPageSize(QPageSize(QPageSize::A5));
    printer.setPageOrientation(QPageLayout::Landscape);
    const PrinterPageGeometry g = printerPageGeometry(printer);
    EXPECT_EQ(g.dpiX, 300);
    EXPECT_EQ(g.paper, QRect(0, 0, 2480, 1748)); // 210 x 148 mm
    EXPECT_EQ(g.printable, g.paper);             // PDF has no unprintable border
}
