#pragma once
// The shop's shipped layouts printed over a real sale through the printing
// screen: a test database with a customer and items of two VAT rates, the
// program folder filled as on first start, the settings of a shop, the
// engine's virtual printer writing PDF files, read back with pdftotext page
// by page.
#include "app/print/nahled.h"
#include "app/settings/shopsettings.h"
#include "data/dm_fixture.h"
#include "platform/db/datasource.h"
#include "platform/printers.h"

#include <QRectF>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <ostream>

// Failures show texts as text.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// A text of a prepared page and where it stands (layout pixels): its memo's
// left, top and right edges, and where each of its lines is drawn.
struct PreparedText
{
    int page;
    int left, top, right;
    QString text;
    QList<QRectF> lines;
};

class ShopLayoutTest : public DataModuleTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Sells the standard basket as a document of the operation (1 receipt,
    // 2 invoice, 3 delivery note) to the test's customer; the document list's
    // current row is the new document.
    int SellStandardBasket(int operation, int discount = 0);
    // Items of the standard basket (their names, with two VAT rates).
    QStringList ItemNames() const;
    QString DocumentNumber() const;

    // Prints the current document as the sale does (without preview) into a
    // PDF; the text of each page.
    QStringList PrintDocument(int operation, int voucher = 0);
    // The item or document overview shown in the preview and printed from it.
    QStringList PrintOverview(bool items);
    // The current document shown in the preview and printed from it; pages
    // tells how many pages the preview had.
    QStringList PreviewDocument(int operation, int *pages = nullptr);
    // The PDF's page sizes in points ("W x H"), one per page.
    QStringList PageSizes() const;

    // The current document built with the layout file, neither shown nor
    // printed: the texts of its prepared pages.
    QList<PreparedText> PrepareDocument(const QString &layout);

    MemoryShopSettings settings;
    QString printNote = QStringLiteral("Dodání na stavbu.");
    QString pdfPath;
    QString reportTitle; // the title the report had when printed

private:
    QStringList ReadBack(const QString &name);
    // Shows, looks at and prints: the preview prints all its pages through the print dialog.
    void PrintFromPreview(int *pages);

    std::unique_ptr<ScopedShopSettings> m_scopedSettings;
    std::unique_ptr<ScopedPrinterBackend> m_printers;
    Db::DataSource m_lines;
    std::unique_ptr<TForm_Nahled> m_form;
    QTemporaryDir m_out;
    int m_printed = 0;
};

// Czech money as pdftotext reads it back: thousands grouped by a space (the
// layouts print a no-break space).
QString czechMoney(const QString &plain);
