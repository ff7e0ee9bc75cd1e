#include "report/vlbandview.h"

#include "report/xmlreport.h"

namespace {

struct BandTypeInfo
{
    const char *name;
    const char *xmlClass;
};

const BandTypeInfo bandTypes[btCount] = {
    {"Report title", "TvlxReportTitle"},
    {"Report summary", "TvlxReportSummary"},
    {"Page header", "TvlxPageHeader"},
    {"Page footer", "TvlxPageFooter"},
    {"Master header", "TvlxHeader"},
    {"Master data", "TvlxMasterData"},
    {"Master footer", "TvlxFooter"},
    {"Detail header", "TvlxHeader"},
    {"Detail data", "TvlxDetailData"},
    {"Detail footer", "TvlxFooter"},
    {"Subdetail header", "TvlxHeader"},
    {"Subdetail data", "TvlxSubDetailData"},
    {"Subdetail footer", "TvlxFooter"},
    {"Overlay", "TvlxOverlay"},
    {"Column header", "TvlxColumnHeader"},
    {"Column footer", "TvlxColumnFooter"},
    {"Group header", "TvlxGroupHeader"},
    {"Group footer", "TvlxGroupFooter"},
    {"Cross header", ""},
    {"Cross data", ""},
    {"Cross footer", ""},
};

constexpr int tabWidth = 100;
constexpr int tabHeight = 18;

} // namespace

const QList<TvlBandOption> &vlBandOptions()
{
    static const QList<TvlBandOption> options = {
        {bfStretched, "Stretched", QStringLiteral("Roztáhnout"), {0, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 16, 17, 18}},
        {bfStartNewPage,
         "StartNewPage",
         QStringLiteral("Vynutit přechod na novou stranu"),
         {0, 1, 5, 6, 8, 9, 11, 12, 16}},
        {bfPrintIfDetailEmpty, "PrintIfDetailEmpty", QStringLiteral("Tisknout jestliže je detail prázdný"), {5, 8}},
        {bfAllowSplit, "AllowSplit", QStringLiteral("Přerušeno"), {0, 1, 4, 5, 6, 7, 8, 9, 10, 11, 12, 16, 17}},
        {bfPrintOnFirstPage, "PrintOnFirstPage", QStringLiteral("Na první straně"), {2, 3}},
        {bfPrintOnLastPage, "PrintOnLastPage", QStringLiteral("Na poslední straně"), {3}},
        {bfReprintOnNewPage, "ReprintOnNewPage", QStringLiteral("Zobrazit na všech stranách"), {4, 7, 10, 16, 18}},
    };
    return options;
}

QString vlNoDataSource()
{
    return QStringLiteral("[Žádný]");
}

bool vlIsNoDataSource(const QString &source)
{
    const QString text = source.trimmed();
    return text.isEmpty() || text == vlNoDataSource();
}

QString vlBandName(int bandType)
{
    return bandType >= 0 && bandType < btCount ? QString::fromLatin1(bandTypes[bandType].name) : QString();
}

QString vlBandXmlClass(int bandType)
{
    return bandType >= 0 && bandType < btCount ? QString::fromLatin1(bandTypes[bandType].xmlClass) : QString();
}

bool vlIsVerticalBand(int bandType)
{
    return bandType >= btCrossHeader && bandType <= btCrossFooter;
}

TvlBandView::TvlBandView()
{
    NamePrefix = QStringLiteral("Band");
    ObjectType = otBand;
    Flags = bfPrintOnFirstPage | bfPrintOnLastPage;
    Format = 0;
}

QRect TvlBandView::BandRect(const QRect &page) const
{
    if (vlIsVerticalBand(GetBandType()))
        return QRect(Left, 0, Width, page.height());
    return QRect(0, Top, page.width(), Height);
}

QRect TvlBandView::TitleRect(const QRect &page) const
{
    const QRect band = BandRect(page);
    if (vlIsVerticalBand(GetBandType()))
        return QRect(band.left() - tabHeight, band.top(), tabHeight, tabWidth);
    return QRect(band.left(), band.top() - tabHeight, tabWidth, tabHeight);
}

