// The designer's tool bars between the docks and their float windows: tearing
// a bar off, docking a float window moved over a dock, showing and hiding a
// bar wherever it is.
#include "report/designer/form/designerform.h"
#include "report/designer/form/floatwindow.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QWindow>

TvlFloatWindow *TvlDesignerForm::FloatWindowOf(QToolBar *bar) const
{
    return m_floats.value(bar);
}

void TvlDesignerForm::FloatBar(QToolBar *bar, QPoint topLeft)
{
    TvlFloatWindow *window = m_floats.value(bar);
    if (!window) {
        const bool shown = !bar->isHidden();
        m_window->removeToolBar(bar);
        window = new TvlFloatWindow(bar, this);
        window->OnMoved = [this, bar](QPoint cursor) { DockAtCursor(bar, cursor); };
        m_floats.insert(bar, window);
        window->setVisible(shown);
    }
    window->move(topLeft);
}

void TvlDesignerForm::DockBar(QToolBar *bar, int area)
{
    if (TvlFloatWindow *window = m_floats.take(bar)) {
        window->hide();
        window->TakeBar();
        window->deleteLater();
    }
    m_window->addToolBar(Qt::ToolBarArea(area), bar);
    bar->setMovable(true);
    bar->show();
}

void TvlDesignerForm::DockAtCursor(QToolBar *bar, QPoint cursor)
{
    const QRect centre = m_window->centralWidget()->geometry();
    const auto zones = vlDockZones(m_window->rect(), centre, m_window->menuBar()->geometry().bottom() + 1,
                                   m_window->statusBar()->geometry().top());
    const int area = vlDockAreaAt(zones, m_window->mapFromGlobal(cursor));
    // A bar kept to one orientation refuses the docks of the other.
    if (area && bar->isAreaAllowed(Qt::ToolBarArea(area)))
        QTimer::singleShot(0, this, [this, bar, area] {
            if (m_floats.contains(bar))
                DockBar(bar, area);
        });
}

bool TvlDesignerForm::BarShown(QToolBar *bar) const
{
    const QWidget *window = m_floats.value(bar);
    return window ? !window->isHidden() : !bar->isHidden();
}

void TvlDesignerForm::SetBarShown(QToolBar *bar, bool shown)
{
    if (QWidget *window = m_floats.value(bar))
        window->setVisible(shown);
    else
        bar->setVisible(shown);
}

bool TvlDesignerForm::BarDragEvent(QToolBar *bar, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const int grip = bar->style()->pixelMetric(QStyle::PM_ToolBarHandleExtent, nullptr, bar) + 2;
        const QPoint at = mouse->position().toPoint();
        const bool horizontal = bar->orientation() == Qt::Horizontal;
        m_barDrag = {};
        if (mouse->button() == Qt::LeftButton && bar->isMovable() && bar->isFloatable() && !m_floats.contains(bar) &&
            (horizontal ? at.x() : at.y()) < grip) {
            m_barDrag.Bar = bar;
            m_barDrag.Press = mouse->globalPosition().toPoint();
            m_barDrag.Start = horizontal ? bar->x() : bar->y() - m_window->centralWidget()->y();
        }
        return false;
    }
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (m_barDrag.Bar != bar || !(mouse->buttons() & Qt::LeftButton) || bar->isFloating())
            return false;
        const QPoint moved = mouse->globalPosition().toPoint() - m_barDrag.Press;
        const int along = m_barDrag.Start + (bar->orientation() == Qt::Horizontal ? moved.x() : moved.y());
        if (!vlTearsOff(along))
            return false;
        // Torn off past the start of its dock: the bar's own drag ends, and
        // the window it floats in goes on with the drag by its caption.
        m_barDrag = {};
        QMouseEvent release(QEvent::MouseButtonRelease, mouse->position(), mouse->globalPosition(), Qt::LeftButton,
                            Qt::NoButton, mouse->modifiers());
        QCoreApplication::sendEvent(bar, &release);
        const QPoint cursor = mouse->globalPosition().toPoint();
        FloatBar(bar, cursor - QPoint(10, 10));
        TvlFloatWindow *window = m_floats.value(bar);
        window->show();
        if (QWindow *handle = window->windowHandle())
            handle->startSystemMove();
        return true;
    }
    case QEvent::MouseButtonRelease:
        m_barDrag = {};
        // A bar the drag left floating on its own goes into a float window.
        QTimer::singleShot(0, this, [this, bar = QPointer<QToolBar>(bar)] {
            if (bar && bar->isFloating() && !m_floats.contains(bar))
                FloatBar(bar, bar->frameGeometry().topLeft());
        });
        return false;
    default:
        return false;
    }
}

TvlBarPlaces TvlDesignerForm::BarPlaces()
{
    return {[this](QToolBar *bar) -> QWidget * { return FloatWindowOf(bar); },
            [this](QToolBar *bar, QPoint topLeft) { FloatBar(bar, topLeft); },
            [this](QToolBar *bar, int area) { DockBar(bar, area); },
            [this](QToolBar *bar, bool shown) { SetBarShown(bar, shown); }};
}
