#pragma once
// Sub-report objects: print another design page in their place.
#include "report/vlview.h"

class TvlSubReportView : public TvlView
{
public:
    TvlSubReportView();

    QString ClassName() const override { return QStringLiteral("TvlSubReportView"); }
    void Assign(const TvlView &source) override;
    void Draw(TvlCanvas &canvas) override;
    void LoadFromStream(ByteStream &stream, int version = vlCurrentVersion) override;
    void SaveToStream(ByteStream &stream) override;
    void WriteXmlElement(TvlXmlWriter &xml, const TvlXmlContext &context) override;

    qint32 PageIndex = 0; // the design page it prints
};
