// A sale printed as the program prints it: the main window sells the basket,
// the data module asks the window for its preview screen, and the receipt
// and its cash voucher come out of the printers the settings name.
#include "app/common/modalresult.h"
#include "app/main/tarmilform.h"
#include "app/modal_helper.h"
#include "app/print/nahled_fixture.h"
#include "app/print/tiskarna.h"
#include "app/sale/prodat.h"
#include "app/sale/sale_fixture.h"
#include "app/start/appglobals.h"
#include "kit/intedit.h"
#include "platform/paths.h"
#include "report/printer.h"
#include "report/vlpreviewform.h"
#include "report/vlreport.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>

namespace {

class PrintRoad : public SaleScreenTest
{
protected:
    void SetUp() override
    {
        SaleScreenTest::SetUp();
        if (HasFatalFailure())
            return;
        saved = {AppPath, PathSestavy, PathExport};
        AppPath = home.path() + u'/';
        PathSestavy = home.filePath("Sestavy");
        PathExport = home.filePath("Export");
        QDir(home.path()).mkpath("Sestavy");
        vlFreePrinter();
        FixedPrinterBackend::Printer till, office;
        till.description.name = "Pokladna";
        till.description.isDefault = true;
        till.papers = {QPageSize(QPageSize::A4), QPageSize(QPageSize::A5)};
        office = till;
        office.description.name = "Kancelar";
        office.description.isDefault = false;
        backend = std::make_unique<ScopedPrinterBackend>(
            std::make_unique<FixedPrinterBackend>(QList<FixedPrinterBackend::Printer>{till, office}));
        settings.format = ReceiptFormat::A4;
        settings.setPrinter(DocumentPrinter::UctenkaA4, 0, "Pokladna");
        settings.setPrinter(DocumentPrinter::PrijmovyDoklad, 1, "Kancelar");
        window = std::make_unique<TForm_Tarmil>();
    }
    void TearDown() override
    {
        window.reset();
        vlFreePrinter();
        backend.reset();
        AppPath = saved[0];
        PathSestavy = saved[1];
        PathExport = saved[2];
        SaleScreenTest::TearDown();
    }
    void writeLayout(const QString &file, const QString &title)
    {
        LayoutBuilder layout;
        layout.Band(btReportTitle, 0, 60);
        layout.Memo("Sestava_Doklad", 20, 0, 600, 20, {title + " [vlDBDataSet_Doklad.DOKLAD_VYTISTENY]"});
        layout.Memo("Odberatel", 20, 20, 600, 20, {"[DODAVATEL_NAZEV] [ODBERATEL_NAZEV]"});
        layout.Band(btMasterData, 80, 24, "vlDBDataSet_DokladDetail");
        layout.Memo("Radek", 20, 80, 600, 20, {"[POLOZKA] [MNOZSTVI #N10,0] [PRODEJ_CELKEM #N10,2] [DPH #N3,0]%"});
        layout.Band(btReportSummary, 120, 40);
        layout.Memo("Souhrn", 20, 120, 600, 20,
                    {"[DPH1_DPH] [vlDBDataSet_Doklad.DPH1_PRODEJ_CELKEM #N10,2] [DPH2_DPH] "
                     "[vlDBDataSet_Doklad.DPH2_PRODEJ_CELKEM #N10,2] [POZNAMKA]"});
        layout.Save(CombinePath(file, PathSestavy));
    }

    QStringList saved;
    std::unique_ptr<ScopedPrinterBackend> backend;
    std::unique_ptr<TForm_Tarmil> window;
};

TEST_F(PrintRoad, CashReceiptAndVoucherOfARealSale)
{
    writeLayout("Uctenka_A4.vlf", "Účtenka");
    writeLayout("Prijmovy_Doklad_A4.vlf", "Příjmový doklad");
    settings.nazev = "Železářství Novák";
    const int screwdriver = newItem("K001", Currency::fromInt(10), Currency::fromInt(150));
    const int book = newItem("K002", Currency::fromInt(10), Currency::fromInt(250));
    sql(QStringLiteral("UPDATE tab_polozka SET POLOZKA='Šroubovák křížový' WHERE ID_POLOZKA=%1").arg(screwdriver));
    sql(QStringLiteral("UPDATE tab_polozka SET POLOZKA='Kniha Řemesla', ID_DPH=2 WHERE ID_POLOZKA=%1").arg(book));
    dm->RefreshAll();
    for (int item : {screwdriver, book}) {
        ASSERT_TRUE(dm->AddOrEditBasketRow(item, 0, Currency::fromInt(item == book ? 1 : 2), true));
    }
    dm->RefreshAll();
    // Every print of this sale goes into one file.
    const QString pdf = home.filePath("prodej.pdf");
    vlPrinter().Printer()->setOutputFileName(pdf);
    WhenModal([](QDialog *modal) {
        auto *dialog = qobject_cast<TForm_Prodat *>(modal);
        ASSERT_TRUE(dialog);
        dialog->CheckBox_Doklad->setChecked(true); // with the cash voucher
        dialog->Edit_Poznamka->setText("Děkujeme");
        dialog->Button_Ok->click();
    });
    window->Action_ProdejProdatExecute();
    EXPECT_EQ(messages.count(MessageCall::Warning), 0) << messages.calls.value(0).detail.toStdString();
    EXPECT_EQ(vlPrinter().PrinterName(), "Kancelar"); // the voucher came last

    const QString number = dm->MSSQLADOQuery_Doklad->FieldByName("DOKLAD_VYTISTENY").AsString();
    ASSERT_FALSE(number.isEmpty());
    // The file holds the last print: the voucher, on one page.
    const QStringList pages = PdfText(pdf).split(u'\f', Qt::SkipEmptyParts);
    ASSERT_EQ(pages.size(), 1);
    const QString text = pages[0].simplified();
    EXPECT_TRUE(text.contains("Příjmový doklad " + number)) << text.toStdString();
    EXPECT_TRUE(text.contains("Šroubovák křížový 2 300,00 20%")) << text.toStdString();
    EXPECT_TRUE(text.contains("Kniha Řemesla 1 250,00 10%")) << text.toStdString();
    EXPECT_TRUE(text.contains("DPH 10%: 250,00 DPH 20%: 300,00 Děkujeme")) << text.toStdString();
}

} // namespace

