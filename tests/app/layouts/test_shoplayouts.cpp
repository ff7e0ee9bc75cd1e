// The shipped layouts printed over a real sale and read back from the PDF:
// each document carries its number, the item names, the totals and the VAT
// sums in Czech number format on the pages where they belong.
#include "documentfigures.h"

#include "app/start/appglobals.h"
#include "report/vlreport.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>

namespace {

// The first of the parts the text lacks, or an empty text when it has them all.
QString missingFrom(const QString &text, const QStringList &parts)
{
    for (const QString &part : parts)
        if (!text.contains(part))
            return part;
    return {};
}

QString today()
{
    return QDate::currentDate().toString(QStringLiteral("d.M.yyyy"));
}

// The standard basket's figures: 10 % lines 128,85, 20 % lines 1 763,75, the
// document 1 892,60 rounded to 1 893. The documents' summary: base, VAT and
// total of each rate on one row.
const QStringList vatRecap = {QStringLiteral("Základ"),
                              QStringLiteral("DPH 10%:"),
                              QStringLiteral("117,14"),
                              QStringLiteral("11,71"),
                              QStringLiteral("128,85"),
                              QStringLiteral("DPH 20%:"),
                              czechMoney(QStringLiteral("1469,79")),
                              QStringLiteral("293,96"),
                              czechMoney(QStringLiteral("1763,75"))};
const QString total = czechMoney(QStringLiteral("1893,00")) + QStringLiteral(" Kč");

// Top and bottom (points) of the first word of the PDF's first page that
// equals the text, read back by pdftotext; {-1, -1} when it has none.
QPair<double, double> wordBounds(const QString &pdf, const QString &word)
{
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                                             QStringLiteral("-l"), QStringLiteral("1"), pdf, QStringLiteral("-")});
    text.waitForFinished();
    const QRegularExpression words(QStringLiteral("yMin=\"([0-9.]+)\"[^>]*yMax=\"([0-9.]+)\">([^<]*)</word>"));
    for (auto it = words.globalMatch(QString::fromUtf8(text.readAllStandardOutput())); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        if (match.captured(3) == word)
            return {match.captured(1).toDouble(), match.captured(2).toDouble()};
    }
    return {-1, -1};
}

// The right edge (points) of the rightmost word of the PDF's first page.
double rightmostWord(const QString &pdf)
{
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                                             QStringLiteral("-l"), QStringLiteral("1"), pdf, QStringLiteral("-")});
    text.waitForFinished();
    const QRegularExpression words(QStringLiteral("xMax=\"([0-9.]+)\""));
    double right = 0;
    for (auto it = words.globalMatch(QString::fromUtf8(text.readAllStandardOutput())); it.hasNext();)
        right = std::max(right, it.next().captured(1).toDouble());
    return right;
}

} // namespace

