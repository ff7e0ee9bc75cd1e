#include "report/vltoolbuttons.h"

#include <QEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>

namespace {

// The checkerboard of held-down buttons: white where row and column have the
// same parity, the face colour elsewhere.
QBrush checkerBrush(QColor face)
{
    QImage pattern(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            pattern.setPixel(x, y, (x % 2 == y % 2) ? qRgb(255, 255, 255) : face.rgb());
    return QBrush(pattern);
}

void frame3D(QPainter &painter, const QRect &r, QColor topLeft, QColor bottomRight)
{
    painter.setPen(topLeft);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
}

} // namespace

TvlSpeedButton::TvlSpeedButton(QWidget *parent)
    : QWidget(parent)
{
    resize(22, 22);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_Hover);
    m_glyph.OnChange = [this] { update(); };
}

TvlSpeedButton::~TvlSpeedButton() = default;

void TvlSpeedButton::SetAllowAllUp(bool value)
{
    if (value == m_allowAllUp)
        return;
    m_allowAllUp = value;
    update();
    TellSiblings();
}

void TvlSpeedButton::SetGroupIndex(int value)
{
    if (value == m_groupIndex)
        return;
    m_groupIndex = value;
    update();
    TellSiblings();
}

void TvlSpeedButton::SetDown(bool value)
{
    if (m_groupIndex == 0)
        value = false;
    if (value == m_down)
        return;
    if (m_down && !m_allowAllUp)
        return;
    m_down = value;
    m_state = value ? TvlGlyphState::Exclusive : TvlGlyphState::Up;
    update();
    if (value)
        TellSiblings();
}

void TvlSpeedButton::TellSiblings()
{
    if (!parentWidget() || m_groupIndex == 0)
        return;
    for (QObject *child : parentWidget()->children())
        if (auto *sibling = qobject_cast<TvlSpeedButton *>(child); sibling && sibling != this)
            sibling->GroupChanged(this);
}

void TvlSpeedButton::GroupChanged(TvlSpeedButton *sender)
{
    if (sender->m_groupIndex != m_groupIndex)
        return;
    if (sender->m_down && m_down) {
        m_down = false;
        m_state = TvlGlyphState::Up;
        update();
    }
    m_allowAllUp = sender->m_allowAllUp;
}

void TvlSpeedButton::SetFlat(bool value)
{
    if (value != m_flat) {
        m_flat = value;
        update();
    }
}

void TvlSpeedButton::SetCaption(const QString &value)
{
    if (value == m_caption)
        return;
    m_caption = value;
    if (m_shortcut)
        releaseShortcut(m_shortcut);
    const QKeySequence accelerator = QKeySequence::mnemonic(value);
    m_shortcut = accelerator.isEmpty() ? 0 : grabShortcut(accelerator);
    update();
}

bool TvlSpeedButton::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut) {
        if (isEnabled())
            emit OnClick();
        return true;
    }
    return QWidget::event(event);
}

void TvlSpeedButton::SetGlyph(const QImage &value)
{
    m_glyph.SetBitmap(value);
}

void TvlSpeedButton::SetGrayedInactive(bool value)
{
    if (value != m_grayedInactive) {
        m_grayedInactive = value;
        update();
    }
}

void TvlSpeedButton::SetLayout(TButtonLayout value)
{
    if (value != m_layout) {
        m_layout = value;
        update();
    }
}

void TvlSpeedButton::SetMargin(int value)
{
    if (value >= -1 && value != m_margin) {
        m_margin = value;
        update();
    }
}

void TvlSpeedButton::SetNumGlyphs(int value)
{
    m_glyph.SetNumGlyphs(value);
}

void TvlSpeedButton::SetSpacing(int value)
{
    if (value != m_spacing) {
        m_spacing = value;
        update();
    }
}

TvlGlyphState TvlSpeedButton::PaintState() const
{
    TvlGlyphState state = m_state;
    if (!isEnabled())
        return TvlGlyphState::Disabled;
    if (state == TvlGlyphState::Disabled)
        state = m_down && m_groupIndex != 0 ? TvlGlyphState::Exclusive : TvlGlyphState::Up;
    if (m_grayedInactive && m_flat && !m_mouseInControl && !m_dragging)
        return TvlGlyphState::Grayed;
    return state;
}

