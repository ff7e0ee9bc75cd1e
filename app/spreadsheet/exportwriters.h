#pragma once
// The two ways the export writes its cells: into the worksheet stream of the
// direct file export, and through the spreadsheet's automation calls.
#include "app/spreadsheet/biffwriter.h"
#include "app/spreadsheet/exportwalk.h"

class SpreadsheetAutomation;

class BiffCellWriter : public ExportCellWriter
{
public:
    explicit BiffCellWriter(BiffWriter &out)
        : m_out(out)
    {}
    void WriteTitle(int column, const QString &title) override;
    void WriteCell(int record, int column, ExportFieldClass kind, const Db::Field &field) override;

private:
    BiffWriter &m_out;
};

class AutomationCellWriter : public ExportCellWriter
{
public:
    explicit AutomationCellWriter(SpreadsheetAutomation &sheet)
        : m_sheet(sheet)
    {}
    void WriteTitle(int column, const QString &title) override;
    void WriteCell(int record, int column, ExportFieldClass kind, const Db::Field &field) override;

private:
    SpreadsheetAutomation &m_sheet;
};
