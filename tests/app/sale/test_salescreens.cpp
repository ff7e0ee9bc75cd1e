// The sale dialog and the line dialog over a real database, offscreen.
#include "app/sale/prodat.h"
#include "app/sale/sale_fixture.h"
#include "app/sale/slevamnozstvi.h"
#include "kit/intedit.h"
#include "kit/numedit.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

void press(QWidget *dialog, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(dialog, key, modifiers);
    QCoreApplication::processEvents();
}

} // namespace

class SaleDialog : public SaleScreenTest
{
protected:
    void SetUp() override
    {
        SaleScreenTest::SetUp();
        TDMContact contact;
        contact.KONTAKT = QStringLiteral("Odběratel Novák");
        ASSERT_TRUE(dm->NewContact(contact)) << qPrintable(dm->LastErrorText());
        ASSERT_TRUE(dm->SetDefaultCustomer(dm->ContactIdByName(contact.KONTAKT)));
    }
};

TEST_F(SaleDialog, KindsDecidePrintVoucherAndKeys)
{
    TForm_Prodat dialog;
    dialog.show();
    settle();
    EXPECT_EQ(dialog.ComboBox_Doklad->currentIndex(), 0);
    EXPECT_EQ(dialog.ComboBox_Odberatel->currentText(), QStringLiteral("Odběratel Novák"));
    EXPECT_TRUE(dialog.CheckBox_Tisk->isChecked() && dialog.CheckBox_Tisk->isEnabled());
    EXPECT_TRUE(dialog.CheckBox_Doklad->isEnabled());
    EXPECT_TRUE(dialog.Button_Ok->isEnabled());

    // An invoice is always printed and has no cash voucher; F9 and F11 do nothing.
    dialog.ComboBox_Doklad->setCurrentIndex(1);
    dialog.ComboBox_DokladClick();
    EXPECT_EQ(dialog.CheckBox_Tisk->text(), QStringLiteral("&Tisk faktury/dodacího listu [F11]"));
    EXPECT_TRUE(dialog.CheckBox_Tisk->isChecked());
    EXPECT_FALSE(dialog.CheckBox_Tisk->isEnabled());
    EXPECT_FALSE(dialog.CheckBox_Doklad->isEnabled());
    press(&dialog, Qt::Key_F11);
    press(&dialog, Qt::Key_F9);
    EXPECT_TRUE(dialog.CheckBox_Tisk->isChecked());
    EXPECT_FALSE(dialog.CheckBox_Doklad->isChecked());

    // Back to a cash receipt: print and voucher usable again, print ticked.
    dialog.ComboBox_Doklad->setCurrentIndex(0);
    dialog.ComboBox_DokladClick();
    EXPECT_TRUE(dialog.CheckBox_Tisk->isEnabled() && dialog.CheckBox_Tisk->isChecked());
    EXPECT_TRUE(dialog.CheckBox_Doklad->isEnabled());

    press(&dialog, Qt::Key_F12);
    EXPECT_TRUE(dialog.CheckBox_Tisk_Kopie->isChecked());
    press(&dialog, Qt::Key_F11); // no print: no copy
    EXPECT_FALSE(dialog.CheckBox_Tisk->isChecked());
    EXPECT_FALSE(dialog.CheckBox_Tisk_Kopie->isChecked());
    EXPECT_FALSE(dialog.CheckBox_Tisk_Kopie->isEnabled());
    press(&dialog, Qt::Key_F12);
    EXPECT_FALSE(dialog.CheckBox_Tisk_Kopie->isChecked());
    press(&dialog, Qt::Key_F9);
    EXPECT_TRUE(dialog.CheckBox_Doklad->isChecked());

    // The keypad's "+" sells, also from the note.
    dialog.Edit_Poznamka->setFocus();
    QTest::keyClicks(dialog.Edit_Poznamka, QStringLiteral("1+1"));
    EXPECT_EQ(dialog.Edit_Poznamka->text(), QStringLiteral("1+1"));
    press(dialog.Edit_Poznamka, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(dialog.result(), int(QDialog::Accepted));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(settings.saveCount, 1);
}

TEST_F(SaleDialog, DiscountStartsFromTheDefaultAndATypedOneJoinsTheList)
{
    settings.slevaVychozi = 5;
    settings.slevaZadana = 3; // the settings' entry box plays no part
    TForm_Prodat dialog;
    dialog.show();
    settle();
    EXPECT_EQ(dialog.IntegerComboBox_Sleva->value(), 5);
    EXPECT_EQ(dialog.IntegerComboBox_Sleva->count(), 16);
    EXPECT_TRUE(dialog.IntegerComboBox_Sleva->isEnabled());

    dialog.IntegerComboBox_Sleva->setEditText(QString());
    EXPECT_FALSE(dialog.Button_Ok->isEnabled());
    EXPECT_EQ(dialog.IntegerComboBox_Sleva->property("Hint").toString(), QStringLiteral("Nezadaná sleva..."));
    press(&dialog, Qt::Key_Plus, Qt::KeypadModifier); // nothing to sell with
    EXPECT_TRUE(dialog.isVisible());

    dialog.IntegerComboBox_Sleva->lineEdit()->setFocus();
    QTest::keyClicks(dialog.IntegerComboBox_Sleva->lineEdit(), QStringLiteral("12"));
    EXPECT_TRUE(dialog.Button_Ok->isEnabled());
    QTest::mouseClick(dialog.Button_Ok, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), int(QDialog::Accepted));
    EXPECT_TRUE(settings.slevy.contains(12));
    EXPECT_EQ(settings.slevy.size(), 17);

    // A listed value adds nothing.
    TForm_Prodat again;
    again.show();
    settle();
    EXPECT_EQ(again.IntegerComboBox_Sleva->count(), 17);
    again.IntegerComboBox_Sleva->setValue(12);
    again.Action_ProdatExecute();
    EXPECT_EQ(settings.slevy.size(), 17);
}

