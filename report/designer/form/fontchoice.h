#pragma once
// A memo's font as the font dialog takes and gives it: layouts keep a bare
// family name, a size and a style set; the font database names a family made
// by several foundries "C059 [urw]" and its styles by the font's own names.
#include "platform/fontstyle.h"

#include <QFont>
#include <QString>
#include <optional>

// The family without the foundry in brackets.
QString vlFontFamilyName(const QString &family);
// What the user changed in the font dialog: each part the dialog still shows
// as it opened (a family that is not installed opens on a substitute) stays
// as the memo stores it.
struct TvlFontChange
{
    std::optional<QString> Family;
    std::optional<int> Size;
    std::optional<TFontStyles> Styles;
};
TvlFontChange vlFontChange(const QFont &opened, const QFont &chosen);

// The font the dialog opens with: the family's own style name for the style
// set, so the dialog picks that style whatever language its texts are in; a
// family that is not installed opens on the family drawn in its place.
QFont vlDialogFont(const QString &family, int pointSize, TFontStyles styles);
