#pragma once
// The component-streaming layout of published properties: a property name is
// a length byte and its characters, each value starts with a tag byte. Used
// for the hexadecimal property data of XML layouts; the reader takes back
// what the writer writes.
#include "platform/bytestream.h"

#include <QString>

enum TvlValueType : quint8 {
    vaNull = 0, // end of a list
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaString = 6, // length byte and characters
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,  // 32-bit length and bytes
    vaLString = 12, // 32-bit length and characters
    vaNil = 13,
    vaCollection = 14,
};

class TvlPropertyWriter
{
public:
    explicit TvlPropertyWriter(ByteStream &stream)
        : m_stream(stream)
    {}

    void WriteName(const QString &name);    // property or root name, no tag
    void WriteValueType(TvlValueType type); // list start and end, collection, nil
    void WriteListEnd() { WriteValueType(vaNull); }
    void WriteString(const QString &value); // vaString, or vaLString past 255 bytes
    void WriteIdent(const QString &ident);
    void WriteInteger(qint32 value); // the smallest of vaInt8, vaInt16, vaInt32
    void WriteBoolean(bool value);
    void WriteBinary(const QByteArray &bytes);

private:
    ByteStream &m_stream;
};

// Raises StreamError when the bytes are not the value asked for.
class TvlPropertyReader
{
public:
    explicit TvlPropertyReader(ByteStream &stream)
        : m_stream(stream)
    {}

    QString ReadName();
    TvlValueType ReadValueType();
    TvlValueType NextValueType(); // without consuming it
    bool EndOfList();             // consumes the end marker when it is next
    void ReadValueType(TvlValueType expected);
    QString ReadString();
    QString ReadIdent();
    qint32 ReadInteger();
    bool ReadBoolean();
    QByteArray ReadBinary();

private:
    ByteStream &m_stream;
};
