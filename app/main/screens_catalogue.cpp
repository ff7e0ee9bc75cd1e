// Screens of the catalogue opened by the main window: the item card, the
// category picker and tree, and the lists of VAT rates, units, stores and
// contacts. See actions_common.cpp for how a screen is wired in.
#include "app/main/tarmilform.h"

#include <QAction>

QList<QAction *> TForm_Tarmil::PendingCatalogueScreens() const
{
    return {Action_PolozkaNova, Action_PolozkaEditace, Action_VybratKategorii, Action_Kategorie,
            Action_Dph,         Action_Jednotky,       Action_Sklady,          Action_Kontakty};
}

bool TForm_Tarmil::ShowNewItemDialog(TDMItem &)
{
    return false; // the new-item card (TForm_PolozkaNova) opens here
}

bool TForm_Tarmil::ShowEditItemDialog(int, TDMItem &)
{
    return false; // the item card (TForm_PolozkaEditace) opens here
}

bool TForm_Tarmil::ShowCategoryDialog(int &)
{
    return false; // the category picker opens here, on its root with the given category selected
}

void TForm_Tarmil::Action_DphExecute()
{
    // the VAT list over MSSQLADOQuery_Dph opens here, then DM->RefreshAll()
}

void TForm_Tarmil::Action_JednotkyExecute()
{
    // the unit list over MSSQLADOQuery_Jednotka opens here, then DM->RefreshAll()
}

void TForm_Tarmil::Action_SkladyExecute()
{
    // the store list over MSSQLADOQuery_Sklad opens here
}

void TForm_Tarmil::Action_KategorieExecute()
{
    // the category tree editor opens here on its root, then DM->RefreshAll()
}

void TForm_Tarmil::Action_KontaktyExecute()
{
    // the contact list over MSSQLADOQuery_Kontakt opens here, then DM->RefreshAll()
}