namespace {

// The receipt layout the program installs, in the preview the sale opens, and
// printed from there with the copy the sale asked for.
TEST_F(PrintRoad, ShippedReceiptFromThePreviewWithTheSalesCopy)
{
    SetAppGlobals();
    const Paths::InstallResult installed = Paths::installProgramFiles();
    ASSERT_TRUE(installed.failed.isEmpty()) << qPrintable(installed.failed.join(u' '));
    ASSERT_TRUE(QFile::exists(CombinePath("Uctenka_A4.vlf", PathSestavy)));
    settings.nazev = "Železářství Novák";
    settings.nahled = true;
    const int screwdriver = newItem("K001", Currency::fromInt(10), Currency::fromInt(150));
    sql(QStringLiteral("UPDATE tab_polozka SET POLOZKA='Šroubovák křížový' WHERE ID_POLOZKA=%1").arg(screwdriver));
    dm->RefreshAll();
    ASSERT_TRUE(dm->AddOrEditBasketRow(screwdriver, 0, Currency::fromInt(2), true));
    dm->RefreshAll();
    const QString pdf = home.filePath("uctenka.pdf");
    vlPrinter().Printer()->setOutputFileName(pdf);

    int offeredCopies = 0;
    bool previewed = false;
    TForm_Nahled::ExecDialog = [&](QDialog *dialog) {
        if (auto *printer = qobject_cast<TForm_Tiskarna *>(dialog)) {
            offeredCopies = printer->IntegerEdit_Kopie->value();
            return mrOk;
        }
        auto *preview = qobject_cast<TForm_Nahled *>(dialog);
        EXPECT_TRUE(preview);
        if (!preview)
            return mrCancel;
        previewed = true;
        preview->resize(1100, 800);
        Snapshot(preview, "uctenka_a4");
        preview->Button_Tisk->click();
        return mrOk;
    };
    WhenModal([](QDialog *modal) {
        auto *dialog = qobject_cast<TForm_Prodat *>(modal);
        ASSERT_TRUE(dialog);
        dialog->CheckBox_Tisk_Kopie->setChecked(true);
        dialog->Button_Ok->click();
    });
    window->Action_ProdejProdatExecute();
    TForm_Nahled::ExecDialog = [](QDialog *dialog) { return dialog->exec(); };
    EXPECT_TRUE(previewed);
    EXPECT_EQ(offeredCopies, 2);
    EXPECT_EQ(messages.count(MessageCall::Warning), 0) << messages.calls.value(0).detail.toStdString();

    const QString number = dm->MSSQLADOQuery_Doklad->FieldByName("DOKLAD_VYTISTENY").AsString();
    const QStringList pages = PdfText(pdf).split(u'\f', Qt::SkipEmptyParts);
    ASSERT_EQ(pages.size(), 2); // the receipt and its copy
    for (const QString &page : pages) {
        EXPECT_TRUE(page.contains(number)) << page.toStdString();
        EXPECT_TRUE(page.contains("Šroubovák křížový")) << page.toStdString();
        EXPECT_TRUE(page.contains("Železářství Novák")) << page.toStdString();
    }
}

} // namespace

namespace {

// The window's two overview actions open the installed overviews in the
// preview, titled for saving by the store and as the document overview.
TEST_F(PrintRoad, OverviewsFromTheWindowActions)
{
    SetAppGlobals();
    ASSERT_TRUE(Paths::installProgramFiles().failed.isEmpty());
    newItem("K001", Currency::fromInt(10), Currency::fromInt(150));
    newItem("K002", Currency::fromInt(3), Currency::fromInt(80));
    dm->RefreshAll();
    ASSERT_TRUE(dm->AddOrEditBasketRow(int(dm->MSSQLADOQuery_Polozka->FieldByName("ID_POLOZKA").AsInteger()), 0,
                                       Currency::fromInt(1), true));
    int document = 0;
    ASSERT_TRUE(dm->SellBasket(1, false, "-", 0, document));
    dm->RefreshAll();

    QStringList shown;
    TForm_Nahled::ExecDialog = [&](QDialog *dialog) {
        auto *preview = qobject_cast<TForm_Nahled *>(dialog);
        EXPECT_TRUE(preview);
        if (!preview)
            return mrCancel;
        preview->resize(1100, 800);
        Snapshot(preview, preview->vlReport->Title);
        shown << QStringLiteral("%1 %2").arg(preview->vlReport->Title).arg(preview->vlPreview->AllPages());
        return mrOk;
    };
    window->Action_PolozkaTiskExecute();
    window->Action_DokladPrehledExecute();
    TForm_Nahled::ExecDialog = [](QDialog *dialog) { return dialog->exec(); };
    EXPECT_EQ(messages.count(MessageCall::Warning), 0) << messages.calls.value(0).detail.toStdString();
    EXPECT_EQ(shown, QStringList({"Prehled_Polozek_" + dm->CurrentStoreName() + " 1", "Prehled_dokladu 1"}));
}

} // namespace
