#pragma once
// Small makers of the designer dialogs' controls: each gets its component
// name as object name, and a label its buddy for the accelerator.
#include <QString>

class QCheckBox;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;
class QToolButton;
class TvlSpeedButton;

namespace dialogparts {

QGroupBox *groupBox(QWidget *parent, const char *name, const QString &caption);
QRadioButton *radioButton(QWidget *parent, const char *name, const QString &caption);
QCheckBox *checkBox(QWidget *parent, const char *name, const QString &caption);
QLabel *label(QWidget *parent, const char *name, const QString &caption, QWidget *buddy = nullptr);
QLineEdit *lineEdit(QWidget *parent, const char *name);
// The small up or down arrow button of a number edit.
TvlSpeedButton *spinButton(QWidget *parent, const char *name, bool up);
// A small button with a caption (the dialogs' speed buttons).
QToolButton *speedButton(QWidget *parent, const char *name, const QString &caption, const QString &hint = {});

// Enter (or Return) in the control confirms the dialog.
void acceptOnEnter(QWidget *control, QDialog *dialog);

} // namespace dialogparts
