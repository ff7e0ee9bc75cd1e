// Screens of searching opened by the main window: the item and document
// search dialogs and the saved filters. See actions_common.cpp for how a
// screen is wired in.
#include "app/main/tarmilform.h"

#include "app/main/notebook.h"
#include "app/search/form_filtry.h"
#include "app/search/form_hledat.h"

#include <QAction>

QList<QAction *> TForm_Tarmil::PendingSearchScreens() const
{
    return {};
}

// With a typed character the dialog's search box starts with it alone: the
// character is posted to the box before the dialog is shown modally.
void TForm_Tarmil::ShowSearchDialog(bool documents, std::optional<QChar> typed)
{
    TForm_Hledat *dialog = nullptr;
    if (documents) {
        if (!m_documentSearch)
            m_documentSearch = new TForm_HledatDoklad(*DM, this);
        dialog = m_documentSearch;
    } else {
        if (!m_itemSearch)
            m_itemSearch = new TForm_HledatPolozku(*DM, this);
        dialog = m_itemSearch;
    }
    if (typed)
        dialog->SetSearchText(QString(*typed));
    dialog->exec();
}

void TForm_Tarmil::Action_HledatExecute()
{
    ShowSearchDialog(Notebook->PageIndex() == 2, std::nullopt);
}

void TForm_Tarmil::Action_FiltrExecute()
{
    if (!CheckRight(1, QStringLiteral("Funkce použít filtr není dostupná...")))
        return;
    TMSSQLADOQuery *target = Notebook->PageIndex() == 2 ? DM->MSSQLADOQuery_Doklad : DM->MSSQLADOQuery_Polozka;
    ChooseListFilter(this, *DM, target);
}
