#include "app/spreadsheet/xlsxreader.h"

#include "platform/datetime.h"

#include <QHash>
#include <QSet>
#include <QXmlStreamReader>

#include <zip.h>

#include <memory>

namespace {

// Limits that keep a damaged or hostile file from eating the memory.
constexpr qint64 MaxPartBytes = 256 * 1024 * 1024;
constexpr int MaxRow = 1048576;
constexpr int MaxColumn = 16384;

SheetReadError unreadable(const QString &what)
{
    return {QStringLiteral("Sešit nelze přečíst: %1.").arg(what)};
}

class ZipArchive
{
public:
    explicit ZipArchive(const QByteArray &bytes)
    {
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t *source = zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
        if (source)
            m_zip = zip_open_from_source(source, ZIP_RDONLY, &error);
        if (source && !m_zip)
            zip_source_free(source);
        zip_error_fini(&error);
        if (!m_zip)
            throw unreadable(QStringLiteral("soubor není sešit ve formátu xlsx"));
    }
    ~ZipArchive() { zip_discard(m_zip); }
    ZipArchive(const ZipArchive &) = delete;
    ZipArchive &operator=(const ZipArchive &) = delete;

    bool has(const QString &name) const { return zip_name_locate(m_zip, name.toUtf8().constData(), 0) >= 0; }

    QByteArray part(const QString &name) const
    {
        const QByteArray utf8 = name.toUtf8();
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat(m_zip, utf8.constData(), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
            throw unreadable(QStringLiteral("chybí část %1").arg(name));
        if (stat.size > zip_uint64_t(MaxPartBytes))
            throw unreadable(QStringLiteral("část %1 je příliš velká").arg(name));
        zip_file_t *file = zip_fopen(m_zip, utf8.constData(), 0);
        if (!file)
            throw unreadable(QStringLiteral("část %1 je poškozená").arg(name));
        QByteArray data(qsizetype(stat.size), Qt::Uninitialized);
        const zip_int64_t read = zip_fread(file, data.data(), stat.size);
        zip_fclose(file);
        if (read != zip_int64_t(stat.size))
            throw unreadable(QStringLiteral("část %1 je poškozená").arg(name));
        return data;
    }

private:
    zip_t *m_zip = nullptr;
};

void checkXml(const QXmlStreamReader &xml, const QString &part)
{
    if (xml.hasError())
        throw unreadable(QStringLiteral("část %1 není platné XML (%2)").arg(part, xml.errorString()));
}

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
    checkXml(xml, QStringLiteral("xl/workbook.xml"));
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
    checkXml(xml, QStringLiteral("xl/_rels/workbook.xml.rels"));
    return targets;
}

// The text of a shared string or an inline string: every <t> of the item,
// phonetic runs left out.
QString readStringItem(QXmlStreamReader &xml)
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

QStringList readSharedStrings(const QByteArray &data)
{
    QStringList strings;
    QXmlStreamReader xml(data);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"si")
            strings.append(readStringItem(xml));
    }
    checkXml(xml, QStringLiteral("xl/sharedStrings.xml"));
    return strings;
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

// Indexes of the cell styles (the cells' s attribute) whose format is a date.
QSet<int> readDateStyles(const QByteArray &data)
{
    QSet<int> customDates;
    QSet<int> dateStyles;
    QXmlStreamReader xml(data);
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
    checkXml(xml, QStringLiteral("xl/styles.xml"));
    return dateStyles;
}

