#pragma once
// The parts of an .xlsx workbook read before its sheet: which sheet is
// active, the shared strings and the cell styles that show a date.
#include "app/spreadsheet/ziparchive.h"

#include <QSet>
#include <QString>
#include <QXmlStreamReader>

#include <vector>

// The workbook's texts, kept together in one buffer: a price list holds
// hundreds of thousands of them.
class SharedStrings
{
public:
    void append(QStringView text);
    qsizetype size() const { return qsizetype(m_ends.size()); }
    QString at(qsizetype index) const;
    void squeeze() { m_text.squeeze(); }

private:
    QString m_text;
    std::vector<qsizetype> m_ends;
};

namespace XlsxParts {
// The part name of the sheet the workbook marks active.
QString activeSheetPart(const ZipArchive &zip);
SharedStrings readSharedStrings(const ZipArchive &zip);
// Indexes of the cell styles (a cell's s attribute) whose format is a date.
QSet<int> readDateStyles(const ZipArchive &zip);
// The text of a shared or an inline string item the reader stands on: every
// <t> of the item, phonetic runs left out.
QString readStringItem(QXmlStreamReader &xml);
// Throws SheetReadError when the reader met bad XML or its device failed.
void checkXml(const QXmlStreamReader &xml, const QString &part);
} // namespace XlsxParts
