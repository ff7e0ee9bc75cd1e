#include "report/vlglyphs.h"

#include "report/vlglyphcache.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

namespace {

QImage canvas(int width = 16)
{
    QImage image(width, 16, QImage::Format_RGB32);
    image.fill(QColor(TvlButtonGlyph::DefaultTransparent));
    return image;
}

// A style icon on olive; pixels the icon leaves half transparent are
// blended with white so the olive does not bleed into them.
QImage fromStyle(QStyle::StandardPixmap which)
{
    QImage image = canvas();
    const QImage icon =
        QApplication::style()->standardIcon(which).pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < 16 && y < icon.height(); ++y)
        for (int x = 0; x < 16 && x < icon.width(); ++x) {
            const QRgb p = icon.pixel(x, y);
            if (qAlpha(p) < 96)
                continue;
            const int a = qAlpha(p);
            const auto mix = [a](int c) { return (c * a + 255 * (255 - a)) / 255; };
            image.setPixel(x, y, qRgb(mix(qRed(p)), mix(qGreen(p)), mix(qBlue(p))));
        }
    return image;
}

QImage drawn(TvlGlyph glyph)
{
    QImage image = canvas(glyph == TvlGlyph::Printer ? 18 : 16);
    QPainter p(&image);
    const QColor ink(0, 0, 0);
    switch (glyph) {
    case TvlGlyph::Print:
    case TvlGlyph::Printer: {
        const int dx = glyph == TvlGlyph::Printer ? 1 : 0;
        p.fillRect(4 + dx, 1, 8, 5, Qt::white);
        p.setPen(ink);
        p.drawRect(4 + dx, 1, 7, 5);
        p.fillRect(1 + dx, 6, 14, 6, QColor(0xC0, 0xC0, 0xC0));
        p.drawRect(1 + dx, 6, 13, 6);
        p.fillRect(4 + dx, 10, 8, 5, Qt::white);
        p.drawRect(4 + dx, 10, 7, 5);
        p.fillRect(12 + dx, 8, 2, 1, QColor(0, 0xC0, 0));
        break;
    }
    case TvlGlyph::Find:
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(0xC0, 0xE0, 0xFF));
        p.drawEllipse(2, 2, 8, 8);
        p.setPen(QPen(ink, 2));
        p.drawLine(10, 10, 14, 14);
        break;
    case TvlGlyph::Up:
    case TvlGlyph::Down: {
        QPainterPath arrow;
        if (glyph == TvlGlyph::Up) {
            arrow.moveTo(8, 4);
            arrow.lineTo(13, 10);
            arrow.lineTo(3, 10);
        } else {
            arrow.moveTo(3, 6);
            arrow.lineTo(13, 6);
            arrow.lineTo(8, 12);
        }
        arrow.closeSubpath();
        p.fillPath(arrow, ink);
        break;
    }
    default:
        break;
    }
    return image;
}

} // namespace

QImage vlGlyph(TvlGlyph glyph)
{
    switch (glyph) {
    case TvlGlyph::Open:
        return fromStyle(QStyle::SP_DialogOpenButton);
    case TvlGlyph::Save:
        return fromStyle(QStyle::SP_DialogSaveButton);
    case TvlGlyph::Help:
        return fromStyle(QStyle::SP_DialogHelpButton);
    case TvlGlyph::Exit:
        return fromStyle(QStyle::SP_DialogCloseButton);
    default:
        return drawn(glyph);
    }
}
