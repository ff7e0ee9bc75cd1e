#include "report/designer/form/designerglyphs.h"

#include "report/vlglyphcache.h"
#include "report/vlglyphs.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

namespace {

const QColor ink(0, 0, 0);
const QColor grey(0x80, 0x80, 0x80);
const QColor paper(0xFF, 0xFF, 0xFF);
const QColor blue(0, 0, 0x80);

QImage canvas()
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(QColor(TvlButtonGlyph::DefaultTransparent));
    return image;
}

void sheet(QPainter &p, int x, int y, int w, int h)
{
    p.fillRect(x, y, w, h, paper);
    p.setPen(ink);
    p.drawRect(x, y, w - 1, h - 1);
}

void dotted(QPainter &p, const QRect &r)
{
    for (int x = r.left(); x <= r.right(); x += 2) {
        p.drawPoint(x, r.top());
        p.drawPoint(x, r.bottom());
    }
    for (int y = r.top(); y <= r.bottom(); y += 2) {
        p.drawPoint(r.left(), y);
        p.drawPoint(r.right(), y);
    }
}

void text(QPainter &p, const QString &letters, int style, const QRect &r = QRect(0, 0, 16, 16))
{
    QFont font = QApplication::font();
    font.setPixelSize(13);
    font.setBold(style & 1);
    font.setItalic(style & 2);
    font.setUnderline(style & 4);
    p.setFont(font);
    p.setPen(ink);
    p.drawText(r, Qt::AlignCenter, letters);
}

void arrow(QPainter &p, bool up, int x, int y, const QColor &colour)
{
    QPainterPath path;
    if (up) {
        path.moveTo(x, y);
        path.lineTo(x + 4, y + 4);
        path.lineTo(x - 4, y + 4);
    } else {
        path.moveTo(x - 4, y);
        path.lineTo(x + 4, y);
        path.lineTo(x, y + 4);
    }
    path.closeSubpath();
    p.fillPath(path, colour);
}

// Text lines aligned left (0), right (1), centred (2) or justified (3).
void textLines(QPainter &p, int alignment)
{
    p.setPen(ink);
    for (int i = 0; i < 5; ++i) {
        const int y = 3 + i * 2 + (i > 1 ? 1 : 0);
        const int w = alignment == 3 || i % 2 == 0 ? 12 : 8;
        const int x = alignment == 0 || alignment == 3 ? 2 : alignment == 1 ? 14 - w : 2 + (12 - w) / 2;
        p.drawLine(x, y, x + w - 1, y);
    }
}

// Frame edges: the dotted square with the edges drawn solid.
void frame(QPainter &p, int edges)
{
    p.setPen(grey);
    dotted(p, QRect(2, 2, 12, 12));
    p.setPen(QPen(ink, 2));
    if (edges & 8)
        p.drawLine(2, 2, 13, 2);
    if (edges & 4)
        p.drawLine(2, 2, 2, 13);
    if (edges & 2)
        p.drawLine(2, 13, 13, 13);
    if (edges & 1)
        p.drawLine(13, 2, 13, 13);
}

// An alignment of objects: two boxes and the line they align on.
void objectAlign(QPainter &p, int which)
{
    const bool vertical = which >= 6;
    const int kind = vertical ? which - 5 : which; // 1 near, 2 centre, 3 centre in window, 4 spaced, 5 far
    auto box = [&](int along, int across, int length) {
        QRect r = vertical ? QRect(along, across, 4, length) : QRect(across, along, length, 4);
        p.fillRect(r, QColor(0x00, 0x80, 0xC0));
        p.setPen(ink);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    };
    if (kind == 4) {
        box(2, 2, 4);
        box(6, 7, 4);
        box(10, 12, 4);
        return;
    }
    const int first = 8, second = 12;
    int a = 2, b = 2;
    if (kind == 2 || kind == 3) {
        a = 8 - first / 2;
        b = 8 - second / 2;
    } else if (kind == 5) {
        a = 14 - first;
        b = 14 - second;
    }
    box(2, a, first);
    box(9, b, second);
    p.setPen(QPen(kind == 3 ? QColor(0xC0, 0, 0) : ink, 1, Qt::DotLine));
    const int line = kind == 1 ? 1 : kind == 5 ? 14 : 8;
    if (vertical)
        p.drawLine(0, line, 15, line);
    else
        p.drawLine(line, 0, line, 15);
}

QImage fromStyle(QStyle::StandardPixmap which)
{
    QImage image = canvas();
    const QImage icon =
        QApplication::style()->standardIcon(which).pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < 16 && y < icon.height(); ++y)
        for (int x = 0; x < 16 && x < icon.width(); ++x)
            if (qAlpha(icon.pixel(x, y)) >= 128)
                image.setPixel(x, y, icon.pixel(x, y) | 0xFF000000);
    return image;
}

} // namespace

