#include "app/common/dialogbase.h"
#include "app/common/dialogedit.h"
#include "app/common/formcontrols.h"
#include "app/common/modalresult.h"
#include "modal_helper.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

const QColor markColour(202, 197, 185);

// A new-record dialog with two required fields and one free one.
class NewUnitDialog : public TForm_Dialog
{
public:
    NewUnitDialog()
    {
        Edit_Jednotka = new QLineEdit(Bevel);
        Edit_Jednotka->setObjectName(QStringLiteral("Edit_Jednotka"));
        ComboBox_Typ = new QComboBox(Bevel);
        ComboBox_Typ->setObjectName(QStringLiteral("ComboBox_Typ"));
        ComboBox_Typ->setEditable(true);
        Edit_Poznamka = new QLineEdit(Bevel);
        auto *form = new QFormLayout(Bevel);
        form->addRow(QStringLiteral("Jednotka:"), Edit_Jednotka);
        form->addRow(QStringLiteral("Typ:"), ComboBox_Typ);
        form->addRow(QStringLiteral("Poznámka:"), Edit_Poznamka);
        BindChange(Edit_Jednotka, [this](QObject *s) { Edit_JednotkaChange(s); });
        BindChange(ComboBox_Typ, [this](QObject *s) { ComboBox_TypChange(s); });
        BindChange(Edit_Poznamka, [this](QObject *s) {
            order << s;
            ControlsValide();
        });
    }
    void Edit_JednotkaChange(QObject *Sender)
    {
        order << Sender;
        MarkInvalid(Edit_Jednotka,
                    Edit_Jednotka->text().trimmed().isEmpty() ? QStringLiteral("Nezadaná jednotka...") : QString());
        ControlsValide();
    }
    void ComboBox_TypChange(QObject *Sender)
    {
        order << Sender;
        MarkInvalid(ComboBox_Typ,
                    ComboBox_Typ->currentText().isEmpty() ? QStringLiteral("Nezadaný typ...") : QString());
        ControlsValide();
    }
    QLineEdit *Edit_Jednotka;
    QComboBox *ComboBox_Typ;
    QLineEdit *Edit_Poznamka;
    QList<QObject *> order;
};

// A list dialog: adding is always allowed, editing and removing need a row.
class UnitListDialog : public TForm_DialogEdit
{
public:
    void DataSourceDataChange() override
    {
        AddEnabled = true;
        EditEnabled = RemoveEnabled = model.rowCount() > 0;
        TForm_DialogEdit::DataSourceDataChange();
    }
    QStandardItemModel model;
};

} // namespace

TEST(FormControls, MarkHoldsTheReasonAsHintAndToolTip)
{
    QWidget form;
    auto *edit = new QLineEdit(&form);
    EXPECT_FALSE(ShowHint(edit));
    MarkInvalid(edit, QStringLiteral("Nezadané uživatelské jméno..."));
    EXPECT_TRUE(ShowHint(edit));
    EXPECT_EQ(Hint(edit), QStringLiteral("Nezadané uživatelské jméno..."));
    EXPECT_EQ(edit->toolTip(), QStringLiteral("Nezadané uživatelské jméno..."));
    MarkInvalid(edit, QString());
    EXPECT_FALSE(ShowHint(edit));
    EXPECT_TRUE(edit->toolTip().isEmpty());
    // A fixed hint of the form stays for the next time the mark is set.
    SetShowHint(edit, true);
    EXPECT_EQ(edit->toolTip(), QStringLiteral("Nezadané uživatelské jméno..."));
}

TEST(FormControls, ValideColoursMarkedControlsAlsoWhenDisabled)
{
    QWidget form;
    EXPECT_TRUE(FormControlsValide(&form)); // nothing to check

    auto *edit = new QLineEdit(&form);
    auto *combo = new QComboBox(&form);
    auto *spin = new QSpinBox(&form);
    new QPushButton(QStringLiteral("&Ok"), &form);
    EXPECT_TRUE(FormControlsValide(&form));

    edit->setEnabled(false);
    SetShowHint(edit, true);
    SetShowHint(combo, true);
    EXPECT_FALSE(FormControlsValide(&form));
    EXPECT_EQ(edit->palette().color(QPalette::Disabled, QPalette::Base), markColour);
    EXPECT_EQ(edit->palette().color(QPalette::Active, QPalette::Base), markColour);
    EXPECT_EQ(combo->palette().color(QPalette::Active, QPalette::Button), markColour);
    EXPECT_NE(spin->palette().color(QPalette::Active, QPalette::Base), markColour);

    SetShowHint(edit, false);
    SetShowHint(combo, false);
    EXPECT_TRUE(FormControlsValide(&form));
    EXPECT_EQ(edit->palette().color(QPalette::Active, QPalette::Base),
              QApplication::palette(edit).color(QPalette::Active, QPalette::Base));
}

