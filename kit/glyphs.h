#pragma once
// Bitmap and text routines of the kit's buttons and grids.
#include "kit/kxtypes.h"

#include <QColor>
#include <QImage>
#include <QString>

class QFontMetrics;
class QPainter;
class QRect;

namespace Glyphs {

// Every pixel other than the transparent and the face colour becomes the
// gray of its brightness, weighted (R*77 + G*150 + B*29) >> 8.
QImage grayed(const QImage &source, QColor transparent, QColor face);

// The embossed look of a disabled single image: the shape in the highlight
// colour one pixel down and right, then in the shadow colour in place, on the
// face colour. Light and transparent pixels are not part of the shape.
QImage embossed(const QImage &source, QColor transparent, QColor face, QColor highlight, QColor shadow);

// A multi-image glyph mapped to highlight and shadow: dark pixels become the
// shadow, everything else that is not transparent the highlight.
QImage disabledMapped(const QImage &source, QColor transparent, QColor highlight, QColor shadow);

// Cell `index` of a bitmap made of `count` cells of equal width side by side.
QImage cutCell(const QImage &source, int count, int index);

// The image with every pixel of the transparent colour made fully transparent.
QImage withTransparency(const QImage &source, QColor transparent);

// The colour that marks transparency: the bottom-left pixel of the bitmap.
QColor transparentColorOf(const QImage &source);

// Shortens a text to a width: the source less two, three, ... characters at
// the end followed by "...", until it fits or nothing is left of it.
QString shortenString(const QFontMetrics &metrics, const QString &text, int width);

enum class VerticalPlace { Top, Center, Bottom };

// Draws the text of a grid cell: left with a 2-pixel inset, right ending
// 3 pixels before the edge, or centred; vertically by the height of "W".
// Texts with line breaks, or when asked, are word-wrapped inside the cell.
void writeCellText(QPainter &painter, const QRect &rect, const QString &text, Kx::TAlignment alignment,
                   VerticalPlace vertical, bool wordWrap = false);

void beep();

} // namespace Glyphs