TvlSpeedButton::Placement TvlSpeedButton::Place(QSize client, QSize glyph, QSize text, TButtonLayout layout, int margin,
                                                int spacing)
{
    Placement p;
    const bool vertical = layout == blGlyphTop || layout == blGlyphBottom;
    if (glyph.isEmpty() || text.isEmpty())
        spacing = 0;
    // Across the axis both parts are centred.
    if (vertical) {
        p.Glyph.setX((client.width() - glyph.width() + 1) / 2);
        p.Text.setX((client.width() - text.width() + 1) / 2);
    } else {
        p.Glyph.setY((client.height() - glyph.height() + 1) / 2);
        p.Text.setY((client.height() - text.height() + 1) / 2);
    }
    const int extent = vertical ? client.height() : client.width();
    const int g = vertical ? glyph.height() : glyph.width();
    const int t = vertical ? text.height() : text.width();
    if (margin == -1 && spacing == -1)
        margin = spacing = (extent - g - t) / 3;
    else if (margin == -1)
        margin = (extent - g - spacing - t + 1) / 2;
    else if (spacing == -1)
        spacing = (extent - margin - g - t) / 2;
    int glyphAt = margin, textAt = margin + g + spacing;
    if (layout == blGlyphRight || layout == blGlyphBottom) {
        glyphAt = extent - margin - g;
        textAt = glyphAt - spacing - t;
    }
    if (vertical) {
        p.Glyph.setY(glyphAt);
        p.Text.setY(textAt);
    } else {
        p.Glyph.setX(glyphAt);
        p.Text.setX(textAt);
    }
    return p;
}

void TvlSpeedButton::DrawGlyph(TvlSpeedButton &button, QPainter &painter, int x, int y, bool enabled)
{
    const QImage image = button.m_glyph.Image(enabled ? TvlGlyphState::Up : TvlGlyphState::Disabled);
    if (!image.isNull())
        painter.drawImage(x, y, image);
}

void TvlSpeedButton::paintEvent(QPaintEvent *)
{
    const TvlFaceColours colours = TvlFaceColours::FromPalette();
    const TvlGlyphState saved = m_state;
    const TvlGlyphState state = PaintState();
    QPainter painter(this);
    const QRect client = rect();
    int shift = 0;
    if (m_flat) {
        painter.fillRect(client, colours.Face);
        if (state == TvlGlyphState::Down)
            shift = 1;
    } else {
        QStyleOptionButton option;
        option.initFrom(this);
        if (state == TvlGlyphState::Down || state == TvlGlyphState::Exclusive)
            option.state |= QStyle::State_Sunken;
        else
            option.state |= QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &painter, this);
        if (state == TvlGlyphState::Down || state == TvlGlyphState::Exclusive)
            shift = 1;
    }
    const bool checker =
        (!m_flat && state == TvlGlyphState::Exclusive) ||
        (m_flat && isEnabled() && !m_mouseInControl &&
         (state == TvlGlyphState::Exclusive || (state == TvlGlyphState::Grayed && saved == TvlGlyphState::Exclusive)));
    if (checker)
        painter.fillRect(client.adjusted(1, 1, -1, -1), checkerBrush(colours.Face));

    const QImage image = m_glyph.Image(state, colours);
    const QFontMetrics metrics(font());
    const QSize textSize = m_caption.isEmpty()
                               ? QSize(0, 0)
                               : QSize(qMin(metrics.horizontalAdvance(m_caption), client.width()), metrics.height());
    const Placement place =
        Place(client.size(), image.isNull() ? QSize(0, 0) : image.size(), textSize, m_layout, m_margin, m_spacing);
    if (!image.isNull())
        painter.drawImage(place.Glyph + QPoint(shift, shift), image);
    if (!m_caption.isEmpty()) {
        const QRect textRect(place.Text + QPoint(shift, shift), textSize);
        const int flags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
        if (state == TvlGlyphState::Disabled) {
            painter.setPen(Qt::white);
            painter.drawText(textRect.translated(1, 1), flags, m_caption);
            painter.setPen(QColor(0x80, 0x80, 0x80));
        } else
            painter.setPen(palette().color(QPalette::ButtonText));
        painter.drawText(textRect, flags, m_caption);
    }
    if (m_flat && isEnabled() && (m_mouseInControl || saved == TvlGlyphState::Exclusive)) {
        const bool sunken = saved == TvlGlyphState::Down || saved == TvlGlyphState::Exclusive;
        frame3D(painter, client.adjusted(0, 0, -1, -1), sunken ? colours.Shadow : colours.Highlight,
                sunken ? colours.Highlight : colours.Shadow);
    }
}

