#pragma once
// The spreadsheet program as the automation export drives it: a new workbook,
// then for each cell its number format and value (1-based rows and columns),
// then the columns fitted and the workbook shown to the user. The export
// never saves or closes what it shows.
#include "platform/variant.h"

#include <QString>

#include <stdexcept>

// A call the spreadsheet could not carry out; what() is a Czech reason.
class AutomationError : public std::runtime_error
{
public:
    explicit AutomationError(const QString &reason)
        : std::runtime_error(reason.toStdString())
    {}
    QString reason() const { return QString::fromStdString(what()); }
};

// The workbook is safely saved, but no program showed it: nothing is lost,
// the user opens the file himself.
class WorkbookNotShown : public AutomationError
{
public:
    explicit WorkbookNotShown(const QString &fileName)
        : AutomationError(fileName)
    {}
    QString fileName() const { return reason(); }
};

class SpreadsheetAutomation
{
public:
    virtual ~SpreadsheetAutomation() = default;
    // Starts the application; false when there is none to start.
    virtual bool CreateApplication() = 0;
    virtual void WorkBooksAdd() = 0;
    // Format codes as the export sets them: "0,00", "0" and "@".
    virtual void SetNumberFormat(int row, int column, const QString &format) = 0;
    virtual void SetValue(int row, int column, const Variant &value) = 0;
    virtual void ColumnsAutoFit() = 0;
    virtual void SetVisible() = 0;
};
