#pragma once
// Function libraries of the expressions. A library knows a sorted list of
// names and dispatches a call by the name's position in it; results go back
// to the parser as expression text (a quoted literal, a number, or a %d/%t
// date or time literal).
#include "platform/variant.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class TvlFunctionLibrary
{
public:
    TvlFunctionLibrary() = default;
    virtual ~TvlFunctionLibrary() = default;

    // True when the name is one of this library's; Val then holds the result.
    bool OnFunction(const QString &name, const Variant &p1, const Variant &p2, const Variant &p3, QString &val);
    virtual void DoFunction(int fno, const Variant &p1, const Variant &p2, const Variant &p3, QString &val);

    QStringList List; // upper case, sorted
};

// What a band has added up: per aggregate (function, argument as written and
// cross column) the number so far and whether the current record is already
// in it. A number is kept as it reads back from the number text the
// aggregate hands to the parser, so totals come out the same however they
// are printed.
class TvlAggregateStore
{
public:
    struct Entry
    {
        int Function;
        QString Key; // argument and cross suffix
        double Number;
        bool Counted; // the current record is in
    };

    Entry *Find(int function, QStringView argument, QStringView suffix);
    void Add(int function, const QString &argument, const QString &suffix, double number);
    // A new record: no entry has it yet.
    void StartRecord();
    bool AnyCounted() const;
    bool IsEmpty() const { return m_entries.empty(); }
    void Clear() { m_entries.clear(); }

private:
    std::vector<Entry> m_entries;
};

// A band as the aggregates see it. Band printing implements it.
class TvlAggregateBand
{
public:
    virtual ~TvlAggregateBand() = default;
    virtual QString Name() const = 0;
    virtual int BandType() const = 0;
    virtual bool Visible() const = 0;
    virtual TvlAggregateStore &AggregateValues() = 0;
    virtual int RecordCount() const = 0;
    // The data band whose rows an aggregate without a band name adds up;
    // empty: the band being printed, whichever it is.
    virtual QString DefaultBandName() const { return {}; }
};

// What the standard library needs of the running report.
class TvlFunctionContext
{
public:
    virtual ~TvlFunctionContext() = default;
    // The engine's shared parser.
    virtual Variant Calculate(const QString &expression) = 0;
    // The band whose memos are being evaluated, and the band now printing.
    virtual TvlAggregateBand *AggregatingBand() = 0;
    virtual TvlAggregateBand *PrintingBand() = 0;
    // "" outside cross bands, "00" in the cross footer, else the column number.
    virtual QString CrossSuffix() = 0;
    // Walks every record of the dataset (COUNT: the component) the text names,
    // giving each field value; the dataset's position is restored afterwards.
    // False when the text names no dataset.
    virtual bool WalkDataset(const QString &reference, bool forCount,
                             const std::function<void(const Variant &)> &visit) = 0;
    // The input box of INPUT.
    virtual QString Input(const QString &prompt, const QString &defaultText) = 0;
};

class TvlStdFunctionLibrary : public TvlFunctionLibrary
{
public:
    enum Function {
        fnAvg,
        fnCount,
        fnFormatDateTime,
        fnFormatFloat,
        fnInput,
        fnLowerCase,
        fnMax,
        fnMin,
        fnNameCase,
        fnStrToDate,
        fnStrToTime,
        fnSum,
        fnUpperCase
    };

    explicit TvlStdFunctionLibrary(TvlFunctionContext *context);
    void DoFunction(int fno, const Variant &p1, const Variant &p2, const Variant &p3, QString &val) override;

    // Band types whose memos may aggregate: summary, page footer, master,
    // detail and subdetail footers, group footer, cross footer.
    static bool IsFooterBand(int bandType);
    // A number as the parser reads it back: no thousands separators.
    static QString NumberText(double value);
    // The number NumberText's text reads back as.
    static double StoredNumber(double value);

private:
    QString aggregate(int fno, const QString &argument, const QString &bandName, const QString &flag);
    QString directAggregate(int fno, const QString &argument, bool *found);

    TvlFunctionContext *m_context;
};