bool TvlSpeedButton::Inside(QPoint point) const
{
    return point.x() >= 0 && point.x() < width() && point.y() >= 0 && point.y() < height();
}

void TvlSpeedButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    if (!m_down) {
        m_state = TvlGlyphState::Down;
        update();
    }
    m_dragging = true;
}

void TvlSpeedButton::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging)
        return;
    TvlGlyphState state = m_down ? TvlGlyphState::Exclusive
                                 : (Inside(event->position().toPoint()) ? TvlGlyphState::Down : TvlGlyphState::Up);
    if (state != m_state) {
        m_state = state;
        update();
    }
}

void TvlSpeedButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_dragging || event->button() != Qt::LeftButton)
        return;
    m_dragging = false;
    const bool inside = Inside(event->position().toPoint());
    if (m_groupIndex == 0) {
        m_state = TvlGlyphState::Up;
        m_mouseInControl = inside && m_flat;
    } else if (inside)
        SetDown(!m_down);
    else if (m_down)
        m_state = TvlGlyphState::Exclusive;
    if (m_groupIndex != 0 && !m_down)
        m_state = TvlGlyphState::Up;
    update();
    if (inside)
        emit OnClick();
}

void TvlSpeedButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (m_down)
        emit OnDblClick();
    else
        mousePressEvent(event);
}

void TvlSpeedButton::enterEvent(QEnterEvent *)
{
    if (!m_flat || !isEnabled())
        return;
    m_mouseInControl = true;
    emit OnMouseEnter();
    update();
}

void TvlSpeedButton::leaveEvent(QEvent *)
{
    if (!m_flat || !isEnabled() || !m_mouseInControl)
        return;
    m_mouseInControl = false;
    emit OnMouseLeave();
    update();
}

void TvlSpeedButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange) {
        m_glyph.Image(isEnabled() ? TvlGlyphState::Up : TvlGlyphState::Disabled);
        if (!isEnabled())
            m_dragging = false;
    }
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange ||
        event->type() == QEvent::PaletteChange)
        update();
    QWidget::changeEvent(event);
}

TvlTBButton::TvlTBButton(QWidget *parent)
    : TvlSpeedButton(parent)
{
    SetFlat(true);
}

TvlTBSeparator::TvlTBSeparator(QWidget *parent)
    : QWidget(parent)
{
    resize(8, 8);
}

void TvlTBSeparator::SetDrawBevel(bool value)
{
    if (value != m_drawBevel) {
        m_drawBevel = value;
        update();
    }
}

void TvlTBSeparator::paintEvent(QPaintEvent *)
{
    const TvlFaceColours colours = TvlFaceColours::FromPalette();
    QPainter painter(this);
    painter.fillRect(rect(), colours.Face);
    if (!m_drawBevel)
        return;
    if (Orientation == Qt::Vertical) { // a bar standing upright: a horizontal groove
        const int y = height() / 2 - 1;
        painter.setPen(colours.Shadow);
        painter.drawLine(2, y, width() - 3, y);
        painter.setPen(colours.Highlight);
        painter.drawLine(2, y + 1, width() - 3, y + 1);
    } else {
        const int x = width() / 2 - 1;
        painter.setPen(colours.Shadow);
        painter.drawLine(x, 2, x, height() - 3);
        painter.setPen(colours.Highlight);
        painter.drawLine(x + 1, 2, x + 1, height() - 3);
    }
}

TvlTBPanel::TvlTBPanel(QWidget *parent)
    : QFrame(parent)
{
    resize(8, 8);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
}
