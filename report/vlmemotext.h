#pragma once
// Laying out memo text: word wrap with hyphenation, and the prepared form of
// wrapped lines. A wrapped line carries its measured width (two leading
// characters, high and low byte) and, at the end of a paragraph, the
// character 1. In files the two width characters are raw bytes; the rest of
// the line is 8-bit text.
#include "platform/bytestream.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

struct TvlTextLine
{
    int Width = 0;
    QString Text;
    bool ParagraphEnd = false;

    bool operator==(const TvlTextLine &) const = default;
};

constexpr QChar vlParagraphEnd = QChar(1);

QString vlEncodeTextLine(const TvlTextLine &line);
// A line without the width characters decodes to width 0.
TvlTextLine vlDecodeTextLine(const QString &line);
// True when the lines are already wrapped (hold a character 1).
bool vlIsWrapped(const QStringList &lines);

// Characters at which a line may be cut.
bool vlIsDelimiter(QChar c);
// Lengths of the leading pieces after which the word may be hyphenated,
// ascending; none for words shorter than 5 characters.
QList<int> vlSyllableBreaks(const QString &word);

struct TvlWrapOptions
{
    int MaxWidth = 0;
    bool WordWrap = true;
    bool WordBreak = false; // hyphenate the overflowing word
};

// Wraps source lines; measure gives the width of a text in pixels.
QList<TvlTextLine> vlWrapText(const QStringList &source, const TvlWrapOptions &options,
                              const std::function<int(const QString &)> &measure);

// The memo field of a prepared memo record (version-23 list layout).
void vlWritePreparedMemo(ByteStream &stream, const QStringList &lines);
void vlReadPreparedMemo(ByteStream &stream, QStringList &lines);
