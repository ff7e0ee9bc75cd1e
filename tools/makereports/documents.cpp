// The A4 and A5 documents of a sale: invoice, delivery note, cancellation,
// cash receipt and the cash voucher.
#include "documentparts.h"
#include "shopfields.h"
#include "shoplayouts.h"

namespace {

constexpr int PaperA4 = 9;
constexpr int PaperA5 = 11;

// The parts below the line table of a priced document: the figures on the
// right, then note and information on the left, signatures under them.
void AddPricedSummary(LayoutSheet &sheet, const QString &leftSignature, const QString &rightSignature,
                      const QString &totalCaption = QStringLiteral("Celkem k úhradě"))
{
    const double w = sheet.ContentWidth();
    const double half = w / 2 - 3;
    VatSummary summary(sheet, w - half, half, 9);
    summary.Header(3);
    summary.Rates();
    summary.Footer(totalCaption);
    sheet.Band(btReportSummary, 56, {}, 0);
    AddNoteAndInformation(sheet, 0, 3, half);
    if (!leftSignature.isEmpty())
        AddSignature(sheet, 0, 35, 70, leftSignature, true);
    if (!rightSignature.isEmpty())
        AddSignature(sheet, w - 70, 35, 70, rightSignature, false);
}

void StartA4(LayoutSheet &sheet, TvlReport &report, const QString &kind)
{
    report.TwoPass = 1; // "Strana N z M"
    AddContinuationHeader(sheet,
                          kind + QStringLiteral(" č. ") + doc("DOKLAD_VYTISTENY") + QStringLiteral(" (pokračování)"));
    AddPageFooter(sheet);
}

// The title band of a document between supplier and customer, down to the
// two parties; returns where the band goes on below them.
double StartTwoPartyDocument(LayoutSheet &sheet, TvlReport &report, const QString &kind, double titleHeight,
                             const QString &title, const QString &subtitle)
{
    const double w = sheet.ContentWidth();
    const double half = w / 2 - 2.5;
    StartA4(sheet, report, kind);
    sheet.Band(btReportTitle, titleHeight, {}, 0);
    const double y = AddLetterhead(sheet, title, subtitle);
    AddParty(sheet, 0, y, half, 36, QStringLiteral("DODAVATEL"), QStringLiteral("DODAVATEL"));
    AddParty(sheet, w - half, y, half, 36, QStringLiteral("ODBĚRATEL"), QStringLiteral("ODBERATEL"));
    return y + 39;
}

LabelRows InvoiceDates()
{
    return {{QStringLiteral("Datum vystavení:"), documentDate()},
            {QStringLiteral("Datum zdanitelného plnění:"), documentDate()},
            {QStringLiteral("Datum splatnosti:"), QStringLiteral("[BANKA_SPLATNOST]")},
            {QStringLiteral("Forma úhrady:"), QStringLiteral("převodním příkazem")}};
}

// The variable symbol is the shop's own when the settings give one, else
// the document number.
QString VariableSymbol()
{
    return QStringLiteral("[IF([BANKA_VS] = '', [%1], [BANKA_VS])]").arg(docRef("DOKLAD_VYTISTENY"));
}

} // namespace

void BuildInvoice(TvlReport &report)
{
    LayoutSheet sheet(report, PaperA4, 210, 297, 10);
    const double w = sheet.ContentWidth();
    const double half = w / 2 - 2.5;
    double y = StartTwoPartyDocument(sheet, report, QStringLiteral("Faktura – daňový doklad"), 94,
                                     QStringLiteral("FAKTURA – DAŇOVÝ DOKLAD"),
                                     QStringLiteral("slouží zároveň jako dodací list"));
    sheet.Box(0, y, half, 22);
    AddLabelRows(sheet, 2, y + 1.5, half - 4, 44, InvoiceDates());
    sheet.Box(w - half, y, half, 22);
    AddLabelRows(sheet, w - half + 2, y + 1.5, half - 4, 34,
                 {{QStringLiteral("Bankovní účet:"), QStringLiteral("[BANKA_UCET]")},
                  {QStringLiteral("Variabilní symbol:"), VariableSymbol()},
                  {QStringLiteral("Konstantní symbol:"), QStringLiteral("[BANKA_KS]")},
                  {QStringLiteral("Vystavil:"), doc("UZIVATEL")}});
    y += 25;
    sheet.Text(0, y, w, 5, QStringLiteral("Fakturujeme Vám dodané zboží:"), TextStyle{}.Size(8));
    AddTable(sheet, PricedLineColumns(w, false), LineSet);
    AddPricedSummary(sheet, QStringLiteral("Vystavil (razítko a podpis)"), QStringLiteral("Zboží převzal"));
}

