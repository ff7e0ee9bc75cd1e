#include "app/spreadsheet/biffwriter.h"

#include "platform/cp1250.h"

#include <QtEndian>

#include <cstring>

void BiffWriter::writeU16(quint16 value)
{
    char buffer[2];
    qToLittleEndian(value, buffer);
    m_bytes.append(buffer, 2);
}

void BiffWriter::writeU32(quint32 value)
{
    char buffer[4];
    qToLittleEndian(value, buffer);
    m_bytes.append(buffer, 4);
}

void BiffWriter::writeBof()
{
    writeU16(BiffRecord::Bof);
    writeU16(8);
    writeU16(0);      // version
    writeU16(0x0010); // worksheet
    writeU32(0);
}

void BiffWriter::writeCodePage()
{
    writeU16(BiffRecord::CodePage);
    writeU16(2);
    writeU16(1250);
}

void BiffWriter::writeEof()
{
    writeU16(BiffRecord::Eof);
    writeU16(0);
}

void BiffWriter::writeCellHeader(quint16 record, quint16 length, int row, int column)
{
    writeU16(record);
    writeU16(length);
    writeU16(quint16(row));
    writeU16(quint16(column));
    writeU16(0); // format index
}

void BiffWriter::writeInteger(int row, int column, qint64 value)
{
    if (value < RkMin || value > RkMax) {
        writeNumber(row, column, double(value));
        return;
    }
    writeCellHeader(BiffRecord::Rk, 10, row, column);
    writeU32(quint32(qint32(value) * 4) | 2u);
}

void BiffWriter::writeNumber(int row, int column, double value)
{
    writeCellHeader(BiffRecord::Number, 14, row, column);
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    char buffer[8];
    qToLittleEndian(bits, buffer);
    m_bytes.append(buffer, 8);
}

void BiffWriter::writeLabel(int row, int column, const QString &text)
{
    QByteArray encoded = Cp1250::encode(text);
    if (encoded.size() > LabelMaxBytes)
        encoded.truncate(LabelMaxBytes);
    writeCellHeader(BiffRecord::Label, quint16(encoded.size() + 8), row, column);
    writeU16(quint16(encoded.size()));
    m_bytes.append(encoded);
}
