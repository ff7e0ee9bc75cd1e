#pragma once
// The choice of the store the program works in.
#include <QDialog>

class QComboBox;
class QPushButton;
class TDM;

class TForm_SkladVybrat : public QDialog
{
    Q_OBJECT
public:
    explicit TForm_SkladVybrat(TDM &dm, QWidget *parent = nullptr);

    QComboBox *ComboBox_Sklad;
    QPushButton *Button_Ok;
    QPushButton *Button_Storno;

    QString StoreName() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    TDM &m_dm;
};
