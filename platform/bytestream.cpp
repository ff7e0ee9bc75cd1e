#include "platform/bytestream.h"

#include "platform/cp1250.h"

#include <algorithm>
#include <cstring>

ByteStream::ByteStream(QIODevice &device)
    : m_device(&device)
{}

ByteStream::~ByteStream() = default;

QString ByteStream::where() const
{
    const auto *file = qobject_cast<const QFile *>(m_device);
    return file ? QStringLiteral(" in %1").arg(file->fileName()) : QString();
}

qint64 ByteStream::position() const
{
    return m_memory ? m_memoryPos : m_device->pos();
}

void ByteStream::seek(qint64 position)
{
    if (m_memory && position >= 0) {
        // Past the end the gap is filled with zeros, as a writable buffer does.
        if (position > m_memorySize) {
            growMemory(position);
            std::memset(m_memory->data() + m_memorySize, 0, size_t(position - m_memorySize));
            m_memorySize = position;
        }
        m_memoryPos = position;
        return;
    }
    if (position < 0 || !m_device->seek(position))
        throw StreamError(
            QStringLiteral("Stream seek error: cannot move to %1%2").arg(position).arg(where()).toStdString());
}

qint64 ByteStream::size() const
{
    return m_memory ? m_memorySize : m_device->size();
}

bool ByteStream::atEnd() const
{
    return position() >= size();
}

qint64 ByteStream::remaining() const
{
    return std::max<qint64>(0, size() - position());
}

// Checked before reading so that a damaged length read from a file never
// allocates or reads beyond the data.
void ByteStream::requireAvailable(qint64 count) const
{
    if (count < 0)
        throw StreamError(QStringLiteral("Stream read error: negative length %1 at %2%3")
                              .arg(count)
                              .arg(position())
                              .arg(where())
                              .toStdString());
    if (count > remaining())
        throw StreamError(QStringLiteral("Stream read error: %1 bytes wanted at %2, %3 left%4")
                              .arg(count)
                              .arg(position())
                              .arg(remaining())
                              .arg(where())
                              .toStdString());
}

void ByteStream::readRaw(void *target, qint64 count)
{
    requireAvailable(count);
    if (m_memory) {
        if (count > 0)
            std::memcpy(target, m_memory->constData() + m_memoryPos, size_t(count));
        m_memoryPos += count;
        return;
    }
    const qint64 start = position();
    const qint64 got = count == 0 ? 0 : m_device->read(static_cast<char *>(target), count);
    if (got != count) {
        m_device->seek(start);
        throw StreamError(QStringLiteral("Stream read error at %1%2: %3")
                              .arg(start)
                              .arg(where(), m_device->errorString())
                              .toStdString());
    }
}

QByteArray ByteStream::readBytes(qint64 count)
{
    requireAvailable(count);
    QByteArray bytes(count, Qt::Uninitialized);
    readRaw(bytes.data(), count);
    return bytes;
}

QString ByteStream::readCp1250(qint64 count)
{
    return Cp1250::decode(readBytes(count));
}

