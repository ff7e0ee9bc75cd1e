#pragma once
// The about box: the program's icon, its title with the version, the system
// it runs on.
#include <QDialog>

class QLabel;
class QPushButton;

class TForm_OProgramu : public QDialog
{
    Q_OBJECT
public:
    explicit TForm_OProgramu(QWidget *parent = nullptr);

    QLabel *Image;
    QLabel *Label_Aplikace;
    QLabel *Label_OS;
    QPushButton *Button_Zavrit;
};
