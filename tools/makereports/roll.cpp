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
    sheet.Text(0, 58.5, w * 0.5, 3.5, QStringLiteral("Množství × cena"), TextStyle{}.Size(6).Italic());
    sheet.Text(w * 0.5, 58.5, w * 0.5, 3.5, QStringLiteral("DPH     Celkem Kč"), TextStyle{}.Size(6).Italic().Right());

    // Two lines per item: its name, then quantity, unit price, VAT and total.
    // The name keeps an empty line below it for the second line, which keeps
    // to the band's bottom: a name on more lines makes the band taller and
    // the two never overlap.
    sheet.Band(btMasterData, 9, LineSet, bfStretched);
    const TextStyle small = TextStyle{}.Size(8).Bottom().Stretched();
    sheet.Text(0, 0.5, w, 8, line("POLOZKA") + u'\n', TextStyle{}.Size(8).Bold().Top().Stretched());
    sheet.Text(2, 4.5, w * 0.5 - 2, 4,
               QStringLiteral("[%1.MNOZSTVI #N#,##0,###] %2 × [%1.PRODEJ #N#,##0,00]").arg(LineSet, line("JEDNOTKA")),
               small);
    sheet.Text(w * 0.5, 4.5, w * 0.17, 4, line("DPH") + QStringLiteral(" %"), TextStyle(small).Right());
    sheet.Text(w * 0.67, 4.5, w * 0.33, 4, line("PRODEJ_CELKEM"), TextStyle(small).Money());

    sheet.Band(btReportSummary, 90, {}, 0);
    sheet.HLine(0, 1, w, 1);
    double y = 2 + AddVatSummary(sheet, 0, 2, w, 8) + 1;
    sheet.Text(0, y, w, 5, QStringLiteral("Zaplaceno hotově"), TextStyle{}.Size(9).Bold().Center());
    sheet.Text(0, y + 5, w, 9, QStringLiteral("[POZNAMKA]"), TextStyle(centred).Top().Size(7));
    sheet.RichText(QStringLiteral("Informace"), 0, y + 14, w, 17,
                   QStringLiteral("Informace pro zákazníka: šablona Informace.rtf ve složce programu"));
    sheet.Text(0, y + 32, w, 5, QStringLiteral("Děkujeme za nákup"), TextStyle{}.Size(9).Bold().Center());
    sheet.Text(0, y + 37, w, 6, QStringLiteral("[VYTISTENO]"), TextStyle(centred).Size(5).Top());
}