TEST_F(ShopLayoutTest, InvoiceIsATaxDocumentOfBothParties)
{
    SellStandardBasket(2);
    const QString number = DocumentNumber();
    const QStringList pages = PrintDocument(2);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(reportTitle, QStringLiteral("Doklad_") + number);
    const QString due = QDate::currentDate().addDays(14).toString(QStringLiteral("d.M.yyyy"));
    EXPECT_EQ(missingFrom(pages[0], {QStringLiteral("FAKTURA – DAŇOVÝ DOKLAD"), QStringLiteral("č. ") + number,
                                     QStringLiteral("Železářství U Kováře s.r.o."), QStringLiteral("IČ: 12345678"),
                                     QStringLiteral("DIČ: CZ12345678"), QStringLiteral("Stavebniny Novák a syn s.r.o."),
                                     QStringLiteral("Dlouhá 12, 110 00 Praha 1"), QStringLiteral("IČ: 27074358"),
                                     QStringLiteral("DIČ: CZ27074358"), QStringLiteral("Datum vystavení:"),
                                     QStringLiteral("Datum zdanitelného plnění:"), QStringLiteral("Datum splatnosti:"),
                                     today(), due, QStringLiteral("123456789/0800"), QStringLiteral("0308")}),
              QString());
    // Without a variable symbol of the shop's own the document number stands for it.
    EXPECT_TRUE(pages[0].contains(QRegularExpression(QStringLiteral("Variabilní symbol:\\s+") + number)));
    EXPECT_EQ(missingFrom(pages[0], ItemNames()), QString());
    // Quantity, unit, unit price, line discount, rate and line total.
    EXPECT_TRUE(pages[0].contains(QRegularExpression(
        QStringLiteral("Žárovka LED 9 W teplá bílá\\s+10 ks\\s+129,00\\s+0 ?%\\s+20 %\\s+1 290,00"))))
        << qPrintable(pages[0]);
    EXPECT_TRUE(pages[0].contains(QRegularExpression(QStringLiteral("Hřebíky stavební 40 mm\\s+2,5 kg\\s+89,90"))));
    EXPECT_TRUE(pages[0].contains(
        QRegularExpression(QStringLiteral("Máslo čerstvé 250 g\\s+1 ks\\s+54,50\\s+10 %\\s+10 %\\s+49,05"))));
    EXPECT_EQ(missingFrom(pages[0], vatRecap), QString());
    EXPECT_TRUE(pages[0].contains(QRegularExpression(QStringLiteral("Celkem k úhradě\\s+") + total)));
    EXPECT_TRUE(pages[0].contains(QRegularExpression(QStringLiteral("Zaokrouhlení\\s+0,40 Kč"))));
    EXPECT_EQ(missingFrom(pages[0], {settings.poznamka + printNote, QStringLiteral("software ") + AppTitle,
                                     QStringLiteral("Strana 1 z 1")}),
              QString());
    EXPECT_EQ(PageSizes(), QStringList({"595 x 842"}));
}

TEST_F(ShopLayoutTest, ReceiptsCarryTheSameFiguresOnEachPaper)
{
    SellStandardBasket(1);
    const QString number = DocumentNumber();
    const struct
    {
        ReceiptFormat format;
        const char *size; // points
    } receipts[] = {
        {ReceiptFormat::A4, "595 x 842"}, {ReceiptFormat::A5, "420 x 595"}, {ReceiptFormat::Svitek, nullptr}};
    for (const auto &receipt : receipts) {
        SCOPED_TRACE(int(receipt.format));
        settings.format = receipt.format;
        const QStringList pages = PrintDocument(1);
        ASSERT_EQ(pages.size(), 1);
        EXPECT_EQ(reportTitle, QStringLiteral("Doklad_") + number);
        EXPECT_EQ(
            missingFrom(pages[0], {QStringLiteral("ÚČTENKA"), number, QStringLiteral("zjednodušený daňový doklad"),
                                   QStringLiteral("Železářství U Kováře s.r.o."), QStringLiteral("IČ: 12345678"),
                                   QStringLiteral("DIČ: CZ12345678"), today()}),
            QString());
        EXPECT_EQ(missingFrom(pages[0], ItemNames()), QString());
        EXPECT_EQ(missingFrom(pages[0], vatRecap), QString());
        EXPECT_TRUE(pages[0].contains(QRegularExpression(QStringLiteral("Celkem k úhradě\\s+") + total)));
        EXPECT_TRUE(pages[0].contains(QStringLiteral("hotově")));
        if (receipt.size) {
            EXPECT_EQ(PageSizes(), QStringList({QString::fromLatin1(receipt.size)}));
        }
    }
}

