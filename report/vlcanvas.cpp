#include "report/vlcanvas.h"

#include "report/vltextwidths.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPixmap>

QColor vlColor(qint32 value)
{
    if (value & 0x80000000) {
        // The few system colours layouts use, fixed so output does not follow the desktop theme.
        switch (value & 0xFF) {
        case 5:
            return QColor(255, 255, 255); // window
        case 8:
            return QColor(0, 0, 0); // window text
        case 15:
            return QColor(240, 240, 240); // button face
        case 16:
            return QColor(160, 160, 160); // button shadow
        case 20:
            return QColor(255, 255, 255); // button highlight
        default:
            return QColor(0, 0, 0);
        }
    }
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

const QImage &TvlCanvas::ReferenceImage()
{
    static const QImage reference = [] {
        QImage image(8, 8, QImage::Format_RGB32);
        image.setDotsPerMeterX(3780); // 96 per inch
        image.setDotsPerMeterY(3780);
        return image;
    }();
    return reference;
}

TvlFont vlCreateRotatedFont(const QFont &font)
{
    return {font, vlRotatedEscapement, vlRotatedEscapement};
}

void TvlCanvas::SelectFont(const TvlFont &font)
{
    Font = font.Font;
    FontRotated = font.Rotated();
}

qreal TvlCanvas::TextWidth(const QString &text) const
{
    QFontMetricsF metrics(Font, &ReferenceImage());
    return metrics.horizontalAdvance(text);
}

QList<qreal> TvlCanvas::CharOffsets(const QString &text) const
{
    return TvlTextWidths::For(Font).Offsets(text);
}

// --- painter -----------------------------------------------------------------

TvlPainterCanvas::TvlPainterCanvas(QPainter &painter, bool printer)
    : m_painter(painter)
    , m_printer(printer)
{
    m_painter.setRenderHint(QPainter::Antialiasing, false);
}

QRect TvlPainterCanvas::ClipBox() const
{
    if (m_painter.hasClipping())
        return m_painter.clipBoundingRect().toAlignedRect();
    QPaintDevice *device = m_painter.device();
    return device ? QRect(0, 0, device->width(), device->height()) : QRect();
}

void TvlPainterCanvas::SetClipRect(const QRect &rect)
{
    if (!m_clipped)
        m_painter.save();
    m_clipped = true;
    m_painter.setClipRect(rect, m_painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

void TvlPainterCanvas::ResetClip()
{
    if (m_clipped)
        m_painter.restore();
    m_clipped = false;
}

void TvlPainterCanvas::FillRect(const QRect &rect)
{
    if (Brush.Kind == TvlBrush::Clear || rect.isEmpty())
        return;
    if (Brush.Kind == TvlBrush::Checker) {
        static const QBrush checker = [] {
            QImage tile(8, 8, QImage::Format_RGB32);
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x)
                    tile.setPixel(x, y, ((x + y) & 1) ? qRgb(192, 192, 192) : qRgb(255, 255, 255));
            return QBrush(tile);
        }();
        m_painter.fillRect(rect, checker);
        return;
    }
    m_painter.fillRect(rect, vlColor(Brush.Color));
}

void TvlPainterCanvas::applyPen()
{
    static const Qt::PenStyle styles[] = {Qt::SolidLine,   Qt::DashLine,       Qt::DotLine,
                                          Qt::DashDotLine, Qt::DashDotDotLine, Qt::SolidLine};
    QPen pen(vlColor(Pen.Color));
    pen.setWidth(Pen.Width <= 1 ? 0 : Pen.Width); // 0: a cosmetic one-pixel line
    pen.setStyle(Pen.Style >= 0 && Pen.Style <= psDouble ? styles[Pen.Style] : Qt::SolidLine);
    pen.setCapStyle(Pen.Width <= 1 ? Qt::SquareCap : Qt::FlatCap); // thin lines include their end
    pen.setJoinStyle(Qt::MiterJoin);
    m_painter.setPen(pen);
    m_painter.setBrush(Qt::NoBrush);
}

void TvlPainterCanvas::Line(int x1, int y1, int x2, int y2)
{
    applyPen();
    m_painter.drawLine(x1, y1, x2, y2);
}

void TvlPainterCanvas::Rectangle(const QRect &rect)
{
    applyPen();
    m_painter.drawRect(QRect(rect.left(), rect.top(), rect.width() - 1, rect.height() - 1));
}

void TvlPainterCanvas::TextOut(int x, int y, const QString &text, const QList<qreal> &charX)
{
    m_painter.save();
    m_painter.setFont(Font);
    m_painter.setPen(vlColor(FontColor));
    m_painter.translate(x, y);
    if (FontRotated)
        m_painter.rotate(-vlRotatedEscapement / 10.0);
    // Metrics of the painter's own device place the baseline.
    const qreal ascent = QFontMetricsF(Font, m_painter.device()).ascent();
    if (charX.size() == text.size())
        drawPlaced(text, charX, ascent);
    else
        m_painter.drawText(QPointF(0, ascent), text);
    m_painter.restore();
}

void TvlPainterCanvas::drawPlaced(const QString &text, const QList<qreal> &charX, qreal baseline)
{
    // Underlined or struck-out text keeps the painter's own decoration of
    // each character: glyph runs are decorated differently by each engine.
    if (Font.underline() || Font.strikeOut()) {
        for (qsizetype i = 0; i < text.size(); ++i)
            m_painter.drawText(QPointF(charX[i], baseline), QString(text[i]));
        return;
    }
    if (!m_rawFont.isValid() || m_rawFontOf != Font) {
        m_rawFont = QRawFont::fromFont(Font);
        m_rawFontOf = Font;
    }
    // One glyph run holds every character the font has a glyph of its own
    // for; the rare others (a letter the font lacks, a mark that combines
    // with its neighbour, half of a surrogate pair) are drawn one by one,
    // which lets the painter find them in another font.
    QList<quint32> glyphs;
    QList<QPointF> positions;
    glyphs.reserve(text.size());
    positions.reserve(text.size());
    QList<qsizetype> alone;
    const QList<quint32> all = m_rawFont.glyphIndexesForString(text);
    const bool oneEach = all.size() == text.size(); // no surrogate pairs
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        quint32 glyph = 0;
        if (!c.isSurrogate() && !c.isMark() && c.category() != QChar::Other_Control) {
            if (oneEach) {
                glyph = all[i];
            } else {
                const QList<quint32> found = m_rawFont.glyphIndexesForString(QString(c));
                glyph = found.size() == 1 ? found.first() : 0;
            }
        }
        if (glyph == 0) {
            alone << i;
            continue;
        }
        glyphs << glyph;
        positions << QPointF(charX[i], baseline);
    }
    if (!glyphs.isEmpty()) {
        QGlyphRun run;
        run.setRawFont(m_rawFont);
        run.setGlyphIndexes(glyphs);
        run.setPositions(positions);
        m_painter.drawGlyphRun(QPointF(0, 0), run);
    }
    for (qsizetype i : alone)
        m_painter.drawText(QPointF(charX[i], baseline), QString(text[i]));
}

void TvlPainterCanvas::DrawImage(const QRect &target, const QImage &image)
{
    m_painter.drawImage(target, image);
}

// --- recorder ----------------------------------------------------------------

void TvlTextRecorder::syncState()
{
    m_target->Pen = Pen;
    m_target->Brush = Brush;
    m_target->Font = Font;
    m_target->FontColor = FontColor;
    m_target->FontRotated = FontRotated;
}

void TvlTextRecorder::SetClipRect(const QRect &rect)
{
    if (m_target)
        m_target->SetClipRect(rect);
}

void TvlTextRecorder::ResetClip()
{
    if (m_target)
        m_target->ResetClip();
}

void TvlTextRecorder::FillRect(const QRect &rect)
{
    if (m_target) {
        syncState();
        m_target->FillRect(rect);
    }
}

void TvlTextRecorder::Line(int x1, int y1, int x2, int y2)
{
    if (m_target) {
        syncState();
        m_target->Line(x1, y1, x2, y2);
    }
}

void TvlTextRecorder::Rectangle(const QRect &rect)
{
    if (m_target) {
        syncState();
        m_target->Rectangle(rect);
    }
}

void TvlTextRecorder::TextOut(int x, int y, const QString &text, const QList<qreal> &charX)
{
    m_outputs.append({x, y, text, charX, Font, FontColor, FontRotated});
    if (m_target) {
        syncState();
        m_target->TextOut(x, y, text, charX);
    }
}

void TvlTextRecorder::DrawImage(const QRect &target, const QImage &image)
{
    if (m_target)
        m_target->DrawImage(target, image);
}
