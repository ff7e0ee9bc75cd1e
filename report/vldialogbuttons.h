#pragma once
// The "OK" and "Storno" buttons the engine's dialogs end with.
#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

// Makes Button1 "OK" (default, accepts) and Button2 "Storno" (rejects),
// right-aligned in the row returned.
QHBoxLayout *vlOkCancelButtons(QDialog *dialog, QPushButton *&ok, QPushButton *&cancel);
