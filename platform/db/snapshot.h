#pragma once
// The rows a dataset opened: the server's result plus the values written back
// since (Post). Datasets and their clones share one snapshot; a re-query makes
// a new one, so a clone keeps seeing the rows as they were. A list brought up
// to date row by row gets a spliced copy: the same rows with one taken out
// and one read anew put in.
#include "platform/currency.h"
#include "platform/datetime.h"
#include "platform/db/result.h"
#include "platform/variant.h"

#include <QByteArray>
#include <QString>

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <unordered_map>
#include <vector>

namespace Db {

enum class FieldType { Unknown, Integer, LargeInt, Currency, Float, Boolean, String, DateTime, Bytes };

struct ColumnInfo
{
    QString name;
    QByteArray rawName; // as the server sent it
    FieldType type = FieldType::Unknown;
    Oid typeOid = 0;
    int size = 0;        // characters of varchar(n)/char(n), else 0
    Oid table = 0;       // base table, 0 for computed columns
    int tableColumn = 0; // attribute number in the base table
};

FieldType FieldTypeOf(Oid typeOid);

// A cell as the server's text form; null when SQL NULL.
using CellText = std::optional<QByteArray>;

class Snapshot
{
public:
    explicit Snapshot(Result result);
    // Rows read with the columns of `like` (sameColumns holds): the column
    // descriptions are taken from it rather than read again.
    Snapshot(Result result, const Snapshot &like);

    int rowCount() const { return m_rowCount; }
    int columnCount() const { return int(m_columns.size()); }
    const ColumnInfo &column(int c) const { return m_columns[size_t(c)]; }
    int columnIndex(const QString &name) const; // case-insensitive, -1 when none

    bool isNull(int row, int c) const;
    // The server's text of the cell (for a written-back cell, the written text).
    QByteArray rawText(int row, int c) const;
    // Fast typed readers; a null cell reads as zero, false or empty.
    qint64 integer(int row, int c) const;
    Currency currency(int row, int c) const;
    double floating(int row, int c) const;
    bool boolean(int row, int c) const;
    TDateTime dateTime(int row, int c) const;
    QString string(int row, int c) const;
    QByteArray bytes(int row, int c) const;
    // The cell in the kind of its column; Null for SQL NULL.
    Variant value(int row, int c) const;

    // Written back by Post: later reads see the new text.
    void overwrite(int row, int c, const CellText &text);
    // The first row holding an integer value in an integer column, through
    // an index built on first use; -1 when none. Nothing for a column that
    // was written back since (its index could be stale).
    std::optional<int> indexedRow(int c, qint64 value) const;
    // The one row holding an integer value in an integer column, found in a
    // copy of the column kept per snapshot (spliced copies carry it along,
    // changed by the rows they exchanged): -1 when none, -2 when several.
    // Nothing for another column, or one with a null or written back.
    std::optional<int> rowOfKey(int c, qint64 value) const;
    // The same for many values in one look at the column: the row of each.
    std::optional<std::vector<int>> rowsOfKeys(int c, const std::vector<qint64> &values) const;
    // Whether the copy of the column that the two above look in is made.
    bool hasKeyColumn(int c) const { return m_keyColumns.count(c) > 0; }

    // Pointer and length of the cell's text, from the overlay or the result;
    // false for NULL.
    bool cell(int row, int c, const char *&data, int &length) const;

    // The money sum of a column over every row, worked out once per snapshot
    // (spliced copies carry it along, changed by the rows they exchanged).
    Currency columnSum(int c) const;

