#pragma once
// Where the item import reads its rows: the sheet of a workbook the user
// picked. Reloading reads the file from disk again, so a row the user fixed
// and saved in a spreadsheet program is read as it is now.
#include "app/spreadsheet/sheetcells.h"

#include <QString>

#include <memory>

class XlsxSheet;

class SpreadsheetSource
{
public:
    virtual ~SpreadsheetSource() = default;
    // Reads (or reads again) the sheet; false with the reason in Czech.
    virtual bool Reload(QString &reason) = 0;
    virtual int LastUsedRow() const = 0;
    // 1-based; Unassigned for an empty cell. A sheet read as a stream may
    // throw SheetReadError.
    virtual Variant Cell(int row, int column) const = 0;
};

// A workbook file: the active sheet of an .xlsx or of an .xls another program
// wrote, or a worksheet stream of the kind the direct export writes (.xls).
class WorkbookFileSource : public SpreadsheetSource
{
public:
    explicit WorkbookFileSource(const QString &path);
    ~WorkbookFileSource() override;
    bool Reload(QString &reason) override;
    int LastUsedRow() const override;
    Variant Cell(int row, int column) const override;
    // Reads workbook bytes of either kind; throws SheetReadError.
    static SheetCells parse(const QByteArray &bytes);

private:
    QString m_path;
    SheetCells m_cells;                // an .xls, read whole
    std::unique_ptr<XlsxSheet> m_xlsx; // an .xlsx, read as a stream
};
