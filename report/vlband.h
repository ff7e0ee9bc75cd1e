#pragma once
// Run-time bands: while a design page is formed, each band object of the page
// (and each band type without one) becomes a band holding the objects printed
// with it, its data set, group condition, chain and aggregate store.
#include "platform/variant.h"
#include "report/dataset.h"
#include "report/vlbandview.h"
#include "report/vlcompiledexpression.h"
#include "report/vlfunctions.h"

#include <QPointer>
#include <memory>
#include <vector>

class TvlPageRun;

// The band collecting the objects that lie outside every band.
constexpr int vlOutsideBand = btCount;
constexpr int vlBandSlots = btCount + 1;

// A footer object that adds each record up, with its aggregate expressions.
struct TvlBandAdder
{
    TvlView *View;
    std::vector<TvlCachedExpression> Expressions;
};

// What band printing asks of each of a band's objects, for every band printed.
enum TvlObjectKind : quint8 { okMemo = 1, okSubReport = 2, okStretcheable = 4, okCross = 8 };

class TvlBand : public TvlAggregateBand
{
public:
    TvlBand(int type, TvlPageRun *owner);
    ~TvlBand() override;

    // TvlAggregateBand
    QString Name() const override;
    int BandType() const override { return Typ; }
    bool Visible() const override { return m_visible; }
    TvlAggregateStore &AggregateValues() override { return Values; }
    int RecordCount() const override { return Count; }
    QString DefaultBandName() const override;

    void SetVisible(bool visible) { m_visible = visible; }
    bool IsDataBand() const { return Typ == btMasterData || Typ == btDetailData || Typ == btSubDetailData; }
    bool HasObjects() const { return !Objects.empty(); }
    // Band height the printed objects need: the band's own, or with
    // Stretched the lowest end of its stretchable objects (cross cells,
    // whose text changes per column, are the builder's to measure).
    int CalcHeight();
    // The kinds of Objects, index for index; worked out when first asked
    // for, which is after the page's set-up has put every object in place.
    const std::vector<quint8> &ObjectKinds();
    // The aggregate store starts again.
    void ResetAggregates()
    {
        Values.Clear();
        Count = 0;
    }

    int Typ;
    TvlPageRun *OwnerPage;
    TvlBandView *View = nullptr; // the run-time copy of its band object
    int Y = 0, Height = 0, X = 0, Width = 0;
    int CalculatedHeight = -1;
    int PrintedHeight = 0;
    std::vector<TvlView *> Objects; // positions relative to the band
    QStringList Memo;
    QStringList Script; // coded
    quint16 Flags = 0;
    bool Stretched = false, StartNewPage = false, PrintIfDetailEmpty = false, AllowSplit = false;
    TvlDataset *DataSet = nullptr;
    std::unique_ptr<TvlDataset> VirtualDataSet; // a band asking for a number of records
    TvlDataset *CrossDataSet = nullptr;
    QString GroupCondition;
    Variant LastGroupValue;
    TvlBand *Next = nullptr, *Prev = nullptr;
    TvlBand *Last = nullptr; // kept by the first band of a chain
    TvlBand *HeaderBand = nullptr, *FooterBand = nullptr;
    int RecordNo = 0;    // LINE#
    int PageRecords = 0; // records since the last page break
    int LineThrough = 0; // LINETHROUGH#
    TvlAggregateStore Values;
    // The footer's own objects adding each record (not those of cross
    // columns), once worked out; the group condition, converted.
    std::vector<TvlBandAdder> Adders;
    bool AddersKnown = false;
    TvlCachedExpression Condition;
    bool ConditionKnown = false;
    int Count = 0; // records added to it
    bool ForceNewPage = false, ForceNewColumn = false;
    bool Complete = true;

private:
    bool m_visible = true;
    std::vector<quint8> m_objectKinds;
};
