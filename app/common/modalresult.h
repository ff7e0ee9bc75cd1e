#pragma once
// The results a modal window ends with. OK and Cancel are Qt's own accept and
// reject, so exec() of any dialog compares with these as well.
#include <QDialog>

constexpr int mrCancel = QDialog::Rejected;
constexpr int mrOk = QDialog::Accepted;
constexpr int mrYes = 6;
constexpr int mrNo = 7;
