#include "app/spreadsheet/spreadsheetsource.h"

#include "app/spreadsheet/biffreader.h"
#include "app/spreadsheet/xlsreader.h"
#include "app/spreadsheet/xlsxreader.h"

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

bool WorkbookFileSource::Reload(QString &reason)
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        reason = QStringLiteral("Soubor %1 nelze otevřít: %2").arg(m_path, file.errorString());
        return false;
    }
    try {
        m_cells = parse(file.readAll());
    } catch (const SheetReadError &error) {
        reason = error.reason;
        return false;
    }
    return true;
}
