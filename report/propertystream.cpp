#include "report/propertystream.h"

#include "platform/cp1250.h"

namespace {

QString describe(TvlValueType type)
{
    return QString::number(int(type));
}

[[noreturn]] void wrongValue(ByteStream &stream, TvlValueType found, const char *expected)
{
    throw StreamError(QStringLiteral("Chybná data vlastností: na pozici %1 je typ %2 místo %3.")
                          .arg(stream.position() - 1)
                          .arg(describe(found), QString::fromLatin1(expected))
                          .toStdString());
}

void writeShort(ByteStream &stream, const QByteArray &bytes)
{
    if (bytes.size() > 255)
        throw StreamError("Název vlastnosti je delší než 255 znaků.");
    stream.writeUInt8(quint8(bytes.size()));
    stream.writeBytes(bytes);
}

} // namespace

void TvlPropertyWriter::WriteName(const QString &name)
{
    writeShort(m_stream, Cp1250::encode(name));
}

void TvlPropertyWriter::WriteValueType(TvlValueType type)
{
    m_stream.writeUInt8(type);
}

void TvlPropertyWriter::WriteString(const QString &value)
{
    const QByteArray bytes = Cp1250::encode(value);
    if (bytes.size() <= 255) {
        WriteValueType(vaString);
        m_stream.writeUInt8(quint8(bytes.size()));
    } else {
        WriteValueType(vaLString);
        m_stream.writeInt32(qint32(bytes.size()));
    }
    m_stream.writeBytes(bytes);
}

void TvlPropertyWriter::WriteIdent(const QString &ident)
{
    WriteValueType(vaIdent);
    writeShort(m_stream, Cp1250::encode(ident));
}

void TvlPropertyWriter::WriteInteger(qint32 value)
{
    if (value >= -128 && value <= 127) {
        WriteValueType(vaInt8);
        m_stream.writeInt8(qint8(value));
    } else if (value >= -32768 && value <= 32767) {
        WriteValueType(vaInt16);
        m_stream.writeInt16(qint16(value));
    } else {
        WriteValueType(vaInt32);
        m_stream.writeInt32(value);
    }
}

void TvlPropertyWriter::WriteBoolean(bool value)
{
    WriteValueType(value ? vaTrue : vaFalse);
}

void TvlPropertyWriter::WriteBinary(const QByteArray &bytes)
{
    WriteValueType(vaBinary);
    m_stream.writeInt32(qint32(bytes.size()));
    m_stream.writeBytes(bytes);
}

QString TvlPropertyReader::ReadName()
{
    return m_stream.readCp1250(m_stream.readUInt8());
}

TvlValueType TvlPropertyReader::ReadValueType()
{
    return TvlValueType(m_stream.readUInt8());
}

TvlValueType TvlPropertyReader::NextValueType()
{
    const qint64 at = m_stream.position();
    const TvlValueType type = ReadValueType();
    m_stream.seek(at);
    return type;
}

bool TvlPropertyReader::EndOfList()
{
    if (NextValueType() != vaNull)
        return false;
    ReadValueType();
    return true;
}

void TvlPropertyReader::ReadValueType(TvlValueType expected)
{
    const TvlValueType found = ReadValueType();
    if (found != expected)
        wrongValue(m_stream, found, qPrintable(describe(expected)));
}

QString TvlPropertyReader::ReadString()
{
    const TvlValueType type = ReadValueType();
    if (type == vaString)
        return m_stream.readCp1250(m_stream.readUInt8());
    if (type == vaLString) {
        const qint32 length = m_stream.readInt32();
        if (length < 0)
            throw StreamError("Chybná data vlastností: záporná délka textu.");
        return m_stream.readCp1250(length);
    }
    wrongValue(m_stream, type, "6 nebo 12");
}

QString TvlPropertyReader::ReadIdent()
{
    ReadValueType(vaIdent);
    return ReadName();
}

qint32 TvlPropertyReader::ReadInteger()
{
    const TvlValueType type = ReadValueType();
    switch (type) {
    case vaInt8:
        return m_stream.readInt8();
    case vaInt16:
        return m_stream.readInt16();
    case vaInt32:
        return m_stream.readInt32();
    default:
        wrongValue(m_stream, type, "2, 3 nebo 4");
    }
}

bool TvlPropertyReader::ReadBoolean()
{
    const TvlValueType type = ReadValueType();
    if (type != vaTrue && type != vaFalse)
        wrongValue(m_stream, type, "8 nebo 9");
    return type == vaTrue;
}

QByteArray TvlPropertyReader::ReadBinary()
{
    ReadValueType(vaBinary);
    const qint32 length = m_stream.readInt32();
    if (length < 0)
        throw StreamError("Chybná data vlastností: záporná délka dat.");
    return m_stream.readBytes(length);
}
