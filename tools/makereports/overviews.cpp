// The two overviews of the main window's lists: the items of the store and
// the documents, each with totals per group and for the whole list.
#include "documentparts.h"
#include "shopfields.h"
#include "shoplayouts.h"

namespace {

constexpr int PaperA4 = 9;

QString field(const QString &set, const char *name)
{
    return u'[' + set + u'.' + QLatin1String(name) + u']';
}

// Page header and footer of an overview, and its heading: the title object
// and the printing day.
void StartOverview(LayoutSheet &sheet, TvlReport &report, const QString &title, const QString &name)
{
    report.TwoPass = 1; // "Strana N z M"
    const double w = sheet.ContentWidth();
    AddContinuationHeader(sheet, title + QStringLiteral(" (pokračování)"));
    AddPageFooter(sheet);
    sheet.Band(btReportTitle, 16, {}, 0);
    sheet.Picture(QStringLiteral("Logo"), 0, 0, 18, 12);
    sheet.Text(21, 0, w - 80, 8, title, TextStyle{}.Size(14).Bold(), name);
    sheet.Text(21, 8, w - 80, 5, QStringLiteral("[DODAVATEL_NAZEV]"), TextStyle{}.Size(8));
    sheet.Text(w - 60, 0, 60, 5, QStringLiteral("Vytištěno: [DATE #Dd.m.yyyy] [TIME #Thh:nn]"),
               TextStyle{}.Size(8).Right());
    sheet.HLine(0, 14, w, 2);
}

} // namespace

void BuildItemOverview(TvlReport &report)
{
    LayoutSheet sheet(report, PaperA4, 210, 297, 10);
    const double w = sheet.ContentWidth();
    // The preview screen adds the store's name to the title.
    StartOverview(sheet, report, QStringLiteral("Přehled položek skladu"), QStringLiteral("Sestava_Sklad"));

    const TextStyle cell = TextStyle{}.Size(8);
    const double name = w - 20 - 23 - 18 - 10 - 20 - 20 - 12 - 24;
    // Items are grouped by category; sorting the list by category gives one group per category.
    sheet.Band(btGroupHeader, 7, QStringLiteral("COPY([KATEGORIE], 1, 255)"), 0);
    sheet.Text(0, 1, w, 6, QStringLiteral("Kategorie: ") + field(ItemSet, "KATEGORIE"), TextStyle{}.Size(9).Bold());
    TvlBandView *data = AddTable(
        sheet,
        {{QStringLiteral("Označení"), 20, field(ItemSet, "OZNACENI"), cell},
         {QStringLiteral("Kód"), 23, field(ItemSet, "KOD"), cell}, // a 13-digit EAN on one line
         {QStringLiteral("Název"), name, field(ItemSet, "POLOZKA"), cell},
         {QStringLiteral("Množství"), 18, field(ItemSet, "MNOZSTVI"), TextStyle(cell).Quantity()},
         {QStringLiteral(" MJ"), 10, QStringLiteral(" ") + field(ItemSet, "JEDNOTKA"), cell},
         {QStringLiteral("Nákup/MJ"), 20, field(ItemSet, "NAKUP"), TextStyle(cell).Money()},
         {QStringLiteral("Prodej/MJ"), 20, field(ItemSet, "PRODEJ"), TextStyle(cell).Money()},
         {QStringLiteral("DPH"), 12, field(ItemSet, "DPH") + QStringLiteral(" %"), TextStyle(cell).Right().Figure()},
         {QStringLiteral("Nákup celkem"), 24, field(ItemSet, "NAKUP_CELKEM"), TextStyle(cell).Money()}},
        ItemSet);
    data->Name = QStringLiteral("Polozky");

    const TextStyle total = TextStyle{}.Size(8).Bold();
    sheet.Band(btGroupFooter, 7, {}, 0);
    // A footer prints when the list is already on the next group's first row:
    // it names no field of the row.
    sheet.Text(0, 0, w - 24, 6, QStringLiteral("Celkem za kategorii (položek: [COUNT(Polozky)]):"), total);
    sheet.Text(w - 24, 0, 24, 6, QStringLiteral("[SUM([NAKUP_CELKEM], Polozky)]"),
               TextStyle(total).Money().Framed(frTop));

    sheet.Band(btReportSummary, 18, {}, 0);
    sheet.HLine(0, 1, w, 2);
    AddLabelRows(sheet, w - 110, 3, 110, 80,
                 {{QStringLiteral("Počet položek:"), QStringLiteral("[COUNT(%1)]").arg(ItemSet)},
                  {QStringLiteral("Hodnota skladu v nákupních cenách:"),
                   QStringLiteral("[SUM(%1.NAKUP_CELKEM) #N#,##0,00] Kč").arg(ItemSet)},
                  {QStringLiteral("Hodnota skladu v prodejních cenách:"),
                   QStringLiteral("[SUM([%1.PRODEJ] * [%1.MNOZSTVI]) #N#,##0,00] Kč").arg(ItemSet)}},
                 4.8, 9);
}

