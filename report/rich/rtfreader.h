#pragma once
// Reading rich text (RTF) into a text document. The reader takes what the
// usual word processors write: groups, control words and symbols, "\'hh" in
// the font's code page (or the document's), "\uN" with its "\ucN" skip count,
// font and colour tables, character and paragraph formatting, tabs, bullets
// and simple lists, simple tables and PNG/JPEG pictures. Destinations it does
// not know are skipped; pictures of other kinds become a grey placeholder of
// their size. Whatever the bytes, reading ends: group depth, picture sizes
// and the text's length are capped.
#include <QByteArray>
#include <QString>

class QTextDocument;

struct TvlRtfLimits
{
    int MaxGroupDepth = 200;                   // deeper groups are skipped whole
    qint64 MaxPictureBytes = 16 * 1024 * 1024; // larger pictures become placeholders
    int MaxPictureSide = 8192;                 // pixels, either side
    qint64 MaxTextLength = 16 * 1024 * 1024;   // characters kept of the text
    int MaxTableRows = 10000;                  // later rows continue in the last
};

// The resource name prefix of pictures the reader puts into a document.
inline constexpr char vlRtfImagePrefix[] = "rtfimage:";

// Reads the bytes into the document, which is cleared first. Returns false
// (with a Czech message) when the bytes are no rich text at all; the bytes are
// then taken as plain text. A damaged rich text keeps all that could be read.
bool vlReadRtf(const QByteArray &rtf, QTextDocument &document, QString *error = nullptr,
               const TvlRtfLimits &limits = {});
// The same for a rich text held as Unicode text (a text column of a
// database): its letters are taken as they stand, "\'hh" in its code page.
bool vlReadRtfText(const QString &text, QTextDocument &document, QString *error = nullptr,
                   const TvlRtfLimits &limits = {});
// True when the bytes start like a rich text ("{\rtf", blanks before it allowed).
bool vlIsRtf(const QByteArray &bytes);
