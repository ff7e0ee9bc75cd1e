// The settings screen as the program's settings: each getter reads its
// control at the moment of the call.
#include "app/settings/nastaveni.h"
#include "app/settings/valuelistgroup.h"
#include "kit/colorcombo.h"
#include "kit/formstorage.h"
#include "kit/intedit.h"
#include "kit/printercombo.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

namespace {

int number(const QString &text)
{
    return text.trimmed().toInt();
}

} // namespace

QString TForm_Nastaveni::companyName() const
{
    return Edit_Nazev->text();
}

QString TForm_Nastaveni::companyAddress() const
{
    return Edit_Adresa->text();
}

QString TForm_Nastaveni::companyIc() const
{
    return Edit_IC->text();
}

QString TForm_Nastaveni::companyDic() const
{
    return Edit_DIC->text();
}

QString TForm_Nastaveni::companyPhone() const
{
    return Edit_Telefon->text();
}

QString TForm_Nastaveni::companyEmail() const
{
    return Edit_Email->text();
}

QString TForm_Nastaveni::bankAccount() const
{
    return Edit_Ucet->text();
}

QString TForm_Nastaveni::constantSymbol() const
{
    return Edit_KS->text();
}

bool TForm_Nastaveni::variableSymbolByInvoice() const
{
    return CheckBox_VS->isChecked();
}

QString TForm_Nastaveni::variableSymbol() const
{
    return Edit_VS->text();
}

int TForm_Nastaveni::dueDays() const
{
    return number(IntegerComboBox_Splatnost->currentText());
}

QList<int> TForm_Nastaveni::warrantyList() const
{
    return Zaruky->values();
}

int TForm_Nastaveni::defaultWarranty() const
{
    return Zaruky->defaultValue();
}

QList<int> TForm_Nastaveni::discountList() const
{
    return Slevy->values();
}

int TForm_Nastaveni::defaultDiscount() const
{
    return Slevy->defaultValue();
}

int TForm_Nastaveni::discountEntry() const
{
    return number(IntegerEdit_Sleva->text());
}

bool TForm_Nastaveni::isRequired(ItemField field) const
{
    switch (field) {
    case ItemField::Oznaceni:
        return CheckBox_Oznaceni_Povinne->isChecked();
    case ItemField::Kod:
        return CheckBox_Kod_Povinne->isChecked();
    case ItemField::Polozka:
        return CheckBox_Polozka_Povinne->isChecked();
    case ItemField::Specifikace:
        return CheckBox_Specifikace_Povinne->isChecked();
    case ItemField::Nakup:
        return CheckBox_Nakup_Povinne->isChecked();
    case ItemField::Prodej:
        return CheckBox_Prodej_Povinne->isChecked();
    case ItemField::Mnozstvi:
        return CheckBox_Mnozstvi_Povinne->isChecked();
    case ItemField::Zasoba:
        return CheckBox_Zasoba_Povinne->isChecked();
    case ItemField::Minimum:
        return CheckBox_Minimum_Povinne->isChecked();
    case ItemField::Zaruka:
    case ItemField::NedostatecnaZasoba:
        break;
    }
    return false;
}

int TForm_Nastaveni::oznaceniLength() const
{
    return number(IntegerEdit_Oznaceni->text());
}

int TForm_Nastaveni::kodLength() const
{
    return number(IntegerEdit_Kod->text());
}

bool TForm_Nastaveni::isFlagged(ItemField field) const
{
    switch (field) {
    case ItemField::Polozka:
        return CheckBox_Polozka_Nezadane->isChecked();
    case ItemField::Kod:
        return CheckBox_Kod_Nezadane->isChecked();
    case ItemField::Specifikace:
        return CheckBox_Specifikace_Nezadane->isChecked();
    case ItemField::Zaruka:
        return CheckBox_Zaruka_Nezadane->isChecked();
    case ItemField::Nakup:
        return CheckBox_Nakup_Nezadane->isChecked();
    case ItemField::Prodej:
        return CheckBox_Prodej_Nezadane->isChecked();
    case ItemField::Mnozstvi:
        return CheckBox_Mnozstvi_Nezadane->isChecked();
    case ItemField::Zasoba:
        return CheckBox_Zasoba_Nezadane->isChecked();
    case ItemField::Minimum:
        return CheckBox_Minimum_Nezadane->isChecked();
    case ItemField::NedostatecnaZasoba:
        return CheckBox_Nedostatecna_Zasoba_Nezadane->isChecked();
    case ItemField::Oznaceni:
        break;
    }
    return false;
}

TColor TForm_Nastaveni::flagColor() const
{
    return ColorComboBox_Nezadane->colorValue();
}

int TForm_Nastaveni::defaultMargin() const
{
    return number(IntegerComboBox_Rabat->currentText());
}

bool TForm_Nastaveni::previewBeforePrint() const
{
    return CheckBox_Nahled->isChecked();
}

// A5 first, then A4, else the roll.
ReceiptFormat TForm_Nastaveni::receiptFormat() const
{
    if (RadioButton_A5->isChecked())
        return ReceiptFormat::A5;
    if (RadioButton_A4->isChecked())
        return ReceiptFormat::A4;
    return ReceiptFormat::Svitek;
}

TPrinterComboBox *TForm_Nastaveni::printerCombo(DocumentPrinter kind) const
{
    switch (kind) {
    case DocumentPrinter::UctenkaA4:
        return PrinterComboBox_UctenkaA4;
    case DocumentPrinter::UctenkaA5:
        return PrinterComboBox_UctenkaA5;
    case DocumentPrinter::UctenkaSvitek:
        return PrinterComboBox_UctenkaSvitek;
    case DocumentPrinter::Faktura:
        return PrinterComboBox_Faktura;
    case DocumentPrinter::DodaciList:
        return PrinterComboBox_DodaciList;
    case DocumentPrinter::Storno:
        return PrinterComboBox_Storno;
    case DocumentPrinter::PrijmovyDoklad:
        break;
    }
    return PrinterComboBox_PrijmovyDoklad;
}

int TForm_Nastaveni::printerIndex(DocumentPrinter kind) const
{
    return printerCombo(kind)->printerIndex();
}

QString TForm_Nastaveni::printerName(DocumentPrinter kind) const
{
    return printerCombo(kind)->printerName();
}

QString TForm_Nastaveni::documentNote() const
{
    return Edit_Poznamka->text();
}

void TForm_Nastaveni::addWarranty(int months)
{
    Zaruky->append(months);
}

void TForm_Nastaveni::addDiscount(int percent)
{
    Slevy->append(percent);
}

void TForm_Nastaveni::save()
{
    FormStorage->FormPlacementSave();
}
