#pragma once
// The shop's settings screen: company and bank data, due days, the warranty
// and discount lists, the item card's required fields and the item lists'
// flags, the default mark-up and the printing of documents. One instance
// lives from login to exit; it is the program's ShopSettings, read at the
// moment a setting is needed. Its values persist in section "Nastaveni".
#include "app/common/dialogbase.h"
#include "app/settings/shopsettings.h"

#include <QTabWidget>

#include <functional>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class TColorComboBox;
class TFormStorage;
class TIntegerComboBox;
class TIntegerEdit;
class TPrinterComboBox;
class ValueListGroup;

// Tabs whose shown page the form storage keeps by the page's name.
class TPageControl : public QTabWidget
{
    Q_OBJECT
    Q_PROPERTY(QWidget *ActivePage READ currentWidget WRITE setActivePage)
public:
    using QTabWidget::QTabWidget;
    void setActivePage(QWidget *page);
};

class TForm_Nastaveni : public TForm_Dialog, public ShopSettings
{
    Q_OBJECT
public:
    explicit TForm_Nastaveni(QWidget *parent = nullptr);
    ~TForm_Nastaveni() override;

    TPageControl *PageControl;
    QWidget *TabSheet_Vychozi, *TabSheet_Polozka, *TabSheet_Tisk;

    QLineEdit *Edit_Nazev, *Edit_Adresa, *Edit_IC, *Edit_DIC, *Edit_Telefon, *Edit_Email;
    QLineEdit *Edit_Ucet, *Edit_KS, *Edit_VS;
    QCheckBox *CheckBox_VS;
    TIntegerComboBox *IntegerComboBox_Splatnost;
    QGroupBox *GroupBox_Zaruka, *GroupBox_Sleva;
    QListWidget *ListBox_Zaruka, *ListBox_Sleva;
    TIntegerEdit *IntegerEdit_Zaruka, *IntegerEdit_Zaruka_Vychozi, *IntegerEdit_Sleva, *IntegerEdit_Sleva_Vychozi;
    QPushButton *Button_Zaruka_Pridat, *Button_Zaruka_Odebrat, *Button_Zaruka_Vychozi;
    QPushButton *Button_Sleva_Pridat, *Button_Sleva_Odebrat, *Button_Sleva_Vychozi;

    QCheckBox *CheckBox_Oznaceni_Povinne, *CheckBox_Kod_Povinne, *CheckBox_Polozka_Povinne,
        *CheckBox_Specifikace_Povinne, *CheckBox_Nakup_Povinne, *CheckBox_Prodej_Povinne, *CheckBox_Mnozstvi_Povinne,
        *CheckBox_Zasoba_Povinne, *CheckBox_Minimum_Povinne;
    TIntegerEdit *IntegerEdit_Oznaceni, *IntegerEdit_Kod;
    QCheckBox *CheckBox_Polozka_Nezadane, *CheckBox_Kod_Nezadane, *CheckBox_Specifikace_Nezadane,
        *CheckBox_Zaruka_Nezadane, *CheckBox_Nakup_Nezadane, *CheckBox_Prodej_Nezadane, *CheckBox_Mnozstvi_Nezadane,
        *CheckBox_Zasoba_Nezadane, *CheckBox_Minimum_Nezadane, *CheckBox_Nedostatecna_Zasoba_Nezadane;
    TColorComboBox *ColorComboBox_Nezadane;
    TIntegerComboBox *IntegerComboBox_Rabat;

    QCheckBox *CheckBox_Nahled;
    QRadioButton *RadioButton_A4, *RadioButton_A5, *RadioButton_Svitek;
    TPrinterComboBox *PrinterComboBox_UctenkaA4, *PrinterComboBox_UctenkaA5, *PrinterComboBox_UctenkaSvitek,
        *PrinterComboBox_Faktura, *PrinterComboBox_DodaciList, *PrinterComboBox_Storno, *PrinterComboBox_PrijmovyDoklad;
    QLineEdit *Edit_Poznamka;
    QPushButton *Button_Hlavicka, *Button_Informace, *Button_Logo, *Button_Podpis;

    TFormStorage *FormStorage;
    ValueListGroup *Zaruky, *Slevy;

    // Opens a file with the desktop's program for it; returns 0 when it was
    // opened, else an error number (2: no such file, 31: no program for it).
    // Tests replace it.
    std::function<int(const QString &path)> openFile;

    void CheckBox_VSClick();
    // Opens a template file of the program folder; a failure shows the
    // heading with "Error <number>".
    void OpenTemplate(const QString &fileName, const QString &heading);

    // ShopSettings: read from the controls at each call.
    QString companyName() const override;
    QString companyAddress() const override;
    QString companyIc() const override;
    QString companyDic() const override;
    QString companyPhone() const override;
    QString companyEmail() const override;
    QString bankAccount() const override;
    QString constantSymbol() const override;
    bool variableSymbolByInvoice() const override;
    QString variableSymbol() const override;
    int dueDays() const override;
    QList<int> warrantyList() const override;
    int defaultWarranty() const override;
    QList<int> discountList() const override;
    int defaultDiscount() const override;
    int discountEntry() const override;
    bool isRequired(ItemField field) const override;
    int oznaceniLength() const override;
    int kodLength() const override;
    bool isFlagged(ItemField field) const override;
    TColor flagColor() const override;
    int defaultMargin() const override;
    bool previewBeforePrint() const override;
    ReceiptFormat receiptFormat() const override;
    int printerIndex(DocumentPrinter kind) const override;
    QString printerName(DocumentPrinter kind) const override;
    QString documentNote() const override;
    void addWarranty(int months) override;
    void addDiscount(int percent) override;
    void save() override;

protected:
    void showEvent(QShowEvent *event) override;
    // "S&torno" and the close box put the stored values back, so cancelled
    // edits never stay in force.
    void reject() override;

private:
    QWidget *buildDefaultsTab();
    QWidget *buildItemTab();
    QWidget *buildPrintTab();
    void setupStorage();
    TPrinterComboBox *printerCombo(DocumentPrinter kind) const;
};

extern TForm_Nastaveni *Form_Nastaveni;