TEST_F(SaleDialog, WithoutRight36TheStartingDiscountStands)
{
    withdrawRight(36);
    settings.slevaVychozi = 2;
    TForm_Prodat dialog;
    dialog.show();
    settle();
    EXPECT_FALSE(dialog.IntegerComboBox_Sleva->isEnabled());
    EXPECT_EQ(dialog.IntegerComboBox_Sleva->value(), 2);
}

TEST_F(SaleDialog, AddingAContactOffersItAtOnce)
{
    TForm_Prodat dialog;
    dialog.ContactListAction = [this] {
        TDMContact contact;
        contact.KONTAKT = QStringLiteral("Nový zákazník");
        ASSERT_TRUE(dm->NewContact(contact));
    };
    dialog.show();
    settle();
    dialog.ComboBox_Odberatel->setCurrentIndex(0);
    QTest::mouseClick(dialog.Button_Odberatel, Qt::LeftButton);
    EXPECT_GE(dialog.ComboBox_Odberatel->findText(QStringLiteral("Nový zákazník")), 0);
    EXPECT_EQ(dialog.ComboBox_Odberatel->currentText(), QStringLiteral("Odběratel Novák"));
}

class LineDialog : public SaleScreenTest
{
protected:
    TForm_Sleva_Mnozstvi *dialogFor(int item, const QString &quantity)
    {
        EXPECT_TRUE(dm->AddOrEditBasketRow(item, 4, Currency::fromString(quantity), true));
        auto *dialog = new TForm_Sleva_Mnozstvi;
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->show();
        settle();
        return dialog;
    }
};

TEST_F(LineDialog, QuantityFollowsTheLinesOwnItem)
{
    const int thirds = itemWithMinimum("0001", "0.333", true);
    const int other = itemWithMinimum("0002", "0.3", true);
    TForm_Sleva_Mnozstvi *dialog = dialogFor(thirds, "0.666");
    EXPECT_EQ(dialog->IntegerComboBox_Sleva->value(), 4);
    EXPECT_EQ(dialog->Label_Jednotka->text(), QStringLiteral("ks"));
    EXPECT_TRUE(dialog->Button_Ok->isEnabled());
    dialog->CurrencyEdit_Mnozstvi->setValue(0.999);
    EXPECT_TRUE(dialog->Button_Ok->isEnabled());
    dialog->CurrencyEdit_Mnozstvi->setValue(1.0);
    EXPECT_FALSE(dialog->Button_Ok->isEnabled());
    EXPECT_EQ(dialog->CurrencyEdit_Mnozstvi->property("Hint").toString(),
              QStringLiteral("Zadané množství není násobkem minimálního množství..."));
    dialog->CurrencyEdit_Mnozstvi->setValue(0.3);
    EXPECT_EQ(dialog->CurrencyEdit_Mnozstvi->property("Hint").toString(),
              QStringLiteral("Zadané množství je menší než minimální množství..."));
    dialog->close();

    // The item list showing another item changes nothing.
    dm->MSSQLADOQuery_Polozka->LocateInteger("ID_POLOZKA", thirds);
    dialog = dialogFor(other, "0.9");
    dialog->CurrencyEdit_Mnozstvi->setValue(1.0);
    EXPECT_FALSE(dialog->Button_Ok->isEnabled());
    dialog->CurrencyEdit_Mnozstvi->setValue(1.2);
    EXPECT_TRUE(dialog->Button_Ok->isEnabled());
    dialog->close();
}

TEST_F(LineDialog, MinimumZeroAndRight35)
{
    const int loose = itemWithMinimum("0001", "0", true);
    withdrawRight(35);
    TForm_Sleva_Mnozstvi *dialog = dialogFor(loose, "1");
    EXPECT_FALSE(dialog->IntegerComboBox_Sleva->isEnabled());
    dialog->CurrencyEdit_Mnozstvi->setValue(2.345);
    EXPECT_TRUE(dialog->Button_Ok->isEnabled());
    dialog->close();
}
