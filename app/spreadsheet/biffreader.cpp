#include "app/spreadsheet/biffreader.h"

#include "app/spreadsheet/biffwriter.h"

#include "platform/cp1250.h"

#include <QtEndian>

#include <cstring>

namespace {

quint16 u16(const char *p)
{
    return qFromLittleEndian<quint16>(p);
}

// An RK value: bit 0 says "divided by 100", bit 1 "integer"; otherwise the
// upper 30 bits are the top of a double.
Variant rkValue(quint32 raw)
{
    const bool hundredths = raw & 1u;
    if (raw & 2u) {
        const qint64 value = qint32(raw) >> 2;
        if (hundredths)
            return Variant(double(value) / 100.0);
        return Variant(value);
    }
    const quint64 bits = quint64(raw & 0xFFFFFFFCu) << 32;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return Variant(hundredths ? value / 100.0 : value);
}

SheetReadError damaged()
{
    return {QStringLiteral("Soubor není platný list, jeho záznamy jsou poškozené.")};
}
} // namespace

bool BiffReader::looksLikeBiff(const QByteArray &bytes)
{
    return bytes.size() >= 4 && u16(bytes.constData()) == BiffRecord::Bof;
}

SheetCells BiffReader::read(const QByteArray &bytes)
{
    if (!looksLikeBiff(bytes))
        throw damaged();
    SheetCells cells;
    const char *data = bytes.constData();
    qsizetype at = 0;
    while (at + 4 <= bytes.size()) {
        const quint16 record = u16(data + at);
        const quint16 length = u16(data + at + 2);
        const char *body = data + at + 4;
        if (at + 4 + length > bytes.size())
            throw damaged();
        at += 4 + length;
        if (record == BiffRecord::Eof)
            return cells;
        const bool isCell = record == BiffRecord::Rk || record == BiffRecord::Number || record == BiffRecord::Label;
        if (!isCell)
            continue;
        if (length < 6)
            throw damaged();
        const int row = u16(body) + 1;
        const int column = u16(body + 2) + 1;
        if (record == BiffRecord::Rk && length >= 10) {
            cells.set(row, column, rkValue(qFromLittleEndian<quint32>(body + 6)));
        } else if (record == BiffRecord::Number && length >= 14) {
            const quint64 bits = qFromLittleEndian<quint64>(body + 6);
            double value;
            std::memcpy(&value, &bits, sizeof value);
            cells.set(row, column, Variant(value));
        } else if (record == BiffRecord::Label && length >= 8) {
            const int textLength = u16(body + 6);
            if (8 + textLength > length)
                throw damaged();
            cells.set(row, column, Variant(Cp1250::decode(QByteArrayView(body + 8, textLength))));
        } else {
            throw damaged();
        }
    }
    throw damaged(); // no EOF record
}
