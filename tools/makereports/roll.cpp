// The cash receipt on a till roll 80 millimetres wide. The page is laid out
// as a sheet of a custom size; the program cuts each printed page to the
// length of what it holds.
#include "documentparts.h"
#include "shopfields.h"
#include "shoplayouts.h"

namespace {

constexpr int CustomPaper = 256;

} // namespace

void BuildReceiptRoll(TvlReport &report)
{
    LayoutSheet sheet(report, CustomPaper, 80, 297, 4);
    const double w = sheet.ContentWidth();
    const TextStyle centred = TextStyle{}.Size(8).Center();

    sheet.Band(btReportTitle, 62, {}, 0);
    sheet.Picture(QStringLiteral("Logo"), w / 2 - 12, 0, 24, 14);
    sheet.Text(0, 15, w, 6, QStringLiteral("[DODAVATEL_NAZEV]"), TextStyle{}.Size(11).Bold().Center());
    sheet.Text(0, 21, w, 8, QStringLiteral("[DODAVATEL_ADRESA]"), TextStyle(centred).Top());
    sheet.Text(0, 29, w, 4, QStringLiteral("IČ: [DODAVATEL_IC]   DIČ: [DODAVATEL_DIC]"), centred);
    sheet.Text(0, 33, w, 4, QStringLiteral("Tel.: [DODAVATEL_TELEFON]"), centred);
    sheet.HLine(0, 38, w, 1);
    sheet.Text(0, 39, w, 6, QStringLiteral("ÚČTENKA č. ") + doc("DOKLAD_VYTISTENY"),
               TextStyle{}.Size(10).Bold().Center(), QStringLiteral("Sestava_Doklad"));
    sheet.Text(0, 45, w, 4, QStringLiteral("zjednodušený daňový doklad"), TextStyle(centred).Italic());
    sheet.Text(0, 49, w / 2, 4, QStringLiteral("Datum: ") + documentDate(), TextStyle{}.Size(8));
    sheet.Text(w / 2, 49, w / 2, 4, QStringLiteral("Čas: ") + documentTime(), TextStyle{}.Size(8).Right());
    sheet.Text(0, 53, w, 4, QStringLiteral("Prodal: ") + doc("UZIVATEL"), TextStyle{}.Size(8));
    sheet.HLine(0, 58, w, 1);
    // The columns of an item's second line: quantity and unit price, the
    // line's discount (none printed without one), VAT wide enough for any
    // rate with two decimals, and the line's total, which shrinks to its
    // column beyond tens of millions.
    const double discount = w * 0.50, vat = w * 0.615, total = w * 0.765;
    const TextStyle heading = TextStyle{}.Size(6).Italic();
    sheet.Text(0, 58.5, discount, 3.5, QStringLiteral("Množství × cena"), heading);
    sheet.Text(discount, 58.5, vat - discount, 3.5, QStringLiteral("Sleva"), TextStyle(heading).Right());
    sheet.Text(vat, 58.5, total - vat, 3.5, QStringLiteral("DPH"), TextStyle(heading).Right());
    sheet.Text(total, 58.5, w - total, 3.5, QStringLiteral("Celkem Kč"), TextStyle(heading).Right());

    // Two lines per item: its name, then quantity, unit price, discount, VAT
    // and total. The name keeps an empty line below it for the second line,
    // which keeps to the band's bottom: a name on more lines makes the band
    // taller and the two never overlap.
    sheet.Band(btMasterData, 9, LineSet, bfStretched);
    const TextStyle small = TextStyle{}.Size(7).Bottom().Stretched();
    sheet.Text(0, 0.5, w, 8, line("POLOZKA") + u'\n', TextStyle{}.Size(8).Bold().Top().Stretched());
    sheet.Text(1, 4.5, discount - 1, 4,
               QStringLiteral("[%1.MNOZSTVI #N#,##0,###] %2 × [%1.PRODEJ #N#,##0,00]").arg(LineSet, line("JEDNOTKA")),
               small);
    sheet.Text(discount, 4.5, vat - discount, 4,
               QStringLiteral("[IF([%1.SLEVA] = 0, '', STR([%1.SLEVA]) + ' %')]").arg(LineSet),
               TextStyle(small).Right().Figure());
    sheet.Text(vat, 4.5, total - vat, 4, line("DPH") + QStringLiteral(" %"), TextStyle(small).Right().Figure());
    sheet.Text(total, 4.5, w - total, 4, line("PRODEJ_CELKEM"), TextStyle(small).Money());

    VatSummary summary(sheet, 0, w, 8);
    summary.Header(2);
    sheet.HLine(0, 1, w, 1);
    summary.Rates();
    summary.Footer(QStringLiteral("Celkem k úhradě"));

    sheet.Band(btReportSummary, 45, {}, 0);
    sheet.Text(0, 1, w, 5, QStringLiteral("Zaplaceno hotově"), TextStyle{}.Size(9).Bold().Center());
    sheet.Text(0, 6, w, 9, QStringLiteral("[POZNAMKA]"), TextStyle(centred).Top().Size(7));
    sheet.RichText(QStringLiteral("Informace"), 0, 15, w, 17,
                   QStringLiteral("Informace pro zákazníka: šablona Informace.rtf ve složce programu"));
    sheet.Text(0, 33, w, 5, QStringLiteral("Děkujeme za nákup"), TextStyle{}.Size(9).Bold().Center());
    sheet.Text(0, 38, w, 6, QStringLiteral("[VYTISTENO]"), TextStyle(centred).Size(5).Top());
}
