#pragma once
// The preview's print dialog: which pages ("1,3,5-12"), how many copies and
// on which printer. Once another printer than the one in use is chosen the
// cancel button reads "&Zavřít" and ends with mrYes: the caller then only
// switches to that printer without printing.
#include "app/common/dialogbase.h"

#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class TIntegerEdit;
class TPrinterComboBox;

class TForm_Tiskarna : public TForm_Dialog
{
    Q_OBJECT
public:
    explicit TForm_Tiskarna(QWidget *parent = nullptr);

    QGroupBox *GroupBox_Stranky;
    QRadioButton *RadioButton_Vsechny, *RadioButton_Cisla, *RadioButton_Aktualni;
    QLineEdit *Edit_Cisla;
    QLabel *Label_Cisla, *Label_Priklad;
    QGroupBox *GroupBox_Kopie;
    TIntegerEdit *IntegerEdit_Kopie;
    QGroupBox *GroupBox_Tiskarna;
    TPrinterComboBox *PrinterComboBox;
    QPushButton *Button_Vlastnosti;

    // The engine's printer when the dialog was shown.
    int OldPrinterIndex() const { return m_oldIndex; }
    bool PrinterChanged() const;
    // The page list: empty for all pages, the current page, or the typed list.
    QString PageList(int currentPage) const;
    int Copies();

    void FormShow();
    void PrinterComboBoxChange();
    void Button_VlastnostiClick();
    void RadioButton_CislaClick();

    // How "Vlastnosti..." shows the platform's page set-up; tests replace it.
    static std::function<void(QWidget *parent)> PrinterSetup;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int m_oldIndex = 0;
    int m_cancelResult = 0;
};
