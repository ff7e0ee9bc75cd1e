#pragma once
// The elementary encodings of the engine's binary files (layouts, templates,
// prepared reports): strings, string lists and short strings in the 8-bit code
// page, in the layout of version 23 and in the older one of versions 21 and
// 22, and the font style code. Reading past the end raises StreamError.
#include "platform/bytestream.h"
#include "platform/fontstyle.h"

#include <QString>
#include <QStringList>
#include <stdexcept>

// The version written; files below it use the older string layouts.
constexpr int vlCurrentVersion = 23;

// A text or list that the file layout cannot hold; nothing of it is written.
class EReportFormatError : public std::runtime_error
{
public:
    explicit EReportFormatError(const QString &message);
    QString text() const { return QString::fromUtf8(what()); }
};

// Version 23: word length, the bytes, a byte 0. Texts over 65535 bytes are refused.
void WriteString(ByteStream &stream, const QString &text);
QString ReadString(ByteStream &stream);
// Version 23: word line count; per line word length and bytes, a byte 13
// between lines; a byte 0 at the end. ReadMemo clears the list first.
void WriteMemo(ByteStream &stream, const QStringList &lines);
void ReadMemo(ByteStream &stream, QStringList &lines);

// Versions 21 and 22: a string is its bytes up to a byte 0; a list is its
// lines each ended by 13, the whole ended by 0.
QString ReadOldString(ByteStream &stream);
void ReadOldMemo(ByteStream &stream, QStringList &lines);

// The layout of the file version being read.
QString vlReadVersionedString(ByteStream &stream, int version);
void vlReadVersionedMemo(ByteStream &stream, int version, QStringList &lines);

// One length byte and the bytes; texts over 255 bytes are refused.
void WriteShortString(ByteStream &stream, const QString &text);
QString ReadShortString(ByteStream &stream);
// Bytes the text takes in a file (the 8-bit code page).
int vlEncodedLength(const QString &text);

// The style code of the files: 1 italic, 2 bold, 4 underline (no strike-out).
TFontStyles CodeToFontStyles(int code);
int FontStylesToCode(TFontStyles styles);
