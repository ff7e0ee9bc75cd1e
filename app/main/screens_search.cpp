// Screens of searching opened by the main window: the item and document
// search dialogs and the saved filters. See actions_common.cpp for how a
// screen is wired in.
#include "app/main/tarmilform.h"

#include "app/main/notebook.h"

#include <QAction>

QList<QAction *> TForm_Tarmil::PendingSearchScreens() const
{
    return {Action_Hledat, Action_Filtr};
}

// With a typed character the dialog's search box starts with it alone: the
// character is posted to the box before the dialog is shown modally.
void TForm_Tarmil::ShowSearchDialog(bool, std::optional<QChar>)
{
    // the item search (pages 0 and 1) or document search (page 2) dialog opens here
}

void TForm_Tarmil::Action_HledatExecute()
{
    ShowSearchDialog(Notebook->PageIndex() == 2, std::nullopt);
}

void TForm_Tarmil::Action_FiltrExecute()
{
    if (!CheckRight(1, QStringLiteral("Funkce použít filtr není dostupná...")))
        return;
    // the filter choice opens here (item list on pages 0 and 1, document list on page 2)
}