TEST(FormControls, PartsInsideOtherControlsAreNotControlsOfTheirOwn)
{
    QWidget form;
    auto *combo = new QComboBox(&form);
    combo->setEditable(true);
    auto *spin = new QSpinBox(&form);
    EXPECT_TRUE(IsInputControl(combo));
    EXPECT_TRUE(IsInputControl(spin));
    EXPECT_FALSE(IsInputControl(combo->lineEdit()));
    EXPECT_FALSE(IsInputControl(spin->findChild<QLineEdit *>()));
    // A marked line edit of some other window is not this form's concern.
    QWidget other;
    SetShowHint(new QLineEdit(&other), true);
    EXPECT_TRUE(FormControlsValide(&form));
}

TEST(FormControls, ToggleDefaultButtonSwitchesToTheGroupAndBack)
{
    QDialog dialog;
    auto *ok = new QPushButton(QStringLiteral("&Ok"), &dialog);
    ok->setDefault(true);
    auto *group = new QGroupBox(&dialog);
    new QLineEdit(group);
    auto *add = new QPushButton(QStringLiteral("&Přidat"), group);
    new QPushButton(QStringLiteral("&Odebrat"), group);

    ToggleDefaultButton(group);
    EXPECT_TRUE(add->isDefault());
    EXPECT_FALSE(ok->isDefault());
    ToggleDefaultButton(group);
    EXPECT_FALSE(add->isDefault());
    EXPECT_TRUE(ok->isDefault());

    QGroupBox empty(&dialog);
    ToggleDefaultButton(&empty); // no button: nothing happens
    EXPECT_TRUE(ok->isDefault());
}

TEST(FormControls, GroupButtonIsDefaultWhileTheFocusIsInside)
{
    QDialog dialog;
    auto *outside = new QLineEdit(&dialog);
    auto *ok = new QPushButton(QStringLiteral("&Ok"), &dialog);
    ok->setDefault(true);
    auto *group = new QGroupBox(&dialog);
    auto *inside = new QLineEdit(group);
    auto *add = new QPushButton(QStringLiteral("&Přidat"), group);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(outside);
    layout->addWidget(group);
    layout->addWidget(ok);
    new QVBoxLayout(group);
    group->layout()->addWidget(inside);
    group->layout()->addWidget(add);
    BindGroupDefaultButton(group);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));

    outside->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(ok->isDefault());
    inside->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(add->isDefault());
    EXPECT_FALSE(ok->isDefault());
    outside->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(add->isDefault());
    EXPECT_TRUE(ok->isDefault());
}

TEST(DialogBase, WithoutInputControlsOkStaysEnabled)
{
    TForm_Dialog dialog;
    EXPECT_TRUE(dialog.ControlsValide());
    EXPECT_TRUE(dialog.Button_Ok->isEnabled());
    EXPECT_TRUE(dialog.Button_Ok->isDefault());
    EXPECT_EQ(dialog.Button_Storno->text(), QStringLiteral("S&torno"));
}

TEST(DialogBase, OkIsEnabledOnlyWhenEveryFieldIsUnmarked)
{
    NewUnitDialog dialog;
    dialog.ControlsChange(&dialog); // what a new-record dialog does on show
    EXPECT_FALSE(dialog.Button_Ok->isEnabled());
    EXPECT_EQ(dialog.Edit_Jednotka->toolTip(), QStringLiteral("Nezadaná jednotka..."));

    dialog.Edit_Jednotka->setText(QStringLiteral("ks"));
    EXPECT_FALSE(ShowHint(dialog.Edit_Jednotka));
    EXPECT_FALSE(dialog.Button_Ok->isEnabled()); // the type is still missing

    dialog.ComboBox_Typ->setEditText(QStringLiteral("kusy"));
    EXPECT_TRUE(dialog.Button_Ok->isEnabled());

    dialog.Edit_Jednotka->clear();
    EXPECT_FALSE(dialog.Button_Ok->isEnabled());
    EXPECT_EQ(dialog.Edit_Jednotka->palette().color(QPalette::Base), markColour);
}

