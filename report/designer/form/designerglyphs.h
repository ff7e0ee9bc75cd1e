#pragma once
// The glyphs of the designer's tool bar buttons, drawn on olive (the colour
// the buttons leave out), 16 x 16, by the button's component name.
#include <QImage>
#include <QString>

QImage vlDesignerGlyph(const QString &buttonName);
