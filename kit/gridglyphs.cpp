#include "kit/gridglyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <array>

namespace {

QImage blank(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// A sheet of paper with lines: binary and memo contents.
QImage document(bool lines, QColor accent)
{
    QImage image = blank(16, 12);
    QPainter p(&image);
    p.setPen(QColor(64, 64, 64));
    p.setBrush(Qt::white);
    p.drawRect(3, 0, 9, 11);
    p.setPen(accent);
    for (int y = 2; y <= 8; y += 2)
        p.drawLine(5, y, lines ? 10 : 7 + (y % 4), y);
    return image;
}

QImage picture()
{
    QImage image = blank(16, 12);
    QPainter p(&image);
    p.setPen(QColor(64, 64, 64));
    p.setBrush(QColor(170, 210, 255));
    p.drawRect(1, 1, 13, 9);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 140, 40));
    p.drawPolygon(QPolygon({QPoint(2, 10), QPoint(6, 5), QPoint(10, 10)}));
    return image;
}

QImage boxWith(QChar letter)
{
    QImage image = blank(16, 12);
    QPainter p(&image);
    p.setPen(QColor(64, 64, 64));
    p.setBrush(QColor(255, 255, 200));
    p.drawRect(2, 0, 11, 11);
    QFont font;
    font.setPixelSize(9);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(2, 0, 12, 12), Qt::AlignCenter, QString(letter));
    return image;
}

// A triangle pointing down or up.
QImage sortMarker(bool down)
{
    QImage image = blank(9, 8);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(48, 48, 48));
    p.setBrush(QColor(80, 80, 80));
    const QPolygonF triangle = down ? QPolygonF({QPointF(0.5, 1.5), QPointF(8.5, 1.5), QPointF(4.5, 6.5)})
                                    : QPolygonF({QPointF(0.5, 6.5), QPointF(8.5, 6.5), QPointF(4.5, 1.5)});
    p.drawPolygon(triangle);
    return image;
}

QImage arrow(bool withDot)
{
    QImage image = blank(8, 9);
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPolygon(QPolygon({QPoint(withDot ? 3 : 2, 0), QPoint(withDot ? 7 : 6, 4), QPoint(withDot ? 3 : 2, 8)}));
    if (withDot)
        p.drawEllipse(QRect(0, 3, 3, 3));
    return image;
}

QImage dot()
{
    QImage image = blank(8, 9);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(QRectF(1.5, 2.5, 4, 4));
    return image;
}

} // namespace

const QImage &GetGridGlyph(int index)
{
    static const std::array<QImage, ggGlyphCount> glyphs = {document(false, QColor(0, 0, 128)),
                                                            document(true, QColor(0, 0, 0)),
                                                            picture(),
                                                            boxWith(QLatin1Char('O')),
                                                            boxWith(QLatin1Char('#')),
                                                            boxWith(QLatin1Char('D')),
                                                            boxWith(QLatin1Char('*')),
                                                            sortMarker(true),
                                                            sortMarker(false)};
    static const QImage none;
    return index >= 0 && index < ggGlyphCount ? glyphs[size_t(index)] : none;
}

const QImage &GetIndicatorImage(TIndicatorMark mark)
{
    static const QImage current = arrow(false);
    static const QImage marked = dot();
    static const QImage markedCurrent = arrow(true);
    switch (mark) {
    case TIndicatorMark::Marked:
        return marked;
    case TIndicatorMark::MarkedCurrent:
        return markedCurrent;
    case TIndicatorMark::Current:
        break;
    }
    return current;
}
