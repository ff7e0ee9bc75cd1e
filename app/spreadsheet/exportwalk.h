#pragma once
// The walk both export ways share: a title row from the column captions, then
// one row per record (all records, or the rows marked in the grid, in the
// order they were marked), under the progress window with its interruption.
#include <QString>

#include <functional>
#include <vector>

class TKxDBGrid;
namespace Db {
class Dataset;
class Field;
} // namespace Db

// How a field's value goes into a cell.
enum class ExportFieldClass { Integer, Boolean, Number, LargeInteger, Other };
ExportFieldClass ExportClassOf(const Db::Field &field);

struct ExportColumn
{
    QString title;
    Db::Field *field = nullptr; // null: the column's cells stay empty
};

// What the walk exports: the columns in their order and the dataset
// positions (0-based) of the marked rows, empty when nothing is marked.
struct ExportTable
{
    Db::Dataset *dataset = nullptr;
    std::vector<ExportColumn> columns;
    std::vector<int> selectedPositions;
};

// The grid's columns (all, or only the visible ones) and marked rows.
ExportTable ExportTableOf(TKxDBGrid *grid, bool allColumns);

class ExportCellWriter
{
public:
    virtual ~ExportCellWriter() = default;
    // column: 0-based, consecutive over the exported columns.
    virtual void WriteTitle(int column, const QString &title) = 0;
    // record: 1-based counter of exported records.
    virtual void WriteCell(int record, int column, ExportFieldClass kind, const Db::Field &field) = 0;
};

// Runs the walk; returns the number of records written. The dataset's
// controls stay disabled only while it runs, and it ends on the row it stood
// on before; the progress window is hidden at the end, also when a writer
// throws.
int RunExportWalk(const ExportTable &table, ExportCellWriter &writer);
