#include "kit/popupwindow.h"

#include <QMouseEvent>

TPopupWindow::TPopupWindow(QWidget *editor)
    : QFrame(editor, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , editorWidget(editor)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    hide();
}

void TPopupWindow::ClosePopupWindow(bool accept)
{
    emit OnPopupClose(accept);
}

void TPopupWindow::Show(const QPoint &origin)
{
    move(origin);
    show();
}

void TPopupWindow::Hide()
{
    hide();
}

void TPopupWindow::mouseReleaseEvent(QMouseEvent *event)
{
    QFrame::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        ClosePopupWindow(rect().contains(event->pos()));
}
