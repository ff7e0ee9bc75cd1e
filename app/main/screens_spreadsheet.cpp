// Spreadsheet screens opened by the main window: the grid export from the
// pop-up menu and the item import. See actions_common.cpp for how a screen
// is wired in.
#include "app/main/tarmilform.h"

#include "platform/messages.h"

#include <QAction>

QList<QAction *> TForm_Tarmil::PendingSpreadsheetScreens() const
{
    return {Action_Import, PopupItem_Export};
}

void TForm_Tarmil::ShowExportDialog(TKxDBGrid *)
{
    // the export dialog opens here and exports the grid
}

bool TForm_Tarmil::ShowImportDialog(bool &)
{
    return false; // the import dialog (TForm_Import) opens here
}

void TForm_Tarmil::ImportFromExcel(bool)
{
    // the chosen sheet's items are imported here
}

void TForm_Tarmil::Action_ImportExecute()
{
    bool removeExisting = false;
    if (!ShowImportDialog(removeExisting))
        return;
    if (DM->HasRight(30))
        ImportFromExcel(removeExisting);
    else
        ShowInformation(QStringLiteral("Funkce importovat položky není dostupná..."),
                        QStringLiteral("Uživatel nemá oprávnění..."), false);
    DM->MSSQLADOQuery_Polozka->RequeryLocate(QStringLiteral("ID_POLOZKA"));
}