TEST_F(ShopLayoutTest, TheRollIsAsLongAsItsLines)
{
    // Two receipts: the standard basket, then one line of it.
    SellStandardBasket(1);
    settings.format = ReceiptFormat::Svitek;
    PrintDocument(1);
    const QStringList fiveLines = PageSizes();
    const int item = scalar(QStringLiteral("SELECT ID_POLOZKA FROM tab_polozka WHERE OZNACENI = 'CHL01'")).toInt();
    ASSERT_TRUE(dm->AddOrEditBasketRow(item, 0, Currency::fromInt(1), true));
    int document = 0;
    ASSERT_TRUE(dm->SellBasket(1, true, QStringLiteral("-"), 0, document)) << qPrintable(dm->LastErrorText());
    const QStringList pages = PrintDocument(1);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Chléb žitný 1 kg")));
    EXPECT_FALSE(pages[0].contains(QStringLiteral("Máslo")));
    const QStringList oneLine = PageSizes();
    ASSERT_EQ(fiveLines.size(), 1);
    ASSERT_EQ(oneLine.size(), 1);
    // 80 mm wide; each item takes two text lines of 9 mm together, the
    // second VAT rate of the five a row of 4,8 mm.
    const QStringList five = fiveLines[0].split(QStringLiteral(" x ")), one = oneLine[0].split(QStringLiteral(" x "));
    EXPECT_EQ(five[0], QStringLiteral("227"));
    EXPECT_EQ(one[0], QStringLiteral("227"));
    const double mmPerPoint = 25.4 / 72;
    EXPECT_NEAR((five[1].toInt() - one[1].toInt()) * mmPerPoint, 4 * 9 + 4.8, 2.0);
    EXPECT_LT(one[1].toInt() * mmPerPoint, 200.0); // far less than a sheet

    // The preview shows the receipt as one page of that length and prints it so.
    int shown = 0;
    const QStringList previewed = PreviewDocument(1, &shown);
    EXPECT_EQ(shown, 1);
    ASSERT_EQ(previewed.size(), 1);
    EXPECT_TRUE(previewed[0].contains(QStringLiteral("Chléb žitný 1 kg")));
    EXPECT_EQ(PageSizes(), oneLine);
}

TEST_F(ShopLayoutTest, OnTheRollAnItemsNameStaysAboveItsQuantityLine)
{
    // One name on a line, one on two.
    sql(QStringLiteral("UPDATE tab_polozka SET POLOZKA = 'Šroubovák křížový PH2 s magnetickou špičkou, "
                       "rukojeť prodloužená' WHERE OZNACENI = 'KAB04'"));
    for (const char *mark : {"CHL01", "KAB04"}) {
        const int item =
            scalar(QStringLiteral("SELECT ID_POLOZKA FROM tab_polozka WHERE OZNACENI = '%1'").arg(QLatin1String(mark)))
                .toInt();
        ASSERT_TRUE(dm->AddOrEditBasketRow(item, 0, Currency::fromInt(mark[0] == 'C' ? 3 : 7), true));
    }
    int document = 0;
    ASSERT_TRUE(dm->SellBasket(1, true, QStringLiteral("-"), 0, document)) << qPrintable(dm->LastErrorText());
    settings.format = ReceiptFormat::Svitek;
    ASSERT_EQ(PrintDocument(1).size(), 1);
    const auto name = wordBounds(pdfPath, QStringLiteral("Chléb")), quantity = wordBounds(pdfPath, QStringLiteral("3"));
    const auto longName = wordBounds(pdfPath, QStringLiteral("prodloužená")),
               longQuantity = wordBounds(pdfPath, QStringLiteral("7"));
    ASSERT_GT(name.first, 0);
    ASSERT_GT(longName.first, 0);
    EXPECT_LE(name.second, quantity.first);
    EXPECT_LE(longName.second, longQuantity.first);
    // The name's last line is its second one.
    EXPECT_GT(longName.first, quantity.second + 10);
}

TEST_F(ShopLayoutTest, TheRollPrintsEachLinesDiscountWithinItsWidth)
{
    // The widest line a till sells: a quantity in thousands with three
    // decimals, a price in thousands, a discount, a total in millions.
    const int wide = newItem(QStringLiteral("W"), Currency::fromInt(5000), Currency::fromString(u"9999.99"));
    ASSERT_TRUE(dm->AddOrEditBasketRow(wide, 35, Currency::fromString(u"1234.567"), true));
    SellStandardBasket(1);
    settings.format = ReceiptFormat::Svitek;
    const QStringList pages = PrintDocument(1);
    ASSERT_EQ(pages.size(), 1);
    // The butter's line: quantity, price, its 10 % off, its VAT and total.
    EXPECT_TRUE(pages[0].contains(QRegularExpression(QStringLiteral("1 ks × 54,50\\s+10 %\\s+10 %\\s+49,05"))))
        << qPrintable(pages[0]);
    EXPECT_TRUE(pages[0].contains(QRegularExpression(QStringLiteral("1 234,567 ks × 9 999,99\\s+35 %\\s+20 %\\s+") +
                                                     czechMoney(QStringLiteral("8024677,48")))));
    // A line without a discount prints none.
    EXPECT_TRUE(pages[0].contains(QRegularExpression(QStringLiteral("2 ks × 39,90\\s+10 %\\s+79,80"))));
    // Nothing reaches past the roll's margin of 4 mm, nothing overprints.
    EXPECT_LE(rightmostWord(pdfPath), (80 - 4) * 72 / 25.4);
    EXPECT_EQ(PlacementFaults(PrepareDocument(QStringLiteral("Uctenka_Svitek.vlf"))), QStringList());
}

