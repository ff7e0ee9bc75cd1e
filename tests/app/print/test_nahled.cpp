#include "app/common/modalresult.h"
#include "app/print/nahled_fixture.h"
#include "app/print/nahleddialogs.h"
#include "app/print/tiskarna.h"
#include "app/start/appglobals.h"
#include "kit/intedit.h"
#include "kit/printercombo.h"
#include "report/printer.h"
#include "report/vlexporttext.h"
#include "report/vlpreviewform.h"
#include "report/vlreport.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

QString fileText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST_F(NahledTest, DocumentPrintedStraightToTheSettingsPrinterWithVariablesAndTemplateObjects)
{
    WriteInvoice();
    auto form = NewForm();
    const QString pdf = Path("faktura.pdf");
    form->SetOutputFile(pdf);
    form->PrintDocument(2, 0, QStringLiteral("Splatné převodem."), false, false);
    EXPECT_EQ(messages.count(MessageCall::Warning), 0) << messages.calls.value(0).detail.toStdString();
    EXPECT_EQ(vlPrinter().PrinterName(), "Fakturace");
    EXPECT_EQ(form->vlReport->Title, "Doklad_FA-2024-0007");

    const QStringList pages = PdfText(pdf).split(u'\f', Qt::SkipEmptyParts);
    ASSERT_EQ(pages.size(), 2) << PdfText(pdf).toStdString();
    // Compatibility form: a rich text's "fi" or "fl" (in the temporary folder's
    // name) comes out of the reader as one ligature character.
    const QString first = pages[0].normalized(QString::NormalizationForm_KC).simplified();
    const QString second = pages[1].simplified();
    EXPECT_TRUE(first.contains("Faktura FA-2024-0007")) << first.toStdString();
    EXPECT_TRUE(first.contains("Dodavatel: Železářství Novák Odběratel: Stavebniny Dvořák s.r.o."));
    // no "Hlavicka.rtf" in the program folder: its full path stands in its place
    EXPECT_TRUE(first.contains(QDir(home.path()).filePath("Hlavicka.rtf"))) << first.toStdString();
    EXPECT_TRUE(first.contains("Šroubovák křížový 2 x 149,50 Kč 21 %"));
    EXPECT_TRUE(first.contains("Žárovka úsporná 10 x 39,90 Kč 21 %"));
    EXPECT_FALSE(first.contains("Řemesla"));
    EXPECT_TRUE(second.contains("Kniha Řemesla 1 x 1250,00 Kč 12 %")) << second.toStdString();
    // the standing note and the print's note without a separator
    EXPECT_TRUE(second.contains("DPH 21%: Cena bez DPH 12%: Děkujeme.Splatné převodem.")) << second.toStdString();
}

TEST_F(NahledTest, MissingRightOrLayoutIsReportedAndNothingPrints)
{
    WriteSimple(QStringLiteral("Storno_A4.vlf"), QStringLiteral("Storno dokladu"));
    auto form = NewForm();
    const QString pdf = Path("doklad.pdf");
    form->SetOutputFile(pdf);
    data->rights.remove(38);

    form->PrintDocument(2, 0, QString(), false, false);
    ASSERT_EQ(messages.count(MessageCall::Warning), 1);
    EXPECT_EQ(messages.calls.last().heading, "Chyba při otevírání sestavy dokladu...");
    EXPECT_EQ(messages.calls.last().detail, "Uživatel nemá oprávnění...");
    EXPECT_FALSE(QFile::exists(pdf));

    form->PrintDocument(3, 0, QString(), false, false); // the right is there, the layout is not
    ASSERT_EQ(messages.count(MessageCall::Warning), 2);
    EXPECT_EQ(messages.calls.last().detail, "Sestava dokladu není dostupná, nebude možný náhled ani tisk...");
    EXPECT_TRUE(messages.calls.last().description.contains(QDir(PathSestavy).filePath("Dodaci_List_A4.vlf")))
        << messages.calls.last().description.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));

    data->rights.clear(); // a cancellation needs no right
    form->PrintDocument(5, 0, QString(), false, false);
    EXPECT_EQ(messages.count(MessageCall::Warning), 2);
    EXPECT_TRUE(PdfText(pdf).contains("Storno dokladu"));
}

