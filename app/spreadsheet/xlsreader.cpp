#include "app/spreadsheet/xlsreader.h"

#include "app/spreadsheet/compounddirectory.h"
#include "app/spreadsheet/readerrors.h"
#include "app/spreadsheet/xlsactivesheet.h"
#include "app/spreadsheet/xlsreadprocess.h"
#include "platform/datetime.h"

#include <QFile>
#include <QTemporaryFile>

#include <freexl.h>

namespace {

const QByteArray CompoundFileSignature = QByteArray::fromHex("D0CF11E0A1B11AE1");

using XlsReader::unreadable;

class OpenWorkbook
{
public:
    explicit OpenWorkbook(const QString &path)
    {
        const int result = freexl_open(QFile::encodeName(path).constData(), &m_handle);
        if (result != FREEXL_OK) {
            close();
            throw unreadable(XlsLibraryReason(result));
        }
    }
    ~OpenWorkbook() { close(); }
    OpenWorkbook(const OpenWorkbook &) = delete;
    OpenWorkbook &operator=(const OpenWorkbook &) = delete;

    const void *handle() const { return m_handle; }
    unsigned int info(unsigned short what) const
    {
        unsigned int value = 0;
        if (freexl_get_info(m_handle, what, &value) != FREEXL_OK)
            return 0;
        return value;
    }

private:
    void close()
    {
        if (m_handle)
            freexl_close(m_handle);
        m_handle = nullptr;
    }
    const void *m_handle = nullptr;
};

// The library gives dates and times as text ("YYYY-MM-DD", "HH:MM:SS" or
// both); the import takes them as date values, as from an .xlsx.
Variant dateValue(const char *text)
{
    const QString value = QString::fromLatin1(text);
    const QDateTime both = QDateTime::fromString(value, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (both.isValid())
        return Variant::fromDateTime(DateTimeConv::fromQDateTime(both));
    const QDate date = QDate::fromString(value, QStringLiteral("yyyy-MM-dd"));
    if (date.isValid())
        return Variant::fromDateTime(DateTimeConv::fromQDate(date));
    const QTime time = QTime::fromString(value, QStringLiteral("HH:mm:ss"));
    if (time.isValid())
        return Variant::fromDateTime(DateTimeConv::encodeTime(time.hour(), time.minute(), time.second(), 0));
    return Variant(value);
}

Variant cellValue(const FreeXL_CellValue &cell)
{
    switch (cell.type) {
    case FREEXL_CELL_INT:
        return Variant(cell.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return Variant(cell.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
        return cell.value.text_value ? Variant(QString::fromUtf8(cell.value.text_value)) : Variant();
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
        return cell.value.text_value ? dateValue(cell.value.text_value) : Variant();
    default:
        return Variant();
    }
}

// The active sheet as the library counts sheets; the first when the
// workbook marks none.
unsigned short activeIndex(const QByteArray &bytes, unsigned int libraryCount)
{
    const XlsSheetList list = ReadXlsSheetList(bytes);
    int index = 0;
    if (list.activeSheet >= 0)
        index = int(libraryCount) == list.sheetCount ? list.activeSheet : list.activeWorksheet;
    return index >= 0 && index < int(libraryCount) ? (unsigned short)(index) : 0;
}

} // namespace

bool XlsReader::looksLikeCompoundFile(const QByteArray &bytes)
{
    return bytes.startsWith(CompoundFileSignature);
}

SheetReadError XlsReader::unreadable(const QString &what)
{
    return {QStringLiteral("Sešit ve formátu xls nelze přečíst: %1.").arg(what)};
}

SheetCells XlsReader::readActiveSheet(const QByteArray &bytes, std::chrono::seconds timeLimit)
{
    const QString program = XlsReadProcess::program();
    if (program.isEmpty())
        throw unreadable(QStringLiteral("chybí program %1, který sešity xls čte").arg(XlsReadProcess::ProgramName));
    // The library opens files only: the bytes go to a temporary copy.
    QTemporaryFile copy;
    if (!copy.open() || copy.write(bytes) != bytes.size() || !copy.flush())
        throw unreadable(QStringLiteral("nelze zapsat jeho dočasnou kopii (%1)").arg(copy.errorString()));
    return XlsReadProcess::run(program, copy.fileName(), timeLimit);
}

SheetCells XlsReader::readActiveSheetHere(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw unreadable(QStringLiteral("soubor nelze otevřít (%1)").arg(file.errorString()));
    const QByteArray bytes = file.readAll();
    if (!CompoundDirectory::namesFitTheirEntries(bytes))
        throw unreadable(QStringLiteral("soubor je poškozený (chybný adresář souboru)"));
    const OpenWorkbook workbook(path);
    if (workbook.info(FREEXL_BIFF_PASSWORD) == FREEXL_BIFF_OBFUSCATED)
        throw unreadable(XlsLibraryReason(FREEXL_BIFF_OBFUSCATED));
    const unsigned int sheets = workbook.info(FREEXL_BIFF_SHEET_COUNT);
    if (sheets == 0)
        throw unreadable(QStringLiteral("sešit nemá žádný list"));
    int result = freexl_select_active_worksheet(workbook.handle(), activeIndex(bytes, sheets));
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (result == FREEXL_OK)
        result = freexl_worksheet_dimensions(workbook.handle(), &rows, &columns);
    if (result != FREEXL_OK)
        throw unreadable(XlsLibraryReason(result));
    SheetCells cells;
    for (unsigned int row = 0; row < rows; ++row) {
        for (unsigned short column = 0; column < columns; ++column) {
            FreeXL_CellValue cell;
            result = freexl_get_cell_value(workbook.handle(), row, column, &cell);
            if (result != FREEXL_OK)
                throw unreadable(XlsLibraryReason(result));
            const Variant value = cellValue(cell);
            if (!value.isUnassigned())
                cells.set(int(row) + 1, int(column) + 1, value);
        }
    }
    // Rows the sheet counts as used count even when empty, as in an .xlsx.
    cells.extendTo(int(rows));
    return cells;
}