TEST_F(ShopLayoutTest, EachRateOfADocumentPrintsItsRowInTheRatesOrder)
{
    // Bread at 0 %, butter at 10 %, the rest at 20 %.
    sql(QStringLiteral("UPDATE tab_polozka SET ID_DPH = 1 WHERE OZNACENI = 'CHL01'"));
    SellStandardBasket(1);
    settings.format = ReceiptFormat::A4;
    const QStringList pages = PrintDocument(1);
    ASSERT_EQ(pages.size(), 1);
    // 79,80 at 0 %, 49,05 at 10 %, 1 763,75 at 20 %, one row each, in order.
    EXPECT_TRUE(pages[0].contains(QRegularExpression(
        QStringLiteral("DPH 0%:\\s+79,80\\s+0,00\\s+79,80\\s*\\n\\s*DPH 10%:\\s+44,59\\s+4,46\\s+49,05\\s*\\n\\s*"
                       "DPH 20%:\\s+") +
        czechMoney(QStringLiteral("1469,79")) + QStringLiteral("\\s+293,96\\s+") +
        czechMoney(QStringLiteral("1763,75")))))
        << qPrintable(pages[0]);
    const auto zero = wordBounds(pdfPath, QStringLiteral("0%:")), ten = wordBounds(pdfPath, QStringLiteral("10%:")),
               twenty = wordBounds(pdfPath, QStringLiteral("20%:"));
    ASSERT_GT(zero.first, 0);
    EXPECT_LE(zero.second, ten.first);
    EXPECT_LE(ten.second, twenty.first);
    EXPECT_EQ(PlacementFaults(PrepareDocument(QStringLiteral("Uctenka_A4.vlf"))), QStringList());
}

