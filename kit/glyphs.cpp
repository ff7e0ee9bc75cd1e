#include "kit/glyphs.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QRect>

namespace Glyphs {

namespace {

bool sameRgb(QRgb pixel, QColor colour)
{
    return (pixel & 0xFFFFFF) == (colour.rgb() & 0xFFFFFF);
}

int brightness(QRgb pixel)
{
    return (qRed(pixel) * 77 + qGreen(pixel) * 150 + qBlue(pixel) * 29) >> 8;
}

QImage asArgb(const QImage &source)
{
    return source.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

QImage grayed(const QImage &source, QColor transparent, QColor face)
{
    QImage image = asArgb(source);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (sameRgb(line[x], transparent) || sameRgb(line[x], face))
                continue;
            const int g = brightness(line[x]);
            line[x] = qRgba(g, g, g, qAlpha(line[x]));
        }
    }
    return image;
}

QImage embossed(const QImage &source, QColor transparent, QColor face, QColor highlight, QColor shadow)
{
    const QImage image = asArgb(source);
    QImage result(image.size(), QImage::Format_ARGB32);
    result.fill(face);
    auto isShape = [&](int x, int y) {
        const QRgb p = image.pixel(x, y);
        return !sameRgb(p, transparent) && qAlpha(p) > 0 && brightness(p) < 192;
    };
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (isShape(x, y) && x + 1 < image.width() && y + 1 < image.height())
                result.setPixel(x + 1, y + 1, highlight.rgb());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (isShape(x, y))
                result.setPixel(x, y, shadow.rgb());
    return result;
}

QImage disabledMapped(const QImage &source, QColor transparent, QColor highlight, QColor shadow)
{
    QImage image = asArgb(source);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (sameRgb(line[x], transparent))
                continue;
            line[x] = brightness(line[x]) < 128 ? shadow.rgb() : highlight.rgb();
        }
    }
    return image;
}

QImage cutCell(const QImage &source, int count, int index)
{
    if (count < 1)
        count = 1;
    const int width = source.width() / count;
    return source.copy(index * width, 0, width, source.height());
}

QImage withTransparency(const QImage &source, QColor transparent)
{
    QImage image = asArgb(source);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (sameRgb(line[x], transparent))
                line[x] = 0;
    }
    return image;
}

QColor transparentColorOf(const QImage &source)
{
    if (source.isNull())
        return QColor(Qt::white);
    return QColor::fromRgb(source.pixel(0, source.height() - 1));
}

QString shortenString(const QFontMetrics &metrics, const QString &text, int width)
{
    QString result = text;
    int dropped = 1;
    while (metrics.horizontalAdvance(result) > width && text.size() - dropped > 0) {
        ++dropped;
        result = text.left(qMax(0, int(text.size()) - dropped)) + QStringLiteral("...");
    }
    return result;
}

void writeCellText(QPainter &painter, const QRect &rect, const QString &text, Kx::TAlignment alignment,
                   VerticalPlace vertical, bool wordWrap)
{
    if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n')) || wordWrap) {
        int flags = Qt::TextExpandTabs | Qt::TextWordWrap;
        flags |= alignment == Kx::taRightJustify ? Qt::AlignRight
                 : alignment == Kx::taCenter     ? Qt::AlignHCenter
                                                 : Qt::AlignLeft;
        QString plain = text;
        plain.remove(QLatin1Char('\r'));
        painter.drawText(rect.adjusted(2, 2, -3, -2), flags | Qt::AlignTop, plain);
        return;
    }
    const QFontMetrics metrics = painter.fontMetrics();
    const int textWidth = metrics.horizontalAdvance(text);
    const int lineHeight = metrics.height(); // the height of "W" in this font
    int x = rect.left() + 2;
    if (alignment == Kx::taRightJustify)
        x = rect.right() + 1 - 3 - textWidth;
    else if (alignment == Kx::taCenter)
        x = rect.left() + (rect.width() - textWidth) / 2;
    int y = rect.top() + 2;
    if (vertical == VerticalPlace::Center)
        y = rect.top() + qMax(1, (rect.height() - lineHeight) / 2);
    else if (vertical == VerticalPlace::Bottom)
        y = rect.top() + qMax(2, rect.height() - lineHeight - 2);
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.drawText(x, y + metrics.ascent(), text);
    painter.restore();
}

void beep()
{
    QApplication::beep();
}

} // namespace Glyphs
