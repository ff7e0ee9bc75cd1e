// The users screen over a real database: the password rules, adding a user,
// the refusal to remove oneself, removal, the rights following the list and
// the connected sessions.
#include "app/admin/form_uzivatele.h"
#include "app/admin/sessionnote.h"
#include "app/catalogue/screenshots.h"
#include "app/common/formcontrols.h"
#include "app/modal_helper.h"
#include "data/dm_fixture.h"
#include "kit/dbgridcolumns.h"
#include "kit/dbgridex.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

class UsersScreen : public DataModuleTest
{
protected:
    void SetUp() override
    {
        DataModuleTest::SetUp();
        LoginUzivatel = qEnvironmentVariable("PGUSER");
        dm->MSSQLADOQuery_Uzivatel->RefreshQuery();
        window = std::make_unique<TForm_Uzivatele>();
        window->Position();
    }
    void TearDown() override
    {
        window.reset();
        DataModuleTest::TearDown();
    }
    QString login() const { return dm->MSSQLADOQuery_Uzivatel->FieldByName("LOGIN").AsString(); }
    std::unique_ptr<TForm_Uzivatele> window;
};

TEST(SessionNote, NamesTheOwnerAndTheSuperusersWhoSeeEverySession)
{
    EXPECT_EQ(AllSessionsNote({"sklad", true, {"postgres", "sklad"}}),
              "Všechny uživatele vidí pouze vlastník databáze \"sklad\" a správce serveru \"postgres\"...");
    EXPECT_EQ(AllSessionsNote({"sklad", false, {"admin", "postgres"}}),
              "Všechny uživatele vidí pouze správci serveru \"admin\", \"postgres\"...");
    EXPECT_EQ(AllSessionsNote({"admin", true, {"admin"}}),
              "Všechny uživatele vidí pouze vlastník databáze \"admin\"...");
}

TEST(UserPasswords, BlanksAreEmptyAndEveryCharacterCounts)
{
    EXPECT_EQ(PasswordReason("", ""), "Nezadané heslo...");
    EXPECT_EQ(PasswordReason("   ", "   "), "Nezadané heslo...");
    EXPECT_EQ(PasswordReason("heslo ", "heslo"), "Hesla nejsou identická...");
    EXPECT_EQ(PasswordReason("Heslo", "heslo"), "Hesla nejsou identická...");
    EXPECT_EQ(PasswordReason(" heslo ", " heslo "), "");
}

