#pragma once
// A copy of a report's values and variable lines, to put back later: the
// variables editor's snapshot for a cancel and its copy buffer.
#include "report/values.h"

#include <QList>
#include <QStringList>
#include <utility>

class TvlReport;

class TvlValueSnapshot
{
public:
    void Take(const TvlReport &report);
    void Restore(TvlReport &report) const;
    bool IsEmpty() const { return !m_taken; }

private:
    QList<std::pair<QString, TvlValue>> m_values;
    QStringList m_variables;
    bool m_taken = false;
};
