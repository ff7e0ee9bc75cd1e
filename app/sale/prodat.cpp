#include "app/sale/prodat.h"

#include "app/common/formcontrols.h"
#include "app/common/keypadkeys.h"
#include "app/common/modalresult.h"
#include "app/sale/salerules.h"
#include "app/settings/shopsettings.h"
#include "data/dm.h"
#include "kit/intedit.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

namespace {

template <typename Widget>
Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel *buddyLabel(const QString &caption, const char *name, QWidget *buddy, QWidget *parent)
{
    auto *label = named(new QLabel(caption, parent), name);
    label->setBuddy(buddy);
    return label;
}

} // namespace

TForm_Prodat::TForm_Prodat(QWidget *parent)
    : TForm_Dialog(parent)
{
    setWindowTitle(QStringLiteral(" Prodat"));

    ComboBox_Doklad = named(new QComboBox(Bevel), "ComboBox_Doklad");
    ComboBox_Doklad->addItems(
        {QStringLiteral("Účtenka za hotové"), QStringLiteral("Faktura/Dodací list"), QStringLiteral("Dodací list")});
    Label_Doklad = buddyLabel(QStringLiteral("&Doklad:"), "Label_Doklad", ComboBox_Doklad, Bevel);

    ComboBox_Odberatel = named(new QComboBox(Bevel), "ComboBox_Odberatel");
    ComboBox_Odberatel->setMinimumWidth(260);
    Label_Odberatel = buddyLabel(QStringLiteral("&Odběratel:"), "Label_Odberatel", ComboBox_Odberatel, Bevel);
    Button_Odberatel = named(new QPushButton(QStringLiteral("Při&dat..."), Bevel), "Button_Odberatel");

    IntegerComboBox_Sleva = named(new TIntegerComboBox(Bevel), "IntegerComboBox_Sleva");
    IntegerComboBox_Sleva->setMax(100);
    IntegerComboBox_Sleva->setMin(0);
    SetHint(IntegerComboBox_Sleva, QStringLiteral("Nezadaná sleva..."));
    Label_Sleva = buddyLabel(QStringLiteral("&Sleva:"), "Label_Sleva", IntegerComboBox_Sleva, Bevel);
    Label_Procento = named(new QLabel(QStringLiteral("%"), Bevel), "Label_Procento");

    CheckBox_Tisk = named(new QCheckBox(Bevel), "CheckBox_Tisk");
    CheckBox_Tisk->setChecked(true);
    CheckBox_Tisk_Kopie = named(new QCheckBox(QStringLiteral("Tisk &kopie [F12]"), Bevel), "CheckBox_Tisk_Kopie");
    CheckBox_Doklad =
        named(new QCheckBox(QStringLiteral("Tisk &přijmového pokladního dokladu [F9]"), Bevel), "CheckBox_Doklad");

    Edit_Poznamka = named(new QLineEdit(Bevel), "Edit_Poznamka");
    Label_Poznamka = buddyLabel(QStringLiteral("&Pozn:"), "Label_Poznamka", Edit_Poznamka, Bevel);

    auto *grid = new QGridLayout(Bevel);
    grid->addWidget(Label_Doklad, 0, 0);
    grid->addWidget(ComboBox_Doklad, 0, 1, 1, 2);
    grid->addWidget(Label_Odberatel, 1, 0);
    grid->addWidget(ComboBox_Odberatel, 1, 1, 1, 2);
    grid->addWidget(Button_Odberatel, 1, 3);
    grid->addWidget(Label_Sleva, 2, 0);
    grid->addWidget(IntegerComboBox_Sleva, 2, 1);
    grid->addWidget(Label_Procento, 2, 2);
    grid->addWidget(CheckBox_Tisk, 3, 1, 1, 3);
    grid->addWidget(CheckBox_Tisk_Kopie, 4, 1, 1, 3);
    grid->addWidget(CheckBox_Doklad, 5, 1, 1, 3);
    grid->addWidget(Label_Poznamka, 6, 0);
    grid->addWidget(Edit_Poznamka, 6, 1, 1, 3);
    grid->setColumnStretch(2, 1);

    Button_Ok->setText(QStringLiteral("Prodat [&+]"));
    Button_Storno->setText(QStringLiteral("&Zavřít [Esc]"));
    disconnect(Button_Ok, &QPushButton::clicked, this, nullptr);
    connect(Button_Ok, &QPushButton::clicked, this, [this] { Action_ProdatExecute(); });

    Action_Prodat = addShortcut(QStringLiteral("Action_Prodat"), QKeySequence(Qt::KeypadModifier | Qt::Key_Plus),
                                &TForm_Prodat::Action_ProdatExecute);
    Action_Doklad =
        addShortcut(QStringLiteral("Action_Doklad"), QKeySequence(Qt::Key_F9), &TForm_Prodat::Action_DokladExecute);
    Action_Tisk =
        addShortcut(QStringLiteral("Action_Tisk"), QKeySequence(Qt::Key_F11), &TForm_Prodat::Action_TiskExecute);
    Action_Kopie =
        addShortcut(QStringLiteral("Action_Kopie"), QKeySequence(Qt::Key_F12), &TForm_Prodat::Action_KopieExecute);
    // The keypad's "+" sells from every control and is typed into none.
    new KeypadPlusKey(this, Action_Prodat);

    connect(ComboBox_Doklad, &QComboBox::activated, this, [this] { ComboBox_DokladClick(); });
    connect(CheckBox_Tisk, &QCheckBox::clicked, this, [this] { CheckBox_TiskClick(); });
    connect(Button_Odberatel, &QPushButton::clicked, this, [this] { Button_OdberatelClick(); });
    BindChange(IntegerComboBox_Sleva, [this](QObject *) { IntegerComboBox_SlevaChange(); });
}

