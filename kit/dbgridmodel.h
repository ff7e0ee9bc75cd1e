#pragma once
// The table model between a grid and the dataset of its data source: one row
// per visible record, one column per grid column. Everything it answers is
// read from the dataset's rows by position, so painting a screenful of a long
// list costs a screenful of cells.
#include "kit/dbgridcolumns.h"
#include "platform/db/datasource.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <functional>

class TKxDBGridModel : public QAbstractTableModel, public Db::DataLink
{
    Q_OBJECT
public:
    explicit TKxDBGridModel(TDBGridColumns *columns, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Every cell may be edited: the grid decides whether its editor opens.
    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
    }

    // A list read in pages: the view asks for the next one as it is
    // scrolled near the end of the rows read.
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

    TDBGridColumns *Columns() const { return m_columns; }
    // The font default columns are measured with.
    void SetFont(const QFont &font) { m_font = font; }

    // The dataset's row (in its snapshot) shown at a position, -1 outside.
    int SnapshotRow(int position) const;
    // The key text a marked row is remembered by: the values of the dataset's
    // KeyFields, or of all its columns when it names none.
    QByteArray RowKey(int position) const;
    // Position of the current record, -1 when there is none.
    int CurrentPosition() const;
    // The columns changed: binds them again and shows them anew.
    void Relayout();

    // Called after the rows were replaced and after the cursor moved.
    std::function<void()> OnReset;
    std::function<void()> OnScrolled;

protected:
    void ActiveChanged() override { Relayout(); }
    // The rows were replaced (a re-query): refreshed in place while the
    // columns stay, so the view keeps its current column and scrolling.
    void DataSetChanged() override;
    void DataSetScrolled() override;
    void RecordChanged(Db::Field *field) override;
    void LayoutChanged() override { Relayout(); }

private:
    void bindKeyColumns();
    int datasetRows() const;
    QStringList columnFields() const;

    TDBGridColumns *m_columns;
    QFont m_font;
    std::vector<int> m_keyColumns;
    int m_rows = 0;
    bool m_fetching = false; // rows come after the ones shown: the view stays where it is
};
