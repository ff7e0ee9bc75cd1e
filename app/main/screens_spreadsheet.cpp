// Spreadsheet screens opened by the main window: the grid export from the
// pop-up menu and the item import. See actions_common.cpp for how a screen
// is wired in.
#include "app/main/tarmilform.h"

#include "app/spreadsheet/form_export.h"
#include "app/spreadsheet/form_import.h"
#include "app/spreadsheet/itemimport.h"
#include "app/spreadsheet/spreadsheetsource.h"

#include <QAction>
#include <QRadioButton>

QList<QAction *> TForm_Tarmil::PendingSpreadsheetScreens() const
{
    return {};
}

void TForm_Tarmil::ShowExportDialog(TKxDBGrid *grid)
{
    if (grid)
        ExportGridToSpreadsheet(this, grid);
}

bool TForm_Tarmil::ShowImportDialog(bool &removeExisting)
{
    TForm_Import form(*DM, this);
    if (form.exec() != QDialog::Accepted)
        return false;
    removeExisting = form.RadioButton_Odebrat->isChecked();
    m_importFile = form.FileName;
    return true;
}

void TForm_Tarmil::ImportFromExcel(bool removeExisting)
{
    WorkbookFileSource source(m_importFile);
    ItemImport(*DM, source).Run(removeExisting);
}

void TForm_Tarmil::Action_ImportExecute()
{
    bool removeExisting = false;
    if (!ShowImportDialog(removeExisting))
        return;
    if (CheckRight(30, QStringLiteral("Funkce importovat položky není dostupná...")))
        ImportFromExcel(removeExisting);
    DM->RefreshImportedItems();
}