void TvlBandView::Draw(TvlCanvas &canvas)
{
    if (canvas.Mode != TvlDrawMode::Design)
        return; // bands leave no trace in prepared pages
    const QRect band = BandRect(canvas.DesignPage);
    canvas.Brush = {vlclWhite, TvlBrush::Checker};
    canvas.FillRect(band);
    canvas.Pen = {vlclBtnFace, 1, psSolid};
    canvas.Rectangle(band);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11); // 8 points
    canvas.Font = font;
    canvas.FontColor = 0;
    const bool vertical = vlIsVerticalBand(GetBandType());
    if (!canvas.ShowBandTitles) {
        canvas.TextOut(band.left() + 2, band.top() + 2, vlBandName(GetBandType()));
        return;
    }
    const QRect tab = TitleRect(canvas.DesignPage);
    canvas.Brush = {vlclBtnFace, TvlBrush::Solid};
    canvas.FillRect(tab);
    canvas.Pen = {vlclBtnShadow, 1, psSolid};
    if (vertical) {
        canvas.Line(tab.right() - 1, tab.top(), tab.right() - 1, tab.bottom());
        canvas.Pen = {0, 1, psSolid};
        canvas.Line(tab.left(), tab.bottom(), tab.right(), tab.bottom());
        canvas.SelectFont(vlCreateRotatedFont(font));
        canvas.TextOut(tab.left() + 2, tab.bottom() - 3, vlBandName(GetBandType()));
        canvas.SelectFont({font});
    } else {
        canvas.Line(tab.left(), tab.bottom() - 1, tab.right(), tab.bottom() - 1);
        canvas.Pen = {0, 1, psSolid};
        canvas.Line(tab.right(), tab.top(), tab.right(), tab.bottom());
        canvas.TextOut(tab.left() + 3, tab.top() + 2, vlBandName(GetBandType()));
    }
}

QList<TvlMenuOption> TvlBandView::FillPopupMenu() const
{
    QList<TvlMenuOption> options;
    for (const TvlBandOption &option : vlBandOptions())
        if (option.BandTypes.contains(GetBandType()))
            options.append({option.MenuText, option.Flag});
    return options;
}

QRegion TvlBandView::GetClipRgn(bool withMargin) const
{
    QRegion region(BandRect(DesignPage));
    region += TitleRect(DesignPage);
    if (withMargin)
        region += BandRect(DesignPage).adjusted(-1, -1, 1, 1);
    return region;
}

void TvlBandView::WriteXmlElement(TvlXmlWriter &xml, const TvlXmlContext &context)
{
    const QString element = vlBandXmlClass(GetBandType());
    if (element.isEmpty())
        return;
    xml.BeginElement(element);
    xml.Attribute(QStringLiteral("Name"), Name);
    xml.Attribute(QStringLiteral("Top"), Top);
    xml.Attribute(QStringLiteral("Height"), Height);
    if (!IsVisible())
        xml.Attribute(QStringLiteral("Visible"), QStringLiteral("False"));
    const QString yes = QStringLiteral("True"), no = QStringLiteral("False");
    if (Flags & bfStretched)
        xml.Attribute(QStringLiteral("Stretched"), yes);
    if (Flags & bfStartNewPage)
        xml.Attribute(QStringLiteral("StartNewPage"), yes);
    if (Flags & bfPrintIfDetailEmpty)
        xml.Attribute(QStringLiteral("PrintIfDetailEmpty"), yes);
    if (Flags & bfAllowSplit)
        xml.Attribute(QStringLiteral("AllowSplit"), yes);
    if (!(Flags & bfPrintOnFirstPage))
        xml.Attribute(QStringLiteral("PrintOnFirstPage"), no);
    if (!(Flags & bfPrintOnLastPage))
        xml.Attribute(QStringLiteral("PrintOnLastPage"), no);
    if (Flags & bfReprintOnNewPage)
        xml.Attribute(QStringLiteral("ReprintOnNewPage"), yes);
    if (!Script.isEmpty())
        xml.Attribute(QStringLiteral("OnBeforePrint"), Name + QStringLiteral("OnBeforePrint"));
    const int type = GetBandType();
    if ((type == btMasterData || type == btDetailData || type == btSubDetailData) && context.DataSetComponent) {
        const QString component = context.DataSetComponent(FormatText);
        if (!component.isEmpty())
            xml.Attribute(QStringLiteral("DataSetName"), component);
    }
    if (type == btGroupHeader)
        xml.Attribute(QStringLiteral("Condition"), FormatText);
    xml.EndEmptyElement();
}
