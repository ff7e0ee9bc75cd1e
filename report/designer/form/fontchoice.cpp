#include "report/designer/form/fontchoice.h"

#include "report/vlmemoview.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>
#include <cstdlib>

QString vlFontFamilyName(const QString &family)
{
    return family.section(QStringLiteral(" ["), 0, 0);
}

TvlMemoFont vlMemoFont(const TvlMemoView &memo)
{
    return {memo.FontName, memo.FontSize, memo.FontStyle, memo.FontColor, memo.FontCharset};
}

void vlSetMemoFont(TvlMemoView &memo, const TvlMemoFont &font)
{
    memo.FontName = font.Name;
    memo.FontSize = font.Size;
    memo.FontStyle = font.Style;
    memo.FontColor = font.Color;
    memo.FontCharset = font.Charset;
}

TvlMemoFont vlChosenFont(const TvlMemoFont &memo, const QFont &opened, const QFont &chosen)
{
    TvlMemoFont font = memo;
    if (vlFontFamilyName(chosen.family()) != vlFontFamilyName(opened.family()))
        font.Name = vlFontFamilyName(chosen.family());
    if (chosen.pointSize() != opened.pointSize())
        font.Size = chosen.pointSize();
    if (fontStylesOf(chosen) != fontStylesOf(opened))
        font.Style = fontStylesOf(chosen);
    return font;
}

QFont vlDialogFont(const QString &storedFamily, int pointSize, TFontStyles styles)
{
    // A family that is not installed shows as the one that draws in its
    // place, with that family's styles.
    const QString family =
        QFontDatabase::hasFamily(storedFamily) ? storedFamily : QFontInfo(QFont(storedFamily)).family();
    QFont font(family);
    if (pointSize > 0)
        font.setPointSize(pointSize);
    applyFontStyles(font, styles);
    // The style names are the font's own ("Bold", "Roman", "Kursiv"); the
    // dialog compares them with a name it makes from weight and slant, which
    // is translated, so it would miss and take the first style listed.
    const bool italic = styles.testFlag(fsItalic);
    const int weight = styles.testFlag(fsBold) ? QFont::Bold : QFont::Normal;
    QString best;
    int bestScore = 0;
    for (const QString &style : QFontDatabase::styles(family)) {
        const int score = std::abs(QFontDatabase::weight(family, style) - weight) +
                          (QFontDatabase::italic(family, style) != italic ? 10000 : 0);
        if (best.isEmpty() || score < bestScore) {
            best = style;
            bestScore = score;
        }
    }
    if (!best.isEmpty())
        font.setStyleName(best);
    return font;
}