TEST_F(NahledTest, CashReceiptAndItsVoucherGoToTheirOwnPrinters)
{
    WriteSimple(QStringLiteral("Uctenka_A5.vlf"), QStringLiteral("Účtenka [vlDBDataSet_Doklad.doklad_vytisteny]"));
    WriteSimple(QStringLiteral("Prijmovy_Doklad_A4.vlf"), QStringLiteral("Příjmový pokladní doklad"));
    settings.format = ReceiptFormat::A5;
    settings.setPrinter(DocumentPrinter::UctenkaA5, 1, QStringLiteral("Fakturace"));
    settings.setPrinter(DocumentPrinter::PrijmovyDoklad, 0, QStringLiteral("Laser"));
    auto receipt = NewForm();
    receipt->SetOutputFile(Path("uctenka.pdf"));
    receipt->PrintDocument(1, 0, QString(), true, false);
    EXPECT_EQ(vlPrinter().PrinterName(), "Fakturace");
    const QStringList copies = PdfText(Path("uctenka.pdf")).split(u'\f', Qt::SkipEmptyParts);
    ASSERT_EQ(copies.size(), 2); // the copy flag: two copies
    EXPECT_TRUE(copies[1].contains("Účtenka FA-2024-0007"));

    auto voucher = NewForm();
    voucher->SetOutputFile(Path("prijmovy.pdf"));
    data->rights.clear();
    voucher->PrintDocument(1, 1, QString(), false, false);
    EXPECT_EQ(vlPrinter().PrinterName(), "Laser");
    EXPECT_TRUE(PdfText(Path("prijmovy.pdf")).contains("Příjmový pokladní doklad"));
    EXPECT_EQ(messages.count(MessageCall::Warning), 0);
}

TEST_F(NahledTest, OverviewsNameTheMissingLayout)
{
    auto form = NewForm();
    form->ShowItemOverview();
    form->ShowDocumentOverview();
    ASSERT_EQ(messages.count(MessageCall::Warning), 2);
    EXPECT_EQ(messages.calls[0].heading, "Chyba při otevírání sestavy položek skladu...");
    EXPECT_TRUE(messages.calls[0].description.contains("Prehled_Polozky_A4.vlf"));
    EXPECT_EQ(messages.calls[1].detail, "Sestava přehledu dokladů není dostupná, nebude možný náhled ani tisk...");
    EXPECT_TRUE(messages.calls[1].description.contains("Prehled_Dokladu_A4.vlf"));
}

