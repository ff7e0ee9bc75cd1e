#include "app/spreadsheet/compounddirectory.h"

#include <QtEndian>
#include <initializer_list>

namespace {

constexpr qint64 HeaderSize = 512;
constexpr qint64 SectorShiftAt = 30;
constexpr qint64 FirstDirectorySectorAt = 48;
constexpr qint64 EntrySize = 128;
constexpr qint64 NameLengthAt = 64;
constexpr quint16 NameCapacity = 64;

quint16 word(const QByteArray &bytes, qint64 at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

} // namespace

bool CompoundDirectory::namesFitTheirEntries(const QByteArray &bytes)
{
    if (bytes.size() < HeaderSize)
        return true;
    const quint16 shift = word(bytes, SectorShiftAt);
    // Sectors of 512 and 4096 bytes; the library refuses any other size.
    if (shift != 9 && shift != 12)
        return true;
    const quint32 first = qFromLittleEndian<quint32>(bytes.constData() + FirstDirectorySectorAt);
    const qint64 sectorSize = qint64(1) << shift;
    // The library reads the directory's first sector only, at an offset it
    // counts in 32 bits; where that wraps, the sector the format means is
    // looked at as well.
    const qint64 wrapped = quint32((first + 1) << shift);
    const qint64 meant = (qint64(first) + 1) << shift;
    for (const qint64 sector : {wrapped, meant}) {
        for (qint64 entry = sector; entry < sector + sectorSize; entry += EntrySize) {
            if (entry + NameLengthAt + 2 > bytes.size())
                break;
            if (word(bytes, entry + NameLengthAt) > NameCapacity)
                return false;
        }
    }
    return true;
}