void BuildDeliveryNote(TvlReport &report)
{
    LayoutSheet sheet(report, PaperA4, 210, 297, 10);
    const double w = sheet.ContentWidth();
    const double half = w / 2 - 2.5;
    double y =
        StartTwoPartyDocument(sheet, report, QStringLiteral("Dodací list"), 82, QStringLiteral("DODACÍ LIST"), {});
    sheet.Box(0, y, w, 12);
    AddLabelRows(
        sheet, 2, y + 1.5, half - 4, 34,
        {{QStringLiteral("Datum vystavení:"), documentDate()}, {QStringLiteral("Datum dodání:"), documentDate()}});
    AddLabelRows(
        sheet, w - half + 2, y + 1.5, half - 4, 34,
        {{QStringLiteral("Vystavil:"), doc("UZIVATEL")}, {QStringLiteral("Počet řádků:"), doc("POLOZKY_CELKEM")}});
    y += 15;
    sheet.Text(0, y, w, 5, QStringLiteral("Dodáváme Vám toto zboží:"), TextStyle{}.Size(8));
    const TextStyle cell = TextStyle{}.Size(8);
    AddTable(sheet,
             {{QStringLiteral("Označení"), 24, line("OZNACENI"), cell},
              {QStringLiteral("Kód"), 26, line("KOD"), cell},
              {QStringLiteral("Název"), w - 24 - 26 - 52 - 32, line("POLOZKA"), cell},
              {QStringLiteral("Specifikace"), 52, line("SPECIFIKACE"), cell},
              {QStringLiteral("Množství"), 20, line("MNOZSTVI"), TextStyle(cell).Quantity()},
              {QStringLiteral(" MJ"), 12, QStringLiteral(" ") + line("JEDNOTKA"), cell}},
             LineSet);
    sheet.Band(btReportSummary, 56, {}, 0);
    sheet.Text(0, 2, w, 5, QStringLiteral("Celkem řádků: ") + doc("POLOZKY_CELKEM"), TextStyle{}.Size(9).Bold());
    AddNoteAndInformation(sheet, 0, 9, half);
    AddSignature(sheet, 0, 38, 70, QStringLiteral("Vydal (razítko a podpis)"), true);
    AddSignature(sheet, w - 70, 38, 70, QStringLiteral("Převzal (jméno a podpis)"), false);
}