quint64 ByteStream::readLittleEndian(int width)
{
    unsigned char bytes[8];
    readRaw(bytes, width);
    quint64 value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

quint8 ByteStream::readUInt8()
{
    return quint8(readLittleEndian(1));
}
qint8 ByteStream::readInt8()
{
    return qint8(readLittleEndian(1));
}
bool ByteStream::readBool()
{
    return readLittleEndian(1) != 0;
}
quint16 ByteStream::readUInt16()
{
    return quint16(readLittleEndian(2));
}
qint16 ByteStream::readInt16()
{
    return qint16(readLittleEndian(2));
}
quint32 ByteStream::readUInt32()
{
    return quint32(readLittleEndian(4));
}
qint32 ByteStream::readInt32()
{
    return qint32(readLittleEndian(4));
}
quint64 ByteStream::readUInt64()
{
    return readLittleEndian(8);
}
qint64 ByteStream::readInt64()
{
    return qint64(readLittleEndian(8));
}

float ByteStream::readFloat()
{
    const quint32 bits = readUInt32();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

double ByteStream::readDouble()
{
    const quint64 bits = readUInt64();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void ByteStream::writeRaw(const void *source, qint64 count)
{
    if (count < 0)
        throw StreamError("Stream write error: negative length");
    if (count == 0)
        return;
    if (m_memory) {
        const qint64 end = m_memoryPos + count;
        growMemory(end);
        std::memcpy(m_memory->data() + m_memoryPos, source, size_t(count));
        m_memoryPos = end;
        m_memorySize = std::max(m_memorySize, end);
        return;
    }
    const qint64 start = position();
    if (m_device->write(static_cast<const char *>(source), count) != count)
        throw StreamError(QStringLiteral("Stream write error at %1%2: %3")
                              .arg(start)
                              .arg(where(), m_device->errorString())
                              .toStdString());
}

void ByteStream::writeBytes(QByteArrayView bytes)
{
    writeRaw(bytes.data(), bytes.size());
}

qint64 ByteStream::writeCp1250(QStringView text)
{
    char buffer[256]; // most texts: no array to allocate
    if (text.size() <= qsizetype(sizeof buffer)) {
        const qsizetype count = Cp1250::encodeTo(text, buffer);
        writeRaw(buffer, count);
        return count;
    }
    const QByteArray bytes = Cp1250::encode(text);
    writeBytes(bytes);
    return bytes.size();
}

void ByteStream::writeLittleEndian(quint64 value, int width)
{
    char bytes[8];
    for (int i = 0; i < width; ++i, value >>= 8)
        bytes[i] = char(value & 0xFF);
    writeRaw(bytes, width);
}

void ByteStream::growMemory(qint64 end)
{
    if (end > m_memory->size())
        m_memory->resize(std::max<qint64>(end, 2 * m_memory->size() + 64));
}

void ByteStream::writeFloat(float value)
{
    quint32 bits;
    std::memcpy(&bits, &value, sizeof bits);
    writeUInt32(bits);
}

void ByteStream::writeDouble(double value)
{
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    writeUInt64(bits);
}

ByteStream::Placeholder ByteStream::writePlaceholder(int width)
{
    if (width != 1 && width != 2 && width != 4 && width != 8)
        throw StreamError("Stream placeholder width must be 1, 2, 4 or 8 bytes");
    Placeholder placeholder{position(), width};
    writeLittleEndian(0, width);
    return placeholder;
}

void ByteStream::patch(const Placeholder &placeholder, qint64 value)
{
    const int bits = placeholder.width * 8;
    // Signed or unsigned readings of the field are both accepted.
    if (bits < 64 && (value < -(qint64(1) << (bits - 1)) || value >= (qint64(1) << bits)))
        throw StreamError(QStringLiteral("Stream patch error: %1 does not fit in %2 bytes")
                              .arg(value)
                              .arg(placeholder.width)
                              .toStdString());
    char bytes[8];
    quint64 raw = quint64(value);
    for (int i = 0; i < placeholder.width; ++i, raw >>= 8)
        bytes[i] = char(raw & 0xFF);
    patchBytes(placeholder.position, bytes, placeholder.width);
}

void ByteStream::patchUInt32(qint64 position, quint32 value)
{
    patch(Placeholder{position, 4}, value);
}

void ByteStream::patchBytes(qint64 at, const char *bytes, int count)
{
    if (at < 0 || at + count > size())
        throw StreamError(QStringLiteral("Stream patch error: %1 bytes at %2 lie outside the %3 written")
                              .arg(count)
                              .arg(at)
                              .arg(size())
                              .toStdString());
    const qint64 back = position();
    seek(at);
    writeRaw(bytes, count);
    seek(back);
}

MemoryStream::MemoryStream()
{
    setMemory(&m_bytes);
}

MemoryStream::MemoryStream(const QByteArray &bytes)
    : m_bytes(bytes)
{
    setMemory(&m_bytes);
}

const QByteArray &MemoryStream::data() const
{
    if (m_bytes.size() != memorySize())
        m_bytes.resize(memorySize()); // the room to grow goes; the allocation stays
    return m_bytes;
}

void MemoryStream::clear()
{
    m_bytes.clear();
    setMemory(&m_bytes);
}

namespace {
QIODevice::OpenMode openModeFor(FileStream::Mode mode)
{
    switch (mode) {
    case FileStream::Read:
        return QIODevice::ReadOnly;
    case FileStream::Create:
        return QIODevice::ReadWrite | QIODevice::Truncate;
    case FileStream::ReadWrite:
        return QIODevice::ReadWrite | QIODevice::ExistingOnly;
    }
    return QIODevice::ReadOnly;
}
} // namespace

FileStream::FileStream(const QString &path, Mode mode)
    : m_file(path)
{
    if (!m_file.open(openModeFor(mode)))
        throw StreamError(QStringLiteral("Cannot open file %1: %2").arg(path, m_file.errorString()).toStdString());
    setDevice(&m_file);
}

FileStream::~FileStream()
{
    if (m_file.isOpen())
        m_file.close();
}

void FileStream::close()
{
    if (!m_file.isOpen())
        return;
    const bool flushed = m_file.flush();
    const QString error = m_file.errorString();
    m_file.close();
    if (!flushed)
        throw StreamError(QStringLiteral("Stream write error in %1: %2").arg(path(), error).toStdString());
}
