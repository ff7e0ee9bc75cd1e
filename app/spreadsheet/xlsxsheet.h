#pragma once
// The active sheet of an .xlsx read as a stream: the sheet's XML is unpacked
// and parsed as it is read, one row at a time, so a price list of hundreds
// of thousands of rows never lies in memory whole. Opening reads the
// workbook's small parts and the shared strings, and walks the sheet once to
// check it and to find its last used row. Rows asked for in order cost one
// more walk; asking for an earlier row starts the walk again.
#include "app/spreadsheet/xlsxparts.h"

#include <memory>
#include <optional>
#include <utility>
#include <vector>

struct SheetRow
{
    int row = 0;
    std::vector<std::pair<int, Variant>> cells; // by column, empty cells left out
};

class SheetRowReader;

class XlsxSheet
{
public:
    // Keeps the (packed) bytes. Throws SheetReadError with a Czech reason.
    explicit XlsxSheet(QByteArray bytes);
    ~XlsxSheet();
    XlsxSheet(const XlsxSheet &) = delete;
    XlsxSheet &operator=(const XlsxSheet &) = delete;

    int lastUsedRow() const { return m_lastRow; }
    // Unassigned for an empty cell. Throws SheetReadError.
    Variant value(int row, int column) const;
    // Every cell, for small sheets and tests.
    SheetCells allCells() const;

private:
    std::unique_ptr<SheetRowReader> newReader() const;

    QByteArray m_bytes;
    std::unique_ptr<ZipArchive> m_zip;
    QString m_part;
    SharedStrings m_shared;
    QSet<int> m_dateStyles;
    int m_lastRow = 0;
    // A sheet whose rows are not in ascending order is kept whole.
    std::optional<SheetCells> m_unordered;
    // The walk in progress and the row it stands on.
    mutable std::unique_ptr<SheetRowReader> m_reader;
    mutable SheetRow m_current;
    mutable bool m_walked = false;
};
