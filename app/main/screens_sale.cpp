// Screens of the sale side opened by the main window: the sale dialog, the
// line's discount and quantity, document numbering and the cash book.
// See actions_common.cpp for how a screen is wired in.
#include "app/main/tarmilform.h"

#include "app/common/modalresult.h"
#include "app/sale/oznacenidokladu.h"
#include "app/sale/pokladna.h"
#include "app/sale/prodat.h"
#include "app/sale/slevamnozstvi.h"
#include "kit/dbgrid.h"
#include "kit/intedit.h"
#include "kit/numedit.h"
#include "platform/messages.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

QList<QAction *> TForm_Tarmil::PendingSaleScreens() const
{
    return {};
}

bool TForm_Tarmil::ShowSaleDialog(TSaleChoice &choice)
{
    TForm_Prodat dialog(this);
    // "Při&dat..." runs the contact list, when that is open to the user.
    dialog.ContactListAction = [this] { Action_Kontakty->trigger(); };
    dialog.Button_Odberatel->setEnabled(Action_Kontakty->isEnabled());
    if (dialog.exec() != mrOk)
        return false;
    choice.kind = dialog.ComboBox_Doklad->currentIndex();
    choice.customer = dialog.ComboBox_Odberatel->currentText();
    choice.discount = dialog.IntegerComboBox_Sleva->value();
    choice.print = dialog.CheckBox_Tisk->isChecked();
    choice.copy = dialog.CheckBox_Tisk_Kopie->isChecked();
    choice.cashVoucher = dialog.CheckBox_Doklad->isChecked();
    choice.note = dialog.Edit_Poznamka->text();
    return true;
}

bool TForm_Tarmil::ShowDiscountQuantityDialog(int &discount, double &quantity)
{
    TForm_Sleva_Mnozstvi dialog(this);
    if (dialog.exec() != mrOk)
        return false;
    discount = dialog.IntegerComboBox_Sleva->value();
    quantity = dialog.CurrencyEdit_Mnozstvi->value();
    return true;
}

bool TForm_Tarmil::ShowCashDialog(Currency &amount)
{
    TForm_PokladnaVkladVyber dialog(this);
    if (dialog.exec() != mrOk)
        return false;
    amount = Currency::fromDouble(dialog.CurrencyEdit_VkladVyber->value());
    return true;
}

void TForm_Tarmil::Action_OznaceniDokladuExecute()
{
    TMSSQLADOQuery *list = DM->MSSQLADOQuery_OznaceniDoklad;
    list->RefreshQuery();
    {
        TForm_OznaceniDokladu dialog(this);
        dialog.exec();
    }
    list->Close();
}

void TForm_Tarmil::Action_Pokladna_HistorieExecute()
{
    if (!CheckRight(6, QStringLiteral("Funkce historie pokladny není dostupná...")))
        return;
    TMSSQLADOQuery *list = DM->MSSQLADOQuery_Pokladna;
    list->RefreshQuery();
    {
        TForm_PokladnaHistorie dialog(this);
        // The lists' shared pop-up menu serves the history's grid too.
        TKxDBGrid *grid = dialog.KxDBGrid;
        connect(grid, &QWidget::customContextMenuRequested, &dialog, [this, grid](const QPoint &point) {
            m_popupGrid = grid;
            PopupMenuPopup();
            PopupMenu->exec(grid->mapToGlobal(point));
        });
        dialog.exec();
    }
    list->Close();
}

void TForm_Tarmil::Action_Pokladna_Vklad_VyberExecute()
{
    if (!CheckRight(7, QStringLiteral("Funkce vklady a výběry pokladny není dostupná...")))
        return;
    Currency amount;
    if (!ShowCashDialog(amount))
        return;
    if (!DM->CashDepositWithdrawal(amount))
        ReportWriteFailure(QStringLiteral("Pokladní vklad/vyběr neproběhl..."));
}
