#pragma once
// The shop's shipped layouts printed over a real sale: a test database with
// a customer and items of two VAT rates, the report bound to the main
// window's lists as the preview screen binds it (its three datasets, its
// variables and template objects), printed to a PDF and read back with
// pdftotext page by page.
#include "data/dm_fixture.h"
#include "platform/printers.h"
#include "report/dbdataset.h"
#include "report/rich/vlrichview.h"
#include "report/vlreport.h"

#include <QDate>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <ostream>

// Failures show texts as text.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

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

    // Loads a shipped layout from the program folder, builds it over the
    // current rows and prints it into a PDF; the text of each page.
    QStringList PrintLayout(const QString &fileName);
    // The PDF's page sizes in points ("W x H"), one per page.
    QStringList PageSizes() const;

    QString pdfPath;
    QString reportTitle;
    QString standingNote = QStringLiteral("Děkujeme za nákup. ");
    QString printNote = QStringLiteral("Dodání na stavbu.");
    QString errorText;

private:
    Variant Variable(const QString &name);
    void EnterRect(QStringList &memo, TvlView *view);

    std::unique_ptr<ScopedPrinterBackend> m_printers;
    QObject m_owner;
    TvlReport *m_report = nullptr;
    QTemporaryDir m_out;
};

// Czech money as pdftotext reads it back: thousands grouped by a space (the
// layouts print a no-break space).
QString czechMoney(const QString &plain);
