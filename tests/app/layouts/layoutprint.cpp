#include "layoutprint.h"

#include "app/common/modalresult.h"
#include "app/print/tiskarna.h"
#include "app/start/appglobals.h"
#include "platform/paths.h"
#include "report/printer.h"
#include "report/vlmemoview.h"
#include "report/vlpreviewform.h"
#include "report/vlreport.h"

#include <QApplication>
#include <QFile>
#include <QFontMetricsF>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>

namespace {

struct SaleLine
{
    const char *mark;
    const char *name;
    int vat;
    const char *price;
    const char *quantity;
    int discount;
    const char *unit;
    const char *category;
};

// Two lines at 10 %, three at 20 %; the butter has a line discount.
const SaleLine standardBasket[] = {
    {"CHL01", "Chléb žitný 1 kg", 10, "39.90", "2", 0, "ks", "Potraviny"},
    {"MAS02", "Máslo čerstvé 250 g", 10, "54.50", "1", 10, "ks", "Potraviny"},
    {"LED03", "Žárovka LED 9 W teplá bílá", 20, "129", "10", 0, "ks", "Elektro"},
    {"KAB04", "Prodlužovací kabel 5 m", 20, "249", "1", 0, "ks", "Elektro"},
    {"HRE05", "Hřebíky stavební 40 mm", 20, "89.90", "2.5", 0, "kg", "Spojovací materiál"},
};

} // namespace

QString czechMoney(const QString &plain)
{
    QString text = plain;
    for (qsizetype at = text.indexOf(u',') - 3; at > 0; at -= 3)
        text.insert(at, u' ');
    return text;
}

void ShopLayoutTest::SetUp()
{
    DataModuleTest::SetUp();
    ASSERT_TRUE(dm->OpenAllQueries()) << qPrintable(dm->LastErrorText());
    ASSERT_TRUE(m_out.isValid());
    // The program folder gets the shipped layouts and templates as on first start.
    SetAppGlobals();
    const Paths::InstallResult installed = Paths::installProgramFiles();
    ASSERT_TRUE(installed.failed.isEmpty()) << qPrintable(installed.failed.join(u' '));

    // No printer installed: the engine's virtual printer writes the PDF files.
    m_printers = std::make_unique<ScopedPrinterBackend>(std::make_unique<FixedPrinterBackend>());
    vlFreePrinter();
    settings.nazev = QStringLiteral("Železářství U Kováře s.r.o.");
    settings.adresa = QStringLiteral("Náměstí Míru 5, 602 00 Brno");
    settings.ic = QStringLiteral("12345678");
    settings.dic = QStringLiteral("CZ12345678");
    settings.telefon = QStringLiteral("+420 543 210 987");
    settings.email = QStringLiteral("prodejna@kovar.example");
    settings.ucet = QStringLiteral("123456789/0800");
    settings.ks = QStringLiteral("0308");
    settings.splatnost = 14;
    settings.poznamka = QStringLiteral("Děkujeme za nákup. ");
    m_scopedSettings = std::make_unique<ScopedShopSettings>(&settings);
    m_lines.SetDataSet(dm->MSSQLADOQuery_DokladDetail);
    m_form = std::make_unique<TForm_Nahled>(dm->DataSource_Doklad, &m_lines, dm->DataSource_Polozka);

    TDMContact customer;
    customer.KONTAKT = QStringLiteral("Stavebniny Novák a syn s.r.o.");
    customer.IC = QStringLiteral("27074358");
    customer.DIC = QStringLiteral("CZ27074358");
    customer.ADRESA = QStringLiteral("Dlouhá 12, 110 00 Praha 1");
    customer.TELEFON = QStringLiteral("+420 222 333 444");
    customer.EMAIL = QStringLiteral("nakup@novak.example");
    ASSERT_TRUE(dm->NewContact(customer)) << qPrintable(dm->LastErrorText());
    for (const char *category : {"Potraviny", "Elektro", "Spojovací materiál"}) {
        int id = 0;
        ASSERT_TRUE(dm->NewCategory(1, QString::fromUtf8(category), QStringLiteral("-"), id))
            << qPrintable(dm->LastErrorText());
    }
    for (const SaleLine &line : standardBasket) {
        TDMItem item;
        item.OZNACENI = item.KOD = QString::fromUtf8(line.mark);
        item.POLOZKA = QString::fromUtf8(line.name);
        item.SPECIFIKACE = QStringLiteral("-");
        item.DPH = Currency::fromInt(line.vat);
        item.SKLAD = QStringLiteral("Sklad-01");
        item.KATEGORIE = QStringLiteral("?\\") + QString::fromUtf8(line.category);
        item.DODAVATEL = QStringLiteral("-");
        item.PRODEJ = Currency::fromString(QString::fromLatin1(line.price));
        item.NAKUP = item.PRODEJ / 2;
        item.MNOZSTVI = Currency::fromInt(100);
        item.JEDNOTKA = QString::fromUtf8(line.unit);
        item.MINIMUM = Currency::fromString(u"0.5");
        ASSERT_TRUE(dm->NewItem(item)) << qPrintable(dm->LastErrorText());
    }
}

