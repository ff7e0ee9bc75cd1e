#include "app/print/print_fixture.h"
#include "app/print/printchoice.h"
#include "app/print/reportvariables.h"
#include "app/print/templateobjects.h"
#include "app/settings/shopsettings.h"
#include "report/rich/vlrichview.h"
#include "report/vlmemoview.h"
#include "report/vlpictureview.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

namespace {

TEST(DocumentReportChoice, ReportPrinterAndRightByOperationVoucherAndReceiptFormat)
{
    using F = ReceiptFormat;
    using P = DocumentPrinter;
    struct Row
    {
        int operation, voucher;
        F format;
        TDocumentReport expected;
    };
    const Row rows[] = {
        {1, 0, F::A5, {"Uctenka_A5.vlf", P::UctenkaA5, 37}},
        {1, 0, F::A4, {"Uctenka_A4.vlf", P::UctenkaA4, 37}},
        {1, 0, F::Svitek, {"Uctenka_Svitek.vlf", P::UctenkaSvitek, 37}},
        // the cash voucher needs no right, whatever the receipt format
        {1, 1, F::A5, {"Prijmovy_Doklad_A4.vlf", P::PrijmovyDoklad, 0}},
        {1, 1, F::Svitek, {"Prijmovy_Doklad_A4.vlf", P::PrijmovyDoklad, 0}},
        // the voucher flag means nothing to other documents
        {2, 0, F::A5, {"Faktura_A4.vlf", P::Faktura, 38}},
        {2, 1, F::A5, {"Faktura_A4.vlf", P::Faktura, 38}},
        {3, 0, F::A4, {"Dodaci_List_A4.vlf", P::DodaciList, 39}},
        // cancellations need no right
        {4, 0, F::A4, {"Storno_A4.vlf", P::Storno, 0}},
        {5, 0, F::A4, {"Storno_A4.vlf", P::Storno, 0}},
        {6, 1, F::A4, {"Storno_A4.vlf", P::Storno, 0}},
    };
    for (const Row &row : rows)
        EXPECT_EQ(TDocumentReportChoice::For(row.operation, row.voucher, row.format), row.expected)
            << row.operation << " " << row.voucher << " " << int(row.format);
}

TEST(DocumentReportChoice, PrinterByNameNeverWhicheverPrinterTookThePosition)
{
    const QStringList engine{"Laser", "Pokladna", "Výchozí tiskárna"};
    EXPECT_EQ(TDocumentReportChoice::EnginePrinter(engine, 2, "Pokladna", 0), 1);
    EXPECT_EQ(TDocumentReportChoice::EnginePrinter(engine, 2, "Odpojená", 1), -1);
    EXPECT_EQ(TDocumentReportChoice::EnginePrinter(engine, 2, QString(), 1), 1);
    EXPECT_EQ(TDocumentReportChoice::EnginePrinter(engine, 2, QString(), 2), -1); // the virtual one
    EXPECT_EQ(TDocumentReportChoice::EnginePrinter(engine, 2, QString(), 7), -1);
}

TEST(DocumentReportChoice, LayoutFromTheNameAsGivenElseFromTheLayoutsFolder)
{
    QTemporaryDir dir;
    QFile own(dir.filePath("Vlastni.vlf"));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.close();
    EXPECT_EQ(TDocumentReportChoice::LayoutPath(own.fileName(), "/sestavy"), own.fileName());
    EXPECT_EQ(TDocumentReportChoice::LayoutPath("Faktura_A4.vlf", "/opt/t5/Sestavy/"),
              "/opt/t5/Sestavy/Faktura_A4.vlf");
}

class ReportVariablesTest : public ::testing::Test
{
protected:
    ReportVariablesTest()
    {
        settings.nazev = "Železářství Novák";
        settings.ic = "12345678";
        settings.dic = "CZ12345678";
        settings.ucet = "123456789/0100";
        settings.ks = "0308";
        settings.vs = "2024001";
        settings.splatnost = 14;
        settings.poznamka = "Děkujeme za nákup.";
        data.document = {{"ODBERATEL", "Stavebniny Dvořák s.r.o."}, {"IC", "87654321"}, {"EMAIL", "info@dvorak.cz"}};
    }
    std::optional<QString> value(const QString &name, const QString &note = {})
    {
        return TReportVariables{settings, data, note, QDate(2024, 2, 20), "Tarmil 5.2.3.0"}.Value(name);
    }

