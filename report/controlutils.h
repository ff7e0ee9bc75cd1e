#pragma once
// Small helpers of the engine's dialogs.
#include <QList>
#include <QPoint>
#include <QString>

class QWidget;

// Enables or disables the controls; a label's text turns grey when disabled,
// any other control's background turns from the window colour to the button face.
void EnableControls(const QList<QWidget *> &controls, bool enabled);
// The visible child under the point (in the parent's coordinates), the
// topmost first; a child holding children is searched in turn, and when
// nothing inside it is hit the search goes on with the siblings below it.
QWidget *ControlAtPoint(QWidget *parent, QPoint point);
// The name of the operating-system family the engine runs on.
QString GetWindowsVersion();
