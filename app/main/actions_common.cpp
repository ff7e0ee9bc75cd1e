// The main window's actions: what they share.
//
// HOW A SCREEN IS WIRED IN
// Every action has its own handler, TForm_Tarmil::Action_<Name>Execute. The
// checks and flows that need no screen of their own (rights, empty lists,
// search edits, the data module's writes and their messages) are written in
// actions_items.cpp, actions_basket.cpp and actions_documents.cpp. Whatever
// opens a screen sits in the screens file of its area:
//   screens_sale.cpp       sale dialog, discount and quantity, numbering, cash book
//   screens_catalogue.cpp  item card, category tree and picker, unit, store, contact and VAT lists
//   screens_search.cpp     item and document search, saved filters
//   screens_admin.cpp      store choice, SQL console, users, report list
//   screens_settings.cpp   settings, backup, maintenance, about; the settings' values the window reads
//   screens_spreadsheet.cpp  grid export and item import
//   screens_printing.cpp   the preview screen the data module prints through
// To wire a screen in: (1) replace the one-line body of its handler or of
// its Show...Dialog function in that file with the code that creates the
// screen, shows it modally and frees it; (2) take its action out of the
// Pending...Screens() list at the top of the same file. Actions still in a
// pending list are shown disabled. Tests derive from TForm_Tarmil and
// replace the Show...Dialog functions with scripted answers.
#include "app/main/tarmilform.h"

#include "app/common/rightdenial.h"
#include "kit/searchedit.h"
#include "platform/messages.h"

#include <QAction>
#include <QCoreApplication>

namespace {
const QString kCheckFilter = QStringLiteral("Zkontrolujte zda není aktivní filtr...");
} // namespace

QList<QAction *> TForm_Tarmil::PendingScreens() const
{
    return PendingSaleScreens() + PendingCatalogueScreens() + PendingSearchScreens() + PendingAdminScreens() +
           PendingSettingsScreens() + PendingSpreadsheetScreens() + PendingPrintingScreens();
}

bool TForm_Tarmil::listsOpen() const
{
    return DM && DM->MSSQLADOConnection->Connected() && DM->MSSQLADOQuery_Polozka->Active();
}

bool TForm_Tarmil::CheckRight(int right, const QString &heading)
{
    return CheckUserRight(right, heading);
}

bool TForm_Tarmil::CheckNotEmpty(TMSSQLADOQuery *list, const QString &heading)
{
    if (list && list->Active() && !list->IsEmpty())
        return true;
    ShowInformation(heading, kCheckFilter, true);
    return false;
}

bool TForm_Tarmil::CheckItemSearch()
{
    TMSSQLADOQuery *items = DM->MSSQLADOQuery_Polozka;
    QWidget *active = focusWidget();
    if (active == SearchEdit_Oznaceni && SearchEdit_Oznaceni->text() != TextOf(items, QStringLiteral("OZNACENI"))) {
        ShowInformation(QStringLiteral("Hledané označení položky nenalezeno..."),
                        QStringLiteral("Hledané označení: [%1]").arg(SearchEdit_Oznaceni->text()), true);
        SearchEdit_Oznaceni->selectAll();
        return false;
    }
    if (active == SearchEdit_Kod && SearchEdit_Kod->text() != TextOf(items, QStringLiteral("KOD"))) {
        ShowInformation(QStringLiteral("Hledaný kód položky nenalezen..."),
                        QStringLiteral("Hledaný kód: [%1]").arg(SearchEdit_Kod->text()), true);
        SearchEdit_Kod->selectAll();
        return false;
    }
    return true;
}

bool TForm_Tarmil::CheckDocumentSearch()
{
    TMSSQLADOQuery *documents = DM->MSSQLADOQuery_Doklad;
    if (focusWidget() != SearchEdit_Doklad)
        return true;
    const QString text = SearchEdit_Doklad->text();
    if (text == TextOf(documents, QStringLiteral("DOKLAD_NETISTENY")) ||
        text == TextOf(documents, QStringLiteral("DOKLAD_VYTISTENY")))
        return true;
    ShowInformation(QStringLiteral("Hledaný doklad nenalezen..."), QStringLiteral("Hledaný doklad: [%1]").arg(text),
                    true);
    return false;
}

int TForm_Tarmil::IntegerOf(TMSSQLADOQuery *list, const QString &column)
{
    if (!list->Active() || list->IsEmpty())
        return 0;
    Db::Field *field = list->FindField(column);
    return field ? int(field->AsInteger()) : 0;
}

QString TForm_Tarmil::TextOf(TMSSQLADOQuery *list, const QString &column)
{
    if (!list->Active() || list->IsEmpty())
        return QString();
    Db::Field *field = list->FindField(column);
    return field ? field->AsString() : QString();
}

double TForm_Tarmil::NumberOf(TMSSQLADOQuery *list, const QString &column)
{
    if (!list->Active() || list->IsEmpty())
        return 0.0;
    Db::Field *field = list->FindField(column);
    return field ? field->AsFloat() : 0.0;
}

void TForm_Tarmil::Action_ObnovitExecute()
{
    DM->RefreshAll();
    DM->UpdateCashLabel();
    QCoreApplication::processEvents();
}
