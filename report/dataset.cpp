#include "report/dataset.h"

TvlDataset::TvlDataset(QObject *owner)
    : QObject(owner)
{}

void TvlDataset::First()
{
    m_recordNo = 0;
    if (OnFirst)
        OnFirst(this);
}

void TvlDataset::Next()
{
    ++m_recordNo;
    if (OnNext)
        OnNext(this);
}

bool TvlDataset::Eof()
{
    bool eof = m_rangeEnd == reCount && m_recordNo >= m_rangeEndCount;
    if (OnCheckEOF)
        OnCheckEOF(this, eof);
    return eof;
}