void BuildDocumentOverview(TvlReport &report)
{
    LayoutSheet sheet(report, PaperA4, 210, 297, 10);
    const double w = sheet.ContentWidth();
    StartOverview(sheet, report, QStringLiteral("Přehled dokladů"), QStringLiteral("Sestava_Prehled"));

    const TextStyle cell = TextStyle{}.Size(8);
    const QString time = field(DocumentSet, "CAS");
    // One group per day: the list is in time order unless the user sorts it otherwise.
    sheet.Band(btGroupHeader, 7, QStringLiteral("COPY(%1, 1, 10)").arg(time), 0);
    sheet.Text(0, 1, w, 6,
               QStringLiteral("Den: [INT(COPY(%1, 9, 2))].[INT(COPY(%1, 6, 2))].[COPY(%1, 1, 4)]").arg(time),
               TextStyle{}.Size(9).Bold());
    const double customer = w - 10 - 30 - 32 - 15 - 12 - 22 - 22 - 20;
    TvlBandView *data = AddTable(
        sheet,
        {{QStringLiteral("Čas"), 10, QStringLiteral("[COPY(%1, 12, 5)]").arg(time), cell},
         {QStringLiteral("Doklad"), 30, field(DocumentSet, "DOKLAD_VYTISTENY"), cell},
         {QStringLiteral("Operace"), 32,
          QStringLiteral("[IF([%1.ID_OPERACE] > 3, 'Storno ', '')][IF([%1.ID_OPERACE] = 1, 'účtenka', "
                         "IF([%1.ID_OPERACE] = 4, 'účtenky', IF([%1.ID_OPERACE] = 2, 'faktura', "
                         "IF([%1.ID_OPERACE] = 5, 'faktury', IF([%1.ID_OPERACE] = 3, 'dodací list', "
                         "'dodacího listu')))))]")
              .arg(DocumentSet),
          cell},
         {QStringLiteral("Odběratel"), customer, field(DocumentSet, "ODBERATEL"), cell},
         {QStringLiteral("Stav"), 15, QStringLiteral("[%1.STATE_STAV #BZrušený;Platný]").arg(DocumentSet), cell},
         {QStringLiteral("Řádků"), 12, field(DocumentSet, "POLOZKY_CELKEM"), TextStyle(cell).Right()},
         {QStringLiteral("Nákup"), 22, field(DocumentSet, "NAKUP_CELKEM"), TextStyle(cell).Money()},
         {QStringLiteral("Prodej s DPH"), 22, field(DocumentSet, "PRODEJ_CELKEM"), TextStyle(cell).Money()},
         {QStringLiteral("DPH"), 20, field(DocumentSet, "DPH_CASTKA"), TextStyle(cell).Money()}},
        DocumentSet);
    data->Name = QStringLiteral("Doklady");

    const TextStyle total = TextStyle(cell).Bold().Money().Framed(frTop);
    // Sums of the rows printed in the data band since the footer's range began.
    const auto sums = [&](double y) {
        const double x = w - 64;
        sheet.Text(x, y, 22, 6, QStringLiteral("[SUM([NAKUP_CELKEM], Doklady)]"), total);
        sheet.Text(x + 22, y, 22, 6, QStringLiteral("[SUM([PRODEJ_CELKEM], Doklady)]"), total);
        sheet.Text(x + 44, y, 20, 6, QStringLiteral("[SUM([DPH_CASTKA], Doklady)]"), total);
    };
    sheet.Band(btGroupFooter, 7, {}, 0);
    sheet.Text(0, 0, w - 64, 6, QStringLiteral("Celkem za den (dokladů: [COUNT(Doklady)]):"),
               TextStyle{}.Size(8).Bold());
    sums(0);

    sheet.Band(btReportSummary, 12, {}, 0);
    sheet.HLine(0, 1, w, 2);
    // The whole list: the datasets' own sums.
    sheet.Text(0, 2, w - 64, 6, QStringLiteral("Celkem (dokladů: [COUNT(%1)]):").arg(DocumentSet),
               TextStyle{}.Size(9).Bold());
    sheet.Text(w - 64, 2, 22, 6, QStringLiteral("[SUM(%1.NAKUP_CELKEM)]").arg(DocumentSet), total);
    sheet.Text(w - 42, 2, 22, 6, QStringLiteral("[SUM(%1.PRODEJ_CELKEM)]").arg(DocumentSet), total);
    sheet.Text(w - 20, 2, 20, 6, QStringLiteral("[SUM(%1.DPH_CASTKA)]").arg(DocumentSet), total);
    sheet.Text(0, 8, w, 4, QStringLiteral("Stornované doklady a jejich storna se v součtech navzájem ruší."),
               TextStyle{}.Size(7).Italic());
}