// Preview commands, run while the screen is up.
TEST_F(NahledTest, PreviewPagingZoomAndPrintingWithPageListAndCopies)
{
    WriteInvoice();
    auto form = NewForm();
    const QString pdf = Path("z_nahledu.pdf");
    form->SetOutputFile(pdf);
    bool ran = false;
    int offeredCopies = 0;
    TForm_Nahled::ExecDialog = [&](QDialog *dialog) {
        if (auto *printer = qobject_cast<TForm_Tiskarna *>(dialog)) {
            offeredCopies = printer->IntegerEdit_Kopie->value();
            Snapshot(printer, "tiskarna");
            printer->RadioButton_Cisla->setChecked(true);
            printer->Edit_Cisla->setText("2");
            printer->IntegerEdit_Kopie->setValue(3);
            return mrOk;
        }
        TForm_Nahled &f = *form;
        ran = true;
        f.resize(1100, 800);
        Snapshot(&f, "nahled");
        EXPECT_EQ(f.vlPreview->AllPages(), 2);
        EXPECT_EQ(f.vlPreview->Form()->ZoomMode(), zmPageWidth);
        f.IntegerEdit_Strana->setText("7"); // past the end: the last page
        f.IntegerEdit_StranaKeyEnter();
        EXPECT_EQ(f.vlPreview->Page(), 2);
        EXPECT_EQ(f.IntegerEdit_Strana->text(), "2");
        f.Button_Prvni->click();
        EXPECT_EQ(f.vlPreview->Page(), 1);
        EXPECT_EQ(f.IntegerEdit_Strana->text(), "1");

        f.ComboBox_Meritko->setEditText("50");
        f.ComboBox_MeritkoKeyEnter();
        EXPECT_EQ(f.vlPreview->Zoom(), 50);
        f.ComboBox_Meritko->setEditText("abc"); // no number: the zoom stays
        f.ComboBox_MeritkoKeyEnter();
        EXPECT_EQ(f.vlPreview->Zoom(), 50);
        EXPECT_EQ(f.ComboBox_Meritko->currentText(), "50");
        f.ComboBox_Meritko->setCurrentIndex(2);
        f.ComboBox_MeritkoClick();
        EXPECT_EQ(f.vlPreview->Form()->ZoomMode(), zmTwoPages);
        f.ComboBox_Meritko->setCurrentIndex(f.ComboBox_Meritko->findText("125"));
        f.ComboBox_MeritkoClick();
        EXPECT_EQ(f.vlPreview->Zoom(), 125);

        f.Button_Tisk->click();
        return mrOk;
    };
    form->PrintDocument(2, 0, QString(), true, true);
    ASSERT_TRUE(ran);
    EXPECT_EQ(offeredCopies, 2); // the sale's copy flag
    const QStringList pages = PdfText(pdf).split(u'\f', Qt::SkipEmptyParts);
    ASSERT_EQ(pages.size(), 3); // page 2, three copies
    for (const QString &page : pages)
        EXPECT_TRUE(page.contains("Kniha Řemesla")) << page.toStdString();
    EXPECT_EQ(messages.count(MessageCall::Warning), 0);
}

TEST_F(NahledTest, PreviewSavesOpensExportsSearchesAndEditsPages)
{
    WriteInvoice();
    auto form = NewForm();
    QList<TNahledFileQuestion> asked;
    QString answer;
    TForm_Nahled::FileDialog = [&](QWidget *, const TNahledFileQuestion &question) {
        asked << question;
        return answer;
    };
    vlSetLineHeightQuestion([] { return std::optional<int>(16); });
    int exportFormat = 0;
    QString searchText;
    bool fromFirst = true;
    TForm_Nahled::ExecDialog = [&](QDialog *dialog) {
        if (auto *format = qobject_cast<TForm_NahledExport *>(dialog)) {
            EXPECT_EQ(format->ItemIndex(), 3); // RTF preselected
            Snapshot(format, "export");
            format->SetItemIndex(exportFormat);
            return mrOk;
        }
        if (auto *search = qobject_cast<TForm_NahledHledat *>(dialog)) {
            search->Edit_Text->setText(searchText);
            Snapshot(search, "hledat");
            search->RadioButton_Prvni->setChecked(fromFirst);
            search->RadioButton_Aktualni->setChecked(!fromFirst);
            return mrOk;
        }
        TForm_Nahled &f = *form;
        answer = Path("ulozena");
        f.Button_UlozitClick();
        EXPECT_EQ(asked.last().title, "Uložit sestavu");
        EXPECT_TRUE(asked.last().filter.contains("*.vlp"));
        EXPECT_EQ(asked.last().name, QDir(PathExport).filePath("Doklad_FA-2024-0007.vlp"));
        EXPECT_TRUE(QFile::exists(Path("ulozena.vlp")));

        const QString exports[] = {"e.txt", "e.csv", "e.htm", "e.rtf"};
        for (exportFormat = 0; exportFormat < 4; ++exportFormat) {
            answer = Path(exports[exportFormat]);
            f.Button_ExportClick();
            EXPECT_EQ(asked.last().title, "Exportovat sestavu");
            EXPECT_TRUE(QFileInfo(asked.last().name).fileName().startsWith("Doklad_FA-2024-0007."));
            EXPECT_TRUE(fileText(answer).contains("Kniha")) << exports[exportFormat].toStdString();
        }
        EXPECT_TRUE(fileText(Path("e.csv")).contains("Šroubovák křížový"));

        searchText = "řemesla"; // without case
        f.Button_HledatClick();
        EXPECT_EQ(f.vlPreview->Page(), 2);
        EXPECT_EQ(f.IntegerEdit_Strana->text(), "2");
        f.Button_HledatDalsiClick();
        EXPECT_EQ(messages.calls.last().heading, "Další hledaný text nenalezen...");
        EXPECT_EQ(messages.calls.last().detail, "\"řemesla\" nenalezeno...");
        searchText = "Šroubovák";
        fromFirst = false; // from the current (second) page: not there
        f.Button_HledatClick();
        EXPECT_EQ(messages.calls.last().heading, "Hledaný text nenalezen...");

        f.PopupMenuPopup();
        EXPECT_TRUE(f.PopupItem_OdebratStranu->isEnabled());
        messages.answer(true);
        f.PopupItem_OdebratStranu->trigger();
        EXPECT_EQ(f.vlPreview->AllPages(), 1);
        f.PopupMenuPopup();
        EXPECT_FALSE(f.PopupItem_OdebratStranu->isEnabled());
        f.PopupItem_NovaStrana->trigger();
        EXPECT_EQ(f.vlPreview->AllPages(), 2);

        answer = Path("ulozena.vlp"); // back to the saved two pages
        f.Button_OtevritClick();
        EXPECT_EQ(asked.last().title, "Otevřít sestavu");
        EXPECT_TRUE(asked.last().filter.contains("*.vlp"));
        EXPECT_EQ(f.vlPreview->AllPages(), 2);
        return mrOk;
    };
    form->PrintDocument(2, 0, QString(), false, true);
    TForm_Nahled::FileDialog = nullptr;
    vlSetLineHeightQuestion(nullptr);
    EXPECT_EQ(asked.size(), 6);
    EXPECT_EQ(messages.count(MessageCall::Warning), 0);
}

