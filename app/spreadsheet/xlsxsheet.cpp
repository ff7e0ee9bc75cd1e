#include "app/spreadsheet/xlsxsheet.h"

#include "app/spreadsheet/xlsxreader.h"
#include "platform/datetime.h"

namespace {

constexpr int MaxRow = 1048576;

Variant cellValue(QStringView kind, const QString &raw, const QString &inlineText, bool isDate,
                  const SharedStrings &shared)
{
    if (kind == u"s") {
        bool ok = false;
        const int index = raw.toInt(&ok);
        if (!ok || index < 0 || index >= shared.size())
            throw UnreadableWorkbook(QStringLiteral("odkaz na neexistující text %1").arg(raw));
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

} // namespace

// One walk over the sheet's XML, row element by row element.
class SheetRowReader
{
public:
    SheetRowReader(const ZipArchive &zip, const QString &part, const SharedStrings &shared, const QSet<int> &dateStyles)
        : m_device(zip, part)
        , m_xml(&m_device)
        , m_part(part)
        , m_shared(shared)
        , m_dateStyles(dateStyles)
    {}

    // The next row element; false at the sheet's end. Throws SheetReadError.
    bool next(SheetRow &row)
    {
        while (!m_xml.atEnd()) {
            if (m_xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (m_xml.name() == u"dimension") {
                const QString ref = m_xml.attributes().value(QLatin1String("ref")).toString();
                int last = 0, column = 0;
                if (XlsxReader::parseCellReference(ref.section(u':', -1), last, column))
                    m_dimensionRow = last;
            } else if (m_xml.name() == u"row") {
                readRow(row);
                return true;
            }
        }
        XlsxParts::checkXml(m_xml, m_part);
        return false;
    }
    // The last row the sheet's dimension names, once the walk passed it.
    int dimensionRow() const { return m_dimensionRow; }

private:
    void readRow(SheetRow &row)
    {
        bool ok = false;
        const int number = m_xml.attributes().value(QLatin1String("r")).toInt(&ok);
        row.row = ok ? number : 0; // without its number: the first cell's row, else the next
        row.cells.clear();
        int nextColumn = 1;
        while (!m_xml.atEnd()) {
            const auto token = m_xml.readNext();
            if (token == QXmlStreamReader::EndElement && m_xml.name() == u"row")
                break;
            if (token == QXmlStreamReader::StartElement && m_xml.name() == u"c")
                readCell(row, nextColumn);
        }
        XlsxParts::checkXml(m_xml, m_part);
        if (row.row == 0)
            row.row = m_previousRow + 1;
        if (row.row < 1 || row.row > MaxRow)
            throw UnreadableWorkbook(QStringLiteral("řádek %1 je mimo list").arg(row.row));
        m_previousRow = row.row;
    }

    void readCell(SheetRow &row, int &nextColumn)
    {
        const QXmlStreamAttributes attributes = m_xml.attributes();
        int cellRow = row.row, column = nextColumn;
        const QStringView ref = attributes.value(QLatin1String("r"));
        if (!ref.isEmpty() && !XlsxReader::parseCellReference(ref, cellRow, column))
            throw UnreadableWorkbook(QStringLiteral("neplatná adresa buňky %1").arg(ref));
        if (row.row == 0)
            row.row = cellRow;
        if (cellRow != row.row)
            throw UnreadableWorkbook(QStringLiteral("buňka %1 neleží v řádku %2").arg(ref).arg(row.row));
        nextColumn = column + 1;
        const QString kind = attributes.value(QLatin1String("t")).toString();
        const bool isDate = m_dateStyles.contains(attributes.value(QLatin1String("s")).toInt());
        QString raw, inlineText;
        while (!m_xml.atEnd()) {
            const auto token = m_xml.readNext();
            if (token == QXmlStreamReader::StartElement && m_xml.name() == u"v")
                raw = m_xml.readElementText();
            else if (token == QXmlStreamReader::StartElement && m_xml.name() == u"is")
                inlineText = XlsxParts::readStringItem(m_xml);
            else if (token == QXmlStreamReader::EndElement && m_xml.name() == u"c")
                break;
        }
        Variant value = cellValue(kind, raw, inlineText, isDate, m_shared);
        if (!value.isUnassigned())
            row.cells.emplace_back(column, std::move(value));
    }

    ZipEntryDevice m_device;
    QXmlStreamReader m_xml;
    QString m_part;
    const SharedStrings &m_shared;
    const QSet<int> &m_dateStyles;
    int m_dimensionRow = 0;
    int m_previousRow = 0;
};

XlsxSheet::XlsxSheet(QByteArray bytes)
    : m_bytes(std::move(bytes))
    , m_zip(std::make_unique<ZipArchive>(m_bytes))
    , m_part(XlsxParts::activeSheetPart(*m_zip))
    , m_shared(XlsxParts::readSharedStrings(*m_zip))
    , m_dateStyles(XlsxParts::readDateStyles(*m_zip))
{
    // The first walk checks the whole sheet, so a damaged one is refused
    // before anything is done with its rows.
    const std::unique_ptr<SheetRowReader> reader = newReader();
    SheetRow row;
    int previous = 0;
    bool ordered = true;
    while (reader->next(row)) {
        ordered = ordered && row.row > previous;
        previous = row.row;
        if (!row.cells.empty())
            m_lastRow = qMax(m_lastRow, row.row);
    }
    m_lastRow = qMax(m_lastRow, reader->dimensionRow());
    if (!ordered)
        m_unordered = allCells();
}

XlsxSheet::~XlsxSheet() = default;

std::unique_ptr<SheetRowReader> XlsxSheet::newReader() const
{
    return std::make_unique<SheetRowReader>(*m_zip, m_part, m_shared, m_dateStyles);
}

Variant XlsxSheet::value(int row, int column) const
{
    if (m_unordered)
        return m_unordered->value(row, column);
    if (!m_reader || row < m_current.row) {
        m_reader = newReader();
        m_current = SheetRow();
        m_walked = false;
    }
    while (m_current.row < row && !m_walked) {
        SheetRow next;
        if (m_reader->next(next))
            m_current = std::move(next);
        else
            m_walked = true;
    }
    if (m_current.row != row)
        return Variant();
    for (const auto &[cellColumn, value] : m_current.cells) {
        if (cellColumn == column)
            return value;
    }
    return Variant();
}

SheetCells XlsxSheet::allCells() const
{
    SheetCells cells;
    const std::unique_ptr<SheetRowReader> reader = newReader();
    SheetRow row;
    while (reader->next(row)) {
        for (const auto &[column, value] : row.cells)
            cells.set(row.row, column, value);
    }
    cells.extendTo(m_lastRow);
    return cells;
}
