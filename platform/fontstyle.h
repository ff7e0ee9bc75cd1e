#pragma once
// Font styles as a set, the way layouts and forms store them: bit 1 bold,
// 2 italic, 4 underline, 8 strike-out. QFont holds them while drawing.
#include <QFlags>
#include <QFont>

enum TFontStyle { fsBold = 0x1, fsItalic = 0x2, fsUnderline = 0x4, fsStrikeOut = 0x8 };
Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFontStyles)

inline TFontStyles fontStylesOf(const QFont &font)
{
    TFontStyles styles;
    styles.setFlag(fsBold, font.bold());
    styles.setFlag(fsItalic, font.italic());
    styles.setFlag(fsUnderline, font.underline());
    styles.setFlag(fsStrikeOut, font.strikeOut());
    return styles;
}

inline void applyFontStyles(QFont &font, TFontStyles styles)
{
    font.setBold(styles.testFlag(fsBold));
    font.setItalic(styles.testFlag(fsItalic));
    font.setUnderline(styles.testFlag(fsUnderline));
    font.setStrikeOut(styles.testFlag(fsStrikeOut));
}