void BuildCancellation(TvlReport &report)
{
    LayoutSheet sheet(report, PaperA4, 210, 297, 10);
    const double w = sheet.ContentWidth();
    const double half = w / 2 - 2.5;
    double y = StartTwoPartyDocument(sheet, report, QStringLiteral("Storno dokladu"), 96,
                                     QStringLiteral("STORNO DOKLADU"), QStringLiteral("opravný daňový doklad"));
    // The cancellation keeps the number of the document it cancels.
    sheet.Text(0, y, w, 8,
               QStringLiteral("Tímto dokladem se ruší doklad č. ") + doc("DOKLAD_VYTISTENY") +
                   QStringLiteral(" v plném rozsahu."),
               TextStyle{}.Size(11).Bold().Framed().Filled(HeadingFill), QStringLiteral("Storno_Puvodni"));
    y += 10;
    sheet.Box(0, y, w, 12);
    AddLabelRows(sheet, 2, y + 1.5, half - 4, 44,
                 {{QStringLiteral("Datum vystavení storna:"), documentDate()},
                  {QStringLiteral("Datum zdanitelného plnění:"), documentDate()}});
    AddLabelRows(sheet, w - half + 2, y + 1.5, half - 4, 34,
                 {{QStringLiteral("Stornovaný doklad:"), doc("DOKLAD_VYTISTENY")},
                  {QStringLiteral("Vystavil:"), doc("UZIVATEL")}});
    y += 15;
    sheet.Text(0, y, w, 5, QStringLiteral("Stornované položky (záporné množství se vrací na sklad):"),
               TextStyle{}.Size(8));
    AddTable(sheet, PricedLineColumns(w, false), LineSet);
    AddPricedSummary(sheet, QStringLiteral("Vystavil (razítko a podpis)"), QStringLiteral("Převzal"),
                     QStringLiteral("Opravná částka celkem"));
}

namespace {

void BuildReceipt(TvlReport &report, int paper, double width, double height, double margin, bool narrow)
{
    LayoutSheet sheet(report, paper, width, height, margin);
    const double w = sheet.ContentWidth();
    const double half = w / 2 - 2.5;
    StartA4(sheet, report, QStringLiteral("Účtenka"));
    sheet.Band(btReportTitle, 60, {}, 0);
    double y = AddLetterhead(sheet, QStringLiteral("ÚČTENKA"), QStringLiteral("zjednodušený daňový doklad"));
    AddParty(sheet, 0, y, half, 36, QStringLiteral("PRODÁVAJÍCÍ"), QStringLiteral("DODAVATEL"));
    sheet.Box(w - half, y, half, 36);
    const double labels = narrow ? 24 : 40;
    const double rows = AddLabelRows(
        sheet, w - half + 2, y + 1.5, half - 4, labels,
        {{QStringLiteral("Datum prodeje:"), documentDate() + u' ' + documentTime()},
         {narrow ? QStringLiteral("Datum plnění:") : QStringLiteral("Datum zdanitelného plnění:"), documentDate()},
         {QStringLiteral("Forma úhrady:"), QStringLiteral("hotově")},
         {QStringLiteral("Prodal:"), doc("UZIVATEL")}},
        5, 8);
    // The customer's name may take two lines.
    sheet.Text(w - half + 2, y + 1.5 + rows, labels, 5, QStringLiteral("Zákazník:"), TextStyle{}.Size(8));
    sheet.Text(w - half + 2 + labels, y + 2.3 + rows, half - 4 - labels, 34 - rows - 2,
               QStringLiteral("[ODBERATEL_NAZEV]"), TextStyle{}.Size(8).Bold().Top());
    AddTable(sheet, PricedLineColumns(w, narrow), LineSet);
    const double right = narrow ? w * 0.58 : half;
    const double size = narrow ? 8 : 9;
    VatSummary summary(sheet, w - right, right, size);
    summary.Header(narrow ? 2 : 3);
    summary.Rates();
    const double paid = summary.Footer(QStringLiteral("Celkem k úhradě"), size * 0.6 + 2);
    sheet.Text(w - right, paid + 1, right, size * 0.6, QStringLiteral("Zaplaceno hotově. Děkujeme za nákup."),
               TextStyle{}.Size(size).Bold().Right());
    sheet.Band(btReportSummary, 32, {}, 0);
    AddNoteAndInformation(sheet, 0, 2, narrow ? w - right - 4 : half);
}

} // namespace

void BuildReceiptA4(TvlReport &report)
{
    BuildReceipt(report, PaperA4, 210, 297, 10, false);
}

void BuildReceiptA5(TvlReport &report)
{
    BuildReceipt(report, PaperA5, 148, 210, 8, true);
}

