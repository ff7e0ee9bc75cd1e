#pragma once
// The designer options dialog "Nastavení": grid, moving objects, units and
// the designer's other switches.
#include <QDialog>

class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QWidget;

struct TvlDesignerSetup
{
    bool ShowGrid = true;
    bool GridAlign = true;
    int GridSize = 4; // 4, 8 or 18
    bool MoveContents = true;
    int Units = 0; // 0 pixels, 1 millimetres, 2 inches
    bool GrayButtons = false;
    bool EditAfterInsert = true;
    bool ShowBandTitles = true;
    bool operator==(const TvlDesignerSetup &) const = default;
};

class TvlDesOptionsForm : public QDialog
{
    Q_OBJECT
public:
    explicit TvlDesOptionsForm(QWidget *parent = nullptr);

    void SetOptions(const TvlDesignerSetup &options);
    TvlDesignerSetup Options() const;

    QTabWidget *PageControl1;
    QWidget *Tab1;
    QGroupBox *GroupBox1, *GroupBox2, *GroupBox3, *GroupBox4, *GroupBox5;
    QCheckBox *CB1, *CB2, *CB3, *CB4, *CB5;
    QRadioButton *RB1, *RB2, *RB3, *RB4, *RB5, *RB6, *RB7, *RB8;
    QPushButton *Button1, *Button2;
};
