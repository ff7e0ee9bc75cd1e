#include "documentparts.h"

#include "shopfields.h"

#include <algorithm>

namespace {

// A field or expression as an amount in crowns.
QString money(const QString &expression)
{
    return u'[' + expression + QStringLiteral("] Kč");
}

} // namespace

double AddLetterhead(LayoutSheet &sheet, const QString &title, const QString &subtitle)
{
    const double w = sheet.ContentWidth();
    const double logo = w > 150 ? 26 : 18;
    sheet.Picture(QStringLiteral("Logo"), 0, 0, logo, 18);
    const double titleWidth = std::min(88.0, w * 0.4);
    sheet.RichText(QStringLiteral("Hlavicka"), logo + 3, 0, w - logo - 3 - titleWidth - 2, 19,
                   QStringLiteral("Hlavička dokladu: šablona Hlavicka.rtf ve složce programu"));
    sheet.Text(w - titleWidth, 0, titleWidth, 7, title, TextStyle{}.Size(12).Bold().Right(),
               QStringLiteral("Sestava_Doklad"));
    sheet.Text(w - titleWidth, 7.5, titleWidth, 6, QStringLiteral("č. ") + doc("DOKLAD_VYTISTENY"),
               TextStyle{}.Size(11).Bold().Right());
    if (!subtitle.isEmpty())
        sheet.Text(w - titleWidth, 13.5, titleWidth, 4.5, subtitle, TextStyle{}.Size(8).Italic().Right());
    sheet.HLine(0, 20, w, 2);
    return 22;
}

void AddParty(LayoutSheet &sheet, double x, double y, double w, double h, const QString &caption, const QString &prefix)
{
    const auto var = [&prefix](const char *name) { return u'[' + prefix + u'_' + QLatin1String(name) + u']'; };
    sheet.Box(x, y, w, h, 1);
    sheet.Text(x + 2, y + 1, w - 4, 4.5, caption, TextStyle{}.Size(7).Bold());
    sheet.Text(x + 2, y + 5.5, w - 4, 6, var("NAZEV"), TextStyle{}.Size(11).Bold());
    sheet.Text(x + 2, y + 12, w - 4, h - 27, var("ADRESA"), TextStyle{}.Size(9).Top());
    sheet.Text(x + 2, y + h - 14.5, w - 4, 4.5,
               QStringLiteral("IČ: ") + var("IC") + QStringLiteral("     DIČ: ") + var("DIC"),
               TextStyle{}.Size(9).Bold());
    sheet.Text(x + 2, y + h - 9.5, w - 4, 4, QStringLiteral("Tel.: ") + var("TELEFON"), TextStyle{}.Size(8));
    sheet.Text(x + 2, y + h - 5.5, w - 4, 4, QStringLiteral("E-mail: ") + var("EMAIL"), TextStyle{}.Size(8));
}

double AddLabelRows(LayoutSheet &sheet, double x, double y, double w, double labelWidth, const LabelRows &rows,
                    double rowHeight, double size)
{
    double at = y;
    for (const auto &[label, value] : rows) {
        sheet.Text(x, at, labelWidth, rowHeight, label, TextStyle{}.Size(size));
        sheet.Text(x + labelWidth, at, w - labelWidth, rowHeight, value, TextStyle{}.Size(size).Bold());
        at += rowHeight;
    }
    return at - y;
}

TvlBandView *AddTable(LayoutSheet &sheet, const QList<TableColumn> &columns, const QString &source, double rowHeight)
{
    sheet.Band(btMasterHeader, 8, {}, bfReprintOnNewPage);
    double x = 0;
    for (const TableColumn &column : columns) {
        TextStyle style = column.style;
        style.bold = true;
        style.size = 8;
        style.fill = HeadingFill;
        style.frame = frTop | frBottom;
        style.format = 0;
        style.formatText.clear();
        sheet.Text(x, 0, column.width, 8, column.title, style);
        x += column.width;
    }
    TvlBandView *data = sheet.Band(btMasterData, rowHeight, source, bfStretched);
    x = 0;
    for (const TableColumn &column : columns) {
        TextStyle style = column.style;
        style.frame = frBottom;
        style.stretched = true;
        TvlMemoView *cell = sheet.Text(x, 0, column.width, rowHeight, column.text, style);
        cell->FrameColor = RuleColour;
        x += column.width;
    }
    return data;
}

QList<TableColumn> PricedLineColumns(double width, bool narrow)
{
    const TextStyle cell = TextStyle{}.Size(8);
    QList<TableColumn> columns;
    const double name = width - (narrow ? 83 : 130);
    if (!narrow)
        columns << TableColumn{QStringLiteral("Označení"), 22, line("OZNACENI"), cell};
    columns << TableColumn{QStringLiteral("Název"), name, line("POLOZKA"), cell}
            << TableColumn{QStringLiteral("Množství"), narrow ? 16.0 : 17.0, line("MNOZSTVI"),
                           TextStyle(cell).Quantity()}
            << TableColumn{QStringLiteral(" MJ"), narrow ? 8.0 : 10.0, QStringLiteral(" ") + line("JEDNOTKA"), cell}
            << TableColumn{QStringLiteral("Cena/MJ\ns DPH"), narrow ? 18.0 : 23.0, line("PRODEJ"),
                           TextStyle(cell).Money()}
            << TableColumn{QStringLiteral("Sleva"), narrow ? 10.0 : 13.0, line("SLEVA") + QStringLiteral(" %"),
                           TextStyle(cell).Right()}
            << TableColumn{QStringLiteral("DPH"), narrow ? 11.0 : 20.0, line("DPH") + QStringLiteral(" %"),
                           TextStyle(cell).Right()}
            << TableColumn{QStringLiteral("Celkem\ns DPH"), narrow ? 20.0 : 25.0, line("PRODEJ_CELKEM"),
                           TextStyle(cell).Money()};
    return columns;
}