void ShopLayoutTest::TearDown()
{
    m_form.reset();
    TForm_Nahled::ExecDialog = [](QDialog *dialog) { return dialog->exec(); };
    vlFreePrinter();
    m_printers.reset();
    m_scopedSettings.reset();
    DataModuleTest::TearDown();
}

QStringList ShopLayoutTest::ItemNames() const
{
    QStringList names;
    for (const SaleLine &line : standardBasket)
        names << QString::fromUtf8(line.name);
    return names;
}

int ShopLayoutTest::SellStandardBasket(int operation, int discount)
{
    for (const SaleLine &line : standardBasket) {
        const int id = scalar(QStringLiteral("SELECT ID_POLOZKA FROM tab_polozka WHERE OZNACENI = '%1'")
                                  .arg(QString::fromLatin1(line.mark)))
                           .toInt();
        EXPECT_TRUE(
            dm->AddOrEditBasketRow(id, line.discount, Currency::fromString(QString::fromLatin1(line.quantity)), true))
            << qPrintable(dm->LastErrorText());
    }
    int document = 0;
    EXPECT_TRUE(dm->SellBasket(operation, true, QStringLiteral("Stavebniny Novák a syn s.r.o."), discount, document))
        << qPrintable(dm->LastErrorText());
    return document;
}

QString ShopLayoutTest::DocumentNumber() const
{
    return dm->MSSQLADOQuery_Doklad->FieldByName(QStringLiteral("DOKLAD_VYTISTENY")).AsString();
}

QStringList ShopLayoutTest::PrintDocument(int operation, int voucher)
{
    const QString name = QStringLiteral("doklad%1.pdf").arg(++m_printed);
    m_form->SetOutputFile(m_out.filePath(name));
    m_form->PrintDocument(operation, voucher, printNote, false, false);
    return ReadBack(name);
}

void ShopLayoutTest::PrintFromPreview(int *pages)
{
    TForm_Nahled::ExecDialog = [this, pages](QDialog *dialog) {
        if (qobject_cast<TForm_Tiskarna *>(dialog))
            return int(mrOk);
        if (pages)
            *pages = m_form->vlPreview->AllPages();
        // TARMIL5_SCREENSHOTS names a folder for a picture of the screen (under a display server).
        if (const QString folder = qEnvironmentVariable("TARMIL5_SCREENSHOTS"); !folder.isEmpty()) {
            m_form->resize(1000, 800);
            m_form->show();
            QApplication::processEvents();
            m_form->grab().save(folder + u'/' + QFileInfo(m_form->vlReport->FileName).completeBaseName() + ".png");
        }
        m_form->Button_Tisk->click();
        return int(mrCancel);
    };
}

