#pragma once
// A memo's font as the font dialog takes and gives it: layouts keep a bare
// family name, a size and a style set; the font database names a family made
// by several foundries "C059 [urw]" and its styles by the font's own names.
#include "platform/fontstyle.h"

#include <QFont>
#include <QString>

// The family without the foundry in brackets.
QString vlFontFamilyName(const QString &family);
// The font the dialog opens with: the family's own style name for the style
// set, so the dialog picks that style whatever language its texts are in.
QFont vlDialogFont(const QString &family, int pointSize, TFontStyles styles);
