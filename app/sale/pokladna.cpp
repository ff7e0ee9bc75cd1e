#include "app/sale/pokladna.h"

#include "app/common/formcontrols.h"
#include "app/common/screenplacement.h"
#include "app/sale/listgrid.h"
#include "data/dm.h"
#include "kit/dbgrid.h"
#include "kit/numedit.h"
#include "platform/db/datasource.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TForm_PokladnaHistorie::TForm_PokladnaHistorie(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral(" Historie pokladny"));
    DataSource = new Db::DataSource(this);
    DataSource->setObjectName(QStringLiteral("DataSource"));
    KxDBGrid = new TKxDBGrid(this);
    KxDBGrid->setObjectName(QStringLiteral("KxDBGrid"));
    SetupListGrid(KxDBGrid, DataSource, DM ? DM->MSSQLADOQuery_Pokladna : nullptr, QStringLiteral("ID_POKLADNA"),
                  {{QStringLiteral("CAS"), QStringLiteral("Čas"), 130},
                   {QStringLiteral("OPERACE"), QStringLiteral("Operace"), 190},
                   {QStringLiteral("DOKLAD_NETISTENY"), QStringLiteral("Doklad netištěný"), 125},
                   {QStringLiteral("DOKLAD_VYTISTENY"), QStringLiteral("Doklad vytištěný"), 125},
                   {QStringLiteral("UZIVATEL"), QStringLiteral("Uživatel"), 90},
                   {QStringLiteral("POHYB"), QStringLiteral("Pohyb [Kč]"), 100},
                   {QStringLiteral("STAV"), QStringLiteral("Stav [Kč]"), 100}});
    KxDBGrid->SetOptions({TKxDBGrid::dgTitles, TKxDBGrid::dgIndicator, TKxDBGrid::dgColumnResize,
                          TKxDBGrid::dgRowSelect, TKxDBGrid::dgAlwaysShowSelection});
    KxDBGrid->SetReadOnly(true);
    KxDBGrid->setContextMenuPolicy(Qt::CustomContextMenu);

    Button_Zavrit = new QPushButton(QStringLiteral("&Zavřít"), this);
    Button_Zavrit->setObjectName(QStringLiteral("Button_Zavrit"));
    Button_Zavrit->setMinimumWidth(88);
    connect(Button_Zavrit, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button_Zavrit);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(KxDBGrid, 1);
    layout->addLayout(buttons);
    resize(910, 420);
}

void TForm_PokladnaHistorie::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    CenterOnMainScreen(this);
    KxDBGrid->setFocus();
}

TForm_PokladnaVkladVyber::TForm_PokladnaVkladVyber(QWidget *parent)
    : TForm_Dialog(parent)
{
    setWindowTitle(QStringLiteral(" Vklad nebo výběr"));
    CurrencyEdit_VkladVyber = new TCurrencyEdit(Bevel);
    CurrencyEdit_VkladVyber->setObjectName(QStringLiteral("CurrencyEdit_VkladVyber"));
    CurrencyEdit_VkladVyber->setDisplayFormat(QStringLiteral(",0.00 "));
    CurrencyEdit_VkladVyber->setMaxLength(7);
    CurrencyEdit_VkladVyber->setMinimumWidth(120);
    SetHint(CurrencyEdit_VkladVyber, QStringLiteral("Nezadaná hodnata vkladu/výběru..."));
    Label_VkladVyber = new QLabel(QStringLiteral("&Vklad nebo výběr:"), Bevel);
    Label_VkladVyber->setObjectName(QStringLiteral("Label_VkladVyber"));
    Label_VkladVyber->setBuddy(CurrencyEdit_VkladVyber);
    auto *row = new QHBoxLayout(Bevel);
    row->addWidget(Label_VkladVyber);
    row->addWidget(CurrencyEdit_VkladVyber, 1);
    Button_Ok->setEnabled(false);
    BindChange(CurrencyEdit_VkladVyber, [this](QObject *) { CurrencyEdit_VkladVyberChange(); });
}

void TForm_PokladnaVkladVyber::showEvent(QShowEvent *event)
{
    FormShow();
    TForm_Dialog::showEvent(event);
}

void TForm_PokladnaVkladVyber::FormShow()
{
    ControlsChange();
}

void TForm_PokladnaVkladVyber::CurrencyEdit_VkladVyberChange()
{
    MarkInvalid(CurrencyEdit_VkladVyber, Currency::fromDouble(CurrencyEdit_VkladVyber->value()).isZero()
                                             ? QStringLiteral("Nezadaná hodnata vkladu/výběru...")
                                             : QString());
    ControlsValide();
}
