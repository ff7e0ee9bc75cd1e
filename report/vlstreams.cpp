#include "report/vlstreams.h"

#include "platform/cp1250.h"

namespace {

constexpr quint8 LineBreak = 13;
constexpr int MaxWordLength = 0xFFFF;
constexpr int MaxShortLength = 0xFF;

QString preview(const QString &text)
{
    constexpr int shown = 30;
    return text.size() > shown ? text.left(shown) + QStringLiteral("…") : text;
}

void checkLength(const QString &text, qsizetype length, int limit)
{
    if (length > limit)
        throw EReportFormatError(
            QStringLiteral("Text „%1“ je příliš dlouhý (%2 znaků), do souboru sestavy se vejde nejvýše %3.")
                .arg(preview(text))
                .arg(length)
                .arg(limit));
}

QByteArray encodeLimited(const QString &text, int limit)
{
    const QByteArray bytes = Cp1250::encode(text);
    checkLength(text, bytes.size(), limit);
    return bytes;
}

QString readUntilZero(ByteStream &stream, bool stopAtLineBreak, bool *atLineBreak)
{
    QByteArray bytes;
    for (;;) {
        const quint8 byte = stream.readUInt8();
        if (byte == 0 || (stopAtLineBreak && byte == LineBreak)) {
            if (atLineBreak)
                *atLineBreak = byte == LineBreak;
            return Cp1250::decode(bytes);
        }
        bytes.append(char(byte));
    }
}

} // namespace

EReportFormatError::EReportFormatError(const QString &message)
    : std::runtime_error(message.toStdString())
{}

int vlEncodedLength(const QString &text)
{
    return int(Cp1250::encode(text).size());
}

void WriteString(ByteStream &stream, const QString &text)
{
    // Every object of a prepared page writes its font name: the last short
    // text is kept as written.
    constexpr qsizetype kept = 64;
    thread_local QString lastText;
    thread_local QByteArray lastBytes;
    if (!lastBytes.isEmpty() && text == lastText) {
        stream.writeBytes(lastBytes);
        return;
    }
    const qsizetype length = Cp1250::encodedLength(text);
    checkLength(text, length, MaxWordLength);
    if (text.size() > kept) {
        stream.writeUInt16(quint16(length));
        stream.writeCp1250(text);
        stream.writeUInt8(0);
        return;
    }
    QByteArray bytes(length + 3, Qt::Uninitialized);
    bytes[0] = char(length & 0xFF);
    bytes[1] = char(length >> 8);
    Cp1250::encodeTo(text, bytes.data() + 2);
    bytes[length + 2] = 0;
    stream.writeBytes(bytes);
    lastText = text;
    lastBytes = bytes;
}

QString ReadString(ByteStream &stream)
{
    const quint16 length = stream.readUInt16();
    const QString text = stream.readCp1250(length);
    stream.readUInt8();
    return text;
}

void WriteMemo(ByteStream &stream, const QStringList &lines)
{
    // Every line is checked before anything is written.
    QList<QByteArray> encoded;
    for (const QString &line : lines)
        encoded << encodeLimited(line, MaxWordLength);
    // Readers go by the terminating 0, not by the count, so a count beyond a
    // word only needs to stay readable.
    stream.writeUInt16(quint16(qMin<qsizetype>(encoded.size(), MaxWordLength)));
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        stream.writeUInt16(quint16(encoded[i].size()));
        stream.writeBytes(encoded[i]);
        if (i + 1 < encoded.size())
            stream.writeUInt8(LineBreak);
    }
    stream.writeUInt8(0);
}

void ReadMemo(ByteStream &stream, QStringList &lines)
{
    lines.clear();
    const quint16 count = stream.readUInt16();
    if (count == 0) {
        stream.readUInt8();
        return;
    }
    for (;;) {
        const quint16 length = stream.readUInt16();
        lines << stream.readCp1250(length);
        if (stream.readUInt8() == 0)
            return;
    }
}

QString ReadOldString(ByteStream &stream)
{
    return readUntilZero(stream, false, nullptr);
}

void ReadOldMemo(ByteStream &stream, QStringList &lines)
{
    lines.clear();
    bool atLineBreak = true;
    while (atLineBreak) {
        const QString line = readUntilZero(stream, true, &atLineBreak);
        if (atLineBreak || !line.isEmpty())
            lines << line;
    }
}

QString vlReadVersionedString(ByteStream &stream, int version)
{
    return version < vlCurrentVersion ? ReadOldString(stream) : ReadString(stream);
}

void vlReadVersionedMemo(ByteStream &stream, int version, QStringList &lines)
{
    if (version < vlCurrentVersion)
        ReadOldMemo(stream, lines);
    else
        ReadMemo(stream, lines);
}

void WriteShortString(ByteStream &stream, const QString &text)
{
    const QByteArray bytes = encodeLimited(text, MaxShortLength);
    stream.writeUInt8(quint8(bytes.size()));
    stream.writeBytes(bytes);
}

QString ReadShortString(ByteStream &stream)
{
    return stream.readCp1250(stream.readUInt8());
}

TFontStyles CodeToFontStyles(int code)
{
    TFontStyles styles;
    styles.setFlag(fsItalic, code & 1);
    styles.setFlag(fsBold, code & 2);
    styles.setFlag(fsUnderline, code & 4);
    return styles;
}

int FontStylesToCode(TFontStyles styles)
{
    return (styles.testFlag(fsItalic) ? 1 : 0) | (styles.testFlag(fsBold) ? 2 : 0) |
           (styles.testFlag(fsUnderline) ? 4 : 0);
}
