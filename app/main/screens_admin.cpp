// Screens of administration opened by the main window: the store choice,
// the SQL console, users and rights, the report list. See
// actions_common.cpp for how a screen is wired in.
#include "app/admin/form_sestavy.h"
#include "app/admin/form_uzivatele.h"
#include "app/main/tarmilform.h"
#include "data/dm.h"
#include "platform/db/servererror.h"
#include "platform/messages.h"

#include <QAction>

QList<QAction *> TForm_Tarmil::PendingAdminScreens() const
{
    return {Action_VybratSklad, Action_SQL};
}

bool TForm_Tarmil::ShowStoreDialog(QString &)
{
    return false; // the store choice (TForm_SkladVybrat) opens here
}

void TForm_Tarmil::Action_SQLExecute()
{
    if (!CheckRight(5, QStringLiteral("Funkce SQL scripty není dostupná...")))
        return;
    // the SQL console (TForm_SQL) opens here, then DM->RefreshAll()
}

void TForm_Tarmil::Action_UzivateleExecute()
{
    TMSSQLADOQuery *query = DM->MSSQLADOQuery_Uzivatel;
    try {
        query->RefreshQuery();
    } catch (const Db::DatabaseError &error) {
        ShowWarning(QStringLiteral("Seznam nelze otevřít..."), QStringLiteral("Uživatelé"), error.text());
        return;
    }
    {
        TForm_Uzivatele form(this);
        form.exec();
    }
    DM->MSSQLADOQuery_Opravneni->Close();
    query->Close();
}

void TForm_Tarmil::Action_SestavyExecute()
{
    TMSSQLADOQuery *query = DM->MSSQLADOQuery_Sestava;
    try {
        query->RefreshQuery();
    } catch (const Db::DatabaseError &error) {
        ShowWarning(QStringLiteral("Seznam nelze otevřít..."), QStringLiteral("Sestavy"), error.text());
        return;
    }
    TForm_Sestavy form(this);
    form.DataSourceDataChange();
    form.exec();
    query->Close();
}