TEST_F(NahledTest, PrinterDialogOffersClosingOnceAnotherPrinterIsChosen)
{
    vlPrinter();
    TForm_Tiskarna dialog;
    dialog.show();
    EXPECT_EQ(dialog.OldPrinterIndex(), 0);
    EXPECT_EQ(dialog.Button_Storno->text(), "S&torno");
    dialog.PrinterComboBox->setPrinterIndex(1);
    EXPECT_TRUE(dialog.PrinterChanged());
    EXPECT_EQ(dialog.Button_Storno->text(), "&Zavřít");
    int setups = 0;
    const auto platformSetup = TForm_Tiskarna::PrinterSetup;
    TForm_Tiskarna::PrinterSetup = [&](QWidget *) { ++setups; };
    dialog.Button_Vlastnosti->click(); // the chosen printer becomes the engine's before its set-up
    TForm_Tiskarna::PrinterSetup = platformSetup;
    EXPECT_EQ(setups, 1);
    EXPECT_EQ(vlPrinter().PrinterName(), "Fakturace");
    int result = -1;
    QObject::connect(&dialog, &QDialog::finished, [&](int r) { result = r; });
    dialog.Button_Storno->click();
    EXPECT_EQ(result, mrYes);

    TForm_Tiskarna second;
    second.show();
    QFocusEvent entered(QEvent::FocusIn, Qt::TabFocusReason); // as the window system delivers it
    QApplication::sendEvent(second.Edit_Cisla, &entered);
    EXPECT_TRUE(second.RadioButton_Cisla->isChecked());
    second.Edit_Cisla->setText(" 1,3,5-12 ");
    EXPECT_EQ(second.PageList(4), "1,3,5-12");
    second.RadioButton_Aktualni->setChecked(true);
    EXPECT_EQ(second.PageList(4), "4");
    second.RadioButton_Vsechny->setChecked(true);
    EXPECT_EQ(second.PageList(4), "");
    QObject::connect(&second, &QDialog::finished, [&](int r) { result = r; });
    second.Button_Storno->click();
    EXPECT_EQ(result, mrNo);
}

} // namespace
