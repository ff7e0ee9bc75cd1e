#include "report/rich/richruler.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace {

constexpr int MarkerWidth = 9;

int toPixels(int points)
{
    return int(points * TvlRulerArithmetic::PixelsPerPoint);
}

int toPoints(int pixels)
{
    return int(std::lround(pixels / TvlRulerArithmetic::PixelsPerPoint));
}

QPixmap markerPicture(bool pointsDown)
{
    QPixmap pixmap(MarkerWidth, 7);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::black);
    painter.setBrush(QColor(192, 192, 192));
    const QPolygon shape = pointsDown ? QPolygon({{0, 0}, {8, 0}, {4, 6}}) : QPolygon({{4, 0}, {8, 6}, {0, 6}});
    painter.drawPolygon(shape);
    return pixmap;
}

} // namespace

int TvlRulerArithmetic::FirstMarker(int firstIndent)
{
    return toPixels(firstIndent) + 2;
}

int TvlRulerArithmetic::LeftMarker(int firstIndent, int leftIndent)
{
    return toPixels(firstIndent + leftIndent) + 2;
}

int TvlRulerArithmetic::RightMarker(int rulerWidth, int rightIndent)
{
    return rulerWidth - toPixels(rightIndent) - 16;
}

int TvlRulerArithmetic::FirstIndent(int markerLeft, int dragOffset)
{
    return std::max(0, toPoints(markerLeft + dragOffset - 6));
}

int TvlRulerArithmetic::LeftIndent(int markerLeft, int dragOffset, int firstIndent)
{
    return std::max(0, toPoints(markerLeft + dragOffset - 6)) - firstIndent;
}

int TvlRulerArithmetic::RightIndent(int rulerWidth, int markerLeft, int dragOffset)
{
    return std::max(0, toPoints(rulerWidth - (markerLeft + dragOffset) - 12));
}

TvlRichRuler::TvlRichRuler(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("Ruler"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setFixedHeight(26);
    auto marker = [&](const char *name, bool down, int top) {
        auto *label = new QLabel(this);
        label->setObjectName(QLatin1String(name));
        label->setPixmap(markerPicture(down));
        label->setFixedSize(MarkerWidth, 7);
        label->move(0, top);
        label->setCursor(Qt::SizeHorCursor);
        label->installEventFilter(this);
        return label;
    };
    FirstInd = marker("FirstInd", true, 2);
    LeftInd = marker("LeftInd", false, 17);
    RightInd = marker("RightInd", false, 17);
    PlaceMarkers();
}

void TvlRichRuler::SetIndents(int firstIndent, int leftIndent, int rightIndent)
{
    m_first = firstIndent;
    m_left = leftIndent;
    m_right = rightIndent;
    PlaceMarkers();
}

void TvlRichRuler::PlaceMarkers()
{
    FirstInd->move(TvlRulerArithmetic::FirstMarker(m_first), FirstInd->y());
    LeftInd->move(TvlRulerArithmetic::LeftMarker(m_first, m_left), LeftInd->y());
    RightInd->move(TvlRulerArithmetic::RightMarker(width(), m_right), RightInd->y());
}

void TvlRichRuler::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    PlaceMarkers();
}

void TvlRichRuler::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    // Tab marks every half inch, as a row of tabs and bars would show them.
    QPainter painter(this);
    painter.setPen(QColor(96, 96, 96));
    for (int i = 1; i <= 100; ++i) {
        const int x = 6 + i * 48;
        if (x >= width() - 2)
            break;
        painter.drawLine(x, 9, x, 15);
    }
}

bool TvlRichRuler::eventFilter(QObject *watched, QEvent *event)
{
    auto *label = qobject_cast<QLabel *>(watched);
    if (!label || (label != FirstInd && label != LeftInd && label != RightInd))
        return QFrame::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        m_dragged = label;
        m_dragOffset = int(mouse->position().x());
        return true;
    }
    case QEvent::MouseMove:
        if (m_dragged == label) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            const int x = label->mapToParent(mouse->position().toPoint()).x() - m_dragOffset;
            label->move(std::clamp(x, 0, std::max(0, width() - MarkerWidth)), label->y());
        }
        return true;
    case QEvent::MouseButtonRelease:
        if (m_dragged == label) {
            m_dragged = nullptr;
            if (label == FirstInd)
                m_first = TvlRulerArithmetic::FirstIndent(label->x(), m_dragOffset);
            else if (label == LeftInd)
                m_left = TvlRulerArithmetic::LeftIndent(label->x(), m_dragOffset, m_first);
            else
                m_right = TvlRulerArithmetic::RightIndent(width(), label->x(), m_dragOffset);
            PlaceMarkers();
            emit IndentsChanged(m_first, m_left, m_right);
        }
        return true;
    default:
        return QFrame::eventFilter(watched, event);
    }
}
