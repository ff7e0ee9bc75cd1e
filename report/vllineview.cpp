#include "report/vllineview.h"

#include "report/xmlreport.h"

TvlLineView::TvlLineView()
{
    NamePrefix = QStringLiteral("Line");
    ObjectType = otLine;
    FrameTyp = frLeft;
}

void TvlLineView::Normalize()
{
    if (IsVertical()) {
        Width = 0;
        FrameTyp = frLeft;
    } else {
        Height = 0;
        FrameTyp = frTop;
    }
}

void TvlLineView::Draw(TvlCanvas &canvas)
{
    Normalize();
    PrintingToPrinter = canvas.IsPrinter();
    PrepareDrawRect(canvas.Mode);
    if (canvas.Mode != TvlDrawMode::CountingPages) {
        if (FrameTyp == frLeft)
            DrawEdge(canvas, Left, Top, Left, Top + Height, true);
        else
            DrawEdge(canvas, Left, Top, Left + Width, Top, false);
    }
    RestoreBounds();
}

QRegion TvlLineView::GetClipRgn(bool withMargin) const
{
    const double factor = FrameStyle == psDouble ? 1.5 : 0.5;
    int half = vlRound(FrameWidth * factor) + (FrameStyle == psDouble ? vlRound(FrameWidth) : 0);
    if (withMargin)
        half += 2;
    half = std::max(half, 1);
    if (IsVertical())
        return QRegion(Left - half, Top, 2 * half + 1, Height + 1);
    return QRegion(Left, Top - half, Width + 1, 2 * half + 1);
}

void TvlLineView::WriteXmlElement(TvlXmlWriter &xml, const TvlXmlContext &context)
{
    xml.BeginElement(XmlElementName());
    WriteXmlCommon(xml, context);
    if (!(Flags & 1))
        xml.Attribute(QStringLiteral("Stretched"), QStringLiteral("False"));
    xml.EndEmptyElement();
}
