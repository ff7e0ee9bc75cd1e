#include "report/vlsubreportview.h"

#include "report/xmlreport.h"

TvlSubReportView::TvlSubReportView()
{
    NamePrefix = QStringLiteral("SubReport");
    ObjectType = otSubReport;
}

void TvlSubReportView::Assign(const TvlView &source)
{
    TvlView::Assign(source);
    if (auto *sub = dynamic_cast<const TvlSubReportView *>(&source))
        PageIndex = sub->PageIndex;
}

void TvlSubReportView::Draw(TvlCanvas &canvas)
{
    if (canvas.Mode != TvlDrawMode::Design)
        return;
    PrepareDrawRect(canvas.Mode);
    canvas.Brush = {vlclWhite, TvlBrush::Solid};
    canvas.FillRect(QRect(Left, Top, Width, Height));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11); // 8 points
    canvas.Font = font;
    canvas.FontColor = 0;
    canvas.SetClipRect(QRect(Left, Top, Width + 1, Height + 1));
    canvas.TextOut(Left + 2, Top + 2, QStringLiteral("Podsestava na straně %1").arg(PageIndex + 1));
    canvas.ResetClip();
    DrawFrame(canvas);
    RestoreBounds();
}

void TvlSubReportView::SaveToStream(ByteStream &stream)
{
    TvlView::SaveToStream(stream);
    stream.writeInt32(PageIndex);
}

void TvlSubReportView::LoadFromStream(ByteStream &stream, int version)
{
    TvlView::LoadFromStream(stream, version);
    PageIndex = stream.readInt32();
}

void TvlSubReportView::WriteXmlElement(TvlXmlWriter &xml, const TvlXmlContext &context)
{
    xml.BeginElement(QStringLiteral("TvlxSubreport"));
    WriteXmlCommon(xml, context);
    xml.Attribute(QStringLiteral("Page"), QStringLiteral("Page%1").arg(PageIndex + 1));
    xml.EndEmptyElement();
}
