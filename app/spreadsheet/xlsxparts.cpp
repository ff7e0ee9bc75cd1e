#include "app/spreadsheet/xlsxparts.h"

#include <QHash>

namespace {

// Limits that keep a damaged or hostile file from eating the memory.
constexpr qint64 MaxSmallPartBytes = 64 * 1024 * 1024;
constexpr qsizetype MaxSharedCharacters = 128 * 1024 * 1024;

struct WorkbookSheets
{
    int activeTab = 0;
    QStringList relationIds;
};

WorkbookSheets readWorkbook(const QByteArray &data)
{
    WorkbookSheets result;
    QXmlStreamReader xml(data);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"workbookView") {
            bool ok = false;
            const int tab = xml.attributes().value(QLatin1String("activeTab")).toInt(&ok);
            if (ok && tab >= 0)
                result.activeTab = tab;
        } else if (xml.name() == u"sheet") {
            for (const QXmlStreamAttribute &attribute : xml.attributes()) {
                if (attribute.name() == u"id" && attribute.namespaceUri().toString().contains(u"relationships"))
                    result.relationIds.append(attribute.value().toString());
            }
        }
    }
    XlsxParts::checkXml(xml, QStringLiteral("xl/workbook.xml"));
    return result;
}

QHash<QString, QString> readRelations(const QByteArray &data)
{
    QHash<QString, QString> targets;
    QXmlStreamReader xml(data);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"Relationship")
            targets.insert(xml.attributes().value(QLatin1String("Id")).toString(),
                           xml.attributes().value(QLatin1String("Target")).toString());
    }
    XlsxParts::checkXml(xml, QStringLiteral("xl/_rels/workbook.xml.rels"));
    return targets;
}

QString sheetPartName(const QString &target)
{
    if (target.startsWith(u'/'))
        return target.mid(1);
    const QString name = QStringLiteral("xl/") + target;
    // "xl/../x" style targets: resolve the parent steps.
    QStringList parts;
    for (const QString &piece : name.split(u'/')) {
        if (piece == u"..") {
            if (!parts.isEmpty())
                parts.removeLast();
        } else if (piece != u".") {
            parts.append(piece);
        }
    }
    return parts.join(u'/');
}

// A number format shows a date when it has day, month, year or time parts
// outside quoted texts and brackets.
bool isDateFormatCode(const QString &code)
{
    bool quoted = false;
    int bracket = 0;
    for (int i = 0; i < code.size(); ++i) {
        const QChar c = code.at(i);
        if (c == u'"')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == u'\\')
            ++i;
        else if (c == u'[')
            ++bracket;
        else if (c == u']')
            bracket = qMax(0, bracket - 1);
        else if (bracket == 0 && QStringLiteral("dmyhsDMYHS").contains(c))
            return true;
    }
    return false;
}

bool isBuiltInDateFormat(int id)
{
    return (id >= 14 && id <= 22) || (id >= 45 && id <= 47) || (id >= 27 && id <= 36) || (id >= 50 && id <= 58);
}

} // namespace

void SharedStrings::append(QStringView text)
{
    if (m_text.size() + text.size() > MaxSharedCharacters)
        throw UnreadableWorkbook(QStringLiteral("texty sešitu jsou příliš velké"));
    m_text.append(text);
    m_ends.push_back(m_text.size());
}

QString SharedStrings::at(qsizetype index) const
{
    const qsizetype start = index > 0 ? m_ends[size_t(index - 1)] : 0;
    return m_text.mid(start, m_ends[size_t(index)] - start);
}

void XlsxParts::checkXml(const QXmlStreamReader &xml, const QString &part)
{
    auto *device = dynamic_cast<ZipEntryDevice *>(xml.device());
    if (device && !xml.hasError() && xml.atEnd())
        device->readToEnd();
    if (device && !device->failure().isEmpty())
        throw UnreadableWorkbook(device->failure());
    if (xml.hasError())
        throw UnreadableWorkbook(QStringLiteral("část %1 není platné XML (řádek %2, sloupec %3)")
                                     .arg(part)
                                     .arg(xml.lineNumber())
                                     .arg(xml.columnNumber()));
}

QString XlsxParts::activeSheetPart(const ZipArchive &zip)
{
    const WorkbookSheets sheets = readWorkbook(zip.part(QStringLiteral("xl/workbook.xml"), MaxSmallPartBytes));
    if (sheets.relationIds.isEmpty())
        throw UnreadableWorkbook(QStringLiteral("sešit nemá žádný list"));
    const QString relationId = sheets.relationIds.value(qMin(sheets.activeTab, int(sheets.relationIds.size()) - 1));
    const QHash<QString, QString> relations =
        readRelations(zip.part(QStringLiteral("xl/_rels/workbook.xml.rels"), MaxSmallPartBytes));
    if (!relations.contains(relationId))
        throw UnreadableWorkbook(QStringLiteral("aktivní list nelze najít"));
    return sheetPartName(relations.value(relationId));
}

QString XlsxParts::readStringItem(QXmlStreamReader &xml)
{
    QString text;
    const QString end = xml.name().toString();
    int phonetic = 0;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == u"rPh")
                ++phonetic;
            else if (xml.name() == u"t" && phonetic == 0)
                text += xml.readElementText();
        } else if (token == QXmlStreamReader::EndElement) {
            if (xml.name() == u"rPh")
                --phonetic;
            else if (xml.name() == end)
                break;
        }
    }
    return text;
}

SharedStrings XlsxParts::readSharedStrings(const ZipArchive &zip)
{
    SharedStrings strings;
    const QString name = QStringLiteral("xl/sharedStrings.xml");
    if (!zip.has(name))
        return strings;
    ZipEntryDevice device(zip, name);
    QXmlStreamReader xml(&device);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"si")
            strings.append(readStringItem(xml));
    }
    checkXml(xml, name);
    strings.squeeze();
    return strings;
}

QSet<int> XlsxParts::readDateStyles(const ZipArchive &zip)
{
    QSet<int> customDates;
    QSet<int> dateStyles;
    const QString name = QStringLiteral("xl/styles.xml");
    if (!zip.has(name))
        return dateStyles;
    QXmlStreamReader xml(zip.part(name, MaxSmallPartBytes));
    bool inCellXfs = false;
    int xfIndex = 0;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == u"numFmt") {
                if (isDateFormatCode(xml.attributes().value(QLatin1String("formatCode")).toString()))
                    customDates.insert(xml.attributes().value(QLatin1String("numFmtId")).toInt());
            } else if (xml.name() == u"cellXfs") {
                inCellXfs = true;
            } else if (inCellXfs && xml.name() == u"xf") {
                const int id = xml.attributes().value(QLatin1String("numFmtId")).toInt();
                if (isBuiltInDateFormat(id) || customDates.contains(id))
                    dateStyles.insert(xfIndex);
                ++xfIndex;
            }
        } else if (token == QXmlStreamReader::EndElement && xml.name() == u"cellXfs") {
            inCellXfs = false;
        }
    }
    checkXml(xml, name);
    return dateStyles;
}