QImage vlDesignerGlyph(const QString &name)
{
    if (name == QLatin1String("FileBtn2"))
        return vlGlyph(TvlGlyph::Open);
    if (name == QLatin1String("FileBtn3"))
        return vlGlyph(TvlGlyph::Save);
    if (name == QLatin1String("FileBtn4"))
        return vlGlyph(TvlGlyph::Find);
    if (name == QLatin1String("HelpBtn"))
        return vlGlyph(TvlGlyph::Help);
    if (name == QLatin1String("ExitB"))
        return vlGlyph(TvlGlyph::Exit);
    if (name == QLatin1String("FileBtn1"))
        return fromStyle(QStyle::SP_FileIcon);

    QImage image = canvas();
    QPainter p(&image);
    const QString n = name;
    if (n.startsWith(QLatin1String("FrB"))) {
        static const int edges[] = {8, 4, 2, 1, 15, 0};
        frame(p, edges[n.mid(3).toInt() - 1]);
    } else if (n.startsWith(QLatin1String("Align"))) {
        objectAlign(p, n.mid(5).toInt());
    } else if (n == QLatin1String("AlB1") || n == QLatin1String("AlB2") || n == QLatin1String("AlB3") ||
               n == QLatin1String("AlB8")) {
        textLines(p, n == QLatin1String("AlB1")   ? 0
                     : n == QLatin1String("AlB2") ? 1
                     : n == QLatin1String("AlB3") ? 2
                                                  : 3);
    } else if (n == QLatin1String("AlB4")) {
        p.translate(8, 8);
        p.rotate(-90);
        p.translate(-8, -8);
        text(p, QStringLiteral("A"), 1);
    } else if (n == QLatin1String("AlB5") || n == QLatin1String("AlB6") || n == QLatin1String("AlB7")) {
        p.setPen(grey);
        p.drawRect(1, 1, 13, 13);
        p.setPen(QPen(ink, 2));
        const int y = n == QLatin1String("AlB5") ? 8 : n == QLatin1String("AlB6") ? 4 : 12;
        p.drawLine(4, y, 11, y);
    } else if (n == QLatin1String("FnB1")) {
        text(p, QStringLiteral("B"), 1);
    } else if (n == QLatin1String("FnB2")) {
        text(p, QStringLiteral("I"), 3);
    } else if (n == QLatin1String("FnB3")) {
        text(p, QStringLiteral("U"), 4);
    } else if (n == QLatin1String("ClB2")) {
        text(p, QStringLiteral("A"), 1, QRect(0, -2, 16, 14));
        p.fillRect(1, 13, 14, 3, QColor(0xFF, 0, 0));
    } else if (n == QLatin1String("ClB1")) {
        QPainterPath bucket;
        bucket.addRect(4, 3, 7, 7);
        p.fillPath(bucket, paper);
        p.setPen(ink);
        p.drawPath(bucket);
        p.fillRect(1, 13, 14, 3, QColor(0xFF, 0, 0));
    } else if (n == QLatin1String("ClB3")) {
        p.setPen(ink);
        p.drawRect(3, 2, 9, 8);
        p.fillRect(1, 13, 14, 3, QColor(0xFF, 0, 0));
    } else if (n == QLatin1String("HlB1")) {
        p.fillRect(2, 4, 12, 8, QColor(0xFF, 0xFF, 0));
        text(p, QStringLiteral("ab"), 1);
    } else if (n == QLatin1String("StB1")) {
        p.setPen(QPen(ink, 1, Qt::SolidLine));
        p.drawLine(1, 3, 14, 3);
        p.setPen(QPen(ink, 1, Qt::DashLine));
        p.drawLine(1, 8, 14, 8);
        p.setPen(QPen(ink, 1, Qt::DotLine));
        p.drawLine(1, 12, 14, 12);
    } else if (n == QLatin1String("SB1") || n == QLatin1String("SB2")) {
        arrow(p, n == QLatin1String("SB1"), 8, 6, ink);
    } else if (n == QLatin1String("OB1")) {
        QPainterPath pointer;
        pointer.moveTo(4, 1);
        pointer.lineTo(4, 13);
        pointer.lineTo(7, 10);
        pointer.lineTo(10, 15);
        pointer.lineTo(12, 14);
        pointer.lineTo(9, 9);
        pointer.lineTo(13, 9);
        pointer.closeSubpath();
        p.fillPath(pointer, paper);
        p.setPen(ink);
        p.drawPath(pointer);
    } else if (n == QLatin1String("OB2")) {
        sheet(p, 1, 2, 14, 12);
        text(p, QStringLiteral("A"), 1);
    } else if (n == QLatin1String("OB3")) {
        p.fillRect(0, 5, 16, 6, QColor(0xC0, 0xC0, 0xC0));
        p.setPen(ink);
        p.drawLine(0, 5, 15, 5);
        p.drawLine(0, 10, 15, 10);
    } else if (n == QLatin1String("OB4")) {
        sheet(p, 1, 2, 14, 12);
        p.fillRect(2, 9, 12, 4, QColor(0, 0x80, 0));
        p.setBrush(QColor(0xFF, 0xC0, 0));
        p.setPen(Qt::NoPen);
        p.drawEllipse(9, 4, 4, 4);
    } else if (n == QLatin1String("OB5")) {
        sheet(p, 4, 1, 10, 13);
        sheet(p, 1, 4, 10, 11);
    } else if (n == QLatin1String("OB6")) {
        p.setPen(QPen(ink, 2));
        p.drawLine(2, 13, 13, 2);
    } else if (n == QLatin1String("CutB")) {
        p.setPen(QPen(ink, 1));
        p.drawLine(5, 1, 10, 10);
        p.drawLine(10, 1, 5, 10);
        p.drawEllipse(2, 10, 4, 4);
        p.drawEllipse(9, 10, 4, 4);
    } else if (n == QLatin1String("CopyB")) {
        sheet(p, 1, 1, 9, 11);
        sheet(p, 6, 4, 9, 11);
    } else if (n == QLatin1String("PstB")) {
        p.fillRect(2, 2, 10, 13, QColor(0x80, 0x60, 0x20));
        sheet(p, 7, 6, 8, 9);
    } else if (n == QLatin1String("UndoB") || n == QLatin1String("RedoB")) {
        const bool undo = n == QLatin1String("UndoB");
        p.setPen(QPen(blue, 2));
        p.drawArc(QRect(3, 4, 10, 9), undo ? 0 : 180 * 16, undo ? 180 * 16 : -180 * 16);
        QPainterPath head;
        const int x = undo ? 3 : 13;
        head.moveTo(x - 3, 8);
        head.lineTo(x + 3, 8);
        head.lineTo(x, 12);
        head.closeSubpath();
        p.fillPath(head, blue);
    } else if (n == QLatin1String("ZB1") || n == QLatin1String("ZB2")) {
        const bool front = n == QLatin1String("ZB1");
        const QRect back(1, 1, 9, 9), fore(6, 6, 9, 9);
        p.fillRect(front ? back : fore, QColor(0xC0, 0xC0, 0xC0));
        p.setPen(grey);
        p.drawRect((front ? back : fore).adjusted(0, 0, -1, -1));
        p.fillRect(front ? fore : back, QColor(0, 0x80, 0xC0));
        p.setPen(ink);
        p.drawRect((front ? fore : back).adjusted(0, 0, -1, -1));
    } else if (n == QLatin1String("SelAllB")) {
        p.setPen(ink);
        dotted(p, QRect(1, 1, 14, 14));
        p.fillRect(4, 4, 4, 3, QColor(0, 0x80, 0xC0));
        p.fillRect(8, 9, 4, 3, QColor(0, 0x80, 0xC0));
    } else if (n == QLatin1String("PgB1") || n == QLatin1String("PgB2") || n == QLatin1String("PgB3")) {
        sheet(p, 2, 1, 10, 14);
        p.setPen(QPen(n == QLatin1String("PgB2") ? QColor(0xC0, 0, 0) : QColor(0, 0x80, 0), 2));
        if (n == QLatin1String("PgB3")) {
            p.setPen(ink);
            for (int y = 4; y < 13; y += 3)
                p.drawLine(4, y, 9, y);
        } else {
            p.drawLine(9, 11, 15, 11);
            if (n == QLatin1String("PgB1"))
                p.drawLine(12, 8, 12, 14);
        }
    } else if (n.startsWith(QLatin1String("GB"))) {
        p.setPen(ink);
        for (int y = 1; y < 16; y += 3)
            for (int x = 1; x < 16; x += 3)
                p.drawPoint(x, y);
        if (n == QLatin1String("GB2"))
            arrow(p, false, 8, 6, QColor(0xC0, 0, 0));
        else if (n == QLatin1String("GB3"))
            p.fillRect(4, 4, 7, 7, QColor(0, 0x80, 0xC0));
    } else if (n == QLatin1String("LineStyle")) {
        p.setPen(ink);
        p.drawLine(1, 8, 14, 8);
    } else {
        sheet(p, 2, 2, 12, 12);
    }
    return image;
}
