#pragma once
// The page setup dialog "Nastavení strany": paper and orientation, margins,
// and printing to the previous page with columns.
#include "report/designer/dialogs/pageoptions.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QWidget;
class TvlSpeedButton;

class TvlPgoptForm : public QDialog
{
    Q_OBJECT
public:
    explicit TvlPgoptForm(QWidget *parent = nullptr);

    void SetOptions(const TvlPageSetup &options);
    // The options with the controls' values.
    TvlPageSetup Options() const;

    QTabWidget *PageControl1;
    QWidget *TabSheet1, *TabSheet2, *TabSheet3;
    QGroupBox *GroupBox2;
    QRadioButton *RB1, *RB2;
    QLabel *imgPortrait, *imgLandScape;
    QGroupBox *GroupBox3;
    QComboBox *ComB1;
    QLabel *Label1, *Label2;
    QLineEdit *E1, *E2;
    QGroupBox *GroupBox4;
    QLabel *Label3, *Label4, *Label5, *Label6;
    QLineEdit *E3, *E4, *E5, *E6;
    QCheckBox *CB5;
    QGroupBox *GroupBox1;
    QCheckBox *CB1;
    QGroupBox *GroupBox5;
    QLabel *Label7;
    QLineEdit *Edit1;
    TvlSpeedButton *SB1, *SB2;
    QLabel *Label8;
    QLineEdit *E7;
    QPushButton *Button1, *Button2;

    void RB1Click();    // either orientation button
    void ComB1Change(); // a paper was chosen
    void CB5Click();
    void SB1Click();
    void SB2Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    TvlPageSetup m_options;
};
