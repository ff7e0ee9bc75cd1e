#include "kit/dbgridmodel.h"

#include "platform/db/field.h"

TKxDBGridModel::TKxDBGridModel(TDBGridColumns *columns, QObject *parent)
    : QAbstractTableModel(parent)
    , m_columns(columns)
{}

int TKxDBGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

bool TKxDBGridModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && Active() && DataSet()->CanFetchMore();
}

void TKxDBGridModel::fetchMore(const QModelIndex &parent)
{
    if (!canFetchMore(parent))
        return;
    m_fetching = true;
    DataSet()->FetchMore();
    m_fetching = false;
}

int TKxDBGridModel::datasetRows() const
{
    return Active() ? DataSet()->RecordCount() : 0;
}

int TKxDBGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_columns->Count();
}

int TKxDBGridModel::SnapshotRow(int position) const
{
    if (!Active() || position < 0 || position >= DataSet()->RecordCount())
        return -1;
    return DataSet()->snapshotRow(position);
}

int TKxDBGridModel::CurrentPosition() const
{
    if (!Active() || DataSet()->IsEmpty())
        return -1;
    return DataSet()->RecNo() - 1;
}

QVariant TKxDBGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.column() >= m_columns->Count())
        return {};
    const TColumn *column = (*m_columns)[index.column()];
    const Db::Field *field = column->Field();
    if (role == Qt::DisplayRole) {
        const int row = SnapshotRow(index.row());
        return field && row >= 0 ? field->DisplayTextAt(row) : QString();
    }
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Kx::toQtAlignment(column->CellAlignment()) | Qt::AlignVCenter);
    return {};
}

QVariant TKxDBGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal && section >= 0 && section < m_columns->Count())
        return (*m_columns)[section]->Caption();
    return {};
}

void TKxDBGridModel::bindKeyColumns()
{
    m_keyColumns.clear();
    if (!Active())
        return;
    const Db::Snapshot *snapshot = DataSet()->snapshot().get();
    if (!snapshot)
        return;
    for (const QString &name : DataSet()->KeyFields.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const int c = snapshot->columnIndex(name.trimmed());
        if (c >= 0)
            m_keyColumns.push_back(c);
    }
    if (m_keyColumns.empty())
        for (int c = 0; c < snapshot->columnCount(); ++c)
            m_keyColumns.push_back(c);
}

QByteArray TKxDBGridModel::RowKey(int position) const
{
    const int row = SnapshotRow(position);
    if (row < 0)
        return {};
    const Db::Snapshot &snapshot = *DataSet()->snapshot();
    QByteArray key;
    for (int c : m_keyColumns) {
        const char *data = nullptr;
        int length = 0;
        if (snapshot.cell(row, c, data, length)) {
            key.append('v');
            key.append(data, length);
        } else {
            key.append('n');
        }
        key.append('\x1f');
    }
    return key;
}

void TKxDBGridModel::Relayout()
{
    beginResetModel();
    m_columns->Rebind(DataSet(), m_font);
    bindKeyColumns();
    m_rows = datasetRows();
    endResetModel();
    if (OnReset)
        OnReset();
}

QStringList TKxDBGridModel::columnFields() const
{
    QStringList names;
    for (int i = 0; i < m_columns->Count(); ++i)
        names << (*m_columns)[i]->FieldName.toLower();
    return names;
}

void TKxDBGridModel::DataSetChanged()
{
    const QStringList before = columnFields();
    m_columns->Rebind(DataSet(), m_font);
    if (columnFields() != before) {
        Relayout();
        return;
    }
    bindKeyColumns();
    const int rows = datasetRows();
    if (rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    } else if (rows < m_rows) {
        beginRemoveRows({}, rows, m_rows - 1);
        m_rows = rows;
        endRemoveRows();
    }
    if (m_fetching)
        return;
    if (m_rows > 0 && m_columns->Count() > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, m_columns->Count() - 1));
    if (OnReset)
        OnReset();
}

void TKxDBGridModel::DataSetScrolled()
{
    if (OnScrolled)
        OnScrolled();
}

void TKxDBGridModel::RecordChanged(Db::Field *)
{
    const int position = CurrentPosition();
    if (position >= 0 && m_columns->Count() > 0)
        emit dataChanged(index(position, 0), index(position, m_columns->Count() - 1));
}