void BuildCashVoucher(TvlReport &report)
{
    // The voucher takes the upper half of the sheet, as the cash book's forms
    // do, in a frame drawn band by band: its rate table has a row for each
    // rate of the receipt.
    LayoutSheet sheet(report, PaperA4, 210, 297, 10);
    const double w = sheet.ContentWidth();
    // The sides reach a little into the next band: the band's height and the
    // frame's are rounded to pixels on their own.
    const auto frame = [&sheet, w](double height, quint16 edges) {
        const double overlap = edges & frBottom ? 0 : 0.5;
        TvlMemoView *sides = sheet.Text(0, 0, w, height + overlap, QString(), TextStyle{}.Framed(edges));
        sides->FrameWidth = 1.5;
        sides->Memo.clear();
    };
    sheet.Band(btReportTitle, 68, {}, 0);
    frame(68, frLeft | frTop | frRight);
    sheet.Picture(QStringLiteral("Logo"), 3, 3, 22, 15);
    sheet.Text(28, 3, w - 100, 15,
               QStringLiteral("[DODAVATEL_NAZEV]\n[DODAVATEL_ADRESA]\nIČ: [DODAVATEL_IC]   DIČ: [DODAVATEL_DIC]"),
               TextStyle{}.Size(8).Top());
    sheet.Text(w - 72, 3, 69, 8, QStringLiteral("PŘÍJMOVÝ POKLADNÍ DOKLAD"), TextStyle{}.Size(12).Bold().Right(),
               QStringLiteral("Sestava_Doklad"));
    sheet.Text(w - 72, 11, 69, 6, QStringLiteral("č. ") + doc("DOKLAD_VYTISTENY"), TextStyle{}.Size(11).Bold().Right());
    sheet.HLine(0, 20, w, 1.5);
    double y = 23;
    y += AddLabelRows(sheet, 3, y, w - 6, 38,
                      {{QStringLiteral("Datum:"), documentDate()},
                       {QStringLiteral("Přijato od:"), QStringLiteral("[ODBERATEL_NAZEV]")},
                       {QStringLiteral("Adresa:"), QStringLiteral("[ODBERATEL_ADRESA]")},
                       {QStringLiteral("IČ / DIČ:"), QStringLiteral("[ODBERATEL_IC] / [ODBERATEL_DIC]")},
                       {QStringLiteral("Účel platby:"), QStringLiteral("Úhrada účtenky č. ") + doc("DOKLAD_VYTISTENY") +
                                                            QStringLiteral(" v hotovosti")}},
                      6, 10);
    y += 3;
    sheet.Text(3, y, 38, 10, QStringLiteral("Částka:"), TextStyle{}.Size(12).Bold());
    sheet.Text(41, y, 70, 10, QStringLiteral("[") + docRef("PRODEJ_CELKEM") + QStringLiteral("] Kč"),
               TextStyle{}.Size(14).Bold().Money().Framed().Filled(HeadingFill));

    // The receipt's figures: the same summary as the receipt prints.
    VatSummary summary(sheet, 3, 110, 9);
    frame(summary.Header(2), frLeft | frRight);
    frame(summary.Rates(), frLeft | frRight);
    frame(summary.Footer(QStringLiteral("Přijato celkem")), frLeft | frRight);

    sheet.Band(btReportSummary, 34, {}, 0);
    frame(33, frLeft | frBottom | frRight);
    const double quarter = (w - 6 - 9) / 4;
    AddSignature(sheet, 3, 4, quarter, QStringLiteral("Přijal (podpis)"), true);
    AddSignature(sheet, 6 + quarter, 4, quarter, QStringLiteral("Zaplatil (podpis)"), false);
    AddSignature(sheet, 9 + 2 * quarter, 4, quarter, QStringLiteral("Schválil"), false);
    AddSignature(sheet, 12 + 3 * quarter, 4, quarter, QStringLiteral("Zaúčtoval"), false);
    sheet.Text(3, 25, w - 6, 7, QStringLiteral("[VYTISTENO]"), TextStyle{}.Size(6).Top());
}