    MemoryShopSettings settings;
    FixedPrintData data;
};

TEST_F(ReportVariablesTest, SupplierBankAndCustomerComeFromSettingsAndTheDocument)
{
    EXPECT_EQ(value("DODAVATEL_NAZEV"), "Železářství Novák");
    EXPECT_EQ(value("DODAVATEL_DIC"), "CZ12345678");
    EXPECT_EQ(value("BANKA_UCET"), "123456789/0100");
    EXPECT_EQ(value("BANKA_KS"), "0308");
    EXPECT_EQ(value("BANKA_VS"), "2024001");
    EXPECT_EQ(value("ODBERATEL_NAZEV"), "Stavebniny Dvořák s.r.o.");
    EXPECT_EQ(value("ODBERATEL_IC"), "87654321");
    EXPECT_EQ(value("odberatel_email"), "info@dvorak.cz"); // the engine may ask in any case
    EXPECT_EQ(value("ODBERATEL_DIC"), "");
    EXPECT_EQ(value("CENA"), std::nullopt); // left to the engine
}

TEST_F(ReportVariablesTest, DueDateNoteVatCaptionsAndCredit)
{
    EXPECT_EQ(value("BANKA_SPLATNOST"), "5.3.2024"); // 14 days over the leap day
    settings.splatnost = 0;
    EXPECT_EQ(value("BANKA_SPLATNOST"), "20.2.2024");

    EXPECT_EQ(value("POZNAMKA", "Záruka 24 měsíců."), "Děkujeme za nákup.Záruka 24 měsíců.");
    settings.poznamka.clear();
    EXPECT_EQ(value("POZNAMKA", "Jen poznámka"), "Jen poznámka");

    EXPECT_EQ(value("DPH1_DPH"), "DPH 21%:");
    EXPECT_EQ(value("DPH1_ZAKLAD"), "Cena bez DPH 21%:");
    EXPECT_EQ(value("DPH2_DPH"), "DPH 12%:");
    EXPECT_EQ(value("DPH2_ZAKLAD"), "Cena bez DPH 12%:");

    const QStringList credit = value("VYTISTENO").value_or(QString()).split(u'\n');
    ASSERT_EQ(credit.size(), 2);
    EXPECT_EQ(credit[0], "software Tarmil 5.2.3.0");
    EXPECT_FALSE(credit[1].isEmpty());
}

class TemplateObjectsTest : public ::testing::Test
{
protected:
    TemplateObjectsTest() { data.document = {{"DOKLAD_VYTISTENY", "FA-2024-0007"}}; }
    TTemplateObjects objects()
    {
        return {data, folder.path() + u'/', [](const QString &expression) { return u'<' + expression + u'>'; }};
    }
    void write(const QString &name, const QByteArray &bytes)
    {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // Applies the objects to a view of that name; returns its memo and sets title.
    QStringList apply(TvlView &view, const QString &name, QStringList memo = {})
    {
        view.Name = name;
        objects().Apply(view, memo, title);
        return memo;
    }

    QTemporaryDir folder;
    FixedPrintData data;
    QString title = "Bez názvu";
};

TEST_F(TemplateObjectsTest, ReportTitlesFromTheStoreAndTheDocument)
{
    TvlMemoView memo;
    EXPECT_EQ(apply(memo, "Sestava_Sklad", {"Přehled položek skladu", "druhý"}),
              QStringList({"Přehled položek skladu Prodejna Žižkov", "druhý"}));
    EXPECT_EQ(title, "Prehled_Polozek_Prodejna Žižkov");

    EXPECT_EQ(apply(memo, "Sestava_Sklad_Nadpis", {"Nadpis"}), QStringList{"Nadpis"}); // exact names only
    EXPECT_EQ(title, "Prehled_Polozek_Prodejna Žižkov");

    apply(memo, "Memo_Sestava_Doklad_1");
    EXPECT_EQ(title, "Doklad_FA-2024-0007");

    apply(memo, "Sestava_Prehled");
    EXPECT_EQ(title, "Prehled_dokladu");
    title = "beze změny";
    apply(memo, "Sestava_Prehled2");
    EXPECT_EQ(title, "beze změny");
}

TEST_F(TemplateObjectsTest, MissingRichTextShowsItsFullPathAndAnExistingOneIsExpanded)
{
    TvlRichView header;
    apply(header, "RichHlavicka");
    EXPECT_EQ(header.WorkText().toPlainText(), QDir(folder.path()).filePath("Hlavicka.rtf"));

    write("Informace.rtf", "{\\rtf1\\ansi\\ansicpg1250 Pla\\'9dte na \\b [BANKA_UCET]\\b0 .}");
    TvlRichView info;
    apply(info, "Informace");
    EXPECT_EQ(info.WorkText().toPlainText(), "Plaťte na <BANKA_UCET>.");

    TvlMemoView plain; // a memo takes the path, or the text without formatting
    EXPECT_EQ(apply(plain, "Hlavicka_Memo", {"x"}), QStringList{QDir(folder.path()).filePath("Hlavicka.rtf")});
    EXPECT_EQ(apply(plain, "Informace_Memo"), QStringList{"Plaťte na [BANKA_UCET]."});
}

TEST_F(TemplateObjectsTest, PicturesLoadWhenPresentAndTheFirstFittingNameWins)
{
    QImage logo(8, 4, QImage::Format_RGB32);
    logo.fill(Qt::red);
    ASSERT_TRUE(logo.save(folder.filePath("Logo.bmp"), "BMP"));
    TvlPictureView picture;
    apply(picture, "Logo_Firmy");
    ASSERT_FALSE(picture.Picture.IsEmpty());
    EXPECT_EQ(picture.Picture.Image().size(), QSize(8, 4));

    TvlPictureView signature; // no "Podpis.bmp": the object stays as it is
    apply(signature, "Podpis");
    EXPECT_TRUE(signature.Picture.IsEmpty());

    // "Sestava_Doklad" comes before "Logo": the title changes, nothing is loaded
    TvlPictureView both;
    apply(both, "Sestava_Doklad_Logo");
    EXPECT_TRUE(both.Picture.IsEmpty());
    EXPECT_EQ(title, "Doklad_FA-2024-0007");
    // "Hlavicka" comes before "Logo"
    TvlRichView header;
    apply(header, "Hlavicka_Logo");
    EXPECT_TRUE(header.WorkText().toPlainText().endsWith("Hlavicka.rtf"));
}

} // namespace
