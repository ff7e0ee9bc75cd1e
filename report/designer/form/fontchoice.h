#pragma once
// A memo's font as the font dialog takes and gives it: layouts keep a bare
// family name, a size and a style set; the font database names a family made
// by several foundries "C059 [urw]" and its styles by the font's own names.
#include "platform/fontstyle.h"

#include <QFont>
#include <QString>

class TvlMemoView;

// The family without the foundry in brackets.
QString vlFontFamilyName(const QString &family);
// A memo's font as layouts keep it.
struct TvlMemoFont
{
    QString Name;
    int Size = 0;
    TFontStyles Style;
    qint32 Color = 0;
    quint16 Charset = 1;
    bool operator==(const TvlMemoFont &) const = default;
};
TvlMemoFont vlMemoFont(const TvlMemoView &memo);
void vlSetMemoFont(TvlMemoView &memo, const TvlMemoFont &font);
// The font the dialog gives when it opened on the memo's font as opened:
// each part the user changed, the memo's own where the dialog still shows
// it as it opened (a family that is not installed opens on a substitute,
// and stays the memo's family unless the user picks another).
TvlMemoFont vlChosenFont(const TvlMemoFont &memo, const QFont &opened, const QFont &chosen);

// The font the dialog opens with: the family's own style name for the style
// set, so the dialog picks that style whatever language its texts are in; a
// family that is not installed opens on the family drawn in its place.
QFont vlDialogFont(const QString &family, int pointSize, TFontStyles styles);
