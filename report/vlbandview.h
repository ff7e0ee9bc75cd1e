#pragma once
// Band objects of a layout: the band type lives in FrameTyp, the data source
// or group condition in FormatText. In the designer a band shows as a
// checkered strip across the page with its name on a tab.
#include "report/vlview.h"

enum TvlBandType {
    btReportTitle = 0,
    btReportSummary,
    btPageHeader,
    btPageFooter,
    btMasterHeader,
    btMasterData,
    btMasterFooter,
    btDetailHeader,
    btDetailData,
    btDetailFooter,
    btSubDetailHeader,
    btSubDetailData,
    btSubDetailFooter,
    btOverlay,
    btColumnHeader,
    btColumnFooter,
    btGroupHeader,
    btGroupFooter,
    btCrossHeader,
    btCrossData,
    btCrossFooter,
    btCount
};

// Band Flags.
enum TvlBandFlag : quint16 {
    bfStretched = 1,
    bfStartNewPage = 2,
    bfPrintIfDetailEmpty = 4,
    bfAllowSplit = 8,
    bfPrintOnFirstPage = 16,
    bfPrintOnLastPage = 32,
    bfReprintOnNewPage = 64
};

// A band option as the designer's menu offers it.
struct TvlBandOption
{
    quint16 Flag;
    const char *XmlName;
    QString MenuText;
    QList<int> BandTypes; // the band types it is offered for
};
const QList<TvlBandOption> &vlBandOptions();

QString vlBandName(int bandType);     // display name, "Report title" ...
QString vlBandXmlClass(int bandType); // empty for the cross bands
bool vlIsVerticalBand(int bandType);  // cross bands span the page height
// The data source a band names when it has none: "[Žádný]", what the band
// dialogs write when none is chosen.
QString vlNoDataSource();
// A band's data source text that names no data set: empty or "[Žádný]".
bool vlIsNoDataSource(const QString &source);

class TvlBandView : public TvlView
{
public:
    TvlBandView();

    QString ClassName() const override { return QStringLiteral("TvlBandView"); }
    void Draw(TvlCanvas &canvas) override;
    QList<TvlMenuOption> FillPopupMenu() const override;
    void WriteXmlElement(TvlXmlWriter &xml, const TvlXmlContext &context) override;
    QRegion GetClipRgn(bool withMargin) const override;
    Kind ScriptKind() const override { return Kind::Band; }

    int GetBandType() const { return FrameTyp; }
    void SetBandType(int type) { FrameTyp = quint16(type & 0x7F); }
    // The band's strip on the design page, and its title tab.
    QRect BandRect(const QRect &page) const;
    QRect TitleRect(const QRect &page) const;

    // The page area the clip region spans (set by the designer).
    QRect DesignPage;
};
