// Screens of the sale side opened by the main window: the sale dialog, the
// line's discount and quantity, document numbering and the cash book.
// See actions_common.cpp for how a screen is wired in.
#include "app/main/tarmilform.h"

#include "platform/messages.h"

#include <QAction>

QList<QAction *> TForm_Tarmil::PendingSaleScreens() const
{
    return {Action_ProdejProdat, Action_ProdejEditovat, Action_OznaceniDokladu, Action_Pokladna_Historie,
            Action_Pokladna_Vklad_Vyber};
}

bool TForm_Tarmil::ShowSaleDialog(TSaleChoice &)
{
    return false; // the sale dialog (TForm_Prodat) opens here
}

bool TForm_Tarmil::ShowDiscountQuantityDialog(int &, double &)
{
    return false; // the line dialog (TForm_Sleva_Mnozstvi) opens here
}

bool TForm_Tarmil::ShowCashDialog(Currency &)
{
    return false; // the deposit and withdrawal dialog (TForm_PokladnaVkladVyber) opens here
}

void TForm_Tarmil::Action_OznaceniDokladuExecute()
{
    // the numbering list (TForm_OznaceniDokladu) over MSSQLADOQuery_OznaceniDoklad opens here
}

void TForm_Tarmil::Action_Pokladna_HistorieExecute()
{
    if (!CheckRight(6, QStringLiteral("Funkce historie pokladny není dostupná...")))
        return;
    // the cash history (TForm_PokladnaHistorie) over MSSQLADOQuery_Pokladna opens here
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
