#pragma once
// The quantity and the discount of one basket line. The show event fills
// them from the basket's current row, and the quantity is checked against
// that line's item (its minimum and whether it sells only in multiples of
// it). The caller reads IntegerComboBox_Sleva and CurrencyEdit_Mnozstvi
// after OK.
#include "app/common/dialogbase.h"

class QLabel;
class TCurrencyEdit;
class TIntegerComboBox;

class TForm_Sleva_Mnozstvi : public TForm_Dialog
{
    Q_OBJECT
public:
    explicit TForm_Sleva_Mnozstvi(QWidget *parent = nullptr);

    QLabel *Label_Sleva;
    TIntegerComboBox *IntegerComboBox_Sleva;
    QLabel *Label_Procento;
    QLabel *Label_Mnozstvi;
    TCurrencyEdit *CurrencyEdit_Mnozstvi;
    QLabel *Label_Jednotka;

    void FormShow();
    void IntegerComboBox_SlevaChange();
    void CurrencyEdit_MnozstviChange();

protected:
    void showEvent(QShowEvent *event) override;
};
