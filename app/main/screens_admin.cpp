// Screens of administration opened by the main window: the store choice,
// the SQL console, users and rights, the report list. See
// actions_common.cpp for how a screen is wired in.
#include "app/admin/form_sestavy.h"
#include "app/admin/form_skladvybrat.h"
#include "app/admin/form_sql.h"
#include "app/admin/form_uzivatele.h"
#include "app/main/tarmilform.h"
#include "data/dm.h"
#include "platform/db/servererror.h"
#include "platform/messages.h"

#include <QAction>

QList<QAction *> TForm_Tarmil::PendingAdminScreens() const
{
    return {};
}

bool TForm_Tarmil::ShowStoreDialog(QString &storeName)
{
    TForm_SkladVybrat form(*DM, this);
    if (form.exec() != QDialog::Accepted)
        return false;
    storeName = form.StoreName();
    return true;
}

void TForm_Tarmil::Action_SQLExecute()
{
    if (!CheckRight(5, QStringLiteral("Funkce SQL scripty není dostupná...")))
        return;
    {
        TForm_SQL console(*DM, this);
        console.exec();
    }
    DM->RefreshAll();
}

void TForm_Tarmil::Action_UzivateleExecute()
{
    try {
        TForm_Uzivatele form(this);
        form.OpenLists();
        form.exec();
    } catch (const Db::DatabaseError &error) {
        ShowUsersUnavailable(error.text());
    }
    DM->MSSQLADOQuery_Opravneni->Close();
    DM->MSSQLADOQuery_Uzivatel->Close();
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
    form.SetDataSources(DataSource_Doklad, DataSource_DokladDetail, DataSource_Polozka);
    form.DataSourceDataChange();
    form.exec();
    query->Close();
}
