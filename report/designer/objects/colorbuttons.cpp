#include "report/designer/objects/colorbuttons.h"

#include "report/designer/colorselector/colorselector.h"
#include "report/designer/objects/formattags.h"
#include "report/vlglyphcache.h"
#include "report/vltoolbuttons.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int DropBelow = 26;
const QRgb Bar = qRgb(0xFF, 0, 0);
const QColor Ink(0, 0, 0);
const QColor Grey(0x80, 0x80, 0x80);

void drawSymbol(QPainter &p, int cell, int x, const QColor &ink)
{
    p.setPen(ink);
    switch (cell) {
    case ccFont: { // a letter A
        QPainterPath a;
        a.moveTo(x + 3, 11);
        a.lineTo(x + 7, 1);
        a.lineTo(x + 8, 1);
        a.lineTo(x + 12, 11);
        p.setBrush(Qt::NoBrush);
        p.drawPath(a);
        p.drawLine(x + 5, 7, x + 10, 7);
        break;
    }
    case ccFill: // a tipped bucket with a drop
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygon{{x + 2, 6}, {x + 7, 1}, {x + 12, 6}, {x + 7, 11}});
        p.setBrush(ink);
        p.drawRect(x + 12, 7, 1, 3);
        break;
    default: // a framed square
        p.setBrush(Qt::NoBrush);
        p.drawRect(x + 2, 1, 11, 10);
        p.drawRect(x + 3, 2, 9, 8);
        break;
    }
}

// Where a drop-down goes: the button's left, 26 pixels below its top, in
// the drop-down's parent (the form).
QPoint placeUnder(QWidget *dropDown, QWidget *button)
{
    QWidget *parent = dropDown->parentWidget();
    QPoint at = button->pos();
    if (parent && (parent == button->window() || parent->isAncestorOf(button)))
        at = button->mapTo(parent, QPoint(0, 0));
    return at + QPoint(0, DropBelow);
}

} // namespace

const QImage &vlColorGlyphImage()
{
    static const QImage image = [] {
        QImage cells(96, 16, QImage::Format_RGB32);
        cells.fill(QColor(TvlButtonGlyph::DefaultTransparent));
        QPainter p(&cells);
        for (int cell = 0; cell < 3; ++cell) {
            const int x = 32 * cell;
            drawSymbol(p, cell, x, Ink);
            p.fillRect(x + 1, 13, 14, 3, QColor(Bar));
            drawSymbol(p, cell, x + 16, Grey);
        }
        return cells;
    }();
    return image;
}

QImage vlColorButtonGlyph(int cell, TColor color)
{
    QImage glyph = vlColorGlyphImage().copy(32 * cell, 0, 32, 16);
    const bool transparent = color == clNone;
    const QRgb paint = transparent ? qRgb(0xFF, 0xFF, 0xFF) : Colors::toQColor(Colors::toRGB(color)).rgb();
    for (int y = 0; y < glyph.height(); ++y)
        for (int x = 0; x < glyph.width(); ++x)
            if ((glyph.pixel(x, y) & 0xFFFFFF) == (Bar & 0xFFFFFF))
                glyph.setPixel(x, y, paint);
    if (transparent) {
        QPainter p(&glyph);
        p.setPen(TvlFaceColours::FromPalette().Face);
        p.drawLine(1, 13, 14, 13);
    }
    return glyph;
}

TColor vlGlyphColor(const QImage &glyph)
{
    if (glyph.width() < 3 || glyph.height() < 15 || glyph.pixel(2, 14) != glyph.pixel(1, 13))
        return clNone;
    return Colors::fromQColor(QColor(glyph.pixel(2, 14)));
}

TvlColorButtons::TvlColorButtons(TColorSelector *selector, std::function<void(TvlSpeedButton *)> apply)
    : m_selector(selector)
    , m_apply(std::move(apply))
{
    m_selector->OnColorSelected = [this] { ColorSelected(); };
}

void TvlColorButtons::Click(TvlSpeedButton *button)
{
    if (m_selector->isVisible() && m_button == button) {
        m_selector->hide();
        return;
    }
    const QPoint at = placeUnder(m_selector, button);
    m_selector->move(at);
    const TColor current = vlGlyphColor(button->Glyph());
    m_selector->SetColor(current);
    m_selector->SetButtonColor(current);
    m_button = button;
    m_selector->show();
    m_selector->raise();
}

void TvlColorButtons::Paint(TvlSpeedButton *button, int cell, TColor color)
{
    button->SetGlyph(vlColorButtonGlyph(cell, color));
    button->SetNumGlyphs(2);
}

void TvlColorButtons::ColorSelected()
{
    if (!m_button)
        return;
    const int tag = m_button->property("Tag").toInt();
    Paint(m_button, tag == tagFontColor ? ccFont : tag == tagFillColor ? ccFill : ccFrame, m_selector->Color());
    if (m_apply)
        m_apply(m_button);
}

TvlLineStylePanel::TvlLineStylePanel(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("LinePanel"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    setFixedSize(4 + 40 + 4, 4 + 6 * 18 + 4);
    static const Qt::PenStyle styles[6] = {Qt::SolidLine,   Qt::DashLine,       Qt::DotLine,
                                           Qt::DashDotLine, Qt::DashDotDotLine, Qt::SolidLine};
    for (int i = 0; i < 6; ++i) {
        QImage glyph(32, 16, QImage::Format_RGB32);
        glyph.fill(QColor(TvlButtonGlyph::DefaultTransparent));
        QPainter p(&glyph);
        p.setPen(QPen(Ink, 1, styles[i]));
        if (i == 5) { // double
            p.drawLine(1, 6, 30, 6);
            p.drawLine(1, 9, 30, 9);
        } else
            p.drawLine(1, 8, 30, 8);
        p.end();
        auto *button = new TvlSpeedButton(this);
        button->setObjectName(QStringLiteral("vlSpeedButton%1").arg(i + 1));
        button->setProperty("Tag", tagLineStyle + i);
        button->SetFlat(true);
        button->SetGrayedInactive(false);
        button->SetGlyph(glyph);
        button->SetNumGlyphs(1); // one wide image, not two
        button->setGeometry(4, 4 + 18 * i, 40, 18);
        connect(button, &TvlSpeedButton::OnClick, this, [this, i] {
            hide();
            if (OnStyle)
                OnStyle(tagLineStyle + i);
        });
        m_buttons[i] = button;
    }
    hide();
}

void TvlLineStylePanel::Toggle(QWidget *button)
{
    if (isVisible()) {
        hide();
        return;
    }
    move(placeUnder(this, button));
    show();
    raise();
}