TEST_F(ShopLayoutTest, ALongInvoiceRepeatsItsHeadingsAndTotalsOnTheLastPage)
{
    // Forty more lines push the summary onto a second page.
    for (int i = 1; i <= 40; ++i) {
        TDMItem item;
        item.OZNACENI = item.KOD = QStringLiteral("X%1").arg(i, 3, 10, QLatin1Char('0'));
        item.POLOZKA = QStringLiteral("Šroubek č. %1").arg(i);
        item.SPECIFIKACE = QStringLiteral("-");
        item.DPH = Currency::fromInt(20);
        item.SKLAD = QStringLiteral("Sklad-01");
        item.KATEGORIE = QStringLiteral("?");
        item.DODAVATEL = QStringLiteral("-");
        item.PRODEJ = Currency::fromInt(10);
        item.NAKUP = Currency::fromInt(5);
        item.MNOZSTVI = Currency::fromInt(10);
        item.JEDNOTKA = QStringLiteral("ks");
        item.MINIMUM = Currency::fromInt(1);
        ASSERT_TRUE(dm->NewItem(item)) << qPrintable(dm->LastErrorText());
        ASSERT_TRUE(dm->AddOrEditBasketRow(scalar(QStringLiteral("SELECT max(ID_POLOZKA) FROM tab_polozka")).toInt(), 0,
                                           Currency::fromInt(1), true));
    }
    SellStandardBasket(2);
    const QString number = DocumentNumber();
    const QStringList pages = PrintDocument(2);
    ASSERT_EQ(pages.size(), 2);
    // 1 892,60 + 400 = 2 292,60; the 20 % part 2 163,75 rounds to 2 164.
    const QString grandTotal = czechMoney(QStringLiteral("2293,00")) + QStringLiteral(" Kč");
    EXPECT_TRUE(pages[0].contains(QStringLiteral("FAKTURA – DAŇOVÝ DOKLAD")));
    EXPECT_FALSE(pages[0].contains(QStringLiteral("Celkem k úhradě")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Strana 1 z 2")));
    EXPECT_TRUE(
        pages[1].contains(QStringLiteral("Faktura – daňový doklad č. ") + number + QStringLiteral(" (pokračování)")));
    EXPECT_FALSE(pages[1].contains(QStringLiteral("FAKTURA – DAŇOVÝ DOKLAD")));
    EXPECT_TRUE(pages[1].contains(QRegularExpression(QStringLiteral("Označení\\s+Název\\s+Množství"))));
    EXPECT_TRUE(pages[1].contains(QRegularExpression(QStringLiteral("Celkem k úhradě\\s+") + grandTotal)));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Strana 2 z 2")));
    EXPECT_EQ(missingFrom(pages.join(QString()), ItemNames()), QString());
    EXPECT_EQ(missingFrom(pages.join(QString()), {QStringLiteral("Šroubek č. 1 "), QStringLiteral("Šroubek č. 40")}),
              QString());
}

TEST_F(ShopLayoutTest, DeliveryNoteListsGoodsWithoutPrices)
{
    SellStandardBasket(3);
    const QString number = DocumentNumber();
    const QStringList pages = PrintDocument(3);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(
        missingFrom(pages[0], {QStringLiteral("DODACÍ LIST"), number, QStringLiteral("Stavebniny Novák a syn s.r.o."),
                               QStringLiteral("IČ: 27074358"), QStringLiteral("Převzal")}),
        QString());
    EXPECT_EQ(missingFrom(pages[0], ItemNames()), QString());
    EXPECT_TRUE(pages[0].contains(QRegularExpression(QStringLiteral("Hřebíky stavební 40 mm\\s+-\\s+2,5\\s+kg"))));
    for (const QString &price :
         {QStringLiteral("89,90"), QStringLiteral("129,00"), QStringLiteral("Kč"), QStringLiteral("DPH")})
        EXPECT_FALSE(pages[0].contains(price)) << qPrintable(price);
}

TEST_F(ShopLayoutTest, CancellationNamesTheDocumentItCancels)
{
    const int sale = SellStandardBasket(2);
    const QString number = DocumentNumber();
    ASSERT_TRUE(dm->CancelDocument(sale)) << qPrintable(dm->LastErrorText());
    ASSERT_EQ(dm->MSSQLADOQuery_Doklad->FieldByName(QStringLiteral("ID_OPERACE")).AsInteger(), 5);
    const QStringList pages = PrintDocument(5);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(missingFrom(pages[0], {QStringLiteral("STORNO DOKLADU"), QStringLiteral("opravný daňový doklad"),
                                     QStringLiteral("ruší doklad č. ") + number,
                                     QStringLiteral("Stavebniny Novák a syn s.r.o.")}),
              QString());
    EXPECT_EQ(missingFrom(pages[0], ItemNames()), QString());
    // The overview lists the cancelled document by its state on one line.
    const QStringList overview = PrintOverview(false);
    ASSERT_EQ(overview.size(), 1);
    EXPECT_EQ(missingFrom(overview[0], {QStringLiteral("Zrušený"), QStringLiteral("Storno faktury")}), QString())
        << qPrintable(overview[0]);
    // Everything is returned: quantities and sums are negative.
    EXPECT_TRUE(pages[0].contains(QRegularExpression(QStringLiteral("Žárovka LED 9 W teplá bílá\\s+-10 ks"))));
    EXPECT_EQ(missingFrom(pages[0], {QStringLiteral("-11,71"), QStringLiteral("-293,96"),
                                     QStringLiteral("-") + czechMoney(QStringLiteral("1469,79"))}),
              QString());
    EXPECT_TRUE(pages[0].contains(QRegularExpression(QStringLiteral("Opravná částka celkem\\s+-") + total)));
}

TEST_F(ShopLayoutTest, CashVoucherReceivesTheReceiptsTotal)
{
    SellStandardBasket(1);
    const QString number = DocumentNumber();
    const QStringList pages = PrintDocument(1, 1);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(missingFrom(pages[0],
                          {QStringLiteral("PŘÍJMOVÝ POKLADNÍ DOKLAD"), QStringLiteral("č. ") + number,
                           QStringLiteral("Přijato od:"), QStringLiteral("Stavebniny Novák a syn s.r.o."),
                           QStringLiteral("Úhrada účtenky č. ") + number, total, today(), QStringLiteral("Přijal")}),
              QString());
    // The receipt's figures, down to its rounding.
    EXPECT_EQ(missingFrom(pages[0], vatRecap), QString());
    EXPECT_TRUE(pages[0].contains(
        QRegularExpression(QStringLiteral("Součet položek\\s+") + czechMoney(QStringLiteral("1892,60")))));
    EXPECT_TRUE(pages[0].contains(QRegularExpression(QStringLiteral("Zaokrouhlení\\s+0,40 Kč"))));
    EXPECT_TRUE(pages[0].contains(QRegularExpression(QStringLiteral("Přijato celkem\\s+") + total)));
}

TEST_F(ShopLayoutTest, ItemOverviewTotalsEachCategoryAndTheStore)
{
    // A code of 13 digits prints on one line.
    sql(QStringLiteral("UPDATE tab_polozka SET KOD = '8594001234567' WHERE OZNACENI = 'LED03'"));
    // The list sorted by category, as the user sorts it by the column's title.
    TMSSQLADOQuery *list = dm->MSSQLADOQuery_Polozka;
    list->SortByColumn(QStringLiteral("ID_POLOZKA"), list->FindField(QStringLiteral("KATEGORIE")),
                       QStringLiteral("%ORDER_BY"));
    const QStringList pages = PrintOverview(true);
    ASSERT_EQ(pages.size(), 1);
    const QString store = dm->CurrentStoreName();
    EXPECT_EQ(reportTitle, QStringLiteral("Prehled_Polozek_") + store);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Přehled položek skladu ") + store));
    EXPECT_EQ(missingFrom(pages[0], ItemNames()), QString());
    // A hundred of each at half the selling price.
    const QRegularExpression groups(
        QStringLiteral(
            "Kategorie: \\?\\\\Elektro\\s.*"
            "Celkem za kategorii \\(položek: 2\\):\\s+18 900,00\\s.*"
            "Kategorie: \\?\\\\Potraviny\\s.*"
            "Celkem za kategorii \\(položek: 2\\):\\s+4 720,00\\s.*"
            "Kategorie: \\?\\\\Spojovací materiál\\s.*Hřebíky stavební 40 mm\\s+100\\s+kg\\s+44,95\\s+89,90.*"
            "Celkem za kategorii \\(položek: 1\\):\\s+4 495,00\\s"),
        QRegularExpression::DotMatchesEverythingOption);
    EXPECT_TRUE(pages[0].contains(groups)) << qPrintable(pages[0]);
    EXPECT_TRUE(pages[0].contains(QRegularExpression(QStringLiteral("LED03\\s+8594001234567\\s+Žárovka"))));
    EXPECT_TRUE(pages[0].contains(QRegularExpression(QStringLiteral("Počet položek:\\s+5"))));
    EXPECT_TRUE(pages[0].contains(QRegularExpression(QStringLiteral("v nákupních cenách:\\s+") +
                                                     czechMoney(QStringLiteral("28115,00")) + QStringLiteral(" Kč"))));
    EXPECT_TRUE(pages[0].contains(QRegularExpression(QStringLiteral("v prodejních cenách:\\s+") +
                                                     czechMoney(QStringLiteral("56230,00")) + QStringLiteral(" Kč"))));
}

TEST_F(ShopLayoutTest, DocumentOverviewTotalsEachDayAndTheList)
{
    SellStandardBasket(1);
    SellStandardBasket(2);
    const QString first = DocumentNumber();
    const QStringList pages = PrintOverview(false);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(reportTitle, QStringLiteral("Prehled_dokladu"));
    EXPECT_EQ(missingFrom(pages[0], {QStringLiteral("Přehled dokladů"), QStringLiteral("Den: ") + today(), first,
                                     QStringLiteral("účtenka"), QStringLiteral("faktura")}),
              QString());
    const QString twice = czechMoney(QStringLiteral("3786,00"));
    const QString vat = QStringLiteral("611,34"); // (11,71 + 293,96) twice
    EXPECT_TRUE(pages[0].contains(
        QRegularExpression(QStringLiteral("Celkem za den \\(dokladů: 2\\):.*") + twice + QStringLiteral("\\s+") + vat)))
        << qPrintable(pages[0]);
    EXPECT_TRUE(pages[0].contains(
        QRegularExpression(QStringLiteral("Celkem \\(dokladů: 2\\):.*") + twice + QStringLiteral("\\s+") + vat)));
}

TEST_F(ShopLayoutTest, FirstStartInstallsEveryLayoutAndTemplate)
{
    // The fixture installed the program's files into a fresh program folder.
    for (const char *name :
         {"Prehled_Polozky_A4.vlf", "Prehled_Dokladu_A4.vlf", "Uctenka_A4.vlf", "Uctenka_A5.vlf", "Uctenka_Svitek.vlf",
          "Prijmovy_Doklad_A4.vlf", "Faktura_A4.vlf", "Dodaci_List_A4.vlf", "Storno_A4.vlf"}) {
        TvlReport report;
        QString error;
        EXPECT_TRUE(report.LoadFromFile(CombinePath(QString::fromLatin1(name), PathSestavy), &error))
            << name << ": " << qPrintable(error);
        EXPECT_EQ(report.Pages.Count(), 1) << name;
    }
    QFile header(AppPath + QStringLiteral("Hlavicka.rtf"));
    ASSERT_TRUE(header.open(QIODevice::ReadOnly));
    EXPECT_TRUE(header.readAll().startsWith("{\\rtf1"));
    EXPECT_FALSE(QImage(AppPath + QStringLiteral("Logo.bmp")).isNull());
    EXPECT_FALSE(QImage(AppPath + QStringLiteral("Podpis.bmp")).isNull());
    EXPECT_TRUE(QFile::exists(AppPath + QStringLiteral("Informace.rtf")));
}

TEST_F(ShopLayoutTest, ADocumentDiscountLowersEveryTotal)
{
    // 10 % off 1 892,60 is 189,26, split as 12,89 off the 10 % lines and
    // 176,37 off the 20 % ones: 115,96 and 1 587,38, together 1 703,34,
    // rounded to 1 703.
    SellStandardBasket(1, 10);
    settings.format = ReceiptFormat::A4;
    const QStringList pages = PrintDocument(1);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(
        QRegularExpression(QStringLiteral("Součet položek\\s+") + czechMoney(QStringLiteral("1892,60")))));
    EXPECT_TRUE(pages[0].contains(QRegularExpression(QStringLiteral("Sleva na doklad 10 %\\s+-189,26 Kč"))));
    EXPECT_TRUE(pages[0].contains(QRegularExpression(QStringLiteral("DPH 10%:\\s+105,42\\s+10,54\\s+115,96"))));
    EXPECT_TRUE(pages[0].contains(
        QRegularExpression(QStringLiteral("DPH 20%:\\s+") + czechMoney(QStringLiteral("1322,82")) +
                           QStringLiteral("\\s+264,56\\s+") + czechMoney(QStringLiteral("1587,38")))));
    EXPECT_TRUE(pages[0].contains(QRegularExpression(QStringLiteral("Zaokrouhlení\\s+-0,34 Kč"))));
    EXPECT_TRUE(pages[0].contains(QRegularExpression(QStringLiteral("Celkem k úhradě\\s+") +
                                                     czechMoney(QStringLiteral("1703,00")) + QStringLiteral(" Kč"))));
}

TEST_F(ShopLayoutTest, EveryLayoutBuildsWithoutACurrentDocumentAsTheDesignersPreviewDoes)
{
    // No sale yet: the document list is empty, as when the report list opens
    // the designer and its author previews the layout.
    Db::DataSource lines;
    lines.SetDataSet(dm->MSSQLADOQuery_DokladDetail);
    for (const char *name :
         {"Prehled_Polozky_A4.vlf", "Prehled_Dokladu_A4.vlf", "Uctenka_A4.vlf", "Uctenka_A5.vlf", "Uctenka_Svitek.vlf",
          "Prijmovy_Doklad_A4.vlf", "Faktura_A4.vlf", "Dodaci_List_A4.vlf", "Storno_A4.vlf"}) {
        TForm_Nahled preview(dm->DataSource_Doklad, &lines, dm->DataSource_Polozka);
        ASSERT_TRUE(preview.LoadReport(QString::fromLatin1(name))) << name;
        preview.vlReport->ShowProgress = false;
        EXPECT_TRUE(preview.vlReport->PrepareReport()) << name << ": " << qPrintable(preview.vlReport->ErrorText());
    }
}
