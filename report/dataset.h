#pragma once
// Report datasets: non-visual components that hand records to the data bands
// of a report one at a time. Report building follows one protocol for each
// band with a dataset: Init; First; while not Eof: print the band, Next; Exit.
#include <QObject>
#include <functional>

class TvlDataset : public QObject
{
    Q_OBJECT
    Q_PROPERTY(TRangeBegin RangeBegin READ RangeBegin WRITE SetRangeBegin)
    Q_PROPERTY(TRangeEnd RangeEnd READ RangeEnd WRITE SetRangeEnd)
    Q_PROPERTY(int RangeEndCount READ RangeEndCount WRITE SetRangeEndCount)

public:
    enum TRangeBegin : quint8 {
        rbFirst = 0,   // from the first record
        rbCurrent = 1, // from the record current at Init
    };
    Q_ENUM(TRangeBegin)
    enum TRangeEnd : quint8 {
        reLast = 0,    // to the last record
        reCurrent = 1, // up to the record current at Init
        reCount = 2,   // RangeEndCount records
    };
    Q_ENUM(TRangeEnd)

    using TNotifyEvent = std::function<void(QObject *sender)>;
    using TCheckEOFEvent = std::function<void(QObject *sender, bool &eof)>;

    explicit TvlDataset(QObject *owner = nullptr);

    TRangeBegin RangeBegin() const { return m_rangeBegin; }
    void SetRangeBegin(TRangeBegin value) { m_rangeBegin = value; }
    TRangeEnd RangeEnd() const { return m_rangeEnd; }
    void SetRangeEnd(TRangeEnd value) { m_rangeEnd = value; }
    int RangeEndCount() const { return m_rangeEndCount; }
    void SetRangeEndCount(int value) { m_rangeEndCount = value; }
    // Next calls since First.
    int RecordNo() const { return m_recordNo; }

    TNotifyEvent OnFirst;
    TNotifyEvent OnNext;
    TCheckEOFEvent OnCheckEOF;

    virtual void Init() {}
    virtual void Exit() {}
    virtual void First();
    virtual void Next();
    virtual bool Eof();

private:
    TRangeBegin m_rangeBegin = rbFirst;
    TRangeEnd m_rangeEnd = reLast;
    qint32 m_rangeEndCount = 0;
    qint32 m_recordNo = 0;
};

// Driven by its events alone; report building also makes one for a band
// that asks for a fixed number of records.
class TdiRazaDataset : public TvlDataset
{
    Q_OBJECT

public:
    explicit TdiRazaDataset(QObject *owner = nullptr)
        : TvlDataset(owner)
    {}
};