TEST_F(UsersScreen, AddingAUserChecksTheDialogAndTheRightsFollowTheList)
{
    EXPECT_EQ(login(), LoginUzivatel); // placed on the logged-in user
    EXPECT_TRUE(window->Button_Pridat->isEnabled());
    EXPECT_TRUE(window->Button_Editovat->isEnabled());
    EXPECT_TRUE(window->Button_Odebrat->isEnabled());
    ASSERT_TRUE(dm->MSSQLADOQuery_Opravneni->Active());
    EXPECT_EQ(dm->MSSQLADOQuery_Opravneni->RecordCount(), 71);
    Shoot(window.get(), "uzivatele");

    const QString anna = roleName("anna");
    WhenModal([&](QDialog *d) {
        auto *dialog = dynamic_cast<TForm_UzivatelNovy *>(d);
        ASSERT_TRUE(dialog);
        EXPECT_FALSE(dialog->Button_Ok->isEnabled());
        EXPECT_EQ(Hint(dialog->Edit_Uzivatel), "Nezadaný uživatel...");
        dialog->Edit_Uzivatel->setText(LoginUzivatel); // taken, told before the server is asked
        EXPECT_EQ(Hint(dialog->Edit_Uzivatel), "Existující uživatel...");
        dialog->Edit_Uzivatel->setText(anna);
        dialog->Edit_Heslo->setText("tajné heslo");
        EXPECT_EQ(Hint(dialog->Edit_Heslo), "Hesla nejsou identická...");
        EXPECT_EQ(Hint(dialog->Edit_Heslo_Potvrzeni), "Nezadané heslo...");
        dialog->Edit_Heslo_Potvrzeni->setText("tajné heslo");
        EXPECT_FALSE(ShowHint(dialog->Edit_Heslo));
        EXPECT_TRUE(dialog->Button_Ok->isEnabled());
        Shoot(dialog, "uzivatel_novy");
        dialog->Button_Ok->click();
    });
    window->Button_PridatClick();
    ASSERT_TRUE(dm->UserExists(anna)) << qPrintable(dm->LastErrorText());
    EXPECT_EQ(messages.count(MessageCall::Warning), 0);
    EXPECT_EQ(login(), anna); // the list stands on the new user, the rights are hers
    const qint64 id = currentKey(dm->MSSQLADOQuery_Uzivatel, "ID_UZIVATEL");
    EXPECT_EQ(dm->MSSQLADOQuery_Opravneni->FieldByName("ID_UZIVATEL").AsInteger(), id);

    // Her forgotten password: the owner sets it without the old one.
    WhenModal([&](QDialog *d) {
        auto *dialog = dynamic_cast<TForm_UzivatelEditace *>(d);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->Edit_Uzivatel->text(), anna);
        EXPECT_FALSE(dialog->Edit_Uzivatel->isEnabled());
        EXPECT_FALSE(dialog->Edit_Heslo_Puvodni->isEnabled());
        Shoot(dialog, "uzivatel_editace");
        dialog->Edit_Heslo->setText("nové");
        dialog->Edit_Heslo_Potvrzeni->setText("nové");
        dialog->Button_Ok->click();
    });
    window->Button_EditovatClick();
    EXPECT_EQ(messages.count(MessageCall::Warning), 0);
    Db::Connection asAnna;
    EXPECT_TRUE(asAnna.open(server, TDM::DatabaseName(), anna, "nové"));

    // Removing her asks first; "Ne" keeps her.
    messages.answer(false);
    window->Button_OdebratClick();
    EXPECT_TRUE(dm->UserExists(anna));
    messages.answer(true);
    window->Button_OdebratClick();
    EXPECT_FALSE(dm->UserExists(anna)) << qPrintable(dm->LastErrorText());
    EXPECT_EQ(messages.callsOf(MessageCall::Question).last().heading, "Opravdu chcete odebrat tohoto uživatele ?");
}

TEST_F(UsersScreen, OneselfIsNotRemovedAndSessionsAreShown)
{
    ASSERT_EQ(login(), LoginUzivatel);
    window->Button_OdebratClick();
    ASSERT_EQ(messages.count(MessageCall::Information), 1);
    EXPECT_EQ(messages.calls.last().heading, "Uživatele nelze odebrat...");
    EXPECT_EQ(messages.calls.last().detail,
              QStringLiteral("Uživatel \"%1\" je právě příhlášený...").arg(LoginUzivatel));
    EXPECT_EQ(messages.count(MessageCall::Question), 0);
    EXPECT_TRUE(dm->UserExists(LoginUzivatel));

    const QString serverUser = scalar(QStringLiteral("SELECT current_user"));
    WhenModal([&serverUser](QDialog *d) {
        auto *window = dynamic_cast<TForm_PrihlaseniUzivatele *>(d);
        ASSERT_TRUE(window);
        EXPECT_GE(DM->MSSQLADOQuery_PrihlaseniUzivatele->RecordCount(), 1);
        const TColumn *user = window->KxDBGrid->Columns()[0];
        EXPECT_EQ(user->Caption(), QStringLiteral("Uživatel"));
        ASSERT_TRUE(user->Field());
        EXPECT_EQ(user->Field()->AsString().toStdString(), serverUser.toStdString()) << "the login, not the session";
        // The test's server: its one superuser owns the database.
        EXPECT_EQ(window->Label_Pozn->text(),
                  QStringLiteral("Všechny uživatele vidí pouze vlastník databáze \"%1\"...").arg(serverUser));
        Shoot(window, "prihlaseni_uzivatele");
        window->Button_Zavrit->click();
    });
    window->Button_PrihlaseniClick();
    EXPECT_FALSE(dm->MSSQLADOQuery_PrihlaseniUzivatele->Active());
}

