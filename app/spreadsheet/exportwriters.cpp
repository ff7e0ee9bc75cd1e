#include "app/spreadsheet/exportwriters.h"

#include "app/spreadsheet/spreadsheetautomation.h"
#include "platform/db/field.h"

namespace {
QString booleanText(const Db::Field &field)
{
    return field.AsBoolean() ? QStringLiteral("A") : QStringLiteral("N");
}
} // namespace

void BiffCellWriter::WriteTitle(int column, const QString &title)
{
    m_out.writeLabel(0, column, title);
}

void BiffCellWriter::WriteCell(int record, int column, ExportFieldClass kind, const Db::Field &field)
{
    switch (kind) {
    case ExportFieldClass::Integer:
        m_out.writeInteger(record, column, field.AsInteger());
        break;
    case ExportFieldClass::Boolean:
        m_out.writeLabel(record, column, booleanText(field));
        break;
    case ExportFieldClass::Number:
        m_out.writeNumber(record, column, field.AsFloat());
        break;
    case ExportFieldClass::LargeInteger:
    case ExportFieldClass::Other:
        m_out.writeLabel(record, column, field.AsString());
        break;
    }
}

void AutomationCellWriter::WriteTitle(int column, const QString &title)
{
    m_sheet.SetValue(1, column + 1, title);
}

void AutomationCellWriter::WriteCell(int record, int column, ExportFieldClass kind, const Db::Field &field)
{
    const int row = record + 1;
    const int col = column + 1;
    switch (kind) {
    case ExportFieldClass::Integer:
        m_sheet.SetValue(row, col, Variant(field.AsInteger()));
        break;
    case ExportFieldClass::Boolean:
        m_sheet.SetValue(row, col, booleanText(field));
        break;
    case ExportFieldClass::Number:
        m_sheet.SetNumberFormat(row, col, QStringLiteral("0,00"));
        m_sheet.SetValue(row, col, Variant(field.AsFloat()));
        break;
    case ExportFieldClass::LargeInteger:
        m_sheet.SetNumberFormat(row, col, QStringLiteral("0"));
        m_sheet.SetValue(row, col, field.AsString());
        break;
    case ExportFieldClass::Other:
        m_sheet.SetNumberFormat(row, col, QStringLiteral("@"));
        m_sheet.SetValue(row, col, field.AsString());
        break;
    }
}
