#include "kit/gridrowvalues.h"

#include "platform/db/dataset.h"

bool TGridRowValues::IsNull(const Db::Field &field) const
{
    return !IsValid() || !field.IsBound() || field.IsNullAt(row_);
}

QString TGridRowValues::AsString(const Db::Field &field) const
{
    return IsNull(field) ? QString() : field.StringAt(row_);
}

qint64 TGridRowValues::AsInteger(const Db::Field &field) const
{
    return IsNull(field) ? 0 : dataset_->Snapshot()->integer(row_, field.Index());
}

double TGridRowValues::AsFloat(const Db::Field &field) const
{
    return IsNull(field) ? 0.0 : dataset_->Snapshot()->floating(row_, field.Index());
}

bool TGridRowValues::AsBoolean(const Db::Field &field) const
{
    return !IsNull(field) && dataset_->Snapshot()->boolean(row_, field.Index());
}

QString TGridRowValues::DisplayText(const Db::Field &field) const
{
    return IsValid() && field.IsBound() ? field.DisplayTextAt(row_) : QString();
}

const Db::Field *TGridRowValues::find(const QString &fieldName) const
{
    return dataset_ ? dataset_->FindField(fieldName) : nullptr;
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
