#include "app/spreadsheet/spreadsheetsource.h"

#include "app/spreadsheet/biffreader.h"
#include "app/spreadsheet/xlsreader.h"
#include "app/spreadsheet/xlsxreader.h"
#include "app/spreadsheet/xlsxsheet.h"

#include <QFile>

SheetCells WorkbookFileSource::parse(const QByteArray &bytes)
{
    if (XlsxReader::looksLikeZip(bytes))
        return XlsxReader::readActiveSheet(bytes);
    if (XlsReader::looksLikeCompoundFile(bytes))
        return XlsReader::readActiveSheet(bytes);
    if (BiffReader::looksLikeBiff(bytes))
        return BiffReader::read(bytes);
    throw SheetReadError{QStringLiteral("Soubor není sešit ve formátu xlsx ani xls.")};
}

WorkbookFileSource::WorkbookFileSource(const QString &path)
    : m_path(path)
{}

WorkbookFileSource::~WorkbookFileSource() = default;

int WorkbookFileSource::LastUsedRow() const
{
    return m_xlsx ? m_xlsx->lastUsedRow() : m_cells.lastUsedRow();
}

Variant WorkbookFileSource::Cell(int row, int column) const
{
    return m_xlsx ? m_xlsx->value(row, column) : m_cells.value(row, column);
}

bool WorkbookFileSource::Reload(QString &reason)
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        reason = QStringLiteral("Soubor %1 nelze otevřít: %2").arg(m_path, file.errorString());
        return false;
    }
    m_xlsx.reset();
    m_cells = SheetCells();
    try {
        QByteArray bytes = file.readAll();
        if (XlsxReader::looksLikeZip(bytes))
            m_xlsx = std::make_unique<XlsxSheet>(std::move(bytes));
        else
            m_cells = parse(bytes);
    } catch (const SheetReadError &error) {
        reason = error.reason;
        return false;
    }
    return true;
}
