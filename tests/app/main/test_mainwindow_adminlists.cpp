// The main window's screens over lists of their own: the users screen with
// its two lists, and the filter chooser with the filter list. Each list is
// open only while its screen is, and a refusal of the server is said the way
// the other actions say theirs.
#include "app/main/mainwindow_fixture.h"
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
