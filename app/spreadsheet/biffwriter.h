#pragma once
// The plain binary worksheet stream the direct file export writes: BOF, the
// code page, cell records, EOF and nothing else (no container, no fonts or
// formats), every cell with format index 0. Rows and columns are 0-based.
#include <QByteArray>
#include <QString>

// The record codes of the worksheet stream.
namespace BiffRecord {
constexpr quint16 Bof = 0x0809;
constexpr quint16 CodePage = 0x0042;
constexpr quint16 Rk = 0x027E;
constexpr quint16 Number = 0x0203;
constexpr quint16 Label = 0x0204;
constexpr quint16 Eof = 0x000A;
} // namespace BiffRecord

class BiffWriter
{
public:
    // The smallest and largest integer an RK record holds (30 bits, signed).
    static constexpr qint64 RkMin = -(qint64(1) << 29);
    static constexpr qint64 RkMax = (qint64(1) << 29) - 1;
    // The longest text a LABEL record holds, in bytes of the 8-bit code page.
    static constexpr int LabelMaxBytes = 0xFFFF - 8;

    void writeBof();
    // Names Windows-1250 as the code page of the texts. Without it readers
    // fall back to their own locale's code page and the Czech letters come
    // out wrong.
    void writeCodePage();
    void writeEof();
    // An integer cell: an RK record while it fits, else a NUMBER record, so a
    // large value is never cut to 30 bits.
    void writeInteger(int row, int column, qint64 value);
    void writeNumber(int row, int column, double value);
    // Text in Windows-1250; characters it lacks become "?"; a text over
    // LabelMaxBytes is cut there.
    void writeLabel(int row, int column, const QString &text);

    const QByteArray &bytes() const { return m_bytes; }

private:
    void writeCellHeader(quint16 record, quint16 length, int row, int column);
    void writeU16(quint16 value);
    void writeU32(quint32 value);
    QByteArray m_bytes;
};