// An ordinary login meets the server's refusal as a Czech warning on the
// screen, and the list and the rights stay as they were.
TEST_F(UsersScreen, AnOrdinaryLoginIsRefusedCleanly)
{
    const QString petr = roleName("petr");
    ASSERT_TRUE(dm->NewUser(petr, "p")) << qPrintable(dm->LastErrorText());
    window.reset();
    ASSERT_TRUE(dm->ConnectServer(server, petr, "p")) << qPrintable(dm->LastErrorText());
    ASSERT_TRUE(dm->SelectDatabase(TDM::DatabaseName())) << qPrintable(dm->LastErrorText());
    LoginUzivatel = petr;
    dm->MSSQLADOQuery_Uzivatel->RefreshQuery();
    window = std::make_unique<TForm_Uzivatele>();
    window->Position();
    ASSERT_EQ(login(), petr);

    const QString anna = roleName("anna");
    WhenModal([&](QDialog *d) {
        auto *dialog = dynamic_cast<TForm_UzivatelNovy *>(d);
        ASSERT_TRUE(dialog);
        dialog->Edit_Uzivatel->setText(anna);
        dialog->Edit_Heslo->setText("a");
        dialog->Edit_Heslo_Potvrzeni->setText("a");
        dialog->Button_Ok->click();
    });
    window->Button_PridatClick();
    ASSERT_EQ(messages.count(MessageCall::Warning), 1);
    EXPECT_EQ(messages.calls.last().heading, "Transakce skončila s chybou...");
    EXPECT_EQ(messages.calls.last().detail, "Zavedení nového uživatele neproběhlo...");
    EXPECT_FALSE(messages.calls.last().description.isEmpty());
    EXPECT_EQ(login(), petr);

    // His own rights: the click is refused and the tick stays.
    Db::Field *right = dm->MSSQLADOQuery_Opravneni->FindField("STATE_OPRAVNENI");
    ASSERT_NE(right, nullptr);
    const bool before = right->AsBoolean();
    const int rightId = int(dm->MSSQLADOQuery_Opravneni->FieldByName("ID_OPRAVNENI").AsInteger());
    EXPECT_FALSE(
        window->KxDBGridEx_Opravneni->PostFieldChange(right, [right] { right->SetAsBoolean(!right->AsBoolean()); }));
    ASSERT_EQ(messages.count(MessageCall::Warning), 2);
    EXPECT_EQ(messages.calls.last().heading, "Změnu nelze uložit.");
    EXPECT_FALSE(messages.calls.last().detail.isEmpty());
    EXPECT_EQ(right->AsBoolean(), before);
    const qint64 userId = dm->MSSQLADOQuery_Opravneni->FieldByName("ID_UZIVATEL").AsInteger();
    EXPECT_EQ(scalar(QStringLiteral("SELECT STATE_OPRAVNENI::text FROM tab_uzivatel_opravneni "
                                    "WHERE ID_UZIVATEL = %1 AND ID_OPRAVNENI = %2")
                         .arg(userId)
                         .arg(rightId)),
              before ? QStringLiteral("true") : QStringLiteral("false"));
    EXPECT_TRUE(dm->UserExists(LoginUzivatel));

    // His own password needs the old one; a wrong one is said in Czech.
    const auto changeOwnPassword = [&](const QString &old) {
        WhenModal([&](QDialog *d) {
            auto *dialog = dynamic_cast<TForm_UzivatelEditace *>(d);
            ASSERT_TRUE(dialog);
            EXPECT_TRUE(dialog->Edit_Heslo_Puvodni->isEnabled());
            dialog->Edit_Heslo_Puvodni->setText(old);
            dialog->Edit_Heslo->setText("q");
            dialog->Edit_Heslo_Potvrzeni->setText("q");
            dialog->Button_Ok->click();
        });
        window->Button_EditovatClick();
    };
    changeOwnPassword("špatné");
    ASSERT_EQ(messages.count(MessageCall::Warning), 3);
    EXPECT_EQ(messages.calls.last().detail, "Editace uživatele neproběhla...");
    EXPECT_EQ(messages.calls.last().description, "Původní heslo není správné. [50000]");
    changeOwnPassword("p");
    EXPECT_EQ(messages.count(MessageCall::Warning), 3);
    Db::Connection asPetr;
    EXPECT_TRUE(asPetr.open(server, TDM::DatabaseName(), petr, "q"));
}

} // namespace
