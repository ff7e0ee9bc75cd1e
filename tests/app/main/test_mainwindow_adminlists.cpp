// The main window's screens over lists of their own: the users screen with
// its two lists, and the filter chooser with the filter list. Each list is
// open only while its screen is, and a refusal of the server is said the way
// the other actions say theirs.
#include "app/main/mainwindow_fixture.h"
#include "app/main/notebook.h"
#include "app/modal_helper.h"
#include "app/search/form_filtry.h"

#include <QPushButton>

namespace {

class AdminLists : public MainWindowTest
{
protected:
    // A sort order the server refuses makes the list fail to open.
    static void breakOrder(TMSSQLADOQuery *query)
    {
        query->FormatParameters()
            .FindParameter(QStringLiteral("%ORDER_BY"))
            ->SetFormatParameterValue(QStringLiteral("NENI_SLOUPEC"));
    }
    void expectUsersUnavailable()
    {
        const auto warnings = messages.callsOf(MessageCall::Warning);
        ASSERT_EQ(warnings.size(), 1);
        EXPECT_EQ(warnings[0].heading, QStringLiteral("Funkce správa uživatelů není dostupná..."));
        EXPECT_EQ(warnings[0].detail, QStringLiteral("Uživatel nemá oprávnění..."));
        EXPECT_TRUE(warnings[0].description.contains(QStringLiteral("neni_sloupec")))
            << qPrintable(warnings[0].description);
        EXPECT_FALSE(dm->MSSQLADOQuery_Uzivatel->Active());
        EXPECT_FALSE(dm->MSSQLADOQuery_Opravneni->Active());
    }
};

} // namespace

TEST_F(AdminLists, TheUsersScreenOpensBothListsAndClosesThem)
{
    bool shownWithRights = false;
    WhenModal([&](QDialog *dialog) {
        shownWithRights = dm->MSSQLADOQuery_Uzivatel->Active() && dm->MSSQLADOQuery_Opravneni->Active() &&
                          !dm->MSSQLADOQuery_Opravneni->IsEmpty();
        dialog->reject();
    });
    window->Action_UzivateleExecute();
    EXPECT_TRUE(shownWithRights);
    EXPECT_TRUE(headings().isEmpty()) << qPrintable(headings().join(u'|'));
    EXPECT_FALSE(dm->MSSQLADOQuery_Uzivatel->Active());
    EXPECT_FALSE(dm->MSSQLADOQuery_Opravneni->Active());
}

TEST_F(AdminLists, ARefusedRightsListIsSaidOnceAndNothingStaysOpen)
{
    breakOrder(dm->MSSQLADOQuery_Opravneni);
    WhenModal([](QDialog *dialog) { dialog->reject(); }, 20);
    window->Action_UzivateleExecute();
    expectUsersUnavailable();
}

TEST_F(AdminLists, ARefusedUsersListIsSaidTheSameWay)
{
    breakOrder(dm->MSSQLADOQuery_Uzivatel);
    WhenModal([](QDialog *dialog) { dialog->reject(); }, 20);
    window->Action_UzivateleExecute();
    expectUsersUnavailable();
}

TEST_F(AdminLists, TheFilterChooserClosesItsListWhateverTheAnswer)
{
    int id = 0;
    ASSERT_TRUE(dm->NewFilter(QStringLiteral("Drahé"), QStringLiteral("tab_polozka.PRODEJ > 100"), id));
    dm->MSSQLADOQuery_Filtr->Close();
    window->Notebook->SetPageIndex(0);
    WhenModal([](QDialog *dialog) { dialog->reject(); });
    window->Action_FiltrExecute();
    EXPECT_FALSE(dm->MSSQLADOQuery_Filtr->Active());

    WhenModal([this, id](QDialog *dialog) {
        EXPECT_TRUE(dm->MSSQLADOQuery_Filtr->LocateInteger(QStringLiteral("ID_FILTR"), id));
        dialog->accept();
    });
    window->Action_FiltrExecute();
    EXPECT_FALSE(dm->MSSQLADOQuery_Filtr->Active());
    const TFormatParameter *filter =
        dm->MSSQLADOQuery_Polozka->FormatParameters().FindParameter(QStringLiteral("%WHERE_FILTER"));
    EXPECT_EQ(filter->Value(), QStringLiteral("tab_polozka.PRODEJ > 100"));
    EXPECT_TRUE(dm->MSSQLADOQuery_Polozka->Active());
    EXPECT_EQ(messages.count(MessageCall::Warning), 0)
        << qPrintable(messages.callsOf(MessageCall::Warning).value(0).description);
}

// A missing right in the chooser is said as every action's is: information
// that stays until closed.
TEST_F(AdminLists, TheFilterChoosersDenialsAreInformation)
{
    int id = 0;
    ASSERT_TRUE(dm->NewFilter(QStringLiteral("Drahé"), QStringLiteral("tab_polozka.PRODEJ > 100"), id));
    TForm_Filtry chooser(*dm, dm->MSSQLADOQuery_Polozka);
    ASSERT_TRUE(dm->MSSQLADOQuery_Filtr->LocateInteger(QStringLiteral("ID_FILTR"), id));
    chooser.DataSourceDataChange();
    const struct
    {
        int right;
        QPushButton *button;
        const char *heading;
    } denials[] = {
        {2, chooser.Button_Pridat, "Funkce přidat filtr není dostupná..."},
        {3, chooser.Button_Editovat, "Funkce editovat filtr není dostupná..."},
        {4, chooser.Button_Odebrat, "Funkce odebrat filtr není dostupná..."},
    };
    for (const auto &denial : denials) {
        withoutRight(denial.right);
        messages.calls.clear();
        ASSERT_TRUE(denial.button->isEnabled()) << denial.heading;
        denial.button->click();
        ASSERT_EQ(messages.calls.size(), 1) << denial.heading;
        EXPECT_EQ(messages.calls[0].kind, MessageCall::Information);
        EXPECT_EQ(messages.calls[0].heading, QString::fromUtf8(denial.heading));
        EXPECT_EQ(messages.calls[0].detail, QStringLiteral("Uživatel nemá oprávnění..."));
        EXPECT_FALSE(messages.calls[0].flag);
        sql("UPDATE tab_uzivatel_opravneni SET STATE_OPRAVNENI=true");
    }
}