double AddVatSummary(LayoutSheet &sheet, double x, double y, double w, double size, const QString &totalCaption)
{
    // Every figure here is one the document query gives to the haler, so that
    // they add up as printed: the lines to their sum, the sum and the
    // discount to the rates' totals, each rate's base and VAT to its total,
    // and with the rounding to the total to pay.
    const double rowHeight = size * 0.6;
    const double valueWidth = w * 0.42;
    const TextStyle label = TextStyle{}.Size(size);
    const TextStyle value = TextStyle{}.Size(size).Money();
    double at = y;
    const auto row = [&](const QString &caption, const char *field) {
        sheet.Text(x, at, w - valueWidth, rowHeight, caption, label);
        sheet.Text(x + w - valueWidth, at, valueWidth, rowHeight, money(docRef(field)), value);
        at += rowHeight;
    };
    row(QStringLiteral("Součet položek"), "SOUCET_POLOZEK");
    row(QStringLiteral("Sleva na doklad ") + doc("SLEVA") + QStringLiteral(" %"), "SLEVA_CASTKA");

    // Per rate its base, VAT and total in a small table; the rate's caption
    // ("DPH 10%:") stays on one line, as words wrap at blanks only.
    const double rateWidth = std::max(19.0, w * 0.2);
    const double column = (w - rateWidth) / 3;
    const TextStyle heading = TextStyle{}.Size(size - 1).Italic().Right();
    const TextStyle figure = TextStyle{}.Size(size - 1).Money();
    const QStringList headings = {QStringLiteral("Základ"), QStringLiteral("DPH"), QStringLiteral("Celkem")};
    for (int i = 0; i < headings.size(); ++i)
        sheet.Text(x + rateWidth + i * column, at, column, rowHeight, headings[i], heading);
    at += rowHeight;
    for (const char *rate : {"DPH1", "DPH2"}) {
        const QString total = QStringLiteral("%1.%2_PRODEJ_CELKEM").arg(DocumentSet, QLatin1String(rate));
        const QString vat = QStringLiteral("%1.%2_DPH").arg(DocumentSet, QLatin1String(rate));
        sheet.Text(x, at, rateWidth, rowHeight, QStringLiteral("[%1_DPH]").arg(QLatin1String(rate)), label);
        const QStringList figures = {QStringLiteral("[[%1] - [%2]]").arg(total, vat), u'[' + vat + u']',
                                     u'[' + total + u']'};
        for (int i = 0; i < figures.size(); ++i)
            sheet.Text(x + rateWidth + i * column, at, column, rowHeight, figures[i], figure);
        at += rowHeight;
    }
    row(QStringLiteral("Zaokrouhlení"), "ZAOKROUHLENI");
    at += 1;
    sheet.HLine(x, at, w, 1.5);
    at += 1;
    // The total in larger letters takes more of the width, so that an amount
    // in millions stays on one line.
    const double totalHeight = rowHeight * 1.6;
    const double totalWidth = std::min(w * 0.5, 40.0);
    sheet.Text(x, at, w - totalWidth, totalHeight, totalCaption, TextStyle{}.Size(size + 3).Bold().Filled(HeadingFill));
    sheet.Text(x + w - totalWidth, at, totalWidth, totalHeight, money(docRef("PRODEJ_CELKEM")),
               TextStyle{}.Size(size + 3).Bold().Money().Filled(HeadingFill));
    at += totalHeight;
    return at - y;
}

void AddPageFooter(LayoutSheet &sheet)
{
    const double w = sheet.ContentWidth();
    sheet.Band(btPageFooter, 9, {}, bfPrintOnFirstPage | bfPrintOnLastPage);
    sheet.HLine(0, 0.5, w, 1);
    sheet.Text(0, 1, w - 40, 7.5, QStringLiteral("[VYTISTENO]"), TextStyle{}.Size(6).Top());
    sheet.Text(w - 40, 1, 40, 4, QStringLiteral("Strana [PAGE#] z [TOTALPAGES]"), TextStyle{}.Size(7).Right().Top());
}

void AddContinuationHeader(LayoutSheet &sheet, const QString &text)
{
    const double w = sheet.ContentWidth();
    sheet.Band(btPageHeader, 7, {}, 0);
    sheet.Text(0, 0, w, 5, text, TextStyle{}.Size(8).Italic());
    sheet.HLine(0, 5.5, w, 1);
}

double AddNoteAndInformation(LayoutSheet &sheet, double x, double y, double w)
{
    sheet.Text(x, y, w, 4.5, QStringLiteral("Poznámka:"), TextStyle{}.Size(7).Bold());
    sheet.Text(x, y + 4.5, w, 9, QStringLiteral("[POZNAMKA]"), TextStyle{}.Size(8).Top());
    sheet.RichText(QStringLiteral("Informace"), x, y + 14, w, 16,
                   QStringLiteral("Informace pro zákazníka: šablona Informace.rtf ve složce programu"));
    return 30;
}

void AddSignature(LayoutSheet &sheet, double x, double y, double w, const QString &caption, bool picture)
{
    if (picture)
        sheet.Picture(QStringLiteral("Podpis"), x + w / 2 - 20, y, 40, 14);
    TvlLineView *rule = sheet.HLine(x, y + 15, w, 1);
    rule->FrameStyle = psDot;
    sheet.Text(x, y + 15.5, w, 4, caption, TextStyle{}.Size(7).Center().Top());
}
