#include "report/controlutils.h"

#include "platform/colors.h"

#include <QLabel>
#include <QWidget>

void EnableControls(const QList<QWidget *> &controls, bool enabled)
{
    for (QWidget *control : controls) {
        if (!control)
            continue;
        control->setEnabled(enabled);
        QPalette palette = control->palette();
        if (qobject_cast<QLabel *>(control)) {
            palette.setColor(QPalette::WindowText, Colors::toQColor(enabled ? clWindowText : clGrayText));
        } else {
            palette.setColor(QPalette::Base, Colors::toQColor(enabled ? clWindow : clBtnFace));
        }
        control->setPalette(palette);
    }
}

namespace {
QList<QWidget *> childWidgets(QWidget *parent)
{
    QList<QWidget *> result;
    for (QObject *child : parent->children())
        if (auto *w = qobject_cast<QWidget *>(child); w && !w->isWindow())
            result << w;
    return result;
}
} // namespace

QWidget *ControlAtPoint(QWidget *parent, QPoint point)
{
    if (!parent)
        return nullptr;
    const QList<QWidget *> children = childWidgets(parent); // stacking order, topmost last
    for (qsizetype i = children.size() - 1; i >= 0; --i) {
        QWidget *child = children[i];
        if (!child->isVisibleTo(parent) || !child->geometry().contains(point))
            continue;
        if (childWidgets(child).isEmpty())
            return child;
        if (QWidget *inner = ControlAtPoint(child, point - child->pos()))
            return inner;
    }
    return nullptr;
}

QString GetWindowsVersion()
{
    return QStringLiteral("NT");
}