    // A copy with the row `removed` taken out (-1: none) and the first row of
    // `added` put in at `at` (a place among the rows left; ignored when
    // `added` has no row). Null when the rows cannot be spliced: values were
    // written back, or `added` has other columns.
    std::shared_ptr<Snapshot> spliced(int removed, const Result &added, int at) const;
    // The same for many rows in one pass over these: the rows `removed`
    // (ascending, each once) taken out, and for each (place, row) of
    // `inserted` that row of `added` put in at that place among the rows
    // left; `inserted` goes by place, rows of one place in its order.
    std::shared_ptr<Snapshot> spliced(const std::vector<int> &removed, const Result &added,
                                      const std::vector<std::pair<int, int>> &inserted) const;
    // Whether `added` has the columns of these rows, in order and of the same types.
    bool sameColumns(const Result &added) const;
    // A copy with the rows of `more` (a further page of the same statement)
    // after these ones.
    std::shared_ptr<Snapshot> withRows(Result more) const;
    // Rows read in the opposite order of the list (its last row first),
    // shown in the list's order.
    static std::shared_ptr<Snapshot> backwards(Result rows);
    // A copy with the rows of `before` (read in the opposite order: the row
    // just before these first) before these ones.
    std::shared_ptr<Snapshot> withRowsBefore(Result before) const;

private:
    // A row read on its own: its cells' texts one after another, and where
    // each starts and how long it is (-1: NULL).
    struct OwnedRow
    {
        QByteArray text;
        std::vector<std::pair<int, int>> cells;
    };
    using OwnedRows = std::deque<OwnedRow>;

    const CellText *overlay(int row, int c) const;
    // A copy with `page` kept as a further page of results, its rows counted
    // but not yet placed among the rows shown when these are spliced.
    std::shared_ptr<Snapshot> withPage(Result page) const;
    // A row of `added` as a row of these, kept with them.
    int own(const Result &added, int row);
    // The money cell's value in the kind of its column; nothing on overflow.
    std::optional<Currency> addedCurrency(const Result &added, int row, int c) const;
    bool resultCell(int row, int c, const char *&data, int &length) const;
    const std::vector<qint64> *keyColumn(int c) const;
    bool resultIntegers(int c, std::vector<qint64> &values) const;

    Result m_result;
    // Further pages read after the first result, and the result row (counted
    // over all of them) each begins at.
    std::vector<Result> m_pages;
    std::vector<int> m_pageStarts;
    int m_resultRows = 0;
    int m_rowCount = 0;
    // Spliced: where each row comes from: the result's row (>= 0) or an
    // owned row (-1 - its index). Rows are added to the owned ones and never
    // taken away, so earlier copies sharing them keep reading theirs.
    bool m_spliced = false;
    std::vector<int> m_rows;
    std::shared_ptr<OwnedRows> m_owned;
    mutable std::map<int, Currency> m_sums;
    std::vector<ColumnInfo> m_columns;
    std::map<std::pair<int, int>, CellText> m_overlay;
    std::set<int> m_writtenColumns;
    // Built for these rows: a copy (spliced) starts without.
    struct RowIndexes : std::map<int, std::unordered_map<qint64, int>>
    {
        RowIndexes() = default;
        RowIndexes(const RowIndexes &)
            : std::map<int, std::unordered_map<qint64, int>>()
        {}
        RowIndexes &operator=(const RowIndexes &)
        {
            clear();
            return *this;
        }
    };
    mutable RowIndexes m_indexes;
    mutable std::map<int, std::vector<qint64>> m_keyColumns;
};

using SnapshotPtr = std::shared_ptr<Snapshot>;

// Conversions between values and the server's text forms.
namespace TextForm {
std::optional<qint64> parseInteger(const char *data, int length);
std::optional<Currency> parseCurrency(const char *data, int length);
std::optional<double> parseDouble(const char *data, int length);
std::optional<TDateTime> parseDateTime(const char *data, int length);
QByteArray ofCurrency(Currency value);
QByteArray ofDouble(double value);
QByteArray ofDateTime(TDateTime value);
QByteArray ofBoolean(bool value);
} // namespace TextForm

// Typed readers of a column's text form; a column of another type converts.
namespace Decode {
qint64 integer(FieldType type, const char *data, int length);
Currency currency(FieldType type, const char *data, int length);
double floating(FieldType type, const char *data, int length);
bool boolean(FieldType type, const char *data, int length);
QByteArray bytes(const char *data, int length);
} // namespace Decode

} // namespace Db
