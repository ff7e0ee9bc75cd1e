// Screens of searching opened by the main window: the item and document
// search dialogs and the saved filters. See actions_common.cpp for how a
// screen is wired in.
#include "app/main/tarmilform.h"

#include "app/common/blockedkeys.h"
#include "app/main/notebook.h"
#include "app/search/form_filtry.h"
#include "app/search/form_hledat.h"
#include "app/start/startup.h"

#include <QAction>
#include <QGuiApplication>
#include <QHash>

QList<QAction *> TForm_Tarmil::PendingSearchScreens() const
{
    return {};
}

// With a typed character the dialog's search box starts with it alone: the
// character is posted to the box before the dialog is shown modally.
namespace {

// The search twins list a list's columns and its detail's columns, the
// latter named "DETAIL_" + the column: both are shown with the grids' titles.
// The few columns no grid shows get titles of their own.
QHash<QString, QString> captionsOf(TKxDBGrid *list, TKxDBGrid *detail, const QString &detailSuffix)
{
    QHash<QString, QString> captions{
        {QStringLiteral("SKLAD"), QStringLiteral("Sklad")},
        {QStringLiteral("IC"), QStringLiteral("IČ")},
        {QStringLiteral("DIC"), QStringLiteral("DIČ")},
        {QStringLiteral("ADRESA"), QStringLiteral("Adresa")},
        {QStringLiteral("SLEVA_CELKEM"), QStringLiteral("Sleva [%]")},
        {QStringLiteral("DETAIL_UZIVATEL"), QStringLiteral("Uživatel") + detailSuffix},
    };
    for (int i = 0; i < detail->Columns().Count(); ++i) {
        const TColumn *column = detail->Columns()[i];
        captions.insert(QStringLiteral("DETAIL_") + column->FieldName, column->Caption() + detailSuffix);
    }
    for (int i = 0; i < list->Columns().Count(); ++i)
        captions.insert(list->Columns()[i]->FieldName, list->Columns()[i]->Caption());
    return captions;
}

} // namespace

void TForm_Tarmil::ShowSearchDialog(bool documents, std::optional<QChar> typed)
{
    // The start-up's long-lived dialogs when there are any, else the window's own.
    TForm_Hledat *dialog = nullptr;
    if (documents) {
        if (!m_documentSearch)
            m_documentSearch = Form_HledatDoklad ? Form_HledatDoklad : new TForm_HledatDoklad(*DM, this);
        m_documentSearch->SetColumnCaptions(
            captionsOf(KxDBGrid_Doklad, KxDBGrid_ProdejHistorie, QStringLiteral(" (řádek dokladu)")));
        dialog = m_documentSearch;
    } else {
        if (!m_itemSearch)
            m_itemSearch = Form_HledatPolozku ? Form_HledatPolozku : new TForm_HledatPolozku(*DM, this);
        m_itemSearch->SetColumnCaptions(
            captionsOf(KxDBGrid_Polozka, KxDBGrid_PolozkaHistorie, QStringLiteral(" (historie)")));
        dialog = m_itemSearch;
    }
    if (typed) {
        dialog->SetSearchText(QString(*typed));
        // Keys typed on quickly that have reached the program follow the
        // first now, while the list still takes them.
        m_typingInto = dialog;
        QGuiApplication::sync();
        m_typingInto = nullptr;
    }
    // Those still on their way go to the list until the dialog has the
    // keyboard; the dialog takes them over.
    BlockedKeys typedOn(dialog, this);
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
