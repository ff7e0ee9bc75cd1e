#pragma once
// Lines: vertical when no wider than tall, horizontal otherwise; drawn by the
// frame rules as a single edge.
#include "report/vlview.h"

class TvlLineView : public TvlView
{
public:
    TvlLineView();

    QString ClassName() const override { return QStringLiteral("TvlLineView"); }
    void Draw(TvlCanvas &canvas) override;
    void WriteXmlElement(TvlXmlWriter &xml, const TvlXmlContext &context) override;
    QRegion GetClipRgn(bool withMargin) const override;

    bool IsVertical() const { return Width <= Height; }
    // Width 0 and the left edge for vertical lines, height 0 and the top edge otherwise.
    void Normalize();
};