QStringList ShopLayoutTest::PrintOverview(bool items)
{
    const QString name = QStringLiteral("prehled%1.pdf").arg(++m_printed);
    m_form->SetOutputFile(m_out.filePath(name));
    PrintFromPreview(nullptr);
    if (items)
        m_form->ShowItemOverview();
    else
        m_form->ShowDocumentOverview();
    return ReadBack(name);
}

QStringList ShopLayoutTest::PreviewDocument(int operation, int *pages)
{
    const QString name = QStringLiteral("nahled%1.pdf").arg(++m_printed);
    m_form->SetOutputFile(m_out.filePath(name));
    PrintFromPreview(pages);
    m_form->PrintDocument(operation, 0, printNote, false, true);
    return ReadBack(name);
}

QList<PreparedText> ShopLayoutTest::PrepareDocument(const QString &layout)
{
    QList<PreparedText> texts;
    TvlReport &report = *m_form->vlReport;
    // One layout printing one document after another is loaded once.
    const bool loaded = report.FileName.endsWith(u'/' + layout) || m_form->LoadReport(layout);
    if (!loaded || !report.PrepareReport()) {
        ADD_FAILURE() << qPrintable(layout) << ": " << qPrintable(m_form->LoadProblem() + report.ErrorText());
        return texts;
    }
    for (int page = 0; page < report.EMFPages.Count(); ++page)
        report.EMFPages.ExportPage(page, [&](TvlView &view) {
            auto *memo = dynamic_cast<TvlMemoView *>(&view);
            if (!memo)
                return;
            // The lines as the page draws them, measured as the engine measures.
            memo->ExportMode = true;
            QStringList lines;
            QList<QRectF> boxes;
            for (const TvlTextOutput &piece : memo->TextPieces()) {
                lines << piece.Text;
                const QFontMetricsF metrics(piece.Font, &TvlCanvas::ReferenceImage());
                boxes << QRectF(piece.X, piece.Y, metrics.horizontalAdvance(piece.Text), metrics.height());
            }
            memo->ExportMode = false;
            texts << PreparedText{page, memo->Left, memo->Top, memo->Left + memo->Width, lines.join(u'\n'), boxes};
        });
    return texts;
}

QStringList ShopLayoutTest::ReadBack(const QString &name)
{
    for (const MessageCall &call : messages.calls)
        if (call.kind == MessageCall::Warning)
            ADD_FAILURE() << qPrintable(call.heading) << " " << qPrintable(call.detail) << " "
                          << qPrintable(call.description);
    messages.calls.clear();
    reportTitle = m_form->vlReport->Title;
    pdfPath = m_out.filePath(name);
    // TARMIL5_LAYOUT_PDFS names a folder that keeps the files to look at.
    const QString keep = qEnvironmentVariable("TARMIL5_LAYOUT_PDFS");
    if (!keep.isEmpty()) {
        const QString kept = keep + u'/' + QFileInfo(m_form->vlReport->FileName).completeBaseName() + ".pdf";
        QFile::remove(kept);
        QFile::copy(pdfPath, kept);
    }
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdfPath, QStringLiteral("-")});
    text.waitForFinished();
    QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

QStringList ShopLayoutTest::PageSizes() const
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"),
               {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("99"), pdfPath});
    info.waitForFinished();
    QStringList sizes;
    const QRegularExpression size(QStringLiteral("Page\\s+\\d+ size:\\s+([\\d.]+) x ([\\d.]+) pts"));
    auto it = size.globalMatch(QString::fromUtf8(info.readAllStandardOutput()));
    while (it.hasNext()) {
        const auto match = it.next();
        sizes << QStringLiteral("%1 x %2")
                     .arg(qRound(match.captured(1).toDouble()))
                     .arg(qRound(match.captured(2).toDouble()));
    }
    return sizes;
}
