#pragma once
// The Windows-1250 (Central European) code page, for files kept in 8-bit text.
// Bytes below 0x80 are ASCII. The five bytes the code page leaves undefined
// (0x81, 0x83, 0x88, 0x90, 0x98) decode to the C1 control with the same number
// (U+0081 ...) and encode back to themselves, as the Windows conversion does,
// so any byte sequence survives a decode/encode round trip. A character the
// code page cannot hold is written as '?', one per character (a pair of
// surrogates counts as one).
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace Cp1250 {

constexpr char Replacement = '?';

QString decode(QByteArrayView bytes);
QByteArray encode(QStringView text);
// The bytes of text into out, which has room for text.size() bytes; returns
// how many were written (encodedLength).
qsizetype encodeTo(QStringView text, char *out);
qsizetype encodedLength(QStringView text);
char16_t toUnicode(unsigned char byte);
// The byte for a character, or nothing if the code page lacks it.
std::optional<unsigned char> fromUnicode(char32_t character);
bool canEncode(QStringView text);

} // namespace Cp1250
