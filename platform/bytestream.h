#pragma once
// Little-endian binary streams over memory and files, for the byte layouts of
// report and export files. Every read either returns the whole value or throws
// StreamError (nothing half-read is ever returned); so does a write the device
// refuses. Positions are byte offsets from the start.
#include <QBuffer>
#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

#include <algorithm>
#include <memory>
#include <stdexcept>

class StreamError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class ByteStream
{
public:
    // A stream over a device opened by the caller, which keeps owning it.
    explicit ByteStream(QIODevice &device);
    virtual ~ByteStream();
    ByteStream(const ByteStream &) = delete;
    ByteStream &operator=(const ByteStream &) = delete;

    qint64 position() const;
    void seek(qint64 position);
    qint64 size() const;
    bool atEnd() const;
    qint64 remaining() const;

    quint8 readUInt8();
    qint8 readInt8();
    bool readBool(); // one byte, non-zero is true
    quint16 readUInt16();
    qint16 readInt16();
    quint32 readUInt32();
    qint32 readInt32();
    quint64 readUInt64();
    qint64 readInt64();
    float readFloat();   // IEEE single
    double readDouble(); // IEEE double
    QByteArray readBytes(qint64 count);
    void readRaw(void *target, qint64 count);
    // count bytes of Windows-1250 text
    QString readCp1250(qint64 count);

    void writeUInt8(quint8 value) { writeFixed<1>(value); }
    void writeInt8(qint8 value) { writeFixed<1>(quint8(value)); }
    void writeBool(bool value) { writeFixed<1>(value ? 1 : 0); } // 1 or 0
    void writeUInt16(quint16 value) { writeFixed<2>(value); }
    void writeInt16(qint16 value) { writeFixed<2>(quint16(value)); }
    void writeUInt32(quint32 value) { writeFixed<4>(value); }
    void writeInt32(qint32 value) { writeFixed<4>(quint32(value)); }
    void writeUInt64(quint64 value) { writeFixed<8>(value); }
    void writeInt64(qint64 value) { writeFixed<8>(quint64(value)); }
    void writeFloat(float value);
    void writeDouble(double value);
    void writeBytes(QByteArrayView bytes);
    void writeRaw(const void *source, qint64 count);
    // The text as Windows-1250 bytes (no length, no terminator); returns the count.
    qint64 writeCp1250(QStringView text);

    // A value written now and filled in later (an offset or a count known only
    // after what follows has been written).
    struct Placeholder
    {
        qint64 position = -1;
        int width = 0; // 1, 2, 4 or 8 bytes
    };
    Placeholder writePlaceholder(int width = 4);
    // Writes value into the placeholder's bytes, keeping the current position.
    // Throws StreamError if the value does not fit the placeholder's width.
    void patch(const Placeholder &placeholder, qint64 value);
    void patchUInt32(qint64 position, quint32 value);

protected:
    ByteStream() = default;
    void setDevice(QIODevice *device) { m_device = device; }
    // A stream over bytes in memory works on them directly: the report
    // engine writes its pages in many small pieces, and a device call per
    // piece costs more than the piece. The array may be longer than the
    // stream (room to grow); memorySize() is the stream's length.
    void setMemory(QByteArray *bytes)
    {
        m_memory = bytes;
        m_memoryPos = 0;
        m_memorySize = bytes->size();
    }
    qint64 memorySize() const { return m_memorySize; }

private:
    template <int Width>
    void writeFixed(quint64 value)
    {
        if (m_memory && m_memoryPos + Width <= m_memory->size()) {
            char *out = m_memory->data() + m_memoryPos; // a shared array is copied first
            for (int i = 0; i < Width; ++i, value >>= 8)
                out[i] = char(value & 0xFF);
            m_memoryPos += Width;
            m_memorySize = std::max(m_memorySize, m_memoryPos);
        } else {
            writeLittleEndian(value, Width);
        }
    }
    void writeLittleEndian(quint64 value, int width);
    quint64 readLittleEndian(int width);
    void requireAvailable(qint64 count) const;
    void patchBytes(qint64 position, const char *bytes, int count);
    QString where() const;
    // Room in the array up to end at least.
    void growMemory(qint64 end);

    QIODevice *m_device = nullptr;
    QByteArray *m_memory = nullptr;
    qint64 m_memoryPos = 0, m_memorySize = 0;
};

// A growable stream in memory; also reads a given block of bytes.
class MemoryStream : public ByteStream
{
public:
    MemoryStream();
    explicit MemoryStream(const QByteArray &bytes); // positioned at 0
    const QByteArray &data() const;
    void clear();

private:
    mutable QByteArray m_bytes;
};

class FileStream : public ByteStream
{
public:
    enum Mode {
        Read,      // existing file, read only
        Create,    // new or truncated file, read and write
        ReadWrite, // existing file, read and write
    };
    // Throws StreamError naming the file when it cannot be opened.
    FileStream(const QString &path, Mode mode);
    ~FileStream() override;
    QString path() const { return m_file.fileName(); }
    // Flushes and closes; throws StreamError if the data did not reach the file.
    void close();

private:
    QFile m_file;
};
