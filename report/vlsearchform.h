#pragma once
// The preview's search dialog: the text, case sensitivity and where to start.
#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TvlPreviewSearchForm : public QDialog
{
    Q_OBJECT
public:
    explicit TvlPreviewSearchForm(QWidget *parent = nullptr);

    QString Text() const;
    bool CaseSensitive() const;
    bool FromFirstPage() const;

    QLabel *Label1;
    QLineEdit *Edit1;
    QGroupBox *GroupBox1;
    QCheckBox *CB1;
    QGroupBox *GroupBox2;
    QRadioButton *RB1;
    QRadioButton *RB2;
    QPushButton *Button1;
    QPushButton *Button2;

protected:
    void showEvent(QShowEvent *event) override;
};
