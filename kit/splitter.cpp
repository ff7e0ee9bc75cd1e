#include "kit/splitter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QMetaEnum>
#include <QRubberBand>

TKxSplitter::TKxSplitter(QWidget *parent)
    : QFrame(parent)
{
    resize(185, 3);
}

TKxSplitter::~TKxSplitter()
{
    if (sizing)
        qApp->removeEventFilter(this);
}

TKxSplitter::TAlign TKxSplitter::alignOf(const QWidget *control, TAlign fallback)
{
    if (!control)
        return fallback;
    const QVariant value = control->property("Align");
    if (!value.isValid())
        return fallback;
    bool ok = false;
    const QMetaEnum meta = QMetaEnum::fromType<TAlign>();
    const int byName = meta.keyToValue(value.toString().toLatin1().constData(), &ok);
    if (ok)
        return TAlign(byName);
    const int byNumber = value.toInt(&ok);
    return ok ? TAlign(byNumber) : fallback;
}

void TKxSplitter::setAlign(TAlign value)
{
    alignSetting = value;
    if (!isLoading()) {
        if (vertical())
            resize(width(), 3);
        else if (value == alLeft || value == alRight)
            resize(3, height());
        linkNeighbour();
    }
    updateCursor();
}

void TKxSplitter::linkNeighbour()
{
    if (first || !parentWidget())
        return;
    QPoint probe;
    const QRect r = geometry();
    switch (alignSetting) {
    case alTop:
        probe = QPoint(r.center().x(), r.top() - 1);
        break;
    case alBottom:
        probe = QPoint(r.center().x(), r.bottom() + 1);
        break;
    case alLeft:
        probe = QPoint(r.left() - 1, r.center().y());
        break;
    case alRight:
        probe = QPoint(r.right() + 1, r.center().y());
        break;
    default:
        return;
    }
    for (QWidget *sibling : parentWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (sibling != this && !sibling->isWindow() && sibling->geometry().contains(probe)) {
            setControlFirst(sibling);
            return;
        }
    }
}

void TKxSplitter::setControlFirst(QWidget *control)
{
    if (control == this || (control && control->isWindow()))
        return;
    first = control;
    updateCursor();
}

void TKxSplitter::setControlSecond(QWidget *control)
{
    if (control == this || (control && control->isWindow()))
        return;
    second = control;
    updateCursor();
}

void TKxSplitter::setLimitOffset(int value)
{
    topLeft = value;
    bottomRight = value;
}

void TKxSplitter::updateCursor()
{
    if (vertical())
        setCursor(Qt::SplitVCursor);
    else if (alignSetting == alLeft || alignSetting == alRight)
        setCursor(Qt::SplitHCursor);
    else
        unsetCursor();
}

int TKxSplitter::clampedOffset(const QPoint &point, bool *clamped) const
{
    const QRect client = parentWidget()->contentsRect();
    const int low = (vertical() ? client.top() : client.left()) + topLeft;
    const int high = (vertical() ? client.bottom() : client.right()) + 1 - bottomRight - thickness();
    const int here = vertical() ? y() : x();
    const int wanted = here + along(point) - along(startPoint);
    const int result = qMax(low, qMin(wanted, high));
    *clamped = result != wanted;
    return result;
}

void TKxSplitter::placeLine(int offset)
{
    const int width = thickness() < 4 ? 2 : thickness() - 2;
    lineAt = offset + thickness() / 2;
    const QRect client = parentWidget()->contentsRect();
    if (vertical())
        line->setGeometry(client.left(), lineAt - width / 2, client.width(), width);
    else
        line->setGeometry(lineAt - width / 2, client.top(), width, client.height());
}

void TKxSplitter::mousePressEvent(QMouseEvent *event)
{
    QFrame::mousePressEvent(event);
    if (event->button() != Qt::LeftButton || !first || !parentWidget() || alignSetting == alNone ||
        alignSetting == alClient)
        return;
    if (second && alignOf(second, alClient) != alClient)
        return;
    if (alignOf(first, alignSetting) != alignSetting)
        return;
    sizing = true;
    startPoint = event->pos();
    acceptedOffset = vertical() ? y() : x();
    qApp->installEventFilter(this); // Esc cancels; no hints while dragging
    line = new QRubberBand(QRubberBand::Line, parentWidget());
    placeLine(acceptedOffset);
    line->show();
}

void TKxSplitter::mouseMoveEvent(QMouseEvent *event)
{
    QFrame::mouseMoveEvent(event);
    if (!sizing)
        return;
    bool clamped = false;
    const int offset = clampedOffset(event->pos(), &clamped);
    const QPoint inParent = vertical() ? QPoint(x(), offset) : QPoint(offset, y());
    bool allow = true;
    emit OnPosChanging(inParent.x(), inParent.y(), allow);
    setCursor(!allow || clamped ? Qt::ForbiddenCursor : (vertical() ? Qt::SplitVCursor : Qt::SplitHCursor));
    if (allow && offset != acceptedOffset) {
        acceptedOffset = offset;
        placeLine(offset);
    }
}

void TKxSplitter::mouseReleaseEvent(QMouseEvent *event)
{
    QFrame::mouseReleaseEvent(event);
    if (sizing && event->button() == Qt::LeftButton)
        endDrag(true);
}

void TKxSplitter::endDrag(bool apply)
{
    sizing = false;
    qApp->removeEventFilter(this);
    delete line;
    line = nullptr;
    updateCursor();
    if (!apply || !first)
        return;
    // The line showed the last position the limits and OnPosChanging allowed.
    int distance = acceptedOffset - (vertical() ? y() : x());
    const TAlign firstAlign = alignOf(first, alignSetting);
    if (firstAlign == alBottom || firstAlign == alRight)
        distance = -distance;
    const QRect client = parentWidget()->contentsRect();
    const int room = (vertical() ? client.height() : client.width()) - thickness();
    int size = (vertical() ? first->height() : first->width()) + distance;
    if (size < 1)
        size = 1;
    if (size >= room)
        size = room - 3;
    const bool inLayout = parentWidget()->layout() && parentWidget()->layout()->indexOf(first) >= 0;
    if (vertical())
        inLayout ? first->setFixedHeight(size) : first->resize(first->width(), size);
    else
        inLayout ? first->setFixedWidth(size) : first->resize(size, first->height());
    emit OnPosChanged();
}

bool TKxSplitter::eventFilter(QObject *watched, QEvent *event)
{
    if (sizing) {
        if (event->type() == QEvent::ToolTip)
            return true;
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
            endDrag(false);
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}
