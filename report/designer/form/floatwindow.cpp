#include "report/designer/form/floatwindow.h"

#include <QCursor>
#include <QToolBar>
#include <QVBoxLayout>

std::array<QRect, 4> vlDockZones(const QRect &window, const QRect &centre, int menuBottom, int statusTop)
{
    const int top = std::min(menuBottom, centre.top());
    const int bottom = std::max(statusTop, centre.bottom() + 1);
    auto deep = [](int from, int to) { return std::max(to - from, vlDockRowSize); };
    return {QRect(window.left(), top, window.width(), deep(top, centre.top())),
            QRect(window.left(), centre.top(), deep(window.left(), centre.left()), centre.height()),
            QRect(window.left(), bottom - deep(centre.bottom() + 1, bottom), window.width(),
                  deep(centre.bottom() + 1, bottom)),
            QRect(window.right() + 1 - deep(centre.right() + 1, window.right() + 1), centre.top(),
                  deep(centre.right() + 1, window.right() + 1), centre.height())};
}

int vlDockAreaAt(const std::array<QRect, 4> &zones, QPoint point)
{
    static const Qt::ToolBarArea areas[] = {Qt::TopToolBarArea, Qt::LeftToolBarArea, Qt::BottomToolBarArea,
                                            Qt::RightToolBarArea};
    for (int i = 0; i < 4; ++i)
        if (zones[size_t(i)].contains(point))
            return areas[i];
    return 0;
}

TvlFloatWindow::TvlFloatWindow(QToolBar *bar, QWidget *owner)
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint)
    , m_bar(bar)
{
    setObjectName(bar->objectName() + QStringLiteral("Float"));
    setWindowTitle(bar->windowTitle());
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // No grip while floating: the window's caption moves it.
    bar->setMovable(false);
    bar->setParent(this);
    bar->setOrientation(Qt::Horizontal);
    layout->addWidget(bar);
    bar->show();
}

QToolBar *TvlFloatWindow::TakeBar()
{
    QToolBar *bar = m_bar;
    m_bar = nullptr;
    if (bar) {
        layout()->removeWidget(bar);
        bar->setParent(nullptr);
        bar->setMovable(true);
    }
    return bar;
}

void TvlFloatWindow::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    // Only a move by the caption docks: the window placed by the program or
    // by the window manager leaves the cursor elsewhere.
    const QPoint cursor = QCursor::pos();
    const bool onCaption = frameGeometry().contains(cursor) && cursor.y() < geometry().top();
    if (OnMoved && isVisible() && m_bar && onCaption)
        OnMoved(cursor);
}
