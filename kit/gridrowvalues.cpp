#include "kit/gridrowvalues.h"

#include "platform/db/dataset.h"

bool TGridRowValues::IsNull(const Db::Field &field) const
{
    return !IsValid() || !field.IsBound() || field.IsNullAt(m_row);
}

QString TGridRowValues::AsString(const Db::Field &field) const
{
    return IsNull(field) ? QString() : field.StringAt(m_row);
}

qint64 TGridRowValues::AsInteger(const Db::Field &field) const
{
    return IsNull(field) ? 0 : m_dataset->snapshot()->integer(m_row, field.Index());
}

double TGridRowValues::AsFloat(const Db::Field &field) const
{
    return IsNull(field) ? 0.0 : m_dataset->snapshot()->floating(m_row, field.Index());
}

bool TGridRowValues::AsBoolean(const Db::Field &field) const
{
    return !IsNull(field) && m_dataset->snapshot()->boolean(m_row, field.Index());
}

QString TGridRowValues::DisplayText(const Db::Field &field) const
{
    return IsValid() && field.IsBound() ? field.DisplayTextAt(m_row) : QString();
}

const Db::Field *TGridRowValues::find(const QString &fieldName) const
{
    return m_dataset ? m_dataset->FindField(fieldName) : nullptr;
}

bool TGridRowValues::IsNull(const QString &fieldName) const
{
    const Db::Field *field = find(fieldName);
    return !field || IsNull(*field);
}

double TGridRowValues::AsFloat(const QString &fieldName) const
{
    const Db::Field *field = find(fieldName);
    return field ? AsFloat(*field) : 0.0;
}
