#pragma once
// The automation export's spreadsheet on this system: the cells are collected
// as the export sets them and, when the workbook is to be shown, written into
// a new .xlsx in the program's "Export" folder, which the desktop's default
// program for spreadsheets then opens.
#include "app/spreadsheet/spreadsheetautomation.h"

#include <QMap>
#include <QString>

#include <functional>

class XlsxAutomation : public SpreadsheetAutomation
{
public:
    // folder: where the workbook goes (the program's "Export" folder when empty).
    explicit XlsxAutomation(const QString &folder = QString());

    bool CreateApplication() override;
    void WorkBooksAdd() override;
    void SetNumberFormat(int row, int column, const QString &format) override;
    void SetValue(int row, int column, const Variant &value) override;
    void ColumnsAutoFit() override;
    // Writes the workbook and opens it; throws AutomationError when it cannot
    // write it and WorkbookNotShown when nothing opened it.
    void SetVisible() override;

    // The file written by SetVisible.
    QString FileName() const { return m_fileName; }
    // Opens the written file; by default the desktop's program for it.
    std::function<bool(const QString &file)> Open;
    // Whether the desktop names a program for files of that kind; true when
    // it cannot be told.
    static bool DesktopHasProgramFor(const QString &file);

    // The xlsx number format for a format code of the export.
    static QString XlsxFormat(const QString &exportFormat);

private:
    struct Cell
    {
        QString format;
        Variant value;
    };
    void write(const QString &fileName) const;
    QString newFileName() const;
    QString m_folder;
    QMap<QPair<int, int>, Cell> m_cells;
    bool m_autoFit = false;
    QString m_fileName;
};
