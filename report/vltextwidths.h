#pragma once
// Widths of text lines on the reference device, as QFontMetricsF gives them,
// without shaping every line again. Text is shaped run by run and, with
// kerning off, a glyph's advance depends on its character alone; the one
// exception is a ligature (two or more characters drawn as one glyph). So a
// line of characters this measurer has checked (one glyph each, no ligature
// with their neighbour) is as wide as the sum of its characters' widths
// plus what each neighbouring pair measured together adds (nothing, unless
// the font does something of its own); any other line is measured whole.
#include "platform/fontstyle.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QString>
#include <vector>

// The font memo text is laid out and drawn with: no kerning, no hinting.
QFont vlMemoFont(const QString &family, int pixelHeight, TFontStyles styles);

class TvlTextWidths
{
public:
    explicit TvlTextWidths(const QFont &font);

    double Width(const QString &text);
    // The offset of each character from the text's start: the width of the
    // text before it.
    QList<qreal> Offsets(const QString &text);
    const QFont &Font() const { return m_font; }

    // The measurer of a memo's font (name, pixel height, styles), kept for
    // the program's life; the fonts of reports are few.
    static TvlTextWidths &For(const QString &family, int pixelHeight, TFontStyles styles);
    // The measurer of any font, kept likewise.
    static TvlTextWidths &For(const QFont &font);

private:
    // A character's width, or -1 when lines holding it are measured whole.
    double CharWidth(char16_t c);
    // What a pair adds to its characters' widths, or NaN when lines holding it are measured whole.
    double PairExtra(char16_t a, char16_t b);
    // The glyphs of the text laid out on one line.
    QList<QGlyphRun> GlyphRuns(const QString &text) const;
    int GlyphCount(const QString &text) const;

    // Characters below this are looked up in tables: their widths, and the
    // pairs known to add nothing.
    static constexpr char16_t tableSize = 0x250;

    QFont m_font;
    QFontMetricsF m_metrics;
    std::vector<double> m_charTable; // NaN: not looked at yet
    std::vector<bool> m_plainPairs;
    QHash<char16_t, double> m_chars;
    QHash<quint32, double> m_pairs;
};
