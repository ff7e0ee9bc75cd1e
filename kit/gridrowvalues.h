#pragma once
#include <QString>

namespace Db {
class Dataset;
class Field;
} // namespace Db

// Values of the record a cell belongs to, for the colouring events: the
// grid paints rows other than the current one.
class TGridRowValues
{
public:
    TGridRowValues(const Db::Dataset *dataset, int snapshotRow)
        : m_dataset(dataset)
        , m_row(snapshotRow)
    {}
    bool IsValid() const { return m_dataset && m_row >= 0; }
    int SnapshotRow() const { return m_row; }
    bool IsNull(const Db::Field &field) const;
    QString AsString(const Db::Field &field) const;
    qint64 AsInteger(const Db::Field &field) const;
    double AsFloat(const Db::Field &field) const;
    bool AsBoolean(const Db::Field &field) const;
    QString DisplayText(const Db::Field &field) const;
    // The same for the row's field of that name; missing fields read as null.
    bool IsNull(const QString &fieldName) const;
    double AsFloat(const QString &fieldName) const;

private:
    const Db::Field *find(const QString &fieldName) const;
    const Db::Dataset *m_dataset;
    int m_row;
};
