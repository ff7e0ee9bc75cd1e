#include "kit/dbgridmodel.h"

#include "platform/db/field.h"

TKxDBGridModel::TKxDBGridModel(TDBGridColumns *columns, QObject *parent)
    : QAbstractTableModel(parent)
    , columns_(columns)
{}

int TKxDBGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int TKxDBGridModel::datasetRows() const
{
    return Active() ? DataSet()->RecordCount() : 0;
}

int TKxDBGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : columns_->Count();
}

int TKxDBGridModel::SnapshotRow(int position) const
{
    if (!Active() || position < 0 || position >= DataSet()->RecordCount())
        return -1;
    return DataSet()->SnapshotRow(position);
}

int TKxDBGridModel::CurrentPosition() const
{
    if (!Active() || DataSet()->IsEmpty())
        return -1;
    return DataSet()->RecNo() - 1;
}

QVariant TKxDBGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.column() >= columns_->Count())
        return {};
    const TColumn *column = (*columns_)[index.column()];
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
    if (orientation == Qt::Horizontal && section >= 0 && section < columns_->Count())
        return (*columns_)[section]->Caption();
    return {};
}

void TKxDBGridModel::bindKeyColumns()
{
    keyColumns_.clear();
    if (!Active())
        return;
    const Db::Snapshot *snapshot = DataSet()->Snapshot().get();
    if (!snapshot)
        return;
    for (const QString &name : DataSet()->KeyFields.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const int c = snapshot->columnIndex(name.trimmed());
        if (c >= 0)
            keyColumns_.push_back(c);
    }
    if (keyColumns_.empty())
        for (int c = 0; c < snapshot->columnCount(); ++c)
            keyColumns_.push_back(c);
}

QByteArray TKxDBGridModel::RowKey(int position) const
{
    const int row = SnapshotRow(position);
    if (row < 0)
        return {};
    const Db::Snapshot &snapshot = *DataSet()->Snapshot();
    QByteArray key;
    for (int c : keyColumns_) {
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
    columns_->Rebind(DataSet(), font_);
    bindKeyColumns();
    rows_ = datasetRows();
    endResetModel();
    if (OnReset)
        OnReset();
}

QStringList TKxDBGridModel::columnFields() const
{
    QStringList names;
    for (int i = 0; i < columns_->Count(); ++i)
        names << (*columns_)[i]->FieldName.toLower();
    return names;
}

void TKxDBGridModel::DataSetChanged()
{
    const QStringList before = columnFields();
    columns_->Rebind(DataSet(), font_);
    if (columnFields() != before) {
        Relayout();
        return;
    }
    bindKeyColumns();
    const int rows = datasetRows();
    if (rows > rows_) {
        beginInsertRows({}, rows_, rows - 1);
        rows_ = rows;
        endInsertRows();
    } else if (rows < rows_) {
        beginRemoveRows({}, rows, rows_ - 1);
        rows_ = rows;
        endRemoveRows();
    }
    if (rows_ > 0 && columns_->Count() > 0)
        emit dataChanged(index(0, 0), index(rows_ - 1, columns_->Count() - 1));
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
    if (position >= 0 && columns_->Count() > 0)
        emit dataChanged(index(position, 0), index(position, columns_->Count() - 1));
}
