#include "app/sale/slevamnozstvi.h"

#include "app/common/formcontrols.h"
#include "app/sale/salerules.h"
#include "app/settings/shopsettings.h"
#include "data/dm.h"
#include "kit/intedit.h"
#include "kit/numedit.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

TForm_Sleva_Mnozstvi::TForm_Sleva_Mnozstvi(QWidget *parent)
    : TForm_Dialog(parent)
{
    setWindowTitle(QStringLiteral(" Sleva a množství"));
    Button_Ok->setText(QStringLiteral("&Ok [Enter]"));
    Button_Storno->setText(QStringLiteral("&Zavřít [Esc]"));

    CurrencyEdit_Mnozstvi = new TCurrencyEdit(Bevel);
    CurrencyEdit_Mnozstvi->setObjectName(QStringLiteral("CurrencyEdit_Mnozstvi"));
    CurrencyEdit_Mnozstvi->setDecimalPlaces(3);
    CurrencyEdit_Mnozstvi->setDisplayFormat(QStringLiteral(",0.###"));
    CurrencyEdit_Mnozstvi->setMinimumWidth(120);
    Label_Mnozstvi = new QLabel(QStringLiteral("&Množství:"), Bevel);
    Label_Mnozstvi->setObjectName(QStringLiteral("Label_Mnozstvi"));
    Label_Mnozstvi->setBuddy(CurrencyEdit_Mnozstvi);
    IntegerComboBox_Sleva = new TIntegerComboBox(Bevel);
    IntegerComboBox_Sleva->setObjectName(QStringLiteral("IntegerComboBox_Sleva"));
    IntegerComboBox_Sleva->setMax(100);
    IntegerComboBox_Sleva->setMin(0);
    SetHint(IntegerComboBox_Sleva, QStringLiteral("Nezadaná sleva"));
    Label_Sleva = new QLabel(QStringLiteral("&Sleva:"), Bevel);
    Label_Sleva->setObjectName(QStringLiteral("Label_Sleva"));
    Label_Sleva->setBuddy(IntegerComboBox_Sleva);
    Label_Procento = new QLabel(QStringLiteral("%"), Bevel);
    Label_Procento->setObjectName(QStringLiteral("Label_Procento"));

    Label_Jednotka = new QLabel(Bevel);
    Label_Jednotka->setObjectName(QStringLiteral("Label_Jednotka"));
    Label_Jednotka->setMinimumWidth(60);

    auto *grid = new QGridLayout(Bevel);
    grid->addWidget(Label_Mnozstvi, 0, 0);
    grid->addWidget(CurrencyEdit_Mnozstvi, 0, 1);
    grid->addWidget(Label_Jednotka, 0, 2);
    grid->addWidget(Label_Sleva, 1, 0);
    grid->addWidget(IntegerComboBox_Sleva, 1, 1);
    grid->addWidget(Label_Procento, 1, 2);
    grid->setColumnStretch(2, 1);

    BindChange(CurrencyEdit_Mnozstvi, [this](QObject *) { CurrencyEdit_MnozstviChange(); });
    BindChange(IntegerComboBox_Sleva, [this](QObject *) { IntegerComboBox_SlevaChange(); });
}

void TForm_Sleva_Mnozstvi::showEvent(QShowEvent *event)
{
    FormShow();
    TForm_Dialog::showEvent(event);
}

void TForm_Sleva_Mnozstvi::FormShow()
{
    IntegerComboBox_Sleva->setItems(DiscountTexts(Settings().discountList()));
    if (DM && DM->MSSQLADOQuery_Prodej->Active() && !DM->MSSQLADOQuery_Prodej->IsEmpty()) {
        const Db::Dataset &basket = *DM->MSSQLADOQuery_Prodej;
        IntegerComboBox_Sleva->setValue(int(basket.FieldByName(QStringLiteral("SLEVA")).AsInteger()));
        CurrencyEdit_Mnozstvi->setValue(basket.FieldByName(QStringLiteral("MNOZSTVI")).AsFloat());
        Label_Jednotka->setText(basket.FieldByName(QStringLiteral("JEDNOTKA")).AsString());
    }
    IntegerComboBox_Sleva->setEnabled(DM && DM->HasRight(35));
    ControlsChange();
}

void TForm_Sleva_Mnozstvi::IntegerComboBox_SlevaChange()
{
    MarkInvalid(IntegerComboBox_Sleva, IntegerComboBox_Sleva->currentText().trimmed().isEmpty()
                                           ? QStringLiteral("Nezadaná sleva")
                                           : QString());
    ControlsValide();
}

void TForm_Sleva_Mnozstvi::CurrencyEdit_MnozstviChange()
{
    // The line's own item: the basket row carries its minimum and whether it
    // sells only in multiples, whatever row the item list shows.
    Currency minimum;
    bool multiples = false;
    if (DM && DM->MSSQLADOQuery_Prodej->Active() && !DM->MSSQLADOQuery_Prodej->IsEmpty()) {
        const Db::Dataset &basket = *DM->MSSQLADOQuery_Prodej;
        minimum = basket.FieldByName(QStringLiteral("MINIMUM")).AsCurrency();
        multiples = basket.FieldByName(QStringLiteral("NASOBNE")).AsBoolean();
    }
    MarkInvalid(CurrencyEdit_Mnozstvi,
                QuantityProblem(Currency::fromDouble(CurrencyEdit_Mnozstvi->value()), minimum, multiples));
    ControlsValide();
}
