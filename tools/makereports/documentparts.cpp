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
    const double name = width - (narrow ? 85 : 130);
    if (!narrow)
        columns << TableColumn{QStringLiteral("Označení"), 22, line("OZNACENI"), cell};
    columns << TableColumn{QStringLiteral("Název"), name, line("POLOZKA"), cell}
            << TableColumn{QStringLiteral("Množství"), narrow ? 16.0 : 17.0, line("MNOZSTVI"),
                           TextStyle(cell).Quantity()}
            << TableColumn{QStringLiteral(" MJ"), narrow ? 8.0 : 10.0, QStringLiteral(" ") + line("JEDNOTKA"), cell}
            << TableColumn{QStringLiteral("Cena/MJ\ns DPH"), narrow ? 18.0 : 23.0, line("PRODEJ"),
                           TextStyle(cell).Money()}
            << TableColumn{QStringLiteral("Sleva"), narrow ? 10.0 : 13.0, line("SLEVA") + QStringLiteral(" %"),
                           TextStyle(cell).Right().Figure()}
            << TableColumn{QStringLiteral("DPH"), narrow ? 13.0 : 20.0, line("DPH") + QStringLiteral(" %"),
                           TextStyle(cell).Right().Figure()}
            << TableColumn{QStringLiteral("Celkem\ns DPH"), narrow ? 20.0 : 25.0, line("PRODEJ_CELKEM"),
                           TextStyle(cell).Money()};
    return columns;
}

void VatSummary::Row(double y, const QString &caption, const QString &figure)
{
    const double valueWidth = m_w * 0.42;
    m_sheet.Text(m_x, y, m_w - valueWidth, RowHeight(), caption, TextStyle{}.Size(m_size));
    m_sheet.Text(m_x + m_w - valueWidth, y, valueWidth, RowHeight(), figure, TextStyle{}.Size(m_size).Money());
}

namespace {

// The rate table: the rate's caption, wide enough for "DPH 12,55%:" and
// kept on one line, then base, VAT and total in three equal columns, in a
// size smaller.
struct RateColumns
{
    double caption, figure;
    RateColumns(double w, double size)
        : caption(size * 2.4)
        , figure((w - caption) / 3)
    {}
};

} // namespace

double VatSummary::Header(double gap)
{
    const double height = gap + 3 * RowHeight();
    m_sheet.Band(btMasterHeader, height);
    Row(gap, QStringLiteral("Součet položek"), money(docRef("SOUCET_POLOZEK")));
    Row(gap + RowHeight(), QStringLiteral("Sleva na doklad ") + doc("SLEVA") + QStringLiteral(" %"),
        money(docRef("SLEVA_CASTKA")));
    const RateColumns columns(m_w, m_size);
    const TextStyle heading = TextStyle{}.Size(m_size - 1).Italic().Right();
    const QStringList headings = {QStringLiteral("Základ"), QStringLiteral("DPH"), QStringLiteral("Celkem")};
    for (int i = 0; i < headings.size(); ++i)
        m_sheet.Text(m_x + columns.caption + i * columns.figure, gap + 2 * RowHeight(), columns.figure, RowHeight(),
                     headings[i], heading);
    return height;
}

double VatSummary::Rates()
{
    m_sheet.Band(btMasterData, RowHeight(), RateSet);
    const RateColumns columns(m_w, m_size);
    m_sheet.Text(m_x, 0, columns.caption, RowHeight(), QStringLiteral("DPH ") + rate("DPH") + QStringLiteral("%:"),
                 TextStyle{}.Size(m_size).Figure());
    const QStringList figures = {rate("ZAKLAD"), rate("DPH_CASTKA"), rate("PRODEJ_CELKEM")};
    for (int i = 0; i < figures.size(); ++i)
        m_sheet.Text(m_x + columns.caption + i * columns.figure, 0, columns.figure, RowHeight(), figures[i],
                     TextStyle{}.Size(m_size - 1).Money());
    return RowHeight();
}

double VatSummary::Footer(const QString &totalCaption, double room)
{
    // The total in larger letters takes more of the width, so that an amount
    // in millions stays on one line.
    const double totalHeight = RowHeight() * 1.6;
    const double totalWidth = std::min(m_w * 0.5, 40.0);
    const double below = RowHeight() + 2 + totalHeight;
    m_sheet.Band(btMasterFooter, below + room);
    Row(0, QStringLiteral("Zaokrouhlení"), money(docRef("ZAOKROUHLENI")));
    m_sheet.HLine(m_x, RowHeight() + 1, m_w, 1.5);
    const TextStyle total = TextStyle{}.Size(m_size + 3).Bold().Filled(HeadingFill);
    m_sheet.Text(m_x, RowHeight() + 2, m_w - totalWidth, totalHeight, totalCaption, total);
    m_sheet.Text(m_x + m_w - totalWidth, RowHeight() + 2, totalWidth, totalHeight, money(docRef("PRODEJ_CELKEM")),
                 TextStyle(total).Money());
    return below;
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
