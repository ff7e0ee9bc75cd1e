#include "platform/db/datasetmodel.h"

namespace Db {

DatasetModel::DatasetModel(QObject *parent)
    : QAbstractTableModel(parent)
{}

int DatasetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int DatasetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

Field *DatasetModel::FieldAt(int column) const
{
    return column >= 0 && column < int(m_columns.size()) ? m_columns[size_t(column)] : nullptr;
}

int DatasetModel::ColumnOf(const Field *field) const
{
    for (size_t c = 0; c < m_columns.size(); ++c) {
        if (m_columns[c] == field)
            return int(c);
    }
    return -1;
}

QVariant DatasetModel::data(const QModelIndex &index, int role) const
{
    const Dataset *dataset = DataSet();
    const Field *field = FieldAt(index.column());
    if (!dataset || !field || index.row() >= dataset->RecordCount())
        return QVariant();
    const int row = dataset->snapshotRow(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return field->DisplayTextAt(row);
    case Qt::EditRole:
        return field->StringAt(row);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(field->Alignment());
    case Qt::CheckStateRole:
        if (field->DataType() != FieldType::Boolean)
            return QVariant();
        return field->StringAt(row) == u"True" ? Qt::Checked : Qt::Unchecked;
    default:
        return QVariant();
    }
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        const Field *field = FieldAt(section);
        if (field && role == Qt::DisplayRole)
            return field->Label();
        if (field && role == Qt::TextAlignmentRole)
            return QVariant::fromValue(field->Alignment());
        return QVariant();
    }
    return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    const Field *field = FieldAt(index.column());
    if (field && field->DataType() == FieldType::Boolean && !field->ReadOnly)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

bool DatasetModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    Dataset *dataset = DataSet();
    Field *field = FieldAt(index.column());
    if (role != Qt::CheckStateRole || !dataset || !field || field->DataType() != FieldType::Boolean)
        return false;
    try {
        SetCurrentRow(index.row());
        dataset->Edit();
        field->SetAsBoolean(value.value<Qt::CheckState>() == Qt::Checked);
        dataset->Post();
    } catch (const DatabaseError &) {
        dataset->Cancel();
        return false;
    }
    return true;
}

int DatasetModel::CurrentRow() const
{
    const Dataset *dataset = DataSet();
    return dataset && dataset->Active() ? dataset->RecNo() - 1 : -1;
}

void DatasetModel::SetCurrentRow(int row)
{
    Dataset *dataset = DataSet();
    if (dataset && dataset->Active() && row >= 0 && row != CurrentRow())
        dataset->SetRecNo(row + 1);
}

void DatasetModel::rebuildColumns()
{
    m_columns.clear();
    if (const Dataset *dataset = DataSet()) {
        for (Field *field : dataset->Fields()) {
            if (field->Visible && field->IsBound())
                m_columns.push_back(field);
        }
    }
}

void DatasetModel::reset()
{
    beginResetModel();
    rebuildColumns();
    m_rows = Active() ? DataSet()->RecordCount() : 0;
    endResetModel();
    emit currentRowChanged(CurrentRow());
}

void DatasetModel::ActiveChanged()
{
    reset();
}

void DatasetModel::LayoutChanged()
{
    reset();
}

void DatasetModel::DataSetChanged()
{
    // Same columns, new rows: tell the view only what differs, so it keeps
    // its scroll position and selection.
    std::vector<Field *> before = m_columns;
    rebuildColumns();
    if (before != m_columns) {
        m_columns = before;
        reset();
        return;
    }
    const int rows = Active() ? DataSet()->RecordCount() : 0;
    if (rows > m_rows) {
        beginInsertRows(QModelIndex(), m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    } else if (rows < m_rows) {
        beginRemoveRows(QModelIndex(), rows, m_rows - 1);
        m_rows = rows;
        endRemoveRows();
    }
    if (m_rows > 0 && !m_columns.empty())
        emit dataChanged(index(0, 0), index(m_rows - 1, int(m_columns.size()) - 1));
    emit currentRowChanged(CurrentRow());
}

void DatasetModel::DataSetScrolled()
{
    emit currentRowChanged(CurrentRow());
}

void DatasetModel::RecordChanged(Field *)
{
    const int row = CurrentRow();
    if (row >= 0 && row < m_rows && !m_columns.empty())
        emit dataChanged(index(row, 0), index(row, int(m_columns.size()) - 1));
}

} // namespace Db