TEST(DialogBase, ControlsChangeRunsTheHandlersInOrderWithTheControlAsSender)
{
    NewUnitDialog dialog;
    dialog.order.clear();
    dialog.ControlsChange(&dialog);
    ASSERT_EQ(dialog.order.size(), 3);
    EXPECT_EQ(dialog.order[0], dialog.Edit_Jednotka);
    EXPECT_EQ(dialog.order[1], dialog.ComboBox_Typ);
    EXPECT_EQ(dialog.order[2], dialog.Edit_Poznamka);
}

TEST(DialogBase, EnterConfirmsOnlyAValidDialogAndEscapeCancels)
{
    NewUnitDialog dialog;
    dialog.Edit_Jednotka->setText(QStringLiteral("ks"));
    dialog.ComboBox_Typ->setEditText(QStringLiteral("kusy"));
    WhenModal([](QDialog *d) { QTest::keyClick(d->focusWidget(), Qt::Key_Return); });
    EXPECT_EQ(dialog.exec(), mrOk);

    NewUnitDialog invalid;
    invalid.ControlsChange();
    bool stillOpen = false;
    WhenModal([&stillOpen](QDialog *d) {
        QTest::keyClick(d->focusWidget(), Qt::Key_Return);
        stillOpen = d->isVisible();
        QTest::keyClick(d->focusWidget(), Qt::Key_Escape);
    });
    EXPECT_EQ(invalid.exec(), mrCancel);
    EXPECT_TRUE(stillOpen);
}

TEST(DialogBase, FocusStartsInTheFirstFieldAndTheButtonsComeLast)
{
    NewUnitDialog dialog;
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_EQ(QApplication::focusWidget(), dialog.Edit_Jednotka);
    const QList<QWidget *> expected = {dialog.ComboBox_Typ, dialog.Edit_Poznamka, dialog.Button_Ok,
                                       dialog.Button_Storno, dialog.Edit_Jednotka};
    for (QWidget *next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
    }
}

TEST(DialogEdit, ButtonsFollowTheDerivedDecision)
{
    UnitListDialog dialog;
    EXPECT_FALSE(dialog.Button_Pridat->isEnabled()); // before the first data change
    EXPECT_FALSE(dialog.Button_Editovat->isEnabled());
    EXPECT_FALSE(dialog.Button_Odebrat->isEnabled());
    EXPECT_TRUE(dialog.Button_Zavrit->isEnabled());
    EXPECT_FALSE(dialog.AddEnabled || dialog.EditEnabled || dialog.RemoveEnabled);

    dialog.SetDataSource(&dialog.model);
    dialog.model.clear(); // the empty list is opened
    EXPECT_TRUE(dialog.Button_Pridat->isEnabled());
    EXPECT_FALSE(dialog.Button_Editovat->isEnabled());
    EXPECT_FALSE(dialog.Button_Odebrat->isEnabled());

    dialog.model.appendRow(new QStandardItem(QStringLiteral("ks")));
    EXPECT_TRUE(dialog.Button_Editovat->isEnabled());
    EXPECT_TRUE(dialog.Button_Odebrat->isEnabled());

    dialog.model.removeRow(0);
    EXPECT_FALSE(dialog.Button_Editovat->isEnabled());
    EXPECT_FALSE(dialog.Button_Odebrat->isEnabled());
}

TEST(DialogEdit, ZavritClosesAsCancel)
{
    UnitListDialog dialog;
    WhenModal([](QDialog *d) { qobject_cast<TForm_DialogEdit *>(d)->Button_Zavrit->click(); });
    EXPECT_EQ(dialog.exec(), mrCancel);
}

TEST(FormControls, ChangeOfEveryKindOfInputControlReachesItsHandler)
{
    QWidget form;
    int calls = 0;
    auto count = [&calls] { ++calls; };
    auto *edit = new QLineEdit(&form);
    auto *combo = new QComboBox(&form);
    auto *spin = new QSpinBox(&form);
    auto *real = new QDoubleSpinBox(&form);
    auto *memo = new QPlainTextEdit(&form);
    auto *rich = new QTextEdit(&form);
    for (QWidget *control : std::initializer_list<QWidget *>{edit, combo, spin, real, memo, rich})
        EXPECT_TRUE(ConnectChange(control, count)) << control->metaObject()->className();
    edit->setText(QStringLiteral("a"));
    combo->addItem(QStringLiteral("ks"));
    spin->setValue(5);
    real->setValue(1.5);
    memo->setPlainText(QStringLiteral("poznámka"));
    rich->setPlainText(QStringLiteral("text"));
    EXPECT_EQ(calls, 6);
}
