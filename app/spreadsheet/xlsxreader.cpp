#include "app/spreadsheet/xlsxreader.h"

#include "app/spreadsheet/xlsxsheet.h"

namespace {
constexpr int MaxRow = 1048576;
constexpr int MaxColumn = 16384;
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
    return XlsxSheet(bytes).allCells();
}