QAction *TForm_Prodat::addShortcut(const QString &name, const QKeySequence &key, void (TForm_Prodat::*handler)())
{
    auto *action = new QAction(this);
    action->setObjectName(name);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    addAction(action);
    return action;
}

void TForm_Prodat::showEvent(QShowEvent *event)
{
    FormShow();
    FormActivate();
    TForm_Dialog::showEvent(event);
}

void TForm_Prodat::FormShow()
{
    ShopSettings &settings = Settings();
    IntegerComboBox_Sleva->setItems(DiscountTexts(settings.discountList()));
    // A sale starts from the shop's stored default discount.
    IntegerComboBox_Sleva->setValue(settings.defaultDiscount());
    IntegerComboBox_Sleva->setEnabled(DM && DM->HasRight(36));
    ComboBox_Doklad->setCurrentIndex(0);
    ComboBox_DokladClick();
    IntegerComboBox_SlevaChange();
}

void TForm_Prodat::FormActivate()
{
    ComboBox_Odberatel->clear();
    if (!DM)
        return;
    ComboBox_Odberatel->addItems(
        DM->ContactList().split(QRegularExpression(QStringLiteral("\r\n|\r|\n")), Qt::SkipEmptyParts));
    ComboBox_Odberatel->setCurrentIndex(ComboBox_Odberatel->findText(DM->DefaultCustomerName(), Qt::MatchExactly));
}

void TForm_Prodat::ComboBox_DokladClick()
{
    const SaleKindRule &rule = SaleKindRuleOf(ComboBox_Doklad->currentIndex());
    CheckBox_Tisk->setText(rule.printCaption);
    CheckBox_Tisk->setChecked(true);
    CheckBox_Tisk->setEnabled(rule.printEnabled);
    Action_Tisk->setEnabled(rule.printEnabled);
    CheckBox_Doklad->setEnabled(rule.voucherEnabled);
    Action_Doklad->setEnabled(rule.voucherEnabled);
    CheckBox_TiskClick();
}

void TForm_Prodat::CheckBox_TiskClick()
{
    const bool kept = CopyKept(CheckBox_Tisk->isEnabled(), CheckBox_Tisk->isChecked());
    CheckBox_Tisk_Kopie->setEnabled(CheckBox_Tisk->isChecked());
    if (!kept)
        CheckBox_Tisk_Kopie->setChecked(false);
}

void TForm_Prodat::Button_OdberatelClick()
{
    if (ContactListAction)
        ContactListAction();
    FormActivate();
}

void TForm_Prodat::IntegerComboBox_SlevaChange()
{
    MarkInvalid(IntegerComboBox_Sleva, IntegerComboBox_Sleva->currentText().trimmed().isEmpty()
                                           ? QStringLiteral("Nezadaná sleva...")
                                           : QString());
    ControlsValide();
}

void TForm_Prodat::Action_ProdatExecute()
{
    if (!Button_Ok->isEnabled())
        return;
    ShopSettings &settings = Settings();
    const QString typed = IntegerComboBox_Sleva->currentText();
    if (!DiscountListed(IntegerComboBox_Sleva->items(), typed))
        settings.addDiscount(IntegerComboBox_Sleva->value());
    settings.save();
    done(mrOk);
}

void TForm_Prodat::Action_DokladExecute()
{
    if (Action_Doklad->isEnabled())
        CheckBox_Doklad->setChecked(!CheckBox_Doklad->isChecked());
}

void TForm_Prodat::Action_TiskExecute()
{
    if (!Action_Tisk->isEnabled())
        return;
    CheckBox_Tisk->setChecked(!CheckBox_Tisk->isChecked());
    CheckBox_TiskClick();
}

void TForm_Prodat::Action_KopieExecute()
{
    if (CheckBox_Tisk_Kopie->isEnabled())
        CheckBox_Tisk_Kopie->setChecked(!CheckBox_Tisk_Kopie->isChecked());
}