QString sheetPartName(const QString &target)
{
    if (target.startsWith(u'/'))
        return target.mid(1);
    QString name = QStringLiteral("xl/") + target;
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

Variant cellValue(const QString &kind, const QString &raw, const QString &inlineText, bool isDate,
                  const QStringList &shared)
{
    if (kind == u"s") {
        bool ok = false;
        const int index = raw.toInt(&ok);
        if (!ok || index < 0 || index >= shared.size())
            throw unreadable(QStringLiteral("odkaz na neexistující text %1").arg(raw));
        return Variant(shared.at(index));
    }
    if (kind == u"inlineStr")
        return Variant(inlineText);
    if (kind == u"str" || kind == u"e")
        return Variant(raw);
    if (kind == u"b")
        return Variant(raw.trimmed() == u"1");
    if (raw.isEmpty())
        return Variant();
    bool ok = false;
    const double number = raw.toDouble(&ok);
    if (!ok)
        return Variant(raw);
    if (isDate)
        return Variant::fromDateTime(TDateTime(number));
    return Variant(number);
}

SheetCells readSheet(const QByteArray &data, const QString &part, const QStringList &shared,
                     const QSet<int> &dateStyles)
{
    SheetCells cells;
    QXmlStreamReader xml(data);
    int nextRow = 1;
    int nextColumn = 1;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"dimension") {
            const QString ref = xml.attributes().value(QLatin1String("ref")).toString();
            int row = 0, column = 0;
            if (XlsxReader::parseCellReference(ref.section(u':', -1), row, column))
                cells.extendTo(row);
        } else if (xml.name() == u"row") {
            bool ok = false;
            const int row = xml.attributes().value(QLatin1String("r")).toInt(&ok);
            nextRow = ok ? row : nextRow + 1;
            if (nextRow < 1 || nextRow > MaxRow)
                throw unreadable(QStringLiteral("řádek %1 je mimo list").arg(nextRow));
            nextColumn = 1;
        } else if (xml.name() == u"c") {
            int row = nextRow, column = nextColumn;
            const QString ref = xml.attributes().value(QLatin1String("r")).toString();
            if (!ref.isEmpty() && !XlsxReader::parseCellReference(ref, row, column))
                throw unreadable(QStringLiteral("neplatná adresa buňky %1").arg(ref));
            nextColumn = column + 1;
            const QString kind = xml.attributes().value(QLatin1String("t")).toString();
            const bool isDate = dateStyles.contains(xml.attributes().value(QLatin1String("s")).toInt());
            QString raw, inlineText;
            while (!xml.atEnd()) {
                const auto token = xml.readNext();
                if (token == QXmlStreamReader::StartElement && xml.name() == u"v")
                    raw = xml.readElementText();
                else if (token == QXmlStreamReader::StartElement && xml.name() == u"is")
                    inlineText = readStringItem(xml);
                else if (token == QXmlStreamReader::EndElement && xml.name() == u"c")
                    break;
            }
            const Variant value = cellValue(kind, raw, inlineText, isDate, shared);
            if (!value.isUnassigned())
                cells.set(row, column, value);
        }
    }
    checkXml(xml, part);
    return cells;
}

} // namespace

bool XlsxReader::parseCellReference(QStringView reference, int &row, int &column)
{
    int i = 0;
    qint64 col = 0;
    while (i < reference.size() && reference[i].isLetter() && reference[i].unicode() < 128) {
        col = col * 26 + (reference[i].toUpper().unicode() - 'A' + 1);
        if (col > MaxColumn)
            return false;
        ++i;
    }
    if (i == 0 || i == reference.size())
        return false;
    bool ok = false;
    const int r = reference.mid(i).toInt(&ok);
    if (!ok || r < 1 || r > MaxRow || !reference[i].isDigit())
        return false;
    row = r;
    column = int(col);
    return true;
}

bool XlsxReader::looksLikeZip(const QByteArray &bytes)
{
    return bytes.startsWith("PK\x03\x04");
}

SheetCells XlsxReader::readActiveSheet(const QByteArray &bytes)
{
    const ZipArchive zip(bytes);
    const WorkbookSheets sheets = readWorkbook(zip.part(QStringLiteral("xl/workbook.xml")));
    if (sheets.relationIds.isEmpty())
        throw unreadable(QStringLiteral("sešit nemá žádný list"));
    const QString relationId = sheets.relationIds.value(qMin(sheets.activeTab, int(sheets.relationIds.size()) - 1));
    const QHash<QString, QString> relations = readRelations(zip.part(QStringLiteral("xl/_rels/workbook.xml.rels")));
    if (!relations.contains(relationId))
        throw unreadable(QStringLiteral("aktivní list nelze najít"));
    const QString part = sheetPartName(relations.value(relationId));
    const QString sharedName = QStringLiteral("xl/sharedStrings.xml");
    const QStringList shared = zip.has(sharedName) ? readSharedStrings(zip.part(sharedName)) : QStringList();
    const QString stylesName = QStringLiteral("xl/styles.xml");
    const QSet<int> dateStyles = zip.has(stylesName) ? readDateStyles(zip.part(stylesName)) : QSet<int>();
    return readSheet(zip.part(part), part, shared, dateStyles);
}
