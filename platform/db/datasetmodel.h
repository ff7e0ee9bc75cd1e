#pragma once
// A dataset seen as a table for the kit's grids: one row per visible record,
// one column per visible field, display texts by the fields' formats, and
// the dataset's current row kept in step with the view's in both directions.
// A re-query refreshes the rows in place (inserting or removing only the
// difference), so the view keeps its scroll position and current row.
#include "platform/db/datasource.h"

#include <QAbstractTableModel>

namespace Db {

class DatasetModel : public QAbstractTableModel, public DataLink
{
    Q_OBJECT
public:
    explicit DatasetModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Check boxes of Boolean columns write the row back (Edit, Post).
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    Field *FieldAt(int column) const;
    int ColumnOf(const Field *field) const;
    // The dataset's current row as a model row, -1 when none.
    int CurrentRow() const;
    void SetCurrentRow(int row);

signals:
    void currentRowChanged(int row);

protected:
    void ActiveChanged() override;
    void DataSetChanged() override;
    void DataSetScrolled() override;
    void RecordChanged(Field *field) override;
    void LayoutChanged() override;

private:
    void rebuildColumns();
    void reset();

    std::vector<Field *> m_columns;
    int m_rows = 0;
};

} // namespace Db
