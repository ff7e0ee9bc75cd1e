#include "report/designer/dialogs/valuesnapshot.h"

#include "report/vlreport.h"

void TvlValueSnapshot::Take(const TvlReport &report)
{
    m_values.clear();
    const TvlValues &values = report.Values();
    for (int i = 0; i < values.Count(); ++i)
        m_values.append({values.Name(i), *values.GetItem(i)});
    m_variables = report.Variables;
    m_taken = true;
}

void TvlValueSnapshot::Restore(TvlReport &report) const
{
    TvlValues &values = report.Values();
    values.Clear();
    for (const auto &[name, value] : m_values) {
        const int index = values.AddValue();
        values.SetName(index, name);
        *values.GetItem(index) = value;
    }
    report.Variables = m_variables;
}
