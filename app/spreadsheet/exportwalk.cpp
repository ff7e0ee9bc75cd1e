#include "app/spreadsheet/exportwalk.h"

#include "kit/dbgrid.h"
#include "kit/dbgridmodel.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/messages.h"

#include <QCoreApplication>
#include <QHash>

ExportFieldClass ExportClassOf(const Db::Field &field)
{
    switch (field.DataType()) {
    case Db::FieldType::Integer:
        return ExportFieldClass::Integer;
    case Db::FieldType::Boolean:
        return ExportFieldClass::Boolean;
    case Db::FieldType::Float:
    case Db::FieldType::Currency:
        return ExportFieldClass::Number;
    case Db::FieldType::LargeInt:
        return ExportFieldClass::LargeInteger;
    default:
        return ExportFieldClass::Other;
    }
}

namespace {

// The dataset positions of the grid's marked rows, in the order they were
// marked; marks whose row is gone are left out. A plain click's mark alone
// chooses no rows.
std::vector<int> markedPositions(TKxDBGrid *grid)
{
    std::vector<int> positions;
    const auto &marks = grid->SelectedRows().Items();
    auto *model = dynamic_cast<TKxDBGridModel *>(grid->model());
    Db::Dataset *dataset = grid->DataSet();
    if (marks.empty() || grid->SelectedRows().OnlyClickMark() || !model || !dataset)
        return positions;
    QHash<QByteArray, int> positionOfKey;
    for (int position = 0; position < dataset->RecordCount(); ++position)
        positionOfKey.insert(model->RowKey(position), position);
    for (const QByteArray &key : marks) {
        const auto found = positionOfKey.constFind(key);
        if (found != positionOfKey.cend())
            positions.push_back(*found);
    }
    return positions;
}

// Brings the dataset back to the row it stood on when the walk ends, also
// when a writer throws. Declared after the ControlsOff, the row is back
// before the grid and the boxes bound to the list are shown the rows again,
// so they never show where the walk stopped.
class RowKept
{
public:
    explicit RowKept(Db::Dataset &dataset)
        : m_dataset(dataset)
        , m_row(dataset.GetBookmark())
    {}
    ~RowKept() noexcept(false)
    {
        Db::RunCleanUp(m_exceptions, [this] { m_dataset.GotoBookmark(m_row); });
    }
    RowKept(const RowKept &) = delete;
    RowKept &operator=(const RowKept &) = delete;

private:
    Db::Dataset &m_dataset;
    Db::Bookmark m_row;
    int m_exceptions = std::uncaught_exceptions();
};

} // namespace

ExportTable ExportTableOf(TKxDBGrid *grid, bool allColumns)
{
    ExportTable table;
    table.dataset = grid->DataSet();
    TDBGridColumns &columns = grid->Columns();
    for (int i = 0; i < columns.Count(); ++i) {
        TColumn *column = columns[i];
        if (allColumns || column->Visible)
            table.columns.push_back({column->Caption(), column->Field()});
    }
    table.selectedPositions = markedPositions(grid);
    return table;
}

int RunExportWalk(const ExportTable &table, ExportCellWriter &writer)
{
    ProgressWindow progress(QStringLiteral(" Inicializuji"));
    QCoreApplication::processEvents();
    for (int c = 0; c < int(table.columns.size()); ++c)
        writer.WriteTitle(c, table.columns[size_t(c)].title);

    Db::Dataset *dataset = table.dataset;
    if (!dataset || !dataset->Active())
        return 0;
    Db::ControlsOff controlsOff(*dataset);
    RowKept rowKept(*dataset);
    const bool selection = !table.selectedPositions.empty();
    if (!selection)
        dataset->FetchAll(); // a list read in pages: every row, counted for the progress
    Messages().setProgressMaximum(selection ? int(table.selectedPositions.size()) + 1 : dataset->RecordCount());
    int record = 1;
    dataset->First();
    while (!dataset->Eof() && !Messages().progressInterrupted()) {
        if (selection) {
            if (int(table.selectedPositions.size()) < record)
                break;
            dataset->SetRecNo(table.selectedPositions[size_t(record - 1)] + 1);
        }
        Messages().stepProgress(QStringLiteral(" Exportuji záznam [%1]").arg(record), record);
        for (int c = 0; c < int(table.columns.size()); ++c) {
            if (const Db::Field *field = table.columns[size_t(c)].field)
                writer.WriteCell(record, c, ExportClassOf(*field), *field);
        }
        if (!selection)
            dataset->Next();
        ++record;
    }
    return record - 1;
}
